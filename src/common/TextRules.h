#pragma once

#include <QLocale>
#include <QString>
#include <QTime>

// The text with its leading and trailing blanks (spaces) removed; other characters, tabs and
// marks included, stay.
QString TrimBlanks(const QString &text);

// A time of day as the locale writes it, seconds included, without a time zone, in the digits
// 0 to 9 whatever digits the locale uses.
QString TimeOfDayText(const QTime &time, const QLocale &locale = QLocale());
