#include "scoring/GroupStatistics.h"

#include "common/LeadingNumber.h"
#include "scoring/ScoringKey.h"

#include <QRegularExpression>

#include <cmath>

namespace GroupStatistics {

QStringList ScoreFields()
{
    QStringList fields;
    for (const ScoringKey::Subscale &subscale : ScoringKey::Subscales())
        fields << subscale.field;
    fields << ScoringKey::TotalField();
    return fields;
}

bool IsScored(const QStringList &scores)
{
    static const QRegularExpression number(QStringLiteral("^\\s*[-+]?(\\d|\\.\\d)"));
    if (scores.size() != ScoreFields().size())
        return false;
    for (const QString &score : scores)
        if (!number.match(score).hasMatch())
            return false;
    return true;
}

Summary Summarise(const QVector<QStringList> &rows)
{
    const int scales = int(ScoreFields().size());
    Summary summary;
    summary.scales.resize(scales);
    // Welford's running mean and sum of squares: exact enough whatever the group's size.
    QVector<double> squares(scales, 0.0);
    for (const QStringList &row : rows) {
        if (!IsScored(row)) {
            ++summary.unscored;
            continue;
        }
        ++summary.scored;
        for (int i = 0; i < scales; ++i) {
            const double x = LeadingNumber(row.at(i));
            Figures &f = summary.scales[i];
            if (f.count == 0) {
                f.lowest = f.highest = x;
            } else {
                f.lowest = std::min(f.lowest, x);
                f.highest = std::max(f.highest, x);
            }
            ++f.count;
            const double delta = x - f.mean;
            f.mean += delta / f.count;
            squares[i] += delta * (x - f.mean);
        }
    }
    for (int i = 0; i < scales; ++i) {
        Figures &f = summary.scales[i];
        f.deviation = f.count > 1 ? std::sqrt(squares[i] / (f.count - 1)) : 0;
    }
    return summary;
}

QString MeanText(const Figures &figures)
{
    return figures.count > 0 ? QString::number(figures.mean, 'f', 2) : QString::fromUtf8("—");
}

QString DeviationText(const Figures &figures)
{
    return figures.count > 1 ? QString::number(figures.deviation, 'f', 2) : QString::fromUtf8("—");
}

QString WholeText(double value)
{
    return value == std::floor(value) ? QString::number(qint64(value))
                                      : QString::number(value, 'f', 2);
}

} // namespace GroupStatistics
