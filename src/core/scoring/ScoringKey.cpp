#include "scoring/ScoringKey.h"

#include "common/LeadingNumber.h"

#include <cmath>

namespace ScoringKey {

namespace {

// Direction is applied when an answer is stored, so the sums below never reverse anything.
constexpr int DirectStatements[] = {7,  8,  10, 11, 14, 17, 20, 21, 24, 27, 28,
                                    30, 36, 38, 39, 41, 42, 45, 47, 50, 51, 54};

} // namespace

const QVector<Subscale> &Subscales()
{
    static const QVector<Subscale> subscales = {
        {QStringLiteral("BPosetive"),
         QStringLiteral("مهارت اجتماعي مناسب"),
         QStringLiteral("مهارت اجتماعي مناسب"),
         {7, 10, 11, 14, 17, 20, 21, 27, 28, 30, 36, 38, 39, 41, 45, 50, 51, 54}},
        {QStringLiteral("Conterlo"),
         QStringLiteral("رفتارهاي     غير اجتماعي"),
         QStringLiteral("رفتارهاي غير اجتماعي"),
         {5, 6, 13, 16, 18, 26, 35, 37, 49, 52, 53}},
        {QStringLiteral("Etminan"),
         QStringLiteral("پرخاشگري و رفتارهاي تکانشي"),
         QStringLiteral("پرخاشگري و رفتارهاي تکانشي"),
         {1, 2, 3, 4, 9, 12, 19, 25, 31, 33, 48, 56}},
        {QStringLiteral("neyaz"),
         QStringLiteral("برتري طلبي اطمينان زياد به خود داشتن"),
         QStringLiteral("برتري طلبي اطمينان زياد به خود داشتن"),
         {15, 29, 32, 40, 46, 55}},
        {QStringLiteral("self"),
         QStringLiteral("ارتباط با همسالان"),
         QStringLiteral("ارتباط با همسالان"),
         {8, 22, 23, 24, 34, 42, 43, 44, 47}},
    };
    return subscales;
}

QString TotalField()
{
    return QStringLiteral("Kol");
}

QString TotalWindowCaption()
{
    return QStringLiteral("نمره کل");
}

QString TotalListCaption()
{
    return QStringLiteral("کل");
}

QString SubscaleOf(int statement)
{
    for (const Subscale &s : Subscales())
        if (s.statements.contains(statement))
            return s.field;
    return {};
}

bool IsDirect(int statement)
{
    for (int n : DirectStatements)
        if (n == statement)
            return true;
    return false;
}

QString StoredAnswer(int option, int statement)
{
    if (option < 1 || option > OptionCount)
        return {};
    const int value = IsDirect(statement) ? option : OptionCount + 1 - option;
    return QString::number(value);
}

int OptionShowing(int storedValue, int statement)
{
    if (storedValue < 1 || storedValue > OptionCount)
        return 0;
    return IsDirect(statement) ? storedValue : OptionCount + 1 - storedValue;
}

QVector<int> Unanswered(const QStringList &answers)
{
    QVector<int> missing;
    for (int n = 1; n <= StatementCount; ++n)
        if (n > answers.size() || answers.at(n - 1).isEmpty())
            missing.append(n);
    return missing;
}

QString MissingAnswersText(const QVector<int> &statements)
{
    QString text;
    for (int n : statements)
        text += u' ' + QString::number(n) + QStringLiteral("  ");
    return text;
}

Scores Compute(const QStringList &answers)
{
    Scores scores;
    const QVector<Subscale> &subscales = Subscales();
    for (int i = 0; i < subscales.size(); ++i) {
        for (int n : subscales.at(i).statements)
            if (n <= answers.size())
                scores.subscale[i] += LeadingNumber(answers.at(n - 1));
        // The total adds the scores as they are shown and stored.
        scores.total += LeadingNumber(ScoreText(scores.subscale[i]));
    }
    return scores;
}

bool AreWritable(const Scores &scores)
{
    // Beyond 2^53 a double no longer holds every whole number: the text would not be the sum.
    const double limit = 9007199254740992.0;
    for (double score : scores.subscale)
        if (!std::isfinite(score) || std::abs(score) > limit)
            return false;
    return std::isfinite(scores.total) && std::abs(scores.total) <= limit;
}

QVector<int> OutsideScale(const QStringList &answers)
{
    QVector<int> outside;
    for (int n = 1; n <= StatementCount; ++n) {
        const QString value = n <= answers.size() ? answers.at(n - 1) : QString();
        if (value.size() != 1 || value.at(0) < u'1' || value.at(0) > QLatin1Char('0' + OptionCount))
            outside.append(n);
    }
    return outside;
}

QString ScoreText(double score)
{
    // Sums of the values 1 to 5 are whole; round rather than truncate so that a stored text like
    // "2.9999999" cannot turn a score one lower.
    return QString::number(static_cast<qlonglong>(std::llround(score)));
}

} // namespace ScoringKey
