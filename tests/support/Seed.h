#pragma once

#include <QString>

// Adds n subjects to the open database, an IDE row and a fully answered Answer row each, with the
// codes prefix + 0 ... prefix + (n - 1). One transaction; false if anything failed.
bool SeedSubjects(int n, const QString &prefix = QStringLiteral("S"));
