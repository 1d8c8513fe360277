#include "app/ProgramEnd.h"

#include <QApplication>
#include <QWidget>

namespace {
std::function<void()> &handler()
{
    static std::function<void()> instance;
    return instance;
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
        window->hide();
        window->deleteLater();
    }
    QCoreApplication::exit(0);
}

void ProgramEndHooks::SetHandler(std::function<void()> newHandler)
{
    handler() = std::move(newHandler);
}
