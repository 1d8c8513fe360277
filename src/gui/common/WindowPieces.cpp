#include "common/WindowPieces.h"

#include "common/Text.h"

#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>

namespace {
// Presses the button it watches when Enter reaches it.
class EnterPresses : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            auto *button = qobject_cast<QAbstractButton *>(watched);
            if (button && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
                button->click();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

QPushButton *MakeButton(const QString &name, const char *caption, QWidget *parent)
{
    auto *button = new QPushButton(text(caption), parent);
    button->setObjectName(name);
    return button;
}

void KeepPlaceWhenHidden(QWidget *widget)
{
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

void EnterPressesFocusedButton(QWidget *window)
{
    const bool dialog = qobject_cast<QDialog *>(window) != nullptr;
    for (QPushButton *button : window->findChildren<QPushButton *>()) {
        if (!dialog) {
            button->setAutoDefault(true);
            continue;
        }
        button->setAutoDefault(false);
        button->setDefault(false);
        PressWithEnter(button);
    }
}

void PressWithEnter(QAbstractButton *button)
{
    button->installEventFilter(new EnterPresses(button));
}
