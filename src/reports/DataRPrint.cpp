#include "reports/DataRPrint.h"

#include "reports/ReportsText.h"
#include "scoring/ScoringKey.h"

namespace {
const qreal Width = 277; // A4 landscape within its margins
const qreal HeaderHeight = 24;
const qreal CaptionHeight = 17;
const qreal LineHeight = 7;
const qreal FooterHeight = 18;

struct ColumnSpec
{
    QString caption;
    QString box;
    QString field;
    qreal width;
};

QVector<ColumnSpec> Columns()
{
    using namespace ReportsText;
    QVector<ColumnSpec> columns{
        {RowCaption(), QStringLiteral("Text1"), QStringLiteral("Code"), 11},
        {CodeCaption(), QStringLiteral("txtCode"), QStringLiteral("Code"), 27},
        {GroupCaption(), QStringLiteral("txtGroup1"), QStringLiteral("Group"), 13},
        {AgeCaption(), QStringLiteral("txtScore"), QStringLiteral("Sen"), 12},
        {GenderCaption(), QStringLiteral("Text6"), QStringLiteral("Jens"), 14},
        {MaritalCaption(), QStringLiteral("Text5"), QStringLiteral("Taahol"), 16},
        {EducationCaption(), QStringLiteral("Text4"), QStringLiteral("Tahsil"), 26},
        {TotalCaption(), QStringLiteral("Text2"), ScoringKey::TotalField(), 13},
    };
    // The five subscales in the scoring key's order, with the list's captions; the longer
    // captions get the wider columns.
    const qreal widths[] = {28, 28, 30, 34, 25};
    int i = 0;
    for (const ScoringKey::Subscale &subscale : ScoringKey::Subscales())
        columns.append({subscale.listCaption, QStringLiteral("txt") + subscale.field,
                        subscale.field, widths[i++]});
    return columns;
}
} // namespace

DataRPrint::DataRPrint()
    : ReportLayout(QStringLiteral("DataRPrint"), QPageLayout::Landscape, Width),
      myf(std::make_shared<RowCounter>())
{
    const QString header = QStringLiteral("Section4"), pageHeader = QStringLiteral("Section2"),
                  detail = QStringLiteral("Section1"), footer = QStringLiteral("Section5");
    const QFont captionFont = ReportFont(QStringLiteral("B Nazanin"), 9.75, true);

    band(header)->height = HeaderHeight;
    band(header)->background = QColor(0xC0, 0xC0, 0xC0); // silver
    addLabel(header, QStringLiteral("Label9"), QRectF(0, 1.5, Width, 12), QStringLiteral(" "),
             ReportFont(QStringLiteral("B Titr"), 14.25, true));
    addLabel(header, QStringLiteral("Label3"), QRectF(0, 13, Width, 10), ReportsText::ListTitle(),
             ReportFont(QStringLiteral("B Nazanin"), 12, true));

    band(pageHeader)->height = CaptionHeight;
    band(pageHeader)->background = QColor(0xE4, 0xE4, 0xE4); // light grey
    band(detail)->height = LineHeight;

    // Columns from the right edge leftwards, each closed by a rule on its left.
    QVector<Column> exported;
    qreal right = Width;
    int n = 0;
    for (const ColumnSpec &column : Columns()) {
        const qreal x = right - column.width;
        const QString head = QStringLiteral("Head%1").arg(++n);
        ReportItem &caption = addLabel(pageHeader, head, QRectF(x, 0, column.width, CaptionHeight),
                                       column.caption, captionFont);
        caption.wrap = true;
        addBox(detail, column.box, QRectF(x, 0, column.width, LineHeight), column.field,
               captionFont);
        addRule(pageHeader, QRectF(x, 0, 0, CaptionHeight));
        addRule(detail, QRectF(x, 0, 0, LineHeight));
        exported.append({head, column.box});
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
        addLabel(footer, QStringLiteral("Label14"), QRectF(72, 3, Width - 18 - 72, 12), QString(),
                 footerFont, Qt::AlignRight | Qt::AlignVCenter);
    address.background = QColor(0xF5, 0xF5, 0xF5); // very light grey
    address.wrap = true;
    addLabel(footer, QStringLiteral("Label16"), QRectF(0, 3, 68, 12), ReportsText::CreditLine(),
             ReportFont(QStringLiteral("B Mitra"), 8, false), Qt::AlignLeft | Qt::AlignVCenter);

    // DataReport_Initialize: the counter starts at 0 and myf formats the row column.
    setDataFormat(QStringLiteral("section1"), QStringLiteral("Text1"), myf);
}

DataRPrint &DataRPrint::Report()
{
    // Never destroyed: it lives as long as the program.
    static DataRPrint *report = new DataRPrint;
    return *report;
}
