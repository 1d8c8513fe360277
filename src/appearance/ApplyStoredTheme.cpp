#include "appearance/ApplyStoredTheme.h"

#include "appearance/ThemeCatalogue.h"
#include "common/Skin.h"

void ApplyStoredTheme(Skin *skin, QWidget *window, const QString &themeNumber)
{
    const QString file = ThemeCatalogue::SkinFileFor(themeNumber);
    if (!file.isEmpty())
        skin->LoadSkinFile(file);
    skin->SkinWindow(window);
}
