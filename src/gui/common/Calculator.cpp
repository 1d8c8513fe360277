#include "common/Calculator.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#if defined(Q_OS_WIN)
#include <qt_windows.h>
#endif

bool StartCalculator()
{
#if defined(Q_OS_WIN)
    // Minimised and active, so that the keys typed next go to it: the show-window request a new
    // process reads from its start-up information. The classic calc.exe takes it; on Windows 10
    // and 11 calc.exe only opens the Calculator app, whose window may show itself normally.
    QProcess calculator;
    calculator.setProgram(QStringLiteral("calc.exe"));
    calculator.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments *arguments) {
        arguments->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
        arguments->startupInfo->wShowWindow = SW_SHOWMINIMIZED;
    });
    return calculator.startDetached();
#elif defined(Q_OS_MACOS)
    // open(1) can start an application hidden (-j) or behind the others (-g), never minimised;
    // started plainly it comes to the front with the input focus, the nearer of the two.
    return QProcess::startDetached(QStringLiteral("open"),
                                   {QStringLiteral("-a"), QStringLiteral("Calculator")});
#else
    // Under X11 and Wayland whether a new window starts minimised is the program's own choice
    // (xcalc's -iconic, say; the others have no such option), and whether it gets the input
    // focus is the window manager's: a Wayland compositor that guards against focus stealing
    // gives it only to a program started with an activation token, which Qt 6.4 offers no public
    // way to ask for. So it starts as it likes, usually in front and focused.
    const QStringList calculators = {
        QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
        QStringLiteral("mate-calc"),        QStringLiteral("galculator"),
        QStringLiteral("qalculate-gtk"),    QStringLiteral("xcalc")};
    for (const QString &name : calculators) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty())
            return QProcess::startDetached(path, {});
    }
    return false;
#endif
}
