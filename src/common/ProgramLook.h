#pragma once

class QApplication;

// The look every window shares: the program's name, right-to-left layout and a typeface that has
// Persian letters (Qt's default sans serif has none and falls back badly).
void ApplyProgramLook(QApplication &app);

// The program's icon, for the task bar and the title bars. Drawing it takes a moment, so the
// program sets it once its first window is on screen.
void ApplyProgramIcon();
