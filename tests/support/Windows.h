#pragma once

#include <QAbstractItemModel>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QList>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QWidget>

// The program's windows of one kind that are on screen now.
template <typename Window> QList<Window *> VisibleWindows()
{
    QList<Window *> found;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *window = dynamic_cast<Window *>(widget); window && window->isVisible())
            found << window;
    return found;
}

// Shows a window and waits until it is on screen, and active when asked; false if it never came.
inline bool ShowOnScreen(QWidget *window, bool active = false)
{
    window->show();
    return active ? QTest::qWaitForWindowActive(window) : QTest::qWaitForWindowExposed(window);
}

// The one window of that kind on screen once windows closed meanwhile have gone; nullptr when
// there is none, or more than one.
template <typename Window> Window *OnlyVisible()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QList<Window *> shown = VisibleWindows<Window>();
    return shown.size() == 1 ? shown.first() : nullptr;
}

// How a window fails to fit the screen it is on (the tests' laptop screen, at whatever scale):
// whole within the screen's free area, with room for a real title bar and edges as well (about
// 31 and 8 pixels on Windows). Empty when it fits.
inline QString Misfit(const QWidget *window)
{
    const QRect area = window->screen()->availableGeometry();
    if (area.contains(window->frameGeometry()) && window->width() + 16 <= area.width() &&
        window->height() + 40 <= area.height())
        return QString();
    return QStringLiteral("%1: %2 x %3 at %4, %5 in %6 x %7")
        .arg(window->objectName())
        .arg(window->width())
        .arg(window->height())
        .arg(window->x())
        .arg(window->y())
        .arg(area.width())
        .arg(area.height());
}

// Every row's text in one column of a view's model, the model read to its end.
inline QStringList ColumnTexts(QAbstractItemModel *model, int column)
{
    while (model->canFetchMore(QModelIndex()))
        model->fetchMore(QModelIndex());
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->index(row, column).data().toString();
    return texts;
}

// The text a label shows, as a screen reader reads it: markup taken as markup is gone from it.
inline QString ShownText(QLabel *label)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(label);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

// The visible buttons, check boxes and labels of a window too small for their text or picture,
// each as "name: needed > had".
inline QStringList Clipped(QWidget *window)
{
    QStringList clipped;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        QSize needed;
        QSize had = widget->size();
        auto *label = qobject_cast<QLabel *>(widget);
        if (auto *button = qobject_cast<QPushButton *>(widget)) {
            // The room the style leaves for the text, inside border and padding.
            QStyleOptionButton option;
            option.initFrom(button);
            option.features |= button->autoDefault() ? QStyleOptionButton::AutoDefaultButton
                                                     : QStyleOptionButton::None;
            had = button->style()
                      ->subElementRect(QStyle::SE_PushButtonContents, &option, button)
                      .size();
            needed = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
        } else if (qobject_cast<QCheckBox *>(widget)) {
            needed = widget->sizeHint();
        } else if (label) {
            needed = label->wordWrap() ? QSize(0, label->heightForWidth(had.width()))
                                       : label->minimumSizeHint();
        }
        if (widget->isVisible() && (needed.width() > had.width() || needed.height() > had.height()))
            clipped << QStringLiteral("%1: %2x%3 > %4x%5")
                           .arg(widget->objectName())
                           .arg(needed.width())
                           .arg(needed.height())
                           .arg(had.width())
                           .arg(had.height());
    }
    return clipped;
}
