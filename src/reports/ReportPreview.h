#pragma once

#include "reports/ReportLayout.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

#include <memory>

class QAction;

namespace ReportPreviewDetail {
// Holds the preview's printer: a base before the dialog, so it is there before the dialog and
// outlives it.
struct PrinterHolder
{
    QPrinter m_printer{QPrinter::HighResolution};
};
} // namespace ReportPreviewDetail

// The report preview: Qt's print preview of a frozen report, shown without blocking its caller
// and deleted when closed. Besides printing it saves the report as PDF and, for a table-like
// report, its rows as CSV.
class ReportPreview : private ReportPreviewDetail::PrinterHolder, public QPrintPreviewDialog
{
public:
    // Shows the report (frozen: its rows already read) and returns at once.
    static ReportPreview *Show(QWidget *owner, const ReportLayout &frozen, const QString &title);

    const ReportLayout &report() const { return *m_report; }
    QAction *savePdfAction() const { return m_savePdf; }
    QAction *saveCsvAction() const { return m_saveCsv; }

    // Writes the file, telling the user when that failed. True when it was written.
    bool savePdf(const QString &path);
    bool saveCsv(const QString &path);

private:
    ReportPreview(QWidget *owner, const ReportLayout &frozen, const QString &title);
    void askAndSave(bool csv);

    std::unique_ptr<ReportLayout> m_report;
    QAction *m_savePdf = nullptr;
    QAction *m_saveCsv = nullptr;
};
