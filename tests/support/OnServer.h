#pragma once

#include "TestServer.h"

#include <QString>
#include <QTest>

// Whether this run of the tests is on the shared register on the tests' server (KORVAT_TEST_SERVER)
// rather than on the database file.
inline bool OnServer()
{
    return TestServer::Wanted();
}

// Skips, on a server run, a case about the database file itself (its journal, its disk, its
// permissions, its bytes), which the server's register does not have; reason says what of the file
// the case is about.
#define FILE_ONLY(reason)                                                                          \
    do {                                                                                           \
        if (OnServer())                                                                            \
            QSKIP("about the database file alone: " reason);                                       \
    } while (false)

// The column that names a stored row, in stored order, for SQL a test writes: the file's rowid, the
// server's "RowNo".
inline QString RowKey()
{
    return OnServer() ? QStringLiteral("\"RowNo\"") : QStringLiteral("rowid");
}
