#pragma once

#include <QApplication>
#include <QList>
#include <QWidget>

// The program's windows of one kind that are on screen now.
template <typename Window> QList<Window *> VisibleWindows()
{
    QList<Window *> found;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *window = qobject_cast<Window *>(widget); window && window->isVisible())
            found << window;
    return found;
}
