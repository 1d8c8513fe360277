#pragma once

#include <QApplication>
#include <QCoreApplication>
#include <QPoint>
#include <QStringList>
#include <QTest>
#include <QWidget>

// What a user's hands do to the windows.

// Types text as a keyboard does, one character at a time. Persian cannot go through
// QTest::keyClicks (its key mapping asserts on such letters).
inline void TypeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Moves the pointer to a point of a widget (its middle by default) and lets the window deliver it.
inline void PointAt(QWidget *widget, QPoint at = QPoint(-1, -1))
{
    if (at == QPoint(-1, -1))
        at = widget->rect().center();
    QTest::mouseMove(widget, at);
    QCoreApplication::processEvents();
}

// Presses one of the program's picture buttons: the pointer over the picture at rest lights it,
// and the lit picture, shown in its place, takes the click.
inline void ClickPicture(QWidget *atRest, QWidget *lit)
{
    PointAt(atRest);
    QTest::mouseClick(lit, Qt::LeftButton);
}

// The names of the widgets the keyboard is on, from the focused one, pressing Tab after each:
// steps of them.
inline QStringList ReachedByTab(int steps)
{
    QStringList reached;
    for (int i = 0; i < steps && QApplication::focusWidget(); ++i) {
        reached << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    return reached;
}

// The same, once round: until Tab comes back to home (at most most steps).
inline QStringList TabRound(const QWidget *home, int most = 40)
{
    QStringList reached;
    do {
        reached << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    } while (QApplication::focusWidget() != home && reached.size() < most);
    return reached;
}
