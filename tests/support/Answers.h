#pragma once

#include "scoring/ScoringKey.h"

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
