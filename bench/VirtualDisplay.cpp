#include "VirtualDisplay.h"

#include <QElapsedTimer>
#include <QFile>

VirtualDisplay::~VirtualDisplay()
{
    stop();
}

bool VirtualDisplay::start(const QString &server, int firstNumber, int timeoutMs)
{
    stop();
    m_failure.clear();
    for (int number = firstNumber; number < firstNumber + 40; ++number) {
        // A lock file means a server has that display, or had it and may come back.
        if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
            continue;
        if (startOn(server, number, timeoutMs))
            return true;
        if (m_process.error() == QProcess::FailedToStart)
            return false;
        // Taken in the meantime, most likely: the next one.
    }
    if (m_failure.isEmpty())
        m_failure = QStringLiteral("no free display from :%1 on").arg(firstNumber);
    return false;
}

bool VirtualDisplay::startOn(const QString &server, int number, int timeoutMs)
{
    // -displayfd: the server writes the display's number on that descriptor once it takes
    // connections, so there is no waiting on a socket file.
    m_process.start(server, {QStringLiteral(":%1").arg(number), QStringLiteral("-displayfd"),
                             QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                             QStringLiteral("1366x768x24"), QStringLiteral("-nolisten"),
                             QStringLiteral("tcp")});
    QElapsedTimer clock;
    clock.start();
    QByteArray out;
    while (!out.contains('\n')) {
        const qint64 left = timeoutMs - clock.elapsed();
        if (m_process.state() == QProcess::NotRunning || left <= 0) {
            m_failure = m_process.error() == QProcess::FailedToStart
                            ? m_process.errorString()
                            : QStringLiteral("%1 :%2 did not come up within %3 ms: %4")
                                  .arg(server)
                                  .arg(number)
                                  .arg(timeoutMs)
                                  .arg(QString::fromUtf8(
                                      m_process.readAllStandardError().right(400).trimmed()));
            stop();
            return false;
        }
        m_process.waitForReadyRead(int(left));
        out += m_process.readAllStandardOutput();
    }
    if (out.trimmed() != QByteArray::number(number)) {
        m_failure = QStringLiteral("%1 :%2 reported display \"%3\"")
                        .arg(server)
                        .arg(number)
                        .arg(QString::fromUtf8(out.trimmed()));
        stop();
        return false;
    }
    m_name = QStringLiteral(":") + QString::number(number);
    return true;
}

void VirtualDisplay::stop()
{
    m_name.clear();
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}
