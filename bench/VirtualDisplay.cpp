#include "VirtualDisplay.h"

#include <QElapsedTimer>

VirtualDisplay::~VirtualDisplay()
{
    stop();
}

bool VirtualDisplay::start(const QString &server, int timeoutMs)
{
    stop();
    m_failure.clear();
    // With -displayfd the server picks a free display itself and writes its number on that
    // descriptor once it takes connections: no guessing, and no waiting on a socket file.
    m_process.start(server,
                    {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                     QStringLiteral("0"), QStringLiteral("1366x768x24"),
                     QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    QElapsedTimer clock;
    clock.start();
    QByteArray out;
    while (!out.contains('\n')) {
        const qint64 left = timeoutMs - clock.elapsed();
        if (m_process.state() == QProcess::NotRunning || left <= 0) {
            m_failure = m_process.error() == QProcess::FailedToStart
                            ? m_process.errorString()
                            : QStringLiteral("no display number from %1 within %2 ms: %3")
                                  .arg(server)
                                  .arg(timeoutMs)
                                  .arg(QString::fromUtf8(
                                      m_process.readAllStandardError().right(400).trimmed()));
            stop();
            return false;
        }
        m_process.waitForReadyRead(int(left));
        out += m_process.readAllStandardOutput();
    }
    bool ok = false;
    const int number = out.trimmed().toInt(&ok);
    if (!ok || number < 0) {
        m_failure = QStringLiteral("%1 gave no display number: %2")
                        .arg(server, QString::fromUtf8(out.trimmed()));
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
