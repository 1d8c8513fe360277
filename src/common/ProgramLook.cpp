#include "common/ProgramLook.h"

#include <QApplication>
#include <QFont>
#include <QIcon>

void ApplyProgramIcon()
{
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/korvat.svg")));
}

void ApplyProgramLook(QApplication &app)
{
    QApplication::setApplicationName(QStringLiteral("Korvat"));
    QApplication::setLayoutDirection(Qt::RightToLeft);
    QFont font = QApplication::font();
    // Each letter is taken from the first family that has it: Persian from the Arabic-script
    // families, Latin letters and digits from the sans serif ones after them. Only families
    // the platform may have are named: every family asked for costs a look-up at start-up.
#if defined(Q_OS_WIN)
    font.setFamilies(
        {QStringLiteral("Vazirmatn"), QStringLiteral("Tahoma"), QStringLiteral("Segoe UI")});
#elif defined(Q_OS_MACOS)
    font.setFamilies({QStringLiteral("Vazirmatn"), QStringLiteral("Geeza Pro"),
                      QStringLiteral("Helvetica Neue")});
#else
    font.setFamilies({QStringLiteral("Vazirmatn"), QStringLiteral("Noto Sans Arabic"),
                      QStringLiteral("Noto Sans"), QStringLiteral("Nazli"),
                      QStringLiteral("DejaVu Sans")});
#endif
    if (font.pointSizeF() < 10)
        font.setPointSizeF(10);
    app.setFont(font);
}
