#include "common/ScreenPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void PlaceOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    // Once shown, the window knows its frame; before that, a usual one is allowed for.
    QMargins frame;
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    if (outer != inner)
        frame = QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    else if (!window->windowFlags().testFlag(Qt::FramelessWindowHint))
        frame = UsualWindowFrame;
    const QSize size = window->size().grownBy(frame);
    const int x = qMax(area.left(), area.left() + (area.width() - size.width()) / 2);
    const int y = qMax(area.top(), area.top() + (area.height() - size.height()) / 2);
    // A window's position is that of its frame.
    window->move(x, y);
}
