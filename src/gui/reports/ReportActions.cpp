#include "reports/ReportActions.h"

#include "common/Dialogs.h"
#include "data/Cursor.h"
#include "data/Database.h"
#include "data/SubjectRows.h"
#include "data/TableModel.h"
#include "register/Register.h"
#include "reports/DataR1.h"
#include "reports/DataRPrint.h"
#include "reports/GroupSummaryReport.h"
#include "reports/ReportPreview.h"
#include "reports/ReportProgress.h"
#include "reports/ReportsText.h"
#include "scoring/GroupStatistics.h"
#include "scoring/ScoringKey.h"

#include <QDate>

namespace {
const QString Header = QStringLiteral("Section4");
const QString Detail = QStringLiteral("Section1");
const QString Footer = QStringLiteral("Section5");
const int ScoreFirstMs = 2000;

void TellReadFailed(QWidget *owner, const QString &error)
{
    ShowMessage(owner, ReportsText::ReadFailed() + u'\n' + error, QString(), QMessageBox::Warning);
}

// The group a cursor of IDE holds, as a file name's part: "all" when it holds every subject.
QString ListedGroup(Cursor *subjects)
{
    TableModel *model = subjects->model();
    if (model->isFiltered() &&
        model->filterColumn() == subjects->fieldIndex(QStringLiteral("Group")))
        return ReportsText::GroupFilePart().arg(model->filterValue());
    return ReportsText::EveryoneFilePart();
}

ReportPreview *ShowList(QWidget *owner, Cursor *subjects, const QString &clinicName)
{
    DataRPrint &list = DataRPrint::Report();
    list.setDataSource(subjects);
    ReportLayout frozen = list;
    QString error;
    ReportProgress progress(owner, ReportsText::ReadingRows());
    const bool read = list.freeze(&frozen, &error, progress.callback());
    list.setDataSource(nullptr);
    if (!read) {
        if (!error.isEmpty()) // empty: the user cancelled
            TellReadFailed(owner, error);
        return nullptr;
    }
    const QString title = ReportsText::ListTitle().trimmed();
    frozen.setDocumentInfo(
        {title, clinicName,
         ReportFileName(ReportsText::ListFileName(), ListedGroup(subjects), QDate::currentDate())});
    return ReportPreview::Show(owner, frozen, title);
}
} // namespace

ReportPreview *PrintSelectedSubject(QWidget *owner, const QString &scoredCode,
                                    const QString &clinicName, const QString &clinicAddress)
{
    if (scoredCode.isEmpty()) {
        ShowTimedMessage(owner, ReportsText::ScoreFirst(), ScoreFirstMs);
        return nullptr;
    }
    // Found as every window finds a subject by code.
    SubjectRows rows;
    Cursor subject(QStringLiteral("IDE"));
    if (const Result read = Register::FindSubject(scoredCode, &rows, &subject, nullptr); !read) {
        TellReadFailed(owner, read.description());
        return nullptr;
    }
    if (subject.isEmpty()) {
        ShowTimedMessage(owner, ReportsText::NoSuchSubject());
        return nullptr;
    }

    DataR1 &sheet = DataR1::Report();
    sheet.setDataSource(&subject);
    const std::pair<const char *, QString> slotNames[] = {
        {"Label15", QStringLiteral("Code")},      {"Label16", QStringLiteral("Group")},
        {"Label19", QStringLiteral("Sen")},       {"Label20", QStringLiteral("Jens")},
        {"Label21", QStringLiteral("Taahol")},    {"Label22", QStringLiteral("Tahsil")},
        {"Label23", QStringLiteral("BPosetive")}, {"Label24", QStringLiteral("neyaz")},
        {"Label25", QStringLiteral("Conterlo")},  {"Label26", QStringLiteral("self")},
        {"Label27", QStringLiteral("Etminan")},   {"Label28", ScoringKey::TotalField()}};
    for (const auto &filled : slotNames)
        sheet.setCaption(Detail, QString::fromLatin1(filled.first), subject.field(filled.second));
    sheet.setCaption(Detail, QStringLiteral("Label29"), clinicAddress);

    ReportLayout frozen = sheet;
    QString error;
    const bool read = sheet.freeze(&frozen, &error);
    sheet.setDataSource(nullptr);
    if (!read) {
        TellReadFailed(owner, error);
        return nullptr;
    }
    frozen.setDocumentInfo(
        {ReportsText::SheetTitle(), clinicName,
         ReportFileName(ReportsText::SheetFileName(), scoredCode, QDate::currentDate())});
    return ReportPreview::Show(owner, frozen, ReportsText::SheetTitle());
}

ReportPreview *PrintAllSubjects(QWidget *owner, Cursor *allSubjects, const QString &clinicName,
                                const QString &clinicAddress)
{
    DataRPrint &list = DataRPrint::Report();
    list.setCaption(Header, QStringLiteral("Label9"), clinicName);
    list.setCaption(Footer, QStringLiteral("Label14"), clinicAddress);
    // The window's cursor may hold rows read before their scores were stored.
    if (!allSubjects->refresh()) {
        TellReadFailed(owner, allSubjects->lastError().description());
        return nullptr;
    }
    return ShowList(owner, allSubjects, clinicName);
}

ReportPreview *PrintByGroup(QWidget *owner, const QString &groupText, Cursor *subjects,
                            const QString &clinicName, const QString &clinicAddress)
{
    if (groupText.isEmpty()) {
        ShowTimedMessage(owner, ReportsText::ChooseGroup());
        return nullptr;
    }
    DataRPrint &list = DataRPrint::Report();
    // The group's list is headed by the clinic's name too, like the list of all subjects.
    list.setCaption(Header, QStringLiteral("Label9"), clinicName);
    list.setCaption(Footer, QStringLiteral("Label14"), clinicAddress);
    // The grid's own filter again: one that failed left the grid, and the cursor, empty.
    if (!subjects->refresh()) {
        TellReadFailed(owner, subjects->lastError().description());
        return nullptr;
    }
    return ShowList(owner, subjects, clinicName);
}

bool BuildGroupSummary(const QString &groupText, const QString &clinicName,
                       const QString &clinicAddress, ReportLayout *frozen, QString *problem,
                       bool *noneScored)
{
    *noneScored = false;
    Cursor subjects(QStringLiteral("IDE"));
    if (!subjects.open() ||
        (!groupText.isEmpty() && !subjects.filter(QStringLiteral("Group"), groupText))) {
        *problem = subjects.lastError().description();
        return false;
    }
    // The six scores of every subject, in the cursor's order.
    const QStringList fields = GroupStatistics::ScoreFields();
    TableModel *model = subjects.model();
    QVector<int> columns;
    for (const QString &field : fields)
        columns << model->fieldIndex(field);
    const int expected = subjects.count();
    QVector<QStringList> rows;
    rows.reserve(qMax(expected, 0));
    for (int row = model->rowAt(0); row >= 0; row = model->nextRow(row)) {
        QStringList scores;
        for (const int column : std::as_const(columns))
            scores << model->data(model->index(row, column)).toString();
        rows << scores;
    }
    if (expected < 0 || rows.size() != expected) {
        *problem = model->lastError().description();
        return false;
    }

    const GroupStatistics::Summary summary = GroupStatistics::Summarise(rows);
    if (summary.scored == 0) {
        *noneScored = true;
        *problem = groupText.isEmpty() ? ReportsText::NoneScored()
                                       : ReportsText::NoneScoredInGroup().arg(groupText);
        return false;
    }
    GroupSummaryReport &report = GroupSummaryReport::Report();
    report.setCaption(Header, QStringLiteral("Label9"), clinicName);
    report.setCaption(Footer, QStringLiteral("Label14"), clinicAddress);
    report.setSummary(groupText, summary);
    return report.freeze(frozen, problem);
}

ReportPreview *PrintGroupSummary(QWidget *owner, const QString &groupText,
                                 const QString &clinicName, const QString &clinicAddress)
{
    ReportLayout frozen = GroupSummaryReport::Report();
    QString problem;
    bool noneScored = false;
    if (!BuildGroupSummary(groupText, clinicName, clinicAddress, &frozen, &problem, &noneScored)) {
        if (noneScored)
            ShowMessage(owner, problem, QString(), QMessageBox::Information);
        else
            TellReadFailed(owner, problem);
        return nullptr;
    }
    frozen.setDocumentInfo(
        {ReportsText::SummaryTitle(), clinicName,
         ReportFileName(ReportsText::SummaryFileName(),
                        groupText.isEmpty() ? ReportsText::EveryoneFilePart()
                                            : ReportsText::GroupFilePart().arg(groupText),
                        QDate::currentDate())});
    return ReportPreview::Show(owner, frozen, ReportsText::SummaryTitle());
}
