#pragma once

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QList>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
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
