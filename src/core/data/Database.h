#pragma once

#include <QSqlError>
#include <QString>
#include <QStringList>

// The four tables of the database and their fields, exactly as stored.
namespace Schema {
QStringList Tables();
QStringList Fields(const QString &table);
} // namespace Schema

// Opens the database file as the program's one connection, without ever creating it. Refuses a
// missing file, a file that is not a database and a database without the program's tables.
// Also refuses a file another program holds locked (after waiting busyTimeoutMs), a read-only
// file or folder, a file whose codes are not unique, a file holding a trigger (which would run
// with every save), and a file that cannot be kept in the rollback-journal mode a byte copy can
// back up. Adds the indexes the windows' lookups need when
// they are missing. Returns the empty text on success, otherwise a Persian message that names
// the path; a refused file is left as it was.
const int DefaultBusyTimeoutMs = 5000;
QString OpenDatabase(const QString &path, int busyTimeoutMs = DefaultBusyTimeoutMs);

// Closes the connection opened by OpenDatabase; cursors must be gone by then.
void CloseDatabase();

bool IsDatabaseOpen();

// Whether a file is a database the program can open as its own: every page intact (SQLite's
// integrity check), and the checks of OpenDatabase (tables, fields, unique codes, no trigger, a
// journal mode a byte copy can back up), through a connection of its own. The file may be switched
// to that journal mode, so use it on a file that is the program's to change, such as a fresh copy.
// Returns the empty text when it is, otherwise why not (in Persian).
QString CheckDatabaseFile(const QString &path);

// Why a read failed, to follow the caller's own heading: the file busy, or the engine's reason.
QString DescribeReadFailure(const QSqlError &error);

// A failed write described for the user (in Persian): another program holds the file, the disk
// is full, and so on.
QString DescribeWriteFailure(const QSqlError &error);

// The database refused a second row with the same unique value.
bool IsDuplicateError(const QSqlError &error);

// An identifier (table or field name) quoted for SQL text.
QString QuotedName(const QString &name);
