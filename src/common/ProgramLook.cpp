#include "common/ProgramLook.h"

#include <QApplication>
#include <QFont>

void ApplyProgramLook(QApplication &app)
{
    QApplication::setApplicationName(QStringLiteral("Korvat"));
    QApplication::setLayoutDirection(Qt::RightToLeft);
    QFont font = QApplication::font();
    // Each letter is taken from the first family that has it: Persian from the Arabic-script
    // families, Latin letters and digits from the sans serif ones after them. Tahoma and
    // Segoe UI carry both on Windows.
    font.setFamilies({QStringLiteral("Vazirmatn"), QStringLiteral("Noto Sans Arabic"),
                      QStringLiteral("Noto Sans"), QStringLiteral("Tahoma"),
                      QStringLiteral("Segoe UI"), QStringLiteral("Nazli"),
                      QStringLiteral("DejaVu Sans")});
    if (font.pointSizeF() < 10)
        font.setPointSizeF(10);
    app.setFont(font);
}
