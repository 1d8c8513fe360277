#include "reports/ReportPreview.h"

#include "common/Dialogs.h"
#include "common/ScreenPlacement.h"
#include "reports/ReportsText.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <QToolBar>

ReportPreview::ReportPreview(QWidget *owner, const ReportLayout &frozen, const QString &title)
    : QPrintPreviewDialog(&m_printer, owner), m_report(std::make_unique<ReportLayout>(frozen))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(title);
    m_printer.setPageLayout(m_report->pageLayout());
    m_printer.setDocName(m_report->name());
    m_printer.setCreator(QStringLiteral("Korvat"));
    connect(this, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter *device) { m_report->render(device); });

    if (QToolBar *bar = findChild<QToolBar *>()) {
        // Printing and saving first in the tool bar, where a narrow window never folds them
        // away; Qt puts page setup and print last.
        const QList<QAction *> own = bar->actions();
        QList<QAction *> front;
        if (own.size() >= 3 && !own.at(own.size() - 1)->isSeparator() &&
            !own.at(own.size() - 2)->isSeparator() && own.at(own.size() - 3)->isSeparator()) {
            front << own.at(own.size() - 1) << own.at(own.size() - 2);
            bar->removeAction(own.at(own.size() - 3));
        }
        m_savePdf = new QAction(ReportsText::SavePdf(), this);
        m_savePdf->setObjectName(QStringLiteral("savePdf"));
        connect(m_savePdf, &QAction::triggered, this, [this] { askAndSave(false); });
        front << m_savePdf;
        if (m_report->hasColumns()) {
            m_saveCsv = new QAction(ReportsText::SaveCsv(), this);
            m_saveCsv->setObjectName(QStringLiteral("saveCsv"));
            connect(m_saveCsv, &QAction::triggered, this, [this] { askAndSave(true); });
            front << m_saveCsv;
        }
        QAction *before = own.value(0);
        bar->insertActions(before, front);
        bar->insertSeparator(before);
    }

    // Most of the screen, never more than it: the preview of a 1366 x 768 laptop keeps its title
    // bar and tool bar in view.
    const QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 700);
    resize(qMin(1100, area.width() - UsualWindowFrame.left() - UsualWindowFrame.right()),
           qMin(900, area.height() - UsualWindowFrame.top() - UsualWindowFrame.bottom()));
    PlaceOnScreen(this);
}

ReportPreview *ReportPreview::Show(QWidget *owner, const ReportLayout &frozen, const QString &title)
{
    auto *preview = new ReportPreview(owner, frozen, title);
    preview->setWindowModality(Qt::NonModal);
    preview->show();
    return preview;
}

void ReportPreview::askAndSave(bool csv)
{
    const QString suffix = csv ? QStringLiteral("csv") : QStringLiteral("pdf");
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString path = AskSaveFileName(this, csv ? ReportsText::SaveCsv() : ReportsText::SavePdf(),
                                   QDir(folder).filePath(m_report->name() + u'.' + suffix),
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
    if (m_report->writePdf(path, &error))
        return true;
    ShowMessage(this,
                ReportsText::SaveFailed() + u'\n' + QDir::toNativeSeparators(path) + u'\n' + error,
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
