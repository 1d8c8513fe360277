#include "common/TextRules.h"

#include <QRegularExpression>

QString TrimBlanks(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == u' ')
        ++first;
    while (last > first && text.at(last - 1) == u' ')
        --last;
    return text.mid(first, last - first);
}

QString LatinDigits(const QString &text)
{
    QString latin = text;
    for (QChar &c : latin) {
        const char16_t u = c.unicode();
        if (u >= u'\u06F0' && u <= u'\u06F9')
            c = QLatin1Char(char('0' + (u - u'\u06F0')));
        else if (u >= u'\u0660' && u <= u'\u0669')
            c = QLatin1Char(char('0' + (u - u'\u0660')));
    }
    return latin;
}

QString CodeKey(const QString &code)
{
    return LatinDigits(TrimBlanks(code));
}

QString TimeOfDayText(const QTime &time, const QLocale &locale)
{
    // The long format may carry a time zone ("t", in some locales in parentheses); the time of
    // registration is local anyway.
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("\\s*\\(?\\bt+\\b\\)?")));
    // The locale's order, separators and day-half marker, but the digits 0 to 9, as in the date
    // beside it: one column of the register never mixes two digit systems.
    // Some locales' digits lie beyond the first 65,536 characters, so the text is read by code
    // point.
    const QList<uint> points = locale.toString(time, format.trimmed()).toUcs4();
    QString text;
    for (const uint point : points) {
        if (QChar::isDigit(point))
            text += QLatin1Char(char('0' + QChar::digitValue(point)));
        else
            text += QChar::fromUcs4(point);
    }
    return text;
}
