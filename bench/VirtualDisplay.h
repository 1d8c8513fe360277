#pragma once

#include <QProcess>
#include <QString>

// An X server of the benchmark's own (Xvfb), so windows can be timed the way a desktop shows
// them when no display is at hand. It takes the first free display number and is stopped when
// the object goes.
class VirtualDisplay
{
public:
    VirtualDisplay() = default;
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay &) = delete;
    VirtualDisplay &operator=(const VirtualDisplay &) = delete;

    // False, with failure() saying why, when the server did not come up within timeoutMs.
    bool start(const QString &server = QStringLiteral("Xvfb"), int timeoutMs = 10000);
    // The value for DISPLAY (":1"); empty unless started.
    QString name() const { return m_name; }
    QString failure() const { return m_failure; }
    void stop();

private:
    QProcess m_process;
    QString m_name;
    QString m_failure;
};
