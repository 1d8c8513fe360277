#pragma once

#include "data/Cursor.h"

#include <QColor>
#include <QDate>
#include <QFont>
#include <QPageLayout>
#include <QPointer>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <memory>

class QPagedPaintDevice;
class QPainter;
class ReportLayout;

// Supplies the shown value of a bound box for each detail line (the box's own field value comes
// in). Reset at the start of every produced report: preview, print, PDF and CSV alike.
class DataFormat
{
public:
    virtual ~DataFormat() = default;
    virtual void reset() {}
    // Lines passed over without being formatted (the pages before the one drawn).
    virtual void skip(int lines) { Q_UNUSED(lines); }
    virtual QString format(const QString &value) = 0;
};

// What a picture item draws: the artwork of a card, a chart. rect is in device units; mm turns
// millimetres into device units (scale included); layout gives the captions set by the caller.
using ReportPainter = std::function<void(QPainter &painter, const QRectF &rect, qreal mm,
                                         const ReportLayout &layout)>;

// One thing in a band. Measures are millimetres from the band's top left corner.
struct ReportItem
{
    enum Kind {
        Label,   // a fixed or caller-set text
        Box,     // the value of a field of the current row
        Rule,    // a line along rect's top edge (horizontal) or left edge (when rect has no width)
        Fill,    // a coloured rectangle
        Picture, // drawn by paint
    };
    Kind kind = Label;
    QString name;
    QRectF rect;
    QString text;  // a label's caption
    QString field; // a box's field
    QFont font;
    Qt::Alignment align = Qt::AlignCenter;
    bool wrap = false; // a label may take more than one line
    QColor background; // none when invalid
    QColor color = Qt::black;
    qreal lineWidth = 0.25; // a rule's, in millimetres
    ReportPainter paint;
};

struct ReportBand
{
    QString name;
    qreal height = 0; // millimetres
    QColor background;
    QVector<ReportItem> items;
};

// A column of a table-like report: its caption, its box in the detail band and the box's field.
struct ReportTableColumn
{
    QString caption;
    QString box;
    QString field;
    qreal width; // millimetres
    Qt::Alignment align = Qt::AlignCenter;
};

// A report layout of five bands: Section4 report header (once, at the top), Section2 page header
// (at the top of every page), Section1 detail (once per row of the data source), Section3 page
// footer, Section5 report footer (once, at the end). Pages carry their number at the foot, and a
// detail line is never cut by a page break.
//
// The layout is a value: a preview holds a frozen copy (its rows read once), so what it shows,
// prints and saves stays the same whatever its caller's cursor or captions do afterwards.
class ReportLayout
{
public:
    ReportLayout(const QString &name, QPageLayout::Orientation orientation, qreal designWidth);
    virtual ~ReportLayout() = default;
    ReportLayout(const ReportLayout &) = default;
    ReportLayout &operator=(const ReportLayout &) = default;

    QString name() const { return m_name; }
    QPageLayout pageLayout() const;

    // The five band names in the order the bands are printed on a first page.
    static QStringList BandNames();
    // A band by name, compared without regard to case ("section1" is Section1); null when none.
    ReportBand *band(const QString &name);
    const ReportBand *band(const QString &name) const;
    const ReportItem *item(const QString &band, const QString &item) const;

    // Sets a label's caption; false when the band has no label of that name.
    bool setCaption(const QString &band, const QString &label, const QString &text);
    QString caption(const QString &band, const QString &label) const;
    // Attaches a data format to a bound box of the detail band.
    bool setDataFormat(const QString &band, const QString &box, std::shared_ptr<DataFormat> format);

    // The cursor whose rows the detail band repeats, in its order and with its filter.
    void setDataSource(Cursor *cursor) { m_source = cursor; }
    Cursor *dataSource() const { return m_source; }

    // Rows the program computed, in place of a cursor's (fields name the boxes' fields).
    void setRows(const QStringList &fields, const QVector<QStringList> &rows);

    // How far a long task has come; returns false when the user cancelled it.
    using Progress = std::function<bool(int done, int total)>;

    // A copy holding the data source's rows as the cursor shows them now (or the rows set), read
    // straight from the file, so that the cursor keeps no more rows than it had. False with the
    // reason when they could not be read, or with the empty text when progress was cancelled.
    bool freeze(ReportLayout *frozen, QString *error, const Progress &progress = {}) const;
    int rowCount() const { return m_rowCount; }
    // The value of a field in a row of a frozen copy.
    QString value(int row, const QString &field) const;

    // What a saved copy carries: the title and author a PDF names, and the name a file is offered
    // under (without its suffix).
    struct DocumentInfo
    {
        QString title;
        QString author;
        QString fileName;
    };
    void setDocumentInfo(const DocumentInfo &info) { m_info = info; }
    const DocumentInfo &documentInfo() const { return m_info; }

    // Draws every page onto the device, reporting each page done. Returns the number of pages,
    // -1 when progress cancelled it, 0 when nothing could be drawn.
    int render(QPagedPaintDevice *device, const Progress &progress = {}) const;
    // The first row of each page on a page of this layout (a page may hold no row: the footer's
    // own last page); its size is the number of pages.
    QVector<int> pageStarts(const QPageLayout &layout) const;
    // Draws one page (0 is the first) onto an image of the whole sheet of paper, its resolution
    // the image's; starts as pageStarts() gave them for the same layout.
    void paintPage(QPaintDevice *device, const QPageLayout &layout, int page,
                   const QVector<int> &starts) const;
    // Pages needed for the rows held, on this layout's page.
    int pageCount() const;
    // Writes the report as a PDF/A-1b file titled and authored as its document info says,
    // replacing the file only once it is complete. False with the reason, or with the empty text
    // when progress was cancelled (and then no file is written).
    bool writePdf(const QString &path, QString *error, const Progress &progress = {}) const;

    // The columns of a table-like report, for export: header label of Section2, box of Section1.
    struct Column
    {
        QString header;
        QString box;
    };
    void setColumns(const QVector<Column> &columns) { m_columns = columns; }
    bool hasColumns() const { return !m_columns.isEmpty(); }
    // The table as text: one line of headers, then one line per row as the detail band shows it.
    QVector<QStringList> table() const;
    // The table as CSV, UTF-8 with a byte order mark, so spreadsheet programs read Persian right.
    QByteArray csv() const;
    bool writeCsv(const QString &path, QString *error) const;

protected:
    ReportItem &addLabel(const QString &band, const QString &name, const QRectF &rect,
                         const QString &text, const QFont &font,
                         Qt::Alignment align = Qt::AlignCenter);
    ReportItem &addBox(const QString &band, const QString &name, const QRectF &rect,
                       const QString &field, const QFont &font);
    void addRule(const QString &band, const QRectF &rect, qreal width = 0.25);
    void addPicture(const QString &band, const QRectF &rect, const ReportPainter &paint);

    // A ruled table: captions in the page header, a box per column in the detail band, columns
    // laid from the right edge leftwards in the order given. Also sets the columns for export.
    void addTable(const QString &pageHeader, const QString &detail,
                  const QVector<ReportTableColumn> &columns, qreal captionHeight, qreal lineHeight,
                  const QFont &font);
    // The lists' report footer: the address caption and its slot (Label15, Label14) on the right,
    // the credit line (Label16) on the left in creditWidth millimetres.
    void addAddressFooter(const QString &footer, qreal height, qreal creditWidth);

private:
    struct Pass;
    void prepare(Pass &pass, const QPageLayout &layout, QPaintDevice *device) const;
    int run(Pass &pass) const;
    void resetFormats(int skipped = 0) const;
    QString shown(const ReportItem &item, int row) const;
    void clearRows();
    void appendRow(const QStringList &values);
    QString cell(int row, int column) const;

    QString m_name;
    QPageLayout::Orientation m_orientation;
    qreal m_designWidth;
    QVector<ReportBand> m_bands;
    QPointer<Cursor> m_source;
    QVector<std::pair<QString, std::shared_ptr<DataFormat>>> m_formats; // box name, format
    QVector<Column> m_columns;
    DocumentInfo m_info;
    // Frozen rows: the fields the boxes show, and their values, row after row, in one text with
    // the end of each value (a list of 100,000 subjects is two blocks, not a million small ones,
    // and its memory goes back to the system with the preview).
    QStringList m_fields;
    int m_rowCount = 0;
    QString m_cells;
    QVector<int> m_cellEnds;
};

// The name a saved report is offered under: what it is, whose or which it is, and the Solar
// Hijri date, each made safe for a file name on any system (a code may hold / or :).
QString ReportFileName(const QString &kind, const QString &what, const QDate &date);

// The typefaces the layouts name, asked for first, then installed Persian faces.
QFont ReportFont(const QString &named, qreal points, bool bold);
