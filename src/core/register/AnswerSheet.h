#pragma once

#include <QString>
#include <QStringList>

class Cursor;

// A subject's answers as the test window sees them: the fields 1 to 56 of the current row of a
// cursor over Answer, answers[i] holding statement i + 1.
QStringList AnswersOf(const Cursor &answers);

// How many of the 56 statements have an answer (a field that is not empty).
int AnsweredCount(const QStringList &answers);

// The first statement without an answer after current, going round from 56 to 1 and ending with
// current itself; 0 when every statement has an answer.
int NextUnanswered(const QStringList &answers, int current);
