#include "register/AnswerSheet.h"

#include "data/Cursor.h"
#include "scoring/ScoringKey.h"

QStringList AnswersOf(const Cursor &answers)
{
    QStringList values;
    values.reserve(ScoringKey::StatementCount);
    for (int n = 1; n <= ScoringKey::StatementCount; ++n)
        values << answers.field(QString::number(n));
    return values;
}

int AnsweredCount(const QStringList &answers)
{
    return ScoringKey::StatementCount - int(ScoringKey::Unanswered(answers).size());
}

int NextUnanswered(const QStringList &answers, int current)
{
    const QVector<int> missing = ScoringKey::Unanswered(answers);
    if (missing.isEmpty())
        return 0;
    for (int n : missing)
        if (n > current)
            return n;
    // Round to statement 1: the first one missing, which is current itself when it is the last.
    return missing.first();
}
