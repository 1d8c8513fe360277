#include "common/ApplyStoredTheme.h"

#include "common/Skin.h"
#include "themes/ThemeCatalogue.h"

void ApplyStoredTheme(Skin *skin, QWidget *window, const QString &themeNumber)
{
    const QString file = ThemeCatalogue::SkinFileFor(themeNumber);
    if (!file.isEmpty())
        skin->LoadSkinFile(file);
    skin->SkinWindow(window);
}
