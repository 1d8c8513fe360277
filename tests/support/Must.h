#pragma once

#include "common/Result.h"

#include <QtGlobal>

// A step of a test's or a tool's set-up that has to work: a failure ends the run at once and says
// what failed where, rather than going on with a database that is not what the step made it.
inline void must(const Result &result, const char *file = __builtin_FILE(),
                 int line = __builtin_LINE())
{
    if (!result)
        qFatal("%s:%d: %s", file, line, qUtf8Printable(result.description()));
}
