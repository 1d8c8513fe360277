#pragma once

#include <QMargins>

class QWidget;

// The title bar and edges a desktop draws around a window, in device-independent pixels, as
// far as can be known before the window is on screen (a Windows title bar is about 31).
inline constexpr QMargins UsualWindowFrame(8, 32, 8, 8);

// Centres a window, frame included, in the available area of its screen (the area without task
// bars). A window larger than that area keeps its title bar on screen, so it can always be
// moved.
void PlaceOnScreen(QWidget *window);
