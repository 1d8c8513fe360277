#include "ProgramStart.h"

ProgramStart::~ProgramStart()
{
    stop();
}

void ProgramStart::setEnvironment(const QProcessEnvironment &environment)
{
    m_process.setProcessEnvironment(environment);
}

ProgramStart::Outcome ProgramStart::run(const QString &program, const QStringList &arguments,
                                        const QByteArray &marker, int timeoutMs)
{
    stop();
    m_err.clear();
    m_ms = 0;
    m_failure.clear();
    m_process.setProgram(program);
    m_process.setArguments(arguments);
    m_process.setReadChannel(QProcess::StandardError);
    // Nobody reads its stdout: a full pipe must not stall the program.
    m_process.setStandardOutputFile(QProcess::nullDevice());

    QElapsedTimer clock;
    clock.start();
    m_process.start();
    if (!m_process.waitForStarted(timeoutMs)) {
        m_failure =
            QStringLiteral("%1 could not be started: %2").arg(program, m_process.errorString());
        stop();
        return Outcome::NotStarted;
    }
    for (;;) {
        m_err += m_process.readAllStandardError();
        // A marker split over two reads counts only once it is whole.
        if (m_err.contains(marker)) {
            m_ms = double(clock.nsecsElapsed()) / 1e6;
            return Outcome::Reached;
        }
        if (m_process.state() == QProcess::NotRunning) {
            const QString how =
                m_process.exitStatus() == QProcess::CrashExit
                    ? QStringLiteral("crashed")
                    : QStringLiteral("exited with code %1").arg(m_process.exitCode());
            m_failure = QStringLiteral("%1 %2 before saying \"%3\"")
                            .arg(program, how, QString::fromUtf8(marker)) +
                        lastWords();
            return Outcome::Exited;
        }
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0) {
            stop();
            m_failure = QStringLiteral("%1 did not say \"%2\" within %3 ms")
                            .arg(program, QString::fromUtf8(marker), QString::number(timeoutMs)) +
                        lastWords();
            return Outcome::TimedOut;
        }
        // A program that closed its stderr gives no more reads: wait for its end instead of
        // spinning.
        if (!m_process.waitForReadyRead(int(left)) && m_process.state() == QProcess::Running)
            m_process.waitForFinished(int(qMin<qint64>(left, 20)));
    }
}

qint64 ProgramStart::processId() const
{
    return m_process.state() == QProcess::Running ? m_process.processId() : 0;
}

void ProgramStart::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill();
    m_process.waitForFinished(5000);
}

QString ProgramStart::lastWords() const
{
    const QByteArray tail = m_err.right(600).trimmed();
    return tail.isEmpty() ? QString() : QStringLiteral("; its stderr:\n") + QString::fromUtf8(tail);
}

QString ProgramStart::OutcomeName(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Reached:
        return QStringLiteral("reached");
    case Outcome::Exited:
        return QStringLiteral("exited");
    case Outcome::TimedOut:
        return QStringLiteral("timed out");
    case Outcome::NotStarted:
        return QStringLiteral("not started");
    }
    return {};
}
