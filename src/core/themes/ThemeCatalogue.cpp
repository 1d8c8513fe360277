#include "themes/ThemeCatalogue.h"

#include "common/LeadingNumber.h"

QStringList ThemeCatalogue::SkinFiles()
{
    return {QStringLiteral("chizh.skn"),      QStringLiteral("Green.skn"),
            QStringLiteral("galaxy.skn"),     QStringLiteral("_temp.skn"),
            QStringLiteral("B-Studio.skn"),   QStringLiteral("Mac.skn"),
            QStringLiteral("O-Universe.skn"), QStringLiteral("metallic.skn"),
            QStringLiteral("Paper.skn"),      QStringLiteral("winaqua.skn"),
            QStringLiteral("office2007.skn")};
}

QString ThemeCatalogue::SkinFileFor(const QString &themeNumber)
{
    const double number = LeadingNumber(themeNumber);
    const QStringList files = SkinFiles();
    for (int theme = 1; theme <= files.size(); ++theme)
        if (number == theme)
            return files.at(theme - 1);
    return {};
}
