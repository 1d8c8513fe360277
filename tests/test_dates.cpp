#include "common/LeadingNumber.h"
#include "common/SolarHijriDate.h"
#include "common/TextRules.h"

#include <QCalendar>
#include <QDate>
#include <QStringList>
#include <QTest>

#include <limits>

namespace {

// The leap formula the program used before: right for 1332..1436, then it gives two
// leap years in a row (1436 and 1437). Kept here as the reference for the years it got right.
bool OldLeapRule(int year)
{
    const int n = year - 1309;
    return ((n % 32) - (n / 32)) % 4 == 0;
}

bool IsLeap(int year)
{
    return IsSolarHijriLeapYear(year - 1332);
}

int MonthLength(int year, int month)
{
    if (month <= 6)
        return 31;
    if (month <= 11)
        return 30;
    return IsLeap(year) ? 30 : 29;
}

const QDate kEpoch(1953, 3, 21);

} // namespace

class TestDates : public QObject
{
    Q_OBJECT

private slots:
    void dateText_data();
    void dateText();
    void daysToSolarHijri_data();
    void daysToSolarHijri();
    void leapYears();
    void consecutiveDaysAdvanceByOne();
    void agreesWithQtJalali();
    void leadingNumber_data();
    void leadingNumber();
    void timeOfDayText_data();
    void timeOfDayText();
};

void TestDates::dateText_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("layout");
    QTest::addColumn<QString>("expected");

    const QDate tuesday(2014, 10, 7);
    QTest::newRow("worked example, layout 0") << tuesday << 0 << QStringLiteral("1393/07/15");
    QTest::newRow("worked example, layout 1") << tuesday << 1 << QStringLiteral("15 مهر 1393");
    QTest::newRow("worked example, layout 2")
        << tuesday << 2 << QStringLiteral("سه شنبه 1393/7/15");
    QTest::newRow("worked example, layout 3")
        << tuesday << 3 << QStringLiteral("سه شنبه 15 مهر 1393");
    QTest::newRow("worked example, layout 4") << tuesday << 4 << QStringLiteral("1393.7.15");

    const QDate esfand30(2025, 3, 20);
    const QDate nowruz1404(2025, 3, 21);
    QTest::newRow("last day of leap 1403, layout 0")
        << esfand30 << 0 << QStringLiteral("1403/12/30");
    QTest::newRow("last day of leap 1403, layout 1")
        << esfand30 << 1 << QStringLiteral("30 اسفند 1403");
    QTest::newRow("last day of leap 1403, layout 2")
        << esfand30 << 2 << QStringLiteral("پنجشنبه 1403/12/30");
    QTest::newRow("last day of leap 1403, layout 3")
        << esfand30 << 3 << QStringLiteral("پنجشنبه 30 اسفند 1403");
    QTest::newRow("last day of leap 1403, layout 4")
        << esfand30 << 4 << QStringLiteral("1403.12.30");
    QTest::newRow("first day of 1404, layout 0") << nowruz1404 << 0 << QStringLiteral("1404/01/01");
    QTest::newRow("first day of 1404, layout 1")
        << nowruz1404 << 1 << QStringLiteral("1 فروردين 1404");
    QTest::newRow("first day of 1404, layout 2")
        << nowruz1404 << 2 << QStringLiteral("جمعه 1404/1/1");
    QTest::newRow("first day of 1404, layout 3")
        << nowruz1404 << 3 << QStringLiteral("جمعه 1 فروردين 1404");
    QTest::newRow("first day of 1404, layout 4") << nowruz1404 << 4 << QStringLiteral("1404.1.1");

    QTest::newRow("day 185 ends month 6")
        << QDate(2016, 9, 21) << 0 << QStringLiteral("1395/06/31");
    QTest::newRow("day 186 starts month 7")
        << QDate(2016, 9, 22) << 0 << QStringLiteral("1395/07/01");
    QTest::newRow("last day of common 1402")
        << QDate(2024, 3, 19) << 0 << QStringLiteral("1402/12/29");
    QTest::newRow("first day of 1403") << QDate(2024, 3, 20) << 0 << QStringLiteral("1403/01/01");
    QTest::newRow("last day of leap 1399")
        << QDate(2021, 3, 20) << 0 << QStringLiteral("1399/12/30");

    QTest::newRow("epoch, layout 0") << kEpoch << 0 << QStringLiteral("1332/01/01");
    QTest::newRow("epoch, layout 2") << kEpoch << 2 << QStringLiteral("شنبه 1332/1/1");

    QTest::newRow("padded, layout 0") << QDate(2014, 9, 27) << 0 << QStringLiteral("1393/07/05");
    QTest::newRow("unpadded, layout 2")
        << QDate(2014, 9, 27) << 2 << QStringLiteral("شنبه 1393/7/5");
    QTest::newRow("unpadded, layout 4") << QDate(2014, 9, 27) << 4 << QStringLiteral("1393.7.5");

    // Every weekday name, Sunday 5 Oct 2014 to Saturday 11 Oct 2014.
    QTest::newRow("Sunday") << QDate(2014, 10, 5) << 2 << QStringLiteral("يکشنبه 1393/7/13");
    QTest::newRow("Monday") << QDate(2014, 10, 6) << 2 << QStringLiteral("دوشنبه 1393/7/14");
    QTest::newRow("Wednesday") << QDate(2014, 10, 8) << 2 << QStringLiteral("چهارشنبه 1393/7/16");
    QTest::newRow("Thursday") << QDate(2014, 10, 9) << 2 << QStringLiteral("پنجشنبه 1393/7/17");
    QTest::newRow("Friday") << QDate(2014, 10, 10) << 2 << QStringLiteral("جمعه 1393/7/18");
    QTest::newRow("Saturday") << QDate(2014, 10, 11) << 2 << QStringLiteral("شنبه 1393/7/19");

    // Every month name, on the first day of each month of 1393.
    QTest::newRow("month 1") << QDate(2014, 3, 21) << 1 << QStringLiteral("1 فروردين 1393");
    QTest::newRow("month 2") << QDate(2014, 4, 21) << 1 << QStringLiteral("1 ارديبهشت 1393");
    QTest::newRow("month 3") << QDate(2014, 5, 22) << 1 << QStringLiteral("1 خرداد 1393");
    QTest::newRow("month 4") << QDate(2014, 6, 22) << 1 << QStringLiteral("1 تير 1393");
    QTest::newRow("month 5") << QDate(2014, 7, 23) << 1 << QStringLiteral("1 مرداد 1393");
    QTest::newRow("month 6") << QDate(2014, 8, 23) << 1 << QStringLiteral("1 شهريور 1393");
    QTest::newRow("month 7") << QDate(2014, 9, 23) << 1 << QStringLiteral("1 مهر 1393");
    QTest::newRow("month 8") << QDate(2014, 10, 23) << 1 << QStringLiteral("1 آبان 1393");
    QTest::newRow("month 9") << QDate(2014, 11, 22) << 1 << QStringLiteral("1 آذر 1393");
    QTest::newRow("month 10") << QDate(2014, 12, 22) << 1 << QStringLiteral("1 دي 1393");
    QTest::newRow("month 11") << QDate(2015, 1, 21) << 1 << QStringLiteral("1 بهمن 1393");
    QTest::newRow("month 12") << QDate(2015, 2, 20) << 1 << QStringLiteral("1 اسفند 1393");

    QTest::newRow("day before epoch") << QDate(1953, 3, 20) << 0 << QString();
    QTest::newRow("invalid date") << QDate() << 0 << QString();
    QTest::newRow("layout -1") << tuesday << -1 << QString();
    QTest::newRow("layout 5") << tuesday << 5 << QString();
}

void TestDates::dateText()
{
    QFETCH(QDate, date);
    QFETCH(int, layout);
    QFETCH(QString, expected);
    QCOMPARE(SolarHijriDateText(date, layout), expected);
}

void TestDates::daysToSolarHijri_data()
{
    QTest::addColumn<qint64>("days");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");

    QTest::newRow("epoch") << qint64(0) << 1332 << 1 << 1;
    QTest::newRow("day 185") << qint64(185) << 1332 << 6 << 31;
    QTest::newRow("day 186") << qint64(186) << 1332 << 7 << 1;
    QTest::newRow("end of common 1332") << qint64(364) << 1332 << 12 << 29;
    QTest::newRow("start of 1333") << qint64(365) << 1333 << 1 << 1;
    QTest::newRow("end of leap 1333") << qint64(730) << 1333 << 12 << 30;
    QTest::newRow("start of 1334") << qint64(731) << 1334 << 1 << 1;
    // 33 years of 365 days plus 8 leap days bring the calendar back to its start.
    QTest::newRow("one whole cycle") << qint64(12053) << 1365 << 1 << 1;
    QTest::newRow("day before a whole cycle") << qint64(12052) << 1364 << 12 << 29;
    QTest::newRow("worked example") << kEpoch.daysTo(QDate(2014, 10, 7)) << 1393 << 7 << 15;
}

void TestDates::daysToSolarHijri()
{
    QFETCH(qint64, days);
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    const SolarHijriDate d = DaysToSolarHijri(days);
    QCOMPARE(d.year, year);
    QCOMPARE(d.month, month);
    QCOMPARE(d.day, day);
}

void TestDates::leapYears()
{
    for (int year = 1332; year <= 1436; ++year)
        QVERIFY2(IsLeap(year) == OldLeapRule(year), qPrintable(QString::number(year)));

    QVERIFY(IsLeap(1436));
    QVERIFY(!IsLeap(1437));
    QVERIFY(IsLeap(1441));

    for (int year = 1332; year < 1700; ++year)
        QVERIFY2(!(IsLeap(year) && IsLeap(year + 1)), qPrintable(QString::number(year)));
}

void TestDates::consecutiveDaysAdvanceByOne()
{
    const auto parse = [](const QDate &date) {
        const QStringList parts = SolarHijriDateText(date).split(u'/');
        SolarHijriDate d;
        if (parts.size() == 3) {
            d.year = parts[0].toInt();
            d.month = parts[1].toInt();
            d.day = parts[2].toInt();
        }
        return d;
    };

    SolarHijriDate prev = parse(kEpoch);
    QCOMPARE(prev.year, 1332);
    QCOMPARE(prev.month, 1);
    QCOMPARE(prev.day, 1);
    for (QDate date = kEpoch.addDays(1); date <= QDate(2100, 12, 31); date = date.addDays(1)) {
        SolarHijriDate want = prev;
        if (prev.day < MonthLength(prev.year, prev.month)) {
            ++want.day;
        } else if (prev.month < 12) {
            ++want.month;
            want.day = 1;
        } else {
            ++want.year;
            want.month = 1;
            want.day = 1;
        }
        const SolarHijriDate got = parse(date);
        QVERIFY2(got.year == want.year && got.month == want.month && got.day == want.day,
                 qPrintable(date.toString(Qt::ISODate) + QStringLiteral(" gave ") +
                            SolarHijriDateText(date)));
        prev = got;
    }
}

void TestDates::agreesWithQtJalali()
{
    // Qt follows another cycle from 1436 on, so the comparison stops at the end of 1435.
    const QCalendar jalali(QCalendar::System::Jalali);
    for (QDate date = kEpoch; date <= QDate(2057, 3, 20); date = date.addDays(1)) {
        const QCalendar::YearMonthDay qt = jalali.partsFromDate(date);
        const SolarHijriDate ours = DaysToSolarHijri(kEpoch.daysTo(date));
        QVERIFY2(ours.year == qt.year && ours.month == qt.month && ours.day == qt.day,
                 qPrintable(date.toString(Qt::ISODate)));
    }
}

void TestDates::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    const double inf = std::numeric_limits<double>::infinity();

    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("dot alone") << QStringLiteral(".") << 0.0;
    QTest::newRow("minus alone") << QStringLiteral("-") << 0.0;
    QTest::newRow("plus alone") << QStringLiteral("+") << 0.0;
    QTest::newRow("letters") << QStringLiteral("abc") << 0.0;
    QTest::newRow("sign then dot") << QStringLiteral("-.e5") << 0.0;
    QTest::newRow("blank inside sign") << QStringLiteral("- 5") << 0.0;
    QTest::newRow("decimal") << QStringLiteral("2.5") << 2.5;
    QTest::newRow("blanks around") << QStringLiteral(" 3 ") << 3.0;
    QTest::newRow("tab CR LF first") << QStringLiteral("\t\r\n 7") << 7.0;
    QTest::newRow("negative") << QStringLiteral("-1") << -1.0;
    QTest::newRow("plus sign") << QStringLiteral("+4") << 4.0;
    QTest::newRow("trailing letters") << QStringLiteral("12abc") << 12.0;
    QTest::newRow("no integer part") << QStringLiteral(".5") << 0.5;
    QTest::newRow("no fraction digits") << QStringLiteral("5.") << 5.0;
    QTest::newRow("second dot ends it") << QStringLiteral("1.2.3") << 1.2;
    QTest::newRow("exponent") << QStringLiteral("1e3") << 1000.0;
    QTest::newRow("capital exponent") << QStringLiteral("2.5E2") << 250.0;
    QTest::newRow("negative exponent") << QStringLiteral("-15e-1") << -1.5;
    QTest::newRow("exponent without digits") << QStringLiteral("1e") << 1.0;
    QTest::newRow("exponent sign without digits") << QStringLiteral("1e+x") << 1.0;
    QTest::newRow("Persian digits") << QStringLiteral("۱۲") << 12.0;
    QTest::newRow("Persian decimal") << QStringLiteral("۳.۵") << 3.5;
    QTest::newRow("Arabic-Indic digits") << QStringLiteral("-٤٢") << -42.0;
    QTest::newRow("long run of zeros") << QString(5000, u'0') + QStringLiteral("5") << 5.0;
    QTest::newRow("long fraction")
        << QStringLiteral("1.") + QString(5000, u'0') + QStringLiteral("1") << 1.0;
    QTest::newRow("too large") << QString(400, u'9') << inf;
    QTest::newRow("too large, negative") << QStringLiteral("-1e400") << -inf;
}

void TestDates::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(LeadingNumber(text), expected);
}

void TestDates::timeOfDayText_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("expected");
    // The locale's own long time format, without the time zone it may carry, in the digits 0 to
    // 9 whatever digits the locale writes.
    QTest::newRow("Persian, zone in parentheses")
        << QStringLiteral("fa_IR") << QStringLiteral("14:05:09");
    QTest::newRow("Arabic, its day-half marker kept")
        << QStringLiteral("ar_EG") << QString::fromUtf8("2:05:09 م");
    QTest::newRow("Chakma, digits beyond 16 bits")
        << QStringLiteral("ccp") << QStringLiteral("2:05:09 PM");
    QTest::newRow("English") << QStringLiteral("en_US") << QStringLiteral("2:05:09 PM");
    QTest::newRow("German") << QStringLiteral("de_DE") << QStringLiteral("14:05:09");
    QTest::newRow("C") << QStringLiteral("C") << QStringLiteral("14:05:09");
}

void TestDates::timeOfDayText()
{
    QFETCH(QString, locale);
    QFETCH(QString, expected);
    QCOMPARE(TimeOfDayText(QTime(14, 5, 9), QLocale(locale)), expected);
}

QTEST_GUILESS_MAIN(TestDates)
#include "test_dates.moc"
