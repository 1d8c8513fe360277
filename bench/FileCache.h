#pragma once

#include <QString>

// The system's cache of file contents, for timing an operation on a file that has to come from
// the disk. Linux only (posix_fadvise, mincore); elsewhere the calls say they cannot.

// Writes the file's pages to disk and asks the system to drop them from its cache. False, with
// the reason in *why, where the system does not allow it.
bool DropFromCache(const QString &path, QString *why = nullptr);

// The share (0 to 1) of the file's pages now in the system's cache; -1 where it cannot be told.
double CachedShare(const QString &path);
