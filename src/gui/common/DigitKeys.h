#pragma once

class QKeyEvent;
class QLineEdit;

// What a key pressed in a box that takes digits only comes to.
enum class DigitKey {
    Pass,    // the box handles it as usual: a digit 0 to 9, Backspace, Enter, a shortcut
    Taken,   // a digit of another script (a Persian keyboard's), typed into the box as 0 to 9
    Refused, // anything else: the caller beeps and says that a number is wanted
};
DigitKey FilterDigitKey(QLineEdit *box, const QKeyEvent &key);
