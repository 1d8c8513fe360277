#pragma once

#include "reports/ReportLayout.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

class QProgressDialog;
class QWidget;

// The progress of a long report task (reading a list's rows, drawing its pages): the windows go
// on being served between steps, and once the task has taken a moment a box shows how far it has
// come and offers to cancel it. Until the box is there no key or click is taken, so that nothing
// starts a second task under the first.
class ReportProgress
{
public:
    ReportProgress(QWidget *owner, const QString &text);
    ~ReportProgress();
    ReportProgress(const ReportProgress &) = delete;
    ReportProgress &operator=(const ReportProgress &) = delete;

    // For the task: call with each step; false once the user cancelled.
    ReportLayout::Progress callback();
    bool cancelled() const { return m_cancelled; }

    // For tests: how long a task runs before its box shows (400 ms unless set; -1 restores it).
    static void SetShowAfter(int ms);

private:
    bool step(int done, int total);

    QPointer<QWidget> m_owner;
    QString m_text;
    QProgressDialog *m_box = nullptr;
    QElapsedTimer m_clock;
    qint64 m_lastTurn = 0;
    bool m_cancelled = false;
};
