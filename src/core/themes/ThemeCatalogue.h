#pragma once

#include <QString>
#include <QStringList>

// The eleven themes: theme number 1 to 11 and its skin file.
namespace ThemeCatalogue {
QStringList SkinFiles();
// The skin file of a stored theme number, read by its leading number: exactly 1 to 11 has one;
// anything else (0, 12, 2.5, -1, "abc") has none and gives the empty text.
QString SkinFileFor(const QString &themeNumber);
} // namespace ThemeCatalogue
