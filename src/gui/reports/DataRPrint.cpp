#include "reports/DataRPrint.h"

#include "reports/ReportsText.h"
#include "scoring/ScoringKey.h"

namespace {
const qreal Width = 277; // A4 landscape within its margins
const qreal HeaderHeight = 24;
const qreal CaptionHeight = 17;
const qreal LineHeight = 7;
const qreal FooterHeight = 18;

QVector<ReportTableColumn> Columns()
{
    using namespace ReportsText;
    QVector<ReportTableColumn> columns{
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

    band(pageHeader)->background = QColor(0xE4, 0xE4, 0xE4); // light grey
    addTable(pageHeader, detail, Columns(), CaptionHeight, LineHeight, captionFont);
    addAddressFooter(footer, FooterHeight, 68);

    // DataReport_Initialize: the counter starts at 0 and myf formats the row column.
    setDataFormat(QStringLiteral("section1"), QStringLiteral("Text1"), myf);
}

DataRPrint &DataRPrint::Report()
{
    // Never destroyed: it lives as long as the program.
    static DataRPrint *report = new DataRPrint;
    return *report;
}
