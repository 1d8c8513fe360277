#pragma once

#include "reports/ReportLayout.h"

#include <QDialog>
#include <QImage>
#include <QPrinter>

#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QScrollArea;
class QSpinBox;
class QToolBar;

// The report preview: a frozen report (its rows read once), one page at a time, drawn only when
// it is shown, so that a list of thousands of pages opens at once and holds no more than its rows.
// It prints (with the page setup chosen), saves the report as PDF and, for a table-like report,
// its rows as CSV. It is a window of its own: it stays when the window that opened it closes,
// until the user closes it, and then it is deleted.
//
// Keyboard: Tab reaches print, page setup, the two saves, the page number and the zoom; Enter or
// Space presses a button; Ctrl+P prints, Ctrl+S saves the PDF, Page Up and Page Down turn the
// pages, Escape closes.
class ReportPreview : public QDialog
{
    Q_OBJECT

public:
    // Shows the report (frozen: its rows already read) and returns at once. owner only places it.
    static ReportPreview *Show(QWidget *owner, const ReportLayout &frozen, const QString &title);

    const ReportLayout &report() const { return *m_report; }
    QAction *printAction() const { return m_print; }
    QAction *pageSetupAction() const { return m_pageSetup; }
    QAction *savePdfAction() const { return m_savePdf; }
    QAction *saveCsvAction() const { return m_saveCsv; }
    QToolBar *toolBar() const { return m_bar; }

    // Writes the file, telling the user when that failed. True when it was written; false also
    // when the user cancelled a long one (and then nothing is written).
    bool savePdf(const QString &path);
    bool saveCsv(const QString &path);
    // Prints every page on printer, as the page setup has it, with the progress of a long report.
    bool print(QPrinter *printer);

    int pageCount() const { return int(m_starts.size()); }
    int currentPage() const { return m_page; } // 0 is the first
    void showPage(int page);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    class PageView;

    ReportPreview(QWidget *owner, const ReportLayout &frozen, const QString &title);
    void buildToolBar();
    void paginate();
    void fitZoom();
    void askAndSave(bool csv);
    void askAndPrint();
    void setUpPage();
    QImage pageImage();

    QPrinter m_printer{QPrinter::HighResolution};
    std::unique_ptr<ReportLayout> m_report;
    QVector<int> m_starts;
    int m_page = 0;
    qreal m_zoom = 1; // 1: the paper's own size on the screen
    QImage m_image;   // the page shown, at m_zoom
    int m_imagePage = -1;
    qreal m_imageZoom = 0;

    QToolBar *m_bar = nullptr;
    QAction *m_print = nullptr;
    QAction *m_pageSetup = nullptr;
    QAction *m_savePdf = nullptr;
    QAction *m_saveCsv = nullptr;
    QAction *m_previous = nullptr;
    QAction *m_next = nullptr;
    QSpinBox *m_pageBox = nullptr;
    QLabel *m_pagesLabel = nullptr;
    QComboBox *m_zoomBox = nullptr;
    QScrollArea *m_area = nullptr;
    PageView *m_view = nullptr;
};
