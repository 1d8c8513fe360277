#pragma once

#include "reports/ReportLayout.h"

// The result sheet: one framed card per row of the data source (normally one subject), with the
// subject's details, the six scores each beside its caption, a profile chart of the five
// subscales and the clinic's address. Every slot is a label the caller fills.
class DataR1 : public ReportLayout
{
public:
    DataR1();

    // The program's one result sheet, created on first use and kept for the run.
    static DataR1 &Report();

    // The slot labels of the detail band that hold the five subscale scores, in the scoring key's
    // order, and the total's.
    static QStringList SubscaleSlots();
    static QString TotalSlot();
};
