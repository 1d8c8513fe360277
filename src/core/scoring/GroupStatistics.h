#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The figures of a group's scores: for each of the five subscales and the total, the number of
// scored subjects, the mean, the sample standard deviation (n - 1), the lowest and the highest.
// Subjects without scores are counted apart and left out of the figures.
namespace GroupStatistics {

struct Figures
{
    int count = 0;
    double mean = 0;
    double deviation = 0; // meaningful from two subjects on
    double lowest = 0;
    double highest = 0;
};

struct Summary
{
    int scored = 0;
    int unscored = 0;
    QVector<Figures> scales; // the five subscales in the scoring key's order, then the total
};

// The IDE fields of the scores, in the order of Summary::scales.
QStringList ScoreFields();

// A subject counts as scored when all six score fields start with a number.
bool IsScored(const QStringList &scores);

// rows: each subject's six score texts, in the order of ScoreFields().
Summary Summarise(const QVector<QStringList> &rows);

// Texts for the report and the CSV: two decimals, the point as separator; "—" where a figure does
// not exist (the deviation of a single subject).
QString MeanText(const Figures &figures);
QString DeviationText(const Figures &figures);
QString WholeText(double value);

} // namespace GroupStatistics
