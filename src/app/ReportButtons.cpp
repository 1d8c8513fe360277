#include "app/ReportButtons.h"

#include "reports/ReportActions.h"
#include "scoring/FrmkLID.h"

#include <QPushButton>

void ConnectReportButtons(FrmkLID *window)
{
    QObject::connect(window->Command6, &QPushButton::clicked, window, [window] {
        if (PrintSelectedSubject(window, window->scoredCode(), window->Text16))
            window->clearScoredCode(); // the same subject again needs a new scoring
    });
    QObject::connect(window->Command3, &QPushButton::clicked, window, [window] {
        PrintAllSubjects(window, window->Adodc6, window->Text13, window->Text16);
    });
}
