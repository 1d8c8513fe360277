#pragma once
#include <QDate>
#include <QString>

struct SolarHijriDate
{
    int year = 0;
    int month = 0;
    int day = 0;
};

// days: whole days since 21 March 1953 (= 1 Farvardin 1332), >= 0
SolarHijriDate DaysToSolarHijri(qint64 days);
// true when year 1332 + offset has 366 days
bool IsSolarHijriLeapYear(int offset);
// Gregorian date -> Solar Hijri text in layout 0..4; other layout -> empty text;
// a date before 21 March 1953 (or an invalid QDate) -> empty text
QString SolarHijriDateText(const QDate &date, int layout = 0);
