#pragma once

class QAbstractButton;
class QPushButton;
class QString;
class QWidget;

// The pieces the windows are built of, made one way everywhere.

// A push button with its design name and its caption, a named UTF-8 text.
QPushButton *MakeButton(const QString &name, const char *caption, QWidget *parent);

// A widget shown in one state of its window only keeps its place in the other, so the window
// never changes its size or moves its contents.
void KeepPlaceWhenHidden(QWidget *widget);

// Enter presses the focused push button, as Space does, and only a focused one: Enter in a box
// never presses a button the user is not on. Called once the window's buttons are all made.
// A dialog would make an auto-default button its default, pressed by Enter from anywhere, so
// there its buttons are none of that and take Enter themselves; elsewhere each is auto-default.
void EnterPressesFocusedButton(QWidget *window);

// Enter presses this button while it has the focus: for buttons that take no Enter of their
// own, such as a tool bar's.
void PressWithEnter(QAbstractButton *button);
