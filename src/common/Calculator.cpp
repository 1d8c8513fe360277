#include "common/Calculator.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

bool StartCalculator()
{
#if defined(Q_OS_WIN)
    return QProcess::startDetached(QStringLiteral("calc.exe"), {});
#elif defined(Q_OS_MACOS)
    return QProcess::startDetached(QStringLiteral("open"),
                                   {QStringLiteral("-a"), QStringLiteral("Calculator")});
#else
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
