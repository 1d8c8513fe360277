#pragma once

#include <QLocale>
#include <QString>
#include <QTime>

// The text with its leading and trailing blanks (spaces) removed; other characters, tabs and
// marks included, stay.
QString TrimBlanks(const QString &text);

// The text with Persian (U+06F0 to U+06F9) and Arabic-Indic (U+0660 to U+0669) digits written as
// the digits 0 to 9; every other character stays.
QString LatinDigits(const QString &text);

// What two subject codes must share to be taken for the same code when one of them is not found
// exactly: the code without the blanks around it, in the digits 0 to 9. Examiners switch keyboard
// layouts all day, and registration keeps the blanks typed around a code.
QString CodeKey(const QString &code);

// A time of day as the locale writes it, seconds included, without a time zone, in the digits
// 0 to 9 whatever digits the locale uses.
QString TimeOfDayText(const QTime &time, const QLocale &locale = QLocale());
