#include "common/WaitNotice.h"

#include "data/Transaction.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QScreen>

namespace {
const char *const Waiting =
    "پایگاه داده در اختیار برنامه‌ی دیگری است؛ منتظر می‌مانیم تا آن را رها کند…";

void showWaiting(bool waiting)
{
    static QPointer<QLabel> notice;
    if (!waiting) {
        if (notice)
            notice->hide();
        QGuiApplication::restoreOverrideCursor();
        return;
    }
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    QWidget *over = QApplication::activeWindow();
    if (!over)
        return;
    if (!notice) {
        notice = new QLabel;
        notice->setObjectName(QStringLiteral("WaitNotice"));
        notice->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint);
        notice->setTextFormat(Qt::PlainText);
        notice->setText(QString::fromUtf8(Waiting));
        notice->setMargin(12);
        notice->setAlignment(Qt::AlignCenter);
        notice->setAttribute(Qt::WA_DeleteOnClose);
    }
    // The window's own look, so that the notice reads as part of it.
    notice->setStyleSheet(over->window()->styleSheet());
    notice->adjustSize();
    const QRect frame = over->frameGeometry();
    notice->move(frame.center() - notice->rect().center());
    notice->show();
    notice->repaint();
}
} // namespace

void InstallWaitNotice()
{
    Transaction::SetWaitObserver(&showWaiting);
}
