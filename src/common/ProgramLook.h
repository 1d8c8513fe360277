#pragma once

class QApplication;

// The look every window shares: the program's name, right-to-left layout and a typeface that has
// Persian letters (Qt's default sans serif has none and falls back badly).
void ApplyProgramLook(QApplication &app);
