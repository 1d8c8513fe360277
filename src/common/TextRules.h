#pragma once

#include <QLocale>
#include <QString>
#include <QTime>

// The text with its leading and trailing blanks (spaces) removed; other characters, tabs and
// marks included, stay.
QString TrimBlanks(const QString &text);

// A time of day as the locale writes it, seconds included, without a time zone.
QString TimeOfDayText(const QTime &time, const QLocale &locale = QLocale::system());
