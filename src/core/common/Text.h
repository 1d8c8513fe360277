#pragma once

#include <QString>

// The program's own texts are named UTF-8 constants (const char *) near the window that shows
// them; this is their way onto the screen.
inline QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}
