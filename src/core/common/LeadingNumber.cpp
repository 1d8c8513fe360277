#include "common/LeadingNumber.h"

#include <QLocale>

namespace {

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// Any Unicode decimal digit, so Persian and Arabic-Indic digits typed by users count.
int DigitAt(const QString &text, qsizetype i)
{
    if (i >= text.size() || !text.at(i).isDigit())
        return -1;
    return text.at(i).digitValue();
}

} // namespace

double LeadingNumber(const QString &text)
{
    // The number is copied out with ASCII digits and converted in the C locale, so the user's
    // locale never changes the decimal point. Too large a number comes back as an infinity.
    QString latin;
    qsizetype i = 0;
    const auto takeDigits = [&](qsizetype &at) {
        qsizetype count = 0;
        for (int v; (v = DigitAt(text, at)) >= 0; ++at, ++count)
            latin.append(QLatin1Char(char('0' + v)));
        return count;
    };
    const auto isSign = [&](qsizetype at) {
        return at < text.size() && (text.at(at) == u'+' || text.at(at) == u'-');
    };

    while (i < text.size() && IsBlank(text.at(i)))
        ++i;
    if (isSign(i))
        latin.append(text.at(i++));
    qsizetype mantissaDigits = takeDigits(i);
    if (i < text.size() && text.at(i) == u'.') {
        latin.append(u'.');
        ++i;
        mantissaDigits += takeDigits(i);
    }
    if (mantissaDigits == 0)
        return 0.0;

    if (i < text.size() && (text.at(i) == u'e' || text.at(i) == u'E')) {
        qsizetype at = i + 1;
        const qsizetype signAt = isSign(at) ? at++ : -1;
        if (DigitAt(text, at) >= 0) {
            latin.append(u'e');
            if (signAt >= 0)
                latin.append(text.at(signAt));
            takeDigits(at);
        }
    }
    return QLocale::c().toDouble(latin);
}
