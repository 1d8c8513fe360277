#include "reports/ReportProgress.h"

#include "reports/ReportsText.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace {
const int UsualShowAfterMs = 400;
// Events are handled at least this often while a task runs.
const int TurnMs = 25;

int &showAfter()
{
    static int ms = UsualShowAfterMs;
    return ms;
}
} // namespace

void ReportProgress::SetShowAfter(int ms)
{
    showAfter() = ms < 0 ? UsualShowAfterMs : ms;
}

ReportProgress::ReportProgress(QWidget *owner, const QString &text) : m_owner(owner), m_text(text)
{
    m_clock.start();
}

ReportProgress::~ReportProgress()
{
    delete m_box;
}

ReportLayout::Progress ReportProgress::callback()
{
    return [this](int done, int total) { return step(done, total); };
}

bool ReportProgress::step(int done, int total)
{
    const qint64 now = m_clock.elapsed();
    // Until the box is there each step looks at the clock; then events are handled every turn.
    if (m_cancelled || (m_box && now - m_lastTurn < TurnMs))
        return !m_cancelled;
    m_lastTurn = now;
    if (!m_box && now >= showAfter()) {
        m_box = new QProgressDialog(m_text, ReportsText::Cancel(), 0, qMax(total, 1),
                                    m_owner ? m_owner->window() : nullptr);
        m_box->setObjectName(QStringLiteral("reportProgress"));
        m_box->setWindowTitle(ReportsText::ProgramName());
        m_box->setWindowModality(Qt::ApplicationModal);
        m_box->setMinimumDuration(0);
        m_box->setAutoClose(false);
        m_box->setAutoReset(false);
        m_box->show();
    }
    if (m_box) {
        m_box->setMaximum(qMax(total, 1));
        m_box->setValue(qMin(done, qMax(total, 1)));
        QCoreApplication::processEvents();
        m_cancelled = m_box->wasCanceled();
    } else {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    return !m_cancelled;
}
