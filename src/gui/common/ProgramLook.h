#pragma once

#include <QStringList>

class QApplication;
class QTranslator;

// The look every window shares: the program's name, right-to-left layout and a typeface that has
// Persian letters (Qt's default sans serif has none and falls back badly).
void ApplyProgramLook(QApplication &app);

// The program's icon, for the task bar and the title bars. Drawing it takes a moment, so the
// program sets it once its first window is on screen.
void ApplyProgramIcon();

// Where Qt's translations are looked for: beside the program first (a build that ships them,
// as on Windows), then where this Qt keeps its own.
QStringList QtTranslationFolders();

// Qt's own Persian (qtbase_fa), so that standard buttons, file dialogs and the print preview speak
// Persian; the program's own texts are not Qt's and stay as they are. Returns the translator,
// owned by the application, or nullptr when no translation was found: Qt's texts then stay
// English and everything else works as ever.
QTranslator *LoadQtTranslation(const QStringList &folders = QtTranslationFolders());
