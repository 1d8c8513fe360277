#pragma once

#include "common/Result.h"

#include <QSqlError>
#include <QString>

// Where a subject's two rows are: the details row in IDE and the answers row in Answer, found
// from a code as the examiner typed it. Every window that looks a subject up by code (the test
// window, scoring, the result sheet, the browser's deletion) finds them by this one rule:
//
// - a row whose code is exactly the typed code is the subject's; where neither table has one, a
//   row whose code is the typed code in other digits (Persian, Arabic-Indic or 0 to 9) is, if it
//   is the only such row of its table;
// - where one of the two rows is found and the other is not, the other is the one row of its
//   table whose code, without the blanks around it and in the digits 0 to 9, is the found row's,
//   provided no row of the found row's table has exactly that code (it would then be another
//   subject's partner).
//
// Registration keeps the blanks typed around a code in IDE and stores the code trimmed in Answer,
// so either spelling finds both rows; a typed code is otherwise never trimmed.
struct SubjectRows
{
    bool hasDetails = false;
    QString detailsCode; // IDE.Code exactly as stored
    bool hasAnswers = false;
    QString answersCode; // Answer.Code exactly as stored

    // Finds the rows for a typed code; fails when the file could not be read. A code no row has
    // leaves both parts missing.
    Result find(const QString &typedCode);

    // The code to filter each table's cursor by: the stored code found, or the typed code (which
    // then matches no row).
    QString detailsFilter() const { return hasDetails ? detailsCode : m_typed; }
    QString answersFilter() const { return hasAnswers ? answersCode : m_typed; }

private:
    bool findRows(const QString &typedCode, QSqlError *error);

    QString m_typed;
};
