#include "reports/GroupSummaryReport.h"

#include "common/Text.h"
#include "reports/ReportsText.h"
#include "scoring/ScoringKey.h"

namespace {
const qreal Width = 190; // A4 portrait within its margins
const qreal HeaderHeight = 40;
const qreal CaptionHeight = 12;
const qreal LineHeight = 9;
const qreal FooterHeight = 18;

QVector<ReportTableColumn> Columns()
{
    return {{text("مقياس"), QStringLiteral("txtscale"), QStringLiteral("scale"), 56,
             Qt::AlignRight | Qt::AlignVCenter},
            {text("تعداد"), QStringLiteral("txtcount"), QStringLiteral("count"), 20},
            {text("ميانگين"), QStringLiteral("txtmean"), QStringLiteral("mean"), 24},
            {text("انحراف معيار"), QStringLiteral("txtdeviation"), QStringLiteral("deviation"), 26},
            {text("کمترين"), QStringLiteral("txtlowest"), QStringLiteral("lowest"), 21},
            {text("بيشترين"), QStringLiteral("txthighest"), QStringLiteral("highest"), 21},
            {text("بدون نمره"), QStringLiteral("txtunscored"), QStringLiteral("unscored"), 22}};
}
} // namespace

GroupSummaryReport::GroupSummaryReport()
    : ReportLayout(QStringLiteral("GroupSummary"), QPageLayout::Portrait, Width)
{
    const QString header = QStringLiteral("Section4"), pageHeader = QStringLiteral("Section2"),
                  detail = QStringLiteral("Section1"), footer = QStringLiteral("Section5");
    const QFont font = ReportFont(QStringLiteral("B Nazanin"), 9.75, true);

    band(header)->height = HeaderHeight;
    band(header)->background = QColor(0xC0, 0xC0, 0xC0);
    addLabel(header, QStringLiteral("Label9"), QRectF(0, 1.5, Width, 12), QStringLiteral(" "),
             ReportFont(QStringLiteral("B Titr"), 14.25, true));
    addLabel(header, QStringLiteral("Label3"), QRectF(0, 13, Width, 9), ReportsText::SummaryTitle(),
             ReportFont(QStringLiteral("B Nazanin"), 12, true));
    addLabel(header, QStringLiteral("Label4"), QRectF(0, 22, Width, 8), QString(), font);
    addLabel(header, QStringLiteral("Label5"), QRectF(0, 30, Width, 8), QString(), font);

    band(pageHeader)->background = QColor(0xE4, 0xE4, 0xE4);
    addTable(pageHeader, detail, Columns(), CaptionHeight, LineHeight, font);
    addAddressFooter(footer, FooterHeight, 48);
}

GroupSummaryReport &GroupSummaryReport::Report()
{
    // Never destroyed: it lives as long as the program.
    static GroupSummaryReport *report = new GroupSummaryReport;
    return *report;
}

void GroupSummaryReport::setSummary(const QString &group, const GroupStatistics::Summary &summary)
{
    using namespace GroupStatistics;
    const QString header = QStringLiteral("Section4");
    setCaption(header, QStringLiteral("Label4"),
               group.isEmpty() ? ReportsText::EverySubject() : ReportsText::GroupLine().arg(group));
    setCaption(header, QStringLiteral("Label5"),
               ReportsText::ScoredLine().arg(summary.scored) + QStringLiteral("      ") +
                   ReportsText::UnscoredLine().arg(summary.unscored));

    QStringList captions;
    for (const ScoringKey::Subscale &subscale : ScoringKey::Subscales())
        captions << subscale.listCaption;
    captions << ReportsText::TotalCaption();
    QVector<QStringList> rows;
    for (int i = 0; i < summary.scales.size(); ++i) {
        const Figures &f = summary.scales[i];
        rows.append({captions.value(i), QString::number(f.count), MeanText(f), DeviationText(f),
                     WholeText(f.lowest), WholeText(f.highest), QString::number(summary.unscored)});
    }
    QStringList fields;
    for (const ReportTableColumn &column : Columns())
        fields << column.field;
    setRows(fields, rows);
}
