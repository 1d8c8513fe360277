#include "reports/ReportLayout.h"

#include "data/Cursor.h"
#include "data/Database.h"
#include "data/TableModel.h"
#include "reports/ReportsText.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextOption>

#include <optional>

namespace {
const qreal MarginMm = 10;
// The strip at the foot of every page that carries its number.
const qreal NumberStripMm = 7;
const qreal MmPerInch = 25.4;

QString PageNumberText(int page, int pages)
{
    return QString::fromUtf8("صفحه %1 از %2").arg(page).arg(pages);
}

// A spreadsheet takes a cell that starts with one of these for a formula (a code typed as
// "=HYPERLINK(...)" would run): such a cell is written with a leading apostrophe, which the
// spreadsheet shows as text. A cell that is a plain number, negative too (an age typed as -5),
// is no formula and stays a number.
QString GuardFormula(const QString &text)
{
    static const QString triggers = QStringLiteral("=+-@\t\r");
    static const QRegularExpression number(QStringLiteral("^[-+]?[0-9]+(\\.[0-9]+)?$"));
    if (text.isEmpty() || !triggers.contains(text.front()) || number.match(text).hasMatch())
        return text;
    return u'\'' + text;
}

QString CsvField(const QString &cell)
{
    static const QString special = QStringLiteral(",\"\r\n");
    const QString text = GuardFormula(cell);
    bool quote = text.startsWith(u' ') || text.endsWith(u' ');
    for (const QChar c : text)
        quote = quote || special.contains(c);
    if (!quote)
        return text;
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

bool WriteWhole(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
} // namespace

QFont ReportFont(const QString &named, qreal points, bool bold)
{
    // Installed faces close to each named one: a naskh for body text, a heavy display face for
    // titles, a plain sans for "Arabic Transparent". Glyphs a face lacks (Latin digits) come from
    // the next one.
    QStringList families{named};
    if (named == QStringLiteral("B Titr"))
        families << QStringLiteral("Titr") << QStringLiteral("Noto Kufi Arabic");
    else if (named == QStringLiteral("Arabic Transparent"))
        families << QStringLiteral("Noto Sans Arabic") << QStringLiteral("Homa");
    else
        families << QStringLiteral("Nazli") << QStringLiteral("Noto Naskh Arabic");
    families << QStringLiteral("Noto Sans Arabic") << QStringLiteral("DejaVu Sans");
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

ReportLayout::ReportLayout(const QString &name, QPageLayout::Orientation orientation,
                           qreal designWidth)
    : m_name(name), m_orientation(orientation), m_designWidth(designWidth)
{
    for (const QString &band : BandNames())
        m_bands.append(ReportBand{band, 0, QColor(), {}});
}

QStringList ReportLayout::BandNames()
{
    return {QStringLiteral("Section4"), QStringLiteral("Section2"), QStringLiteral("Section1"),
            QStringLiteral("Section3"), QStringLiteral("Section5")};
}

QPageLayout ReportLayout::pageLayout() const
{
    return QPageLayout(QPageSize(QPageSize::A4), m_orientation,
                       QMarginsF(MarginMm, MarginMm, MarginMm, MarginMm), QPageLayout::Millimeter);
}

ReportBand *ReportLayout::band(const QString &name)
{
    for (ReportBand &band : m_bands)
        if (band.name.compare(name, Qt::CaseInsensitive) == 0)
            return &band;
    return nullptr;
}

const ReportBand *ReportLayout::band(const QString &name) const
{
    for (const ReportBand &band : m_bands)
        if (band.name.compare(name, Qt::CaseInsensitive) == 0)
            return &band;
    return nullptr;
}

const ReportItem *ReportLayout::item(const QString &bandName, const QString &name) const
{
    if (const ReportBand *b = band(bandName))
        for (const ReportItem &item : b->items)
            if (!name.isEmpty() && item.name == name)
                return &item;
    return nullptr;
}

bool ReportLayout::setCaption(const QString &bandName, const QString &label, const QString &text)
{
    // Through the non-const band: copies of this layout (previews) keep their own captions.
    if (ReportBand *b = band(bandName))
        for (ReportItem &item : b->items)
            if (item.kind == ReportItem::Label && !label.isEmpty() && item.name == label) {
                item.text = text;
                return true;
            }
    return false;
}

QString ReportLayout::caption(const QString &bandName, const QString &label) const
{
    const ReportItem *found = item(bandName, label);
    return found && found->kind == ReportItem::Label ? found->text : QString();
}

bool ReportLayout::setDataFormat(const QString &bandName, const QString &box,
                                 std::shared_ptr<DataFormat> format)
{
    const ReportItem *found = item(bandName, box);
    if (!found || found->kind != ReportItem::Box || !format)
        return false;
    for (auto &attached : m_formats)
        if (attached.first == box) {
            attached.second = std::move(format);
            return true;
        }
    m_formats.append({box, std::move(format)});
    return true;
}

ReportItem &ReportLayout::addLabel(const QString &bandName, const QString &name, const QRectF &rect,
                                   const QString &text, const QFont &font, Qt::Alignment align)
{
    ReportItem item;
    item.kind = ReportItem::Label;
    item.name = name;
    item.rect = rect;
    item.text = text;
    item.font = font;
    item.align = align;
    band(bandName)->items.append(item);
    return band(bandName)->items.last();
}

ReportItem &ReportLayout::addBox(const QString &bandName, const QString &name, const QRectF &rect,
                                 const QString &field, const QFont &font)
{
    ReportItem item;
    item.kind = ReportItem::Box;
    item.name = name;
    item.rect = rect;
    item.field = field;
    item.font = font;
    band(bandName)->items.append(item);
    return band(bandName)->items.last();
}

void ReportLayout::addRule(const QString &bandName, const QRectF &rect, qreal width)
{
    ReportItem item;
    item.kind = ReportItem::Rule;
    item.rect = rect;
    item.lineWidth = width;
    band(bandName)->items.append(item);
}

void ReportLayout::addPicture(const QString &bandName, const QRectF &rect,
                              const ReportPainter &paint)
{
    ReportItem item;
    item.kind = ReportItem::Picture;
    item.rect = rect;
    item.paint = paint;
    band(bandName)->items.append(item);
}

bool ReportLayout::freeze(ReportLayout *frozen, QString *error) const
{
    *frozen = *this;
    if (!m_source)
        return true; // the rows set, if any
    frozen->m_source = nullptr;
    frozen->m_fields.clear();
    frozen->m_rows.clear();
    for (const ReportBand &b : m_bands)
        for (const ReportItem &item : b.items)
            if (item.kind == ReportItem::Box && !frozen->m_fields.contains(item.field))
                frozen->m_fields.append(item.field);
    TableModel *model = m_source->model();
    const int expected = m_source->count();
    QVector<int> columns;
    for (const QString &field : std::as_const(frozen->m_fields))
        columns.append(model->fieldIndex(field));
    if (expected >= 0) {
        frozen->m_rows.reserve(expected);
        for (int row = model->rowAt(0); row >= 0; row = model->nextRow(row)) {
            QStringList values;
            values.reserve(columns.size());
            for (const int column : std::as_const(columns))
                values.append(column < 0 ? QString()
                                         : model->data(model->index(row, column)).toString());
            frozen->m_rows.append(values);
        }
    }
    // A list that silently lacks rows would pass for the whole list.
    if (expected < 0 || frozen->m_rows.size() != expected) {
        if (error)
            *error = DescribeReadFailure(model->lastError());
        frozen->m_rows.clear();
        return false;
    }
    return true;
}

QString ReportLayout::value(int row, const QString &field) const
{
    const int column = m_fields.indexOf(field);
    if (row < 0 || row >= m_rows.size() || column < 0)
        return QString();
    return m_rows.at(row).at(column);
}

void ReportLayout::resetFormats() const
{
    for (const auto &attached : m_formats)
        attached.second->reset();
}

QString ReportLayout::shown(const ReportItem &item, int row) const
{
    const QString value = this->value(row, item.field);
    for (const auto &attached : m_formats)
        if (attached.first == item.name)
            return attached.second->format(value);
    return value;
}

// One walk through the pages: counting only (no painter), or drawing.
struct ReportLayout::Pass
{
    QPainter *painter = nullptr;
    QPagedPaintDevice *device = nullptr;
    qreal pageHeight = 0; // design millimetres
    qreal scale = 1;      // page millimetres per design millimetre
    qreal unit = 1;       // device units per design millimetre
    qreal left = 0;       // device units
    int pages = 0;        // when drawing: the total, for the page numbers
    int page = 1;
    qreal y = 0; // design millimetres from the top of the page's printable area
    // Per band and item: the font at the page's scale, and the column of a box's field.
    QVector<QVector<QFont>> fonts;
    QVector<QVector<int>> columns;
    QVector<QVector<DataFormat *>> formats;
    QVector<QVector<QFontMetricsF>> metrics;
};

int ReportLayout::run(Pass &pass) const
{
    const int header = 0, pageHeader = 1, detail = 2, pageFooter = 3, footer = 4;
    const qreal bottom = pass.pageHeight - NumberStripMm / pass.scale - m_bands[pageFooter].height;

    auto draw = [&](int b, int row) {
        const ReportBand &band = m_bands[b];
        QPainter *p = pass.painter;
        if (p && band.height > 0) {
            const qreal u = pass.unit;
            const qreal top = pass.y * u;
            if (band.background.isValid())
                p->fillRect(QRectF(pass.left, top, m_designWidth * u, band.height * u),
                            band.background);
            for (int i = 0; i < band.items.size(); ++i) {
                const ReportItem &item = band.items[i];
                const QRectF r(pass.left + item.rect.x() * u, top + item.rect.y() * u,
                               item.rect.width() * u, item.rect.height() * u);
                switch (item.kind) {
                case ReportItem::Fill:
                    p->fillRect(r, item.background);
                    break;
                case ReportItem::Rule:
                    p->setPen(QPen(item.color, item.lineWidth * u));
                    if (item.rect.width() > 0)
                        p->drawLine(r.topLeft(), r.topRight());
                    else
                        p->drawLine(r.topLeft(), r.bottomLeft());
                    break;
                case ReportItem::Picture:
                    if (item.paint) {
                        p->save();
                        item.paint(*p, r, u, *this);
                        p->restore();
                    }
                    break;
                case ReportItem::Label:
                case ReportItem::Box: {
                    if (item.background.isValid())
                        p->fillRect(r, item.background);
                    QString text = item.text;
                    if (item.kind == ReportItem::Box) {
                        const int column = pass.columns[b][i];
                        text = column < 0 ? QString() : m_rows[row][column];
                        if (DataFormat *format = pass.formats[b][i])
                            text = format->format(text);
                    }
                    if (text.isEmpty())
                        break;
                    const QFont &font = pass.fonts[b][i];
                    p->setFont(font);
                    p->setPen(item.color);
                    // A little air at the sides, so that text never touches a rule.
                    const QRectF inner = r.adjusted(0.8 * u, 0, -0.8 * u, 0);
                    QTextOption option(item.align | Qt::AlignAbsolute);
                    // Labels are Persian; stored values read in their own direction.
                    option.setTextDirection(
                        item.kind == ReportItem::Label ? Qt::RightToLeft : Qt::LayoutDirectionAuto);
                    if (item.wrap) {
                        // Lines beyond the label's height would run into what lies below.
                        p->setClipRect(r);
                        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
                    } else {
                        option.setWrapMode(QTextOption::NoWrap);
                        const QFontMetricsF &metrics = pass.metrics[b][i];
                        if (metrics.horizontalAdvance(text) > inner.width())
                            text = metrics.elidedText(text, Qt::ElideRight, inner.width());
                    }
                    p->drawText(inner, text, option);
                    if (item.wrap)
                        p->setClipping(false);
                    break;
                }
                }
            }
        }
        pass.y += band.height;
    };
    auto endPage = [&] {
        if (QPainter *p = pass.painter) {
            pass.y = bottom;
            draw(pageFooter, -1);
            QFont font = ReportFont(QStringLiteral("B Nazanin"), 8 * pass.scale, false);
            p->setFont(font);
            p->setPen(Qt::black);
            const qreal u = pass.unit;
            const QRectF strip(pass.left, (pass.pageHeight - NumberStripMm / pass.scale) * u,
                               m_designWidth * u, NumberStripMm / pass.scale * u);
            QTextOption option(Qt::AlignCenter | Qt::AlignAbsolute);
            option.setTextDirection(Qt::RightToLeft);
            p->drawText(strip, PageNumberText(pass.page, pass.pages), option);
        }
    };
    auto newPage = [&] {
        endPage();
        if (pass.painter)
            pass.device->newPage();
        ++pass.page;
        pass.y = 0;
        draw(pageHeader, -1);
    };

    pass.page = 1;
    pass.y = 0;
    draw(header, -1);
    draw(pageHeader, -1);
    qreal pageTop = pass.y; // where this page's detail lines begin
    for (int row = 0; row < m_rows.size(); ++row) {
        // A line that does not fit goes whole to the next page; a page takes at least one.
        if (pass.y + m_bands[detail].height > bottom && pass.y > pageTop) {
            newPage();
            pageTop = pass.y;
        }
        draw(detail, row);
    }
    if (pass.y + m_bands[footer].height > bottom && pass.y > pageTop)
        newPage();
    draw(footer, -1);
    endPage();
    return pass.page;
}

int ReportLayout::pageCount() const
{
    Pass pass;
    const QRectF area = pageLayout().paintRect(QPageLayout::Millimeter);
    pass.scale = qMin<qreal>(1, area.width() / m_designWidth);
    pass.pageHeight = area.height() / pass.scale;
    return run(pass);
}

int ReportLayout::render(QPagedPaintDevice *device) const
{
    Pass pass;
    const QRectF area = device->pageLayout().paintRect(QPageLayout::Millimeter);
    pass.scale = qMin<qreal>(1, area.width() / m_designWidth);
    pass.pageHeight = area.height() / pass.scale;
    pass.pages = run(pass);

    QPainter painter;
    if (!painter.begin(device))
        return 0;
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal perMm = device->logicalDpiX() / MmPerInch;
    pass.painter = &painter;
    pass.device = device;
    pass.unit = perMm * pass.scale;
    pass.left = (area.width() - m_designWidth * pass.scale) / 2 * perMm;
    for (const ReportBand &band : m_bands) {
        QVector<QFont> fonts;
        QVector<int> columns;
        QVector<DataFormat *> formats;
        QVector<QFontMetricsF> metrics;
        for (const ReportItem &item : band.items) {
            QFont font = item.font;
            font.setPointSizeF(font.pointSizeF() * pass.scale);
            fonts.append(font);
            metrics.append(QFontMetricsF(font, device));
            columns.append(item.kind == ReportItem::Box ? m_fields.indexOf(item.field) : -1);
            DataFormat *format = nullptr;
            if (item.kind == ReportItem::Box)
                for (const auto &attached : m_formats)
                    if (attached.first == item.name)
                        format = attached.second.get();
            formats.append(format);
        }
        pass.fonts.append(fonts);
        pass.columns.append(columns);
        pass.formats.append(formats);
        pass.metrics.append(metrics);
    }
    resetFormats();
    const int pages = run(pass);
    painter.end();
    return pages;
}

bool ReportLayout::writePdf(const QString &path, QString *error) const
{
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(600);
        writer.setPageLayout(pageLayout());
        writer.setCreator(QStringLiteral("Korvat"));
        writer.setTitle(m_name);
        if (render(&writer) < 1) {
            if (error)
                *error = QString::fromUtf8("گزارش ساخته نشد");
            return false;
        }
    }
    return WriteWhole(path, bytes, error);
}

QVector<QStringList> ReportLayout::table() const
{
    QVector<QStringList> lines;
    QStringList headers;
    QVector<const ReportItem *> boxes;
    for (const Column &column : m_columns) {
        headers.append(caption(QStringLiteral("Section2"), column.header));
        boxes.append(item(QStringLiteral("Section1"), column.box));
    }
    lines.append(headers);
    resetFormats();
    for (int row = 0; row < m_rows.size(); ++row) {
        QStringList line;
        for (const ReportItem *box : std::as_const(boxes))
            line.append(box ? shown(*box, row) : QString());
        lines.append(line);
    }
    return lines;
}

QByteArray ReportLayout::csv() const
{
    QString text;
    for (const QStringList &line : table()) {
        QStringList fields;
        for (const QString &field : line)
            fields.append(CsvField(field));
        text += fields.join(u',') + QStringLiteral("\r\n");
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

bool ReportLayout::writeCsv(const QString &path, QString *error) const
{
    return WriteWhole(path, csv(), error);
}

void ReportLayout::addTable(const QString &pageHeader, const QString &detail,
                            const QVector<ReportTableColumn> &columns, qreal captionHeight,
                            qreal lineHeight, const QFont &font)
{
    band(pageHeader)->height = captionHeight;
    band(detail)->height = lineHeight;
    QVector<Column> exported;
    qreal right = m_designWidth;
    int n = 0;
    // Each column is closed by a rule on its left.
    for (const ReportTableColumn &column : columns) {
        const qreal x = right - column.width;
        const QString head = QStringLiteral("Head%1").arg(++n);
        addLabel(pageHeader, head, QRectF(x, 0, column.width, captionHeight), column.caption, font)
            .wrap = true;
        addBox(detail, column.box, QRectF(x, 0, column.width, lineHeight), column.field, font)
            .align = column.align;
        addRule(pageHeader, QRectF(x, 0, 0, captionHeight));
        addRule(detail, QRectF(x, 0, 0, lineHeight));
        exported.append({head, column.box});
        right = x;
    }
    addRule(pageHeader, QRectF(m_designWidth, 0, 0, captionHeight));
    addRule(detail, QRectF(m_designWidth, 0, 0, lineHeight));
    addRule(pageHeader, QRectF(0, 0, m_designWidth, 0));
    addRule(pageHeader, QRectF(0, captionHeight, m_designWidth, 0));
    addRule(detail, QRectF(0, lineHeight, m_designWidth, 0));
    setColumns(exported);
}

void ReportLayout::addAddressFooter(const QString &footer, qreal height, qreal creditWidth)
{
    band(footer)->height = height;
    const qreal width = m_designWidth;
    const QFont font = ReportFont(QStringLiteral("B Mitra"), 10, true);
    addLabel(footer, QStringLiteral("Label15"), QRectF(width - 18, 3, 18, 12),
             ReportsText::AddressCaption(), font, Qt::AlignRight | Qt::AlignVCenter);
    const qreal left = creditWidth + 4;
    ReportItem &address =
        addLabel(footer, QStringLiteral("Label14"), QRectF(left, 3, width - 18 - left, 12),
                 QString(), font, Qt::AlignRight | Qt::AlignVCenter);
    address.background = QColor(0xF5, 0xF5, 0xF5); // very light grey
    address.wrap = true;
    addLabel(footer, QStringLiteral("Label16"), QRectF(0, 3, creditWidth, 12),
             ReportsText::CreditLine(), ReportFont(QStringLiteral("B Mitra"), 8, false),
             Qt::AlignLeft | Qt::AlignVCenter);
}
