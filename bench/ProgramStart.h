#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>

// Starts a program and times it to a line it writes on stderr (for a window: its first painted
// frame), the way a user waits for a window to appear. A program that ends or stays silent gives
// an outcome of its own, never a time. The program is stopped when the object goes.
class ProgramStart
{
public:
    enum class Outcome {
        Reached,    // the marker came while the program ran; milliseconds() tells when
        Exited,     // the program ended, or crashed, before the marker
        TimedOut,   // no marker within the time allowed; the program has been stopped
        NotStarted, // the program could not be started at all
    };

    ProgramStart() = default;
    ~ProgramStart();
    ProgramStart(const ProgramStart &) = delete;
    ProgramStart &operator=(const ProgramStart &) = delete;

    void setEnvironment(const QProcessEnvironment &environment);
    Outcome run(const QString &program, const QStringList &arguments, const QByteArray &marker,
                int timeoutMs);

    // From just before the start to the marker; meaningful only after Reached.
    double milliseconds() const { return m_ms; }
    // The running program's process id; 0 when it does not run.
    qint64 processId() const;
    bool isRunning() const { return m_process.state() != QProcess::NotRunning; }
    // What went wrong, with the program's last words on stderr; empty after Reached.
    QString failure() const { return m_failure; }
    QByteArray standardError() const { return m_err; }
    // Kills the program if it still runs, and waits for it to go.
    void stop();

    static QString OutcomeName(Outcome outcome);

private:
    QString lastWords() const;

    QProcess m_process;
    QByteArray m_err;
    double m_ms = 0;
    QString m_failure;
};
