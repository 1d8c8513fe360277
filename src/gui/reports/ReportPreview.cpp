#include "reports/ReportPreview.h"

#include "common/Dialogs.h"
#include "common/ScreenPlacement.h"
#include "common/WindowPieces.h"
#include "reports/ReportProgress.h"
#include "reports/ReportsText.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStandardPaths>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const qreal MmPerInch = 25.4;
// Zoom box entries past these two are percentages.
const int FitWidthEntry = 0;
const int FitPageEntry = 1;
const int Percentages[] = {50, 75, 100, 125, 150, 200};
// Grey around the page, as on a desk.
const QColor Desk(0x80, 0x80, 0x80);
const int PageGap = 12; // pixels of desk around the page
} // namespace

// The page shown, on the grey desk of the scroll area.
class ReportPreview::PageView : public QWidget
{
public:
    explicit PageView(ReportPreview *preview) : QWidget(preview), m_preview(preview)
    {
        setObjectName(QStringLiteral("page"));
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    void setPageSize(const QSize &size)
    {
        m_pageSize = size;
        setFixedSize(size + QSize(2 * PageGap, 2 * PageGap));
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Desk);
        const QRect paper(QPoint(PageGap, PageGap), m_pageSize);
        painter.fillRect(paper.translated(3, 3), Desk.darker(140));
        painter.drawImage(paper, m_preview->pageImage());
    }

private:
    ReportPreview *m_preview;
    QSize m_pageSize;
};

ReportPreview::ReportPreview(QWidget *owner, const ReportLayout &frozen, const QString &title)
    : QDialog(nullptr), m_report(std::make_unique<ReportLayout>(frozen))
{
    setObjectName(QStringLiteral("ReportPreview"));
    setAttribute(Qt::WA_DeleteOnClose);
    // A window of its own, with the buttons of one, so that it can be kept open beside others.
    setWindowFlags(Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setWindowTitle(title);
    m_printer.setPageLayout(m_report->pageLayout());
    m_printer.setDocName(m_report->documentInfo().title.isEmpty() ? m_report->name()
                                                                  : m_report->documentInfo().title);
    m_printer.setCreator(ReportsText::ProgramName());

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildToolBar();
    layout->addWidget(m_bar);
    m_area = new QScrollArea(this);
    m_area->setObjectName(QStringLiteral("pages"));
    m_area->setAlignment(Qt::AlignCenter);
    m_area->setFocusPolicy(Qt::StrongFocus);
    QPalette desk = m_area->palette();
    desk.setColor(QPalette::Window, Desk);
    m_area->setPalette(desk);
    m_area->setBackgroundRole(QPalette::Window);
    m_view = new PageView(this);
    m_area->setWidget(m_view);
    m_area->viewport()->installEventFilter(this);
    layout->addWidget(m_area, 1);

    QWidget *order[] = {m_bar->widgetForAction(m_print),
                        m_bar->widgetForAction(m_pageSetup),
                        m_bar->widgetForAction(m_savePdf),
                        m_saveCsv ? m_bar->widgetForAction(m_saveCsv) : nullptr,
                        m_bar->widgetForAction(m_previous),
                        m_pageBox,
                        m_bar->widgetForAction(m_next),
                        m_zoomBox,
                        m_area};
    QWidget *before = nullptr;
    for (QWidget *widget : order) {
        if (!widget)
            continue;
        if (before)
            QWidget::setTabOrder(before, widget);
        before = widget;
    }

    // Most of the screen, never more than it: the preview of a 1366 x 768 laptop keeps its title
    // bar and tool bar in view.
    const QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 700);
    resize(qMin(1100, area.width() - UsualWindowFrame.left() - UsualWindowFrame.right()),
           qMin(900, area.height() - UsualWindowFrame.top() - UsualWindowFrame.bottom()));
    PlaceOnScreen(this);
    paginate();
    m_bar->widgetForAction(m_print)->setFocus();
}

void ReportPreview::buildToolBar()
{
    m_bar = new QToolBar(this);
    m_bar->setObjectName(QStringLiteral("toolBar"));
    m_bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_bar->setMovable(false);

    m_print = m_bar->addAction(ReportsText::Print());
    m_print->setObjectName(QStringLiteral("print"));
    m_print->setShortcut(QKeySequence::Print);
    connect(m_print, &QAction::triggered, this, &ReportPreview::askAndPrint);
    m_pageSetup = m_bar->addAction(ReportsText::PageSetup());
    m_pageSetup->setObjectName(QStringLiteral("pageSetup"));
    connect(m_pageSetup, &QAction::triggered, this, &ReportPreview::setUpPage);
    m_savePdf = m_bar->addAction(ReportsText::SavePdf());
    m_savePdf->setObjectName(QStringLiteral("savePdf"));
    m_savePdf->setShortcut(QKeySequence::Save);
    connect(m_savePdf, &QAction::triggered, this, [this] { askAndSave(false); });
    if (m_report->hasColumns()) {
        m_saveCsv = m_bar->addAction(ReportsText::SaveCsv());
        m_saveCsv->setObjectName(QStringLiteral("saveCsv"));
        connect(m_saveCsv, &QAction::triggered, this, [this] { askAndSave(true); });
    }
    m_bar->addSeparator();

    m_previous = m_bar->addAction(ReportsText::PreviousPage());
    m_previous->setObjectName(QStringLiteral("previousPage"));
    connect(m_previous, &QAction::triggered, this, [this] { showPage(m_page - 1); });
    auto *caption = new QLabel(ReportsText::PageCaption(), m_bar);
    caption->setContentsMargins(6, 0, 4, 0);
    m_bar->addWidget(caption);
    m_pageBox = new QSpinBox(m_bar);
    m_pageBox->setObjectName(QStringLiteral("pageNumber"));
    m_pageBox->setKeyboardTracking(false);
    connect(m_pageBox, &QSpinBox::valueChanged, this, [this](int page) { showPage(page - 1); });
    caption->setBuddy(m_pageBox);
    m_bar->addWidget(m_pageBox);
    m_pagesLabel = new QLabel(m_bar);
    m_pagesLabel->setContentsMargins(4, 0, 6, 0);
    m_bar->addWidget(m_pagesLabel);
    m_next = m_bar->addAction(ReportsText::NextPage());
    m_next->setObjectName(QStringLiteral("nextPage"));
    connect(m_next, &QAction::triggered, this, [this] { showPage(m_page + 1); });
    m_bar->addSeparator();

    m_zoomBox = new QComboBox(m_bar);
    m_zoomBox->setObjectName(QStringLiteral("zoom"));
    m_zoomBox->setToolTip(ReportsText::Zoom());
    m_zoomBox->addItem(ReportsText::FitWidth());
    m_zoomBox->addItem(ReportsText::FitPage());
    for (const int percent : Percentages)
        m_zoomBox->addItem(QStringLiteral("%1%").arg(percent));
    connect(m_zoomBox, &QComboBox::currentIndexChanged, this, [this] { fitZoom(); });
    m_bar->addWidget(m_zoomBox);

    // The tool bar's buttons are reached with Tab (Qt's take no focus), and Enter presses them.
    for (QAction *action : {m_print, m_pageSetup, m_savePdf, m_saveCsv, m_previous, m_next}) {
        if (!action)
            continue;
        if (auto *button = qobject_cast<QToolButton *>(m_bar->widgetForAction(action))) {
            button->setObjectName(action->objectName() + QStringLiteral("Button"));
            button->setFocusPolicy(Qt::TabFocus);
            PressWithEnter(button);
        }
    }
}

ReportPreview *ReportPreview::Show(QWidget *owner, const ReportLayout &frozen, const QString &title)
{
    auto *preview = new ReportPreview(owner, frozen, title);
    preview->show();
    return preview;
}

void ReportPreview::paginate()
{
    m_starts = m_report->pageStarts(m_printer.pageLayout());
    const QSignalBlocker quiet(m_pageBox);
    m_pageBox->setRange(1, qMax(1, pageCount()));
    m_pagesLabel->setText(ReportsText::OfPages().arg(pageCount()));
    m_page = qBound(0, m_page, qMax(0, pageCount() - 1));
    m_imagePage = -1;
    fitZoom();
    showPage(m_page);
}

void ReportPreview::fitZoom()
{
    const QSizeF paper = m_printer.pageLayout().fullRect(QPageLayout::Millimeter).size();
    const qreal perMm = logicalDpiX() / MmPerInch;
    const int entry = m_zoomBox->currentIndex();
    if (entry == FitWidthEntry || entry == FitPageEntry) {
        const QSize room = m_area->viewport()->size() - QSize(2 * PageGap + 4, 2 * PageGap + 4);
        qreal zoom = room.width() / (paper.width() * perMm);
        if (entry == FitPageEntry)
            zoom = qMin(zoom, room.height() / (paper.height() * perMm));
        m_zoom = qBound<qreal>(0.2, zoom, 4);
    } else {
        m_zoom = Percentages[qBound(0, entry - 2, int(std::size(Percentages)) - 1)] / 100.0;
    }
    m_view->setPageSize((paper * perMm * m_zoom).toSize());
}

void ReportPreview::showPage(int page)
{
    page = qBound(0, page, qMax(0, pageCount() - 1));
    m_previous->setEnabled(page > 0);
    m_next->setEnabled(page + 1 < pageCount());
    {
        const QSignalBlocker quiet(m_pageBox);
        m_pageBox->setValue(page + 1);
    }
    if (page == m_page)
        return;
    m_page = page;
    m_area->verticalScrollBar()->setValue(0);
    m_view->update();
}

QImage ReportPreview::pageImage()
{
    // Only the page shown is drawn, and kept until another is.
    if (m_imagePage == m_page && qFuzzyCompare(m_imageZoom, m_zoom) && !m_image.isNull())
        return m_image;
    const QPageLayout layout = m_printer.pageLayout();
    const qreal ratio = m_view->devicePixelRatioF();
    const qreal perMm = logicalDpiX() / MmPerInch * m_zoom * ratio;
    const QSizeF paper = layout.fullRect(QPageLayout::Millimeter).size();
    QImage image((paper * perMm).toSize(), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(perMm * 1000));
    image.setDotsPerMeterY(qRound(perMm * 1000));
    image.fill(Qt::white);
    m_report->paintPage(&image, layout, m_page, m_starts);
    image.setDevicePixelRatio(ratio);
    m_image = image;
    m_imagePage = m_page;
    m_imageZoom = m_zoom;
    return m_image;
}

void ReportPreview::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_PageDown || event->key() == Qt::Key_PageUp) {
        showPage(m_page + (event->key() == Qt::Key_PageDown ? 1 : -1));
        return;
    }
    QDialog::keyPressEvent(event);
}

bool ReportPreview::eventFilter(QObject *watched, QEvent *event)
{
    // The page fits the room it has once the room is known.
    if (watched == m_area->viewport() && event->type() == QEvent::Resize)
        fitZoom();
    return QDialog::eventFilter(watched, event);
}

void ReportPreview::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    fitZoom();
}

void ReportPreview::setUpPage()
{
    QPageSetupDialog dialog(&m_printer, this);
    if (dialog.exec() == QDialog::Accepted)
        paginate();
}

void ReportPreview::askAndPrint()
{
    QPrintDialog dialog(&m_printer, this);
    if (dialog.exec() == QDialog::Accepted) {
        print(&m_printer);
        paginate(); // the dialog may have changed the paper
    }
}

bool ReportPreview::print(QPrinter *printer)
{
    ReportProgress progress(this, ReportsText::DrawingPages());
    const ReportLayout::Progress step = progress.callback();
    const int pages = m_report->render(printer, [&](int done, int total) {
        if (step(done, total))
            return true;
        printer->abort();
        return false;
    });
    if (pages == 0)
        ShowMessage(this, ReportsText::PrintFailed(), QString(), QMessageBox::Warning);
    return pages > 0;
}

void ReportPreview::askAndSave(bool csv)
{
    const QString suffix = csv ? QStringLiteral("csv") : QStringLiteral("pdf");
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString name = m_report->documentInfo().fileName.isEmpty()
                             ? m_report->name()
                             : m_report->documentInfo().fileName;
    QString path = AskSaveFileName(this, csv ? ReportsText::SaveCsv() : ReportsText::SavePdf(),
                                   QDir(folder).filePath(name + u'.' + suffix),
                                   suffix.toUpper() + QStringLiteral(" (*.") + suffix + u')');
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += u'.' + suffix;
    if (csv ? saveCsv(path) : savePdf(path))
        ShowTimedMessage(this, ReportsText::Saved());
}

bool ReportPreview::savePdf(const QString &path)
{
    QString error;
    ReportProgress progress(this, ReportsText::DrawingPages());
    if (m_report->writePdf(path, &error, progress.callback()))
        return true;
    if (!error.isEmpty())
        ShowMessage(this,
                    ReportsText::SaveFailed() + u'\n' + QDir::toNativeSeparators(path) + u'\n' +
                        error,
                    QString(), QMessageBox::Warning);
    return false;
}

bool ReportPreview::saveCsv(const QString &path)
{
    QString error;
    if (m_report->writeCsv(path, &error))
        return true;
    ShowMessage(this,
                ReportsText::SaveFailed() + u'\n' + QDir::toNativeSeparators(path) + u'\n' + error,
                QString(), QMessageBox::Warning);
    return false;
}
