#pragma once

#include <QString>

// A text written in the test's source, Persian and all (the sources are UTF-8).
inline QString u(const char *utf8)
{
    return QString::fromUtf8(utf8);
}
