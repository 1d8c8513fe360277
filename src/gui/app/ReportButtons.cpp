#include "app/ReportButtons.h"

#include "data/Cursor.h"
#include "records/FrmCode.h"
#include "reports/ReportActions.h"
#include "scoring/FrmkLID.h"

#include <QPushButton>

void ConnectReportButtons(FrmkLID *window)
{
    QObject::connect(window->Command6, &QPushButton::clicked, window, [window] {
        if (PrintSelectedSubject(window, window->scoredCode(), window->Text13, window->Text16))
            window->clearScoredCode(); // the same subject again needs a new scoring
    });
    QObject::connect(window->Command3, &QPushButton::clicked, window, [window] {
        PrintAllSubjects(window, window->Adodc6, window->Text13, window->Text16);
    });
}

void ConnectReportButtons(FrmCode *window)
{
    // The group lists carry the clinic's name too, as the list of all subjects does.
    auto clinicName = [window] { return window->Adodc1->field(QStringLiteral("Name")); };
    QObject::connect(window, &FrmCode::printByGroupRequested, window, [window, clinicName] {
        const QString group = window->groupText();
        PrintByGroup(window, group, window->subjects(), clinicName(), window->clinicAddress());
        if (!group.isEmpty())
            window->rereadDeletionCursor();
    });
    QObject::connect(window, &FrmCode::groupSummaryRequested, window, [window, clinicName] {
        PrintGroupSummary(window, window->groupText(), clinicName(), window->clinicAddress());
    });
}
