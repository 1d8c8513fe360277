#pragma once

#include <QString>

class Cursor;
class QWidget;
class ReportLayout;
class ReportPreview;

// The three print actions. Each fills its report's captions, hands it its rows and opens the
// preview without waiting; it returns the preview, or nullptr when it showed a message instead
// (or the user cancelled reading a long list). Each names its report for saving: its Persian
// title, the clinic as author, and a file name of what it is and today's Solar Hijri date.

// Print selected subject: the result sheet of the subject scored last (scoredCode), read from the
// file now, so that the sheet can only ever show one subject. An empty code gets the notice to
// score first (2 seconds).
ReportPreview *PrintSelectedSubject(QWidget *owner, const QString &scoredCode,
                                    const QString &clinicName, const QString &clinicAddress);

// Print all subjects: the results list of allSubjects, read again from the file first, headed by
// the clinic's name and closed by its address.
ReportPreview *PrintAllSubjects(QWidget *owner, Cursor *allSubjects, const QString &clinicName,
                                const QString &clinicAddress);

// Print by group: the results list of the rows subjects holds under its present filter, exactly
// those its grid shows, read again with that filter (a filter that failed, the file held by
// another program, is tried again: a list whose rows cannot be read is a message, never an empty
// list). An empty group text gets the notice to choose a group.
ReportPreview *PrintByGroup(QWidget *owner, const QString &groupText, Cursor *subjects,
                            const QString &clinicName, const QString &clinicAddress);

// The group summary of the group named by groupText, or of every subject when it is empty. A group
// without a scored subject gets a message and no report.
ReportPreview *PrintGroupSummary(QWidget *owner, const QString &groupText,
                                 const QString &clinicName, const QString &clinicAddress);

// The group summary's report without its preview (for PrintGroupSummary and the benchmark): false
// with the problem when the rows could not be read, or with noneScored set when nobody is scored.
bool BuildGroupSummary(const QString &groupText, const QString &clinicName,
                       const QString &clinicAddress, ReportLayout *frozen, QString *problem,
                       bool *noneScored);
