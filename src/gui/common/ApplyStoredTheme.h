#pragma once

#include <QString>

class QWidget;
class Skin;

// What every skinned window does as it is created: load the stored theme's skin file, when the
// theme number has one, and skin the window in any case.
void ApplyStoredTheme(Skin *skin, QWidget *window, const QString &themeNumber);
