#pragma once
#include <QString>
#include <QStringList>
#include <QVector>

// The scale's scoring key, written down once for the whole program: which subscale each statement
// belongs to, which way it is scored, what each subscale is called and how the scores are summed.
// The test window, the scoring window and the reports all read it from here.
namespace ScoringKey {

constexpr int StatementCount = 56;
constexpr int OptionCount = 5;

struct Subscale
{
    QString field;         // the IDE field that stores the score
    QString windowCaption; // above the score in the scoring window
    QString listCaption;   // above the column in the results list
    QVector<int> statements;

    int count() const { return statements.size(); }
    int lowest() const { return count(); }
    int highest() const { return count() * OptionCount; }
};

// The five subscales, in the order the scoring window shows them from the right.
const QVector<Subscale> &Subscales();

// The total: its field and its two captions.
QString TotalField();
QString TotalWindowCaption();
QString TotalListCaption();

// The field of the subscale that statement n (1 to 56) belongs to; empty outside 1 to 56.
QString SubscaleOf(int statement);

// A direct statement stores an option's own value; every other number (0, negative, above 56)
// counts as reversed.
bool IsDirect(int statement);

// What option 1 ("never") to 5 ("always") stores for statement n: "1" to "5", the statement's
// direction applied. Empty for an option outside 1 to 5.
QString StoredAnswer(int option, int statement);

// The option (1 to 5) that shows a stored value v for statement n; 0 when v is not 1 to 5.
int OptionShowing(int storedValue, int statement);

// The numbers of the statements whose answer is empty (no value or empty text; blanks are an
// answer), in ascending order. answers[i] is the answer to statement i + 1.
QVector<int> Unanswered(const QStringList &answers);

// The missing-answers list as the scoring window shows it: each number with one blank before and
// two after.
QString MissingAnswersText(const QVector<int> &statements);

struct Scores
{
    double subscale[5] = {}; // in the order of Subscales()
    double total = 0;
};

// Each subscale is the plain sum of its statements' stored values read by their leading number
// (a text that is not a number counts 0); the total is the sum of the five.
Scores Compute(const QStringList &answers);

// Whether every score can be stored as the decimal text of a whole number: finite, and small
// enough (at most 2^53) that the text says exactly what was summed. A value edited by hand into
// the file, such as "1e400", can make a sum that is neither.
bool AreWritable(const Scores &scores);

// The statements whose stored value is not one of the texts "1" to "5", in ascending order.
QVector<int> OutsideScale(const QStringList &answers);

// A score as it is stored and shown: decimal text, no blanks, no decimals.
QString ScoreText(double score);

} // namespace ScoringKey
