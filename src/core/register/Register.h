#pragma once

#include "common/Result.h"
#include "data/SubjectRows.h"
#include "scoring/ScoringKey.h"

#include <QString>
#include <QStringList>

class Cursor;

// The register of subjects: every operation the windows make on it, each one transaction where it
// writes. The windows hold the cursors their boxes are bound to and hand them in; what the rows
// must hold together (two rows per subject, six scores, one code) is decided here, and nowhere
// else.
namespace Register {
// Registers the subject typed into the current row of subjects (a cursor over IDE, on a new row)
// with an answers row in answers (over Answer) under its code without the blanks around it: both
// rows or neither. Fails with Failure::DuplicateCode when the code is taken; the new details row
// then stays as typed, and the answers row is dropped, to be begun afresh at the next try.
Result RegisterSubject(Cursor &subjects, Cursor &answers, const QString &code);

// Finds a subject's two rows from a code as typed (the rule of SubjectRows) and filters each
// cursor given (details over IDE, answers over Answer) to its row, or to no row.
Result FindSubject(const QString &typedCode, SubjectRows *rows, Cursor *details, Cursor *answers);

// Stores what is unsaved in answers' current row (the subject's answers), only while details'
// current row, when it has one, is still the subject this program read: another program may
// have deleted the subject and registered someone new under the code.
Result StoreAnswers(Cursor &answers, Cursor &details);

// The six scores computed from the answers read, into the details row current in details.
Result StoreScores(Cursor &details, const ScoringKey::Scores &scores);

// Deletes the subject whose rows are current in details and answers (answers may hold none):
// both rows or neither.
Result DeleteSubject(Cursor &details, Cursor &answers);

// Every value a field of IDE holds, once each, without the empty ones, in Persian alphabetical
// order (see SortInPersianOrder). The values are exactly as stored: two spellings of one name
// (with ي or ی, with or without a blank) are two entries, as each finds its own rows.
Result ReadNameList(const QString &field, QStringList *names);

// The settings row (the one row of Theme), current in settings: the theme number chosen, stored
// alone (anything else typed in the row and not saved is dropped first); or the clinic's name and
// address typed into it.
Result StoreTheme(Cursor &settings, const QString &number);
Result StoreClinic(Cursor &settings);
} // namespace Register

// Persian alphabetical order (پ after ب, چ after ج, ژ after ز, گ after ک), Persian names before
// Latin ones, numbers in a name by their value ("2" before "10"). Texts the order holds equal
// (differing only in a zero-width non-joiner or a direction mark) keep one fixed order.
void SortInPersianOrder(QStringList &names);
