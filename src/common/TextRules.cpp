#include "common/TextRules.h"

#include <QRegularExpression>

QString TrimBlanks(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

QString TimeOfDayText(const QTime &time, const QLocale &locale)
{
    // The long format may carry a time zone ("t", in some locales in parentheses); the time of
    // registration is local anyway.
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("\\s*\\(?\\bt+\\b\\)?")));
    return locale.toString(time, format.trimmed());
}
