#include "common/WaitNotice.h"

#include "common/Text.h"
#include "data/Database.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QScreen>

namespace {
const char *const Waiting =
    "پایگاه داده در اختیار برنامه‌ی دیگری است. تا چند ثانیه منتظر می‌مانیم تا آن را رها کند.";

void showWaiting(bool waiting)
{
    static QPointer<QLabel> notice;
    delete notice;
    if (!waiting) {
        QGuiApplication::restoreOverrideCursor();
        return;
    }
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    QWidget *over = QApplication::activeWindow();
    if (!over)
        return;
    // Made for each wait, in the look of the window it stands over.
    notice = new QLabel(over, Qt::ToolTip | Qt::FramelessWindowHint);
    notice->setObjectName(QStringLiteral("WaitNotice"));
    notice->setTextFormat(Qt::PlainText);
    notice->setText(text(Waiting));
    notice->setAlignment(Qt::AlignCenter);
    notice->setWordWrap(true);
    notice->ensurePolished();
    // One line where the window is wide enough, else as many as it takes; never cut off.
    const int line = notice->fontMetrics().horizontalAdvance(notice->text()) + 48;
    notice->setFixedWidth(qMin(line, qMax(200, over->width() - 40)));
    notice->adjustSize();
    notice->move(over->frameGeometry().center() - notice->rect().center());
    notice->show();
    notice->repaint();
}
} // namespace

void InstallWaitNotice()
{
    SetBusyWaitObserver(&showWaiting);
}
