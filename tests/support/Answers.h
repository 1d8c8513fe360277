#pragma once

#include "scoring/ScoringKey.h"

#include <QString>
#include <QStringList>

// A subject's 56 stored answers, all the same text.
inline QStringList Filled(const QString &value)
{
    return QStringList(ScoringKey::StatementCount, value);
}

// What a subject who picked the same option for every statement has stored: the option for a
// direct statement, its reverse for the others.
inline QStringList SameOption(int option)
{
    QStringList answers;
    for (int n = 1; n <= ScoringKey::StatementCount; ++n)
        answers << ScoringKey::StoredAnswer(option, n);
    return answers;
}

// SQL for a subject's 56 stored answers read as one text, the separator between them and the
// empty text for a statement not answered (SELECT it FROM "Answer").
inline QString AnswersAsOneText(const QString &separator)
{
    QStringList fields;
    for (int n = 1; n <= ScoringKey::StatementCount; ++n)
        fields << QStringLiteral("coalesce(\"%1\", '')").arg(n);
    return fields.join(QStringLiteral(" || '%1' || ").arg(separator));
}
