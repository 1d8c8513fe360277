#include "common/SolarHijriDate.h"

#include <QStringView>

namespace {

constexpr int kBaseYear = 1332;
// The leap pattern repeats every 33 years, and such a cycle holds 8 leap years.
constexpr int kCycleYears = 33;
constexpr qint64 kCycleDays = kCycleYears * 365 + 8;

constexpr QStringView kMonthNames[12] = {
    u"فروردين", u"ارديبهشت", u"خرداد", u"تير", u"مرداد", u"شهريور",
    u"مهر",     u"آبان",     u"آذر",   u"دي",  u"بهمن",  u"اسفند",
};

// Sunday first, matching the weekday numbers 1..7 the texts use.
constexpr QStringView kWeekdayNames[7] = {
    u"يکشنبه", u"دوشنبه", u"سه شنبه", u"چهارشنبه", u"پنجشنبه", u"جمعه", u"شنبه",
};

QDate Epoch()
{
    return QDate(1953, 3, 21);
}

} // namespace

bool IsSolarHijriLeapYear(int offset)
{
    // The 33-year rule: the older ((n mod 32) - (n div 32)) mod 4 formula (n = year - 1309)
    // makes 1436 and 1437 both leap, and two leap years in a row cannot happen. The two
    // agree for every year 1332..1436, so dates already written do not change.
    int r = (kBaseYear + offset) % kCycleYears;
    if (r < 0)
        r += kCycleYears;
    switch (r) {
    case 1:
    case 5:
    case 9:
    case 13:
    case 17:
    case 22:
    case 26:
    case 30:
        return true;
    default:
        return false;
    }
}

SolarHijriDate DaysToSolarHijri(qint64 days)
{
    if (days < 0)
        return {};
    // Whole cycles first, so far-off dates do not walk year by year.
    const qint64 cycles = days / kCycleDays;
    days -= cycles * kCycleDays;
    int offset = int(cycles * kCycleYears);
    for (;;) {
        const int length = IsSolarHijriLeapYear(offset) ? 366 : 365;
        if (days < length)
            break;
        days -= length;
        ++offset;
    }

    SolarHijriDate result;
    result.year = kBaseYear + offset;
    const int dayOfYear = int(days);
    // Months 1..6 have 31 days (186 days in all); months 7..12 have 30, the last one cut short.
    if (dayOfYear <= 185) {
        result.month = dayOfYear / 31 + 1;
        result.day = dayOfYear % 31 + 1;
    } else {
        const int d = dayOfYear - 186;
        result.month = d / 30 + 7;
        result.day = d % 30 + 1;
    }
    return result;
}

QString SolarHijriDateText(const QDate &date, int layout)
{
    if (!date.isValid() || layout < 0 || layout > 4)
        return {};
    const qint64 days = Epoch().daysTo(date);
    if (days < 0)
        return {};

    const SolarHijriDate d = DaysToSolarHijri(days);
    // QDate counts Monday = 1 .. Sunday = 7; the names start at Sunday.
    const QString weekday = kWeekdayNames[date.dayOfWeek() % 7].toString();
    const QString month = kMonthNames[d.month - 1].toString();
    const QString y = QString::number(d.year);
    const QString m = QString::number(d.month);
    const QString dd = QString::number(d.day);

    switch (layout) {
    case 0:
        return QStringLiteral("%1/%2/%3")
            .arg(d.year)
            .arg(d.month, 2, 10, QChar(u'0'))
            .arg(d.day, 2, 10, QChar(u'0'));
    case 1:
        return QStringLiteral("%1 %2 %3").arg(dd, month, y);
    case 2:
        return QStringLiteral("%1 %2/%3/%4").arg(weekday, y, m, dd);
    case 3:
        return QStringLiteral("%1 %2 %3 %4").arg(weekday, dd, month, y);
    default:
        return QStringLiteral("%1.%2.%3").arg(y, m, dd);
    }
}
