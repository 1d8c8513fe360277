#include "reports/GroupSummaryReport.h"

#include "reports/ReportsText.h"
#include "scoring/ScoringKey.h"

namespace {
const qreal Width = 190; // A4 portrait within its margins
const qreal HeaderHeight = 40;
const qreal CaptionHeight = 12;
const qreal LineHeight = 9;
const qreal FooterHeight = 18;

QString u(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

struct ColumnSpec
{
    QString caption;
    QString field;
    qreal width;
};

QVector<ColumnSpec> Columns()
{
    return {{u("مقياس"), QStringLiteral("scale"), 56},
            {u("تعداد"), QStringLiteral("count"), 20},
            {u("ميانگين"), QStringLiteral("mean"), 24},
            {u("انحراف معيار"), QStringLiteral("deviation"), 26},
            {u("کمترين"), QStringLiteral("lowest"), 21},
            {u("بيشترين"), QStringLiteral("highest"), 21},
            {u("بدون نمره"), QStringLiteral("unscored"), 22}};
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

    band(pageHeader)->height = CaptionHeight;
    band(pageHeader)->background = QColor(0xE4, 0xE4, 0xE4);
    band(detail)->height = LineHeight;
    QVector<Column> exported;
    qreal right = Width;
    int n = 0;
    for (const ColumnSpec &column : Columns()) {
        const qreal x = right - column.width;
        const QString head = QStringLiteral("Head%1").arg(++n);
        addLabel(pageHeader, head, QRectF(x, 0, column.width, CaptionHeight), column.caption, font)
            .wrap = true;
        ReportItem &box = addBox(detail, QStringLiteral("txt") + column.field,
                                 QRectF(x, 0, column.width, LineHeight), column.field, font);
        if (n == 1)
            box.align = Qt::AlignRight | Qt::AlignVCenter;
        addRule(pageHeader, QRectF(x, 0, 0, CaptionHeight));
        addRule(detail, QRectF(x, 0, 0, LineHeight));
        exported.append({head, QStringLiteral("txt") + column.field});
        right = x;
    }
    addRule(pageHeader, QRectF(Width, 0, 0, CaptionHeight));
    addRule(detail, QRectF(Width, 0, 0, LineHeight));
    addRule(pageHeader, QRectF(0, 0, Width, 0));
    addRule(pageHeader, QRectF(0, CaptionHeight, Width, 0));
    addRule(detail, QRectF(0, LineHeight, Width, 0));
    setColumns(exported);

    band(footer)->height = FooterHeight;
    const QFont footerFont = ReportFont(QStringLiteral("B Mitra"), 10, true);
    addLabel(footer, QStringLiteral("Label15"), QRectF(Width - 18, 3, 18, 12),
             ReportsText::AddressCaption(), footerFont, Qt::AlignRight | Qt::AlignVCenter);
    ReportItem &address =
        addLabel(footer, QStringLiteral("Label14"), QRectF(50, 3, Width - 18 - 50, 12), QString(),
                 footerFont, Qt::AlignRight | Qt::AlignVCenter);
    address.background = QColor(0xF5, 0xF5, 0xF5);
    address.wrap = true;
    addLabel(footer, QStringLiteral("Label16"), QRectF(0, 3, 48, 12), ReportsText::CreditLine(),
             ReportFont(QStringLiteral("B Mitra"), 8, false), Qt::AlignLeft | Qt::AlignVCenter);
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
    for (const ColumnSpec &column : Columns())
        fields << column.field;
    setRows(fields, rows);
}
