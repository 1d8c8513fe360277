#pragma once

#include "common/Result.h"

#include <QString>

// A connection of its own to the database file, for the backup's byte copy of it and the
// restore's replacing of it: it holds the file against other programs while the bytes are
// copied or the file is replaced. It is opened without ever creating a file, and it lets go of
// the file when it goes. While another program holds the file it tries again, up to the busy
// limit, and the program's events are served meanwhile.
class FileLock
{
public:
    FileLock(const QString &path, int busyTimeoutMs);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    // No other program can write into the file until this goes, and a write some program left
    // half-done is rolled back first. *walMode tells whether the file is in a mode that keeps
    // committed data in a side file, which a copy of the file alone would miss.
    Result holdAgainstWriters(bool *walMode);
    // No other program can read or write the file until this goes.
    Result holdAlone();

private:
    Result run(const QString &statement, QString *value = nullptr);

    QString m_name;
    int m_busyTimeoutMs = 0;
    Result m_opened;
};
