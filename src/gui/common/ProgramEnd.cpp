#include "common/ProgramEnd.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace {
std::function<QWidget *()> &mainWindowMaker()
{
    static std::function<QWidget *()> maker;
    return maker;
}

std::function<void()> &handler()
{
    static std::function<void()> instance;
    return instance;
}
} // namespace

void SetMainWindowMaker(std::function<QWidget *()> maker)
{
    mainWindowMaker() = std::move(maker);
}

QWidget *ShowMainWindow()
{
    if (!mainWindowMaker()) {
        qWarning("no main window was registered to go back to");
        return nullptr;
    }
    return mainWindowMaker()();
}

namespace {
// A window that is nobody else's: not a list's or a completer's popup, which their widget deletes
// (a completer's popup has no parent, yet deleting it first leaves its completer to crash).
bool ownsItself(const QWidget *window)
{
    return !window->parentWidget() && window->windowType() != Qt::Popup;
}
} // namespace

void EndProgram()
{
    if (handler()) {
        handler()();
        return;
    }
    // Windows are deleted once control is back in the event loop, not from inside the handler
    // of one of their own buttons.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (!ownsItself(window))
            continue;
        window->hide();
        window->deleteLater();
    }
    QCoreApplication::exit(0);
}

void DeleteAllWindows()
{
    // A window may own others: those go with it, so each is held by a guarded pointer.
    QList<QPointer<QWidget>> windows;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (ownsItself(window))
            windows << window;
    for (const QPointer<QWidget> &window : windows)
        delete window.data();
}

void ProgramEndHooks::SetHandler(std::function<void()> newHandler)
{
    handler() = std::move(newHandler);
}
