#pragma once

#include <QProcess>
#include <QString>

// An X server of the benchmark's own (Xvfb), so windows can be timed the way a desktop shows
// them when no display is at hand. It is stopped when the object goes.
class VirtualDisplay
{
public:
    VirtualDisplay() = default;
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay &) = delete;
    VirtualDisplay &operator=(const VirtualDisplay &) = delete;

    // Takes the first free display from firstNumber on; well above the :0 of a desktop and the
    // :99 of xvfb-run, so as not to take the display someone is about to start. False, with
    // failure() saying why, when no server came up.
    bool start(const QString &server = QStringLiteral("Xvfb"), int firstNumber = 140,
               int timeoutMs = 10000);
    // The value for DISPLAY (":1"); empty unless started.
    QString name() const { return m_name; }
    QString failure() const { return m_failure; }
    void stop();

private:
    bool startOn(const QString &server, int number, int timeoutMs);

    QProcess m_process;
    QString m_name;
    QString m_failure;
};
