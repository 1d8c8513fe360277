#pragma once

#include "reports/ReportLayout.h"
#include "scoring/GroupStatistics.h"

// The group summary: for a group (or every subject), how many are scored and, for each subscale
// and the total, mean, standard deviation, lowest and highest, with the results list's captions.
class GroupSummaryReport : public ReportLayout
{
public:
    GroupSummaryReport();

    // Created on first use and kept for the run.
    static GroupSummaryReport &Report();

    // Puts the figures in: the group line, the counts and one line per scale.
    void setSummary(const QString &group, const GroupStatistics::Summary &summary);
};
