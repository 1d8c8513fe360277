#include "reports/ReportLayout.h"

#include "common/SolarHijriDate.h"
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

#include <limits>
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

// A file name's part made safe on every system: no separators, no characters Windows refuses, no
// control or direction marks, no blanks or dots at its ends, and not endless.
QString SafeFileNamePart(const QString &text)
{
    static const QString refused = QStringLiteral("/\\:*?\"<>|");
    const int most = 60;
    QString safe;
    int kept = 0;
    for (const char32_t c : text.toUcs4()) {
        if (kept == most)
            break;
        if ((c >= 0x200E && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) ||
            (c >= 0x2066 && c <= 0x2069) || c == 0xFEFF)
            continue;
        const bool bad = c < 0x20 || (c >= 0x7F && c < 0xA0) || (c >= 0xD800 && c < 0xE000) ||
                         c > 0x10FFFF || (c < 0x80 && refused.contains(QChar(c)));
        safe += bad ? QStringLiteral("_") : QString::fromUcs4(&c, 1);
        ++kept;
    }
    safe = safe.simplified();
    while (!safe.isEmpty() && (safe.front() == u'.' || safe.front() == u' '))
        safe.remove(0, 1);
    while (!safe.isEmpty() && (safe.back() == u'.' || safe.back() == u' '))
        safe.chop(1);
    return safe.isEmpty() ? QStringLiteral("_") : safe;
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
// Names the author in a PDF as Qt 6.4's writer leaves it (it names none): in the document
// information and, alike, in the XMP metadata that PDF/A asks for. Both stand at the head of the
// file; what follows them moves down, and the cross-reference table is set to match. A file of
// another shape is left as it is.
void AddPdfAuthor(QByteArray *pdf, const QString &author)
{
    if (author.isEmpty())
        return;
    const qsizetype info = pdf->indexOf("\n/Creator (");
    const qsizetype metadata = pdf->indexOf("/Subtype /XML\n/Length ");
    const qsizetype title = pdf->indexOf("</dc:title>");
    const qsizetype table = pdf->lastIndexOf("\nxref\n0 ");
    const qsizetype start = pdf->lastIndexOf("\nstartxref\n");
    if (info < 0 || metadata < info || title < metadata || table < title || start < table)
        return;
    const qsizetype lengthAt = metadata + qsizetype(qstrlen("/Subtype /XML\n/Length "));
    const qsizetype lengthEnd = pdf->indexOf('\n', lengthAt);
    bool isNumber = false;
    const qsizetype length =
        pdf->mid(lengthAt, lengthEnd - lengthAt).trimmed().toLongLong(&isNumber);
    if (!isNumber)
        return;

    QByteArray utf16("FEFF");
    for (const QChar c : author)
        utf16 += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
    const QByteArray infoText = "\n/Author <" + utf16 + '>';
    const QByteArray xmpText = "\n      <dc:creator>\n        <rdf:Seq>\n          <rdf:li>" +
                               author.toHtmlEscaped().toUtf8() +
                               "</rdf:li>\n        </rdf:Seq>\n      </dc:creator>";
    const qsizetype titleEnd = title + qsizetype(qstrlen("</dc:title>"));
    const QByteArray newLength = QByteArray::number(length + xmpText.size());
    // Each change: where it stands in the file as written, and how many bytes it adds.
    const std::pair<qsizetype, qsizetype> moves[] = {
        {info, infoText.size()},
        {lengthAt, newLength.size() - (lengthEnd - lengthAt)},
        {titleEnd, xmpText.size()}};
    auto moved = [&moves](qsizetype offset) {
        qsizetype to = offset;
        for (const auto &move : moves)
            if (move.first < offset)
                to += move.second;
        return to;
    };
    pdf->insert(titleEnd, xmpText);
    pdf->replace(lengthAt, lengthEnd - lengthAt, newLength);
    pdf->insert(info, infoText);

    // The table: "xref", "0 n", then n entries of 20 bytes, each offset in its first 10.
    qsizetype at = moved(table) + 1 + qsizetype(qstrlen("xref\n"));
    const qsizetype countEnd = pdf->indexOf('\n', at);
    const int entries = pdf->mid(at + 2, countEnd - at - 2).trimmed().toInt();
    at = countEnd + 1;
    for (int i = 0; i < entries && at + 20 <= pdf->size(); ++i, at += 20) {
        if (pdf->at(at + 17) != 'n')
            continue;
        const qsizetype offset = pdf->mid(at, 10).toLongLong();
        pdf->replace(at, 10, QByteArray::number(moved(offset)).rightJustified(10, '0'));
    }
    const qsizetype startAt = moved(start) + qsizetype(qstrlen("\nstartxref\n"));
    const qsizetype startEnd = pdf->indexOf('\n', startAt);
    pdf->replace(startAt, startEnd - startAt, QByteArray::number(moved(table + 1)) + ' ');
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

void ReportLayout::setRows(const QStringList &fields, const QVector<QStringList> &rows)
{
    m_source = nullptr;
    m_fields = fields;
    clearRows();
    for (const QStringList &row : rows)
        appendRow(row);
}

void ReportLayout::clearRows()
{
    m_rowCount = 0;
    m_cells.clear();
    m_cellEnds.clear();
    m_cells.squeeze();
    m_cellEnds.squeeze();
}

void ReportLayout::appendRow(const QStringList &values)
{
    for (int i = 0; i < m_fields.size(); ++i) {
        m_cells += values.value(i);
        m_cellEnds.append(int(m_cells.size()));
    }
    ++m_rowCount;
}

QString ReportLayout::cell(int row, int column) const
{
    const int at = row * int(m_fields.size()) + column;
    const int begin = at > 0 ? m_cellEnds.at(at - 1) : 0;
    return m_cells.mid(begin, m_cellEnds.at(at) - begin);
}

bool ReportLayout::freeze(ReportLayout *frozen, QString *error, const Progress &progress) const
{
    *frozen = *this;
    if (!m_source)
        return true; // the rows set, if any
    frozen->m_source = nullptr;
    frozen->m_fields.clear();
    frozen->clearRows();
    for (const ReportBand &b : m_bands)
        for (const ReportItem &item : b.items)
            if (item.kind == ReportItem::Box && !frozen->m_fields.contains(item.field))
                frozen->m_fields.append(item.field);
    // Counted first, for the progress only: the rows themselves say how many there are.
    const int expected = progress ? m_source->count() : 0;
    if (expected < 0) {
        if (error)
            *error = m_source->lastError().description();
        return false;
    }
    TableModel *model = m_source->model();
    bool cancelled = false;
    const bool read = model->readThrough(frozen->m_fields, [&](const QStringList &values) {
        frozen->appendRow(values);
        if (progress && frozen->m_rowCount % 256 == 0 &&
            !progress(frozen->m_rowCount, qMax(expected, frozen->m_rowCount)))
            cancelled = true;
        return !cancelled;
    });
    // A list that silently lacks rows would pass for the whole list.
    if (!read || cancelled) {
        if (error)
            *error = cancelled ? QString() : model->lastError().description();
        frozen->clearRows();
        return false;
    }
    frozen->m_cells.squeeze();
    frozen->m_cellEnds.squeeze();
    return true;
}

QString ReportLayout::value(int row, const QString &field) const
{
    const int column = int(m_fields.indexOf(field));
    if (row < 0 || row >= m_rowCount || column < 0)
        return QString();
    return cell(row, column);
}

void ReportLayout::resetFormats(int skipped) const
{
    for (const auto &attached : m_formats) {
        attached.second->reset();
        attached.second->skip(skipped);
    }
}

QString ReportLayout::shown(const ReportItem &item, int row) const
{
    const QString value = this->value(row, item.field);
    for (const auto &attached : m_formats)
        if (attached.first == item.name)
            return attached.second->format(value);
    return value;
}

// One walk through the pages: counting only (no painter), or drawing the pages from..to.
struct ReportLayout::Pass
{
    QPainter *painter = nullptr;
    QPagedPaintDevice *device = nullptr; // for new pages, when drawing more than one
    qreal pageHeight = 0;                // design millimetres
    qreal scale = 1;                     // page millimetres per design millimetre
    qreal unit = 1;                      // device units per design millimetre
    qreal left = 0;                      // device units
    int pages = 0;                       // when drawing: the total, for the page numbers
    int page = 1;
    qreal y = 0; // design millimetres from the top of the page's printable area
    // The first page walked (0 is the first), the row it starts with, and the last page walked.
    int from = 0;
    int startRow = 0;
    int to = std::numeric_limits<int>::max();
    QVector<int> *starts = nullptr;         // filled with the first row of each page walked
    std::function<bool(int page)> pageDone; // after each page; false stops the walk
    bool stopped = false;
    // Per band and item: the font at the page's scale, and the column of a box's field.
    QVector<QVector<QFont>> fonts;
    QVector<QVector<int>> columns;
    QVector<QVector<DataFormat *>> formats;
    QVector<QVector<QFontMetricsF>> metrics;
};

void ReportLayout::prepare(Pass &pass, const QPageLayout &layout, QPaintDevice *device) const
{
    const QRectF area = layout.paintRect(QPageLayout::Millimeter);
    pass.scale = qMin<qreal>(1, area.width() / m_designWidth);
    pass.pageHeight = area.height() / pass.scale;
    if (!device)
        return;
    const qreal perMm = device->logicalDpiX() / MmPerInch;
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
            columns.append(item.kind == ReportItem::Box ? int(m_fields.indexOf(item.field)) : -1);
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
}

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
                        text = column < 0 ? QString() : cell(row, column);
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
    qreal pageTop = 0; // where this page's detail lines begin
    auto startPage = [&](int row) {
        pass.y = 0;
        if (pass.starts)
            pass.starts->append(row);
        if (pass.page == 1)
            draw(header, -1);
        draw(pageHeader, -1);
        pageTop = pass.y;
    };
    // Ends the page; false when the walk stops there.
    auto nextPage = [&](int row) {
        endPage();
        if (pass.pageDone && !pass.pageDone(pass.page)) {
            pass.stopped = true;
            return false;
        }
        if (pass.page - 1 >= pass.to)
            return false;
        if (pass.painter)
            pass.device->newPage();
        ++pass.page;
        startPage(row);
        return true;
    };

    pass.page = pass.from + 1;
    startPage(pass.startRow);
    for (int row = pass.startRow; row < m_rowCount; ++row) {
        // A line that does not fit goes whole to the next page; a page takes at least one.
        if (pass.y + m_bands[detail].height > bottom && pass.y > pageTop && !nextPage(row))
            return pass.page;
        draw(detail, row);
    }
    if (pass.y + m_bands[footer].height > bottom && pass.y > pageTop && !nextPage(m_rowCount))
        return pass.page;
    draw(footer, -1);
    endPage();
    if (pass.pageDone && !pass.pageDone(pass.page))
        pass.stopped = true;
    return pass.page;
}

QVector<int> ReportLayout::pageStarts(const QPageLayout &layout) const
{
    Pass pass;
    prepare(pass, layout, nullptr);
    QVector<int> starts;
    pass.starts = &starts;
    run(pass);
    return starts;
}

int ReportLayout::pageCount() const
{
    return int(pageStarts(pageLayout()).size());
}

int ReportLayout::render(QPagedPaintDevice *device, const Progress &progress) const
{
    const QPageLayout layout = device->pageLayout();
    Pass pass;
    pass.pages = int(pageStarts(layout).size());
    QPainter painter;
    if (!painter.begin(device))
        return 0;
    painter.setRenderHint(QPainter::Antialiasing);
    prepare(pass, layout, device);
    pass.painter = &painter;
    pass.device = device;
    if (progress)
        pass.pageDone = [&](int page) { return progress(page, pass.pages); };
    resetFormats();
    const int pages = run(pass);
    painter.end();
    return pass.stopped ? -1 : pages;
}

void ReportLayout::paintPage(QPaintDevice *device, const QPageLayout &layout, int page,
                             const QVector<int> &starts) const
{
    if (page < 0 || page >= starts.size())
        return;
    QPainter painter(device);
    painter.setRenderHint(QPainter::Antialiasing);
    // The printable area's corner, where a printer's painter starts.
    const qreal perMm = device->logicalDpiX() / MmPerInch;
    const QRectF paper = layout.fullRect(QPageLayout::Millimeter);
    const QRectF area = layout.paintRect(QPageLayout::Millimeter);
    painter.translate((area.left() - paper.left()) * perMm, (area.top() - paper.top()) * perMm);
    Pass pass;
    prepare(pass, layout, device);
    pass.painter = &painter;
    pass.pages = int(starts.size());
    pass.from = pass.to = page;
    pass.startRow = starts.at(page);
    resetFormats(pass.startRow);
    run(pass);
}

bool ReportLayout::writePdf(const QString &path, QString *error, const Progress &progress) const
{
    const QString title = m_info.title.isEmpty() ? m_name : m_info.title;
    QByteArray bytes;
    int pages = 0;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        // For the archive: fonts embedded, colours defined, the document described.
        writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
        writer.setResolution(600);
        writer.setPageLayout(pageLayout());
        writer.setCreator(ReportsText::ProgramName());
        writer.setTitle(title);
        pages = render(&writer, progress);
    }
    if (pages < 1) {
        if (error)
            *error = pages < 0 ? QString() : ReportsText::NotMade();
        return false;
    }
    AddPdfAuthor(&bytes, m_info.author);
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
    for (int row = 0; row < m_rowCount; ++row) {
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

QString ReportFileName(const QString &kind, const QString &what, const QDate &date)
{
    QStringList parts{kind, SafeFileNamePart(what)};
    const QString day = SolarHijriDateText(date, 0);
    if (!day.isEmpty())
        parts << QString(day).replace(u'/', u'-');
    return parts.join(QStringLiteral(" - "));
}
