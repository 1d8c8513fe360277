#pragma once

#include "common/Result.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QStringList>

// The four tables of the database and their fields, exactly as stored.
namespace Schema {
QStringList Tables();
QStringList Fields(const QString &table);
} // namespace Schema

// Opens the register as the program's one connection: the server that server.ini beside the file
// names (see ServerSettings), or else the database file itself, without ever creating it. Refuses a
// missing file, a file that is not a database and a database without the program's tables.
// Also refuses a file another program holds locked (after waiting busyTimeoutMs), a read-only
// file or folder, a file whose codes are not unique, a file holding a trigger (which would run
// with every save), and a file that cannot be kept in the rollback-journal mode a byte copy can
// back up. Adds the indexes the windows' lookups need when
// they are missing. On failure the description is a Persian message that names the path; a
// refused file is left as it was.
const int DefaultBusyTimeoutMs = 5000;
Result OpenDatabase(const QString &path, int busyTimeoutMs = DefaultBusyTimeoutMs);

// Told when a save begins to wait for another program that holds the file (true) and when the
// wait is over (false), so that the windows can show it (see Transaction).
using BusyWaitObserver = void (*)(bool waiting);
void SetBusyWaitObserver(BusyWaitObserver observer);

// Closes the connection opened by OpenDatabase; cursors must be gone by then.
void CloseDatabase();

bool IsDatabaseOpen();

// Whether a file is a database the program can open as its own: every page intact (SQLite's
// integrity check), and the checks of OpenDatabase (tables, fields, unique codes, no trigger, a
// journal mode a byte copy can back up), through a connection of its own. The file may be switched
// to that journal mode, so use it on a file that is the program's to change, such as a fresh copy.
// Fails with why not (in Persian) when it is not.
Result CheckDatabaseFile(const QString &path);

// A failed read as a result: the file busy, or the engine's reason (to follow the caller's own
// heading).
Result ReadFailure(const QSqlError &error);

// A failed write as a result, described for the user (in Persian): another program holds the
// file, the disk is full, a code that is registered already, and so on.
Result WriteFailure(const QSqlError &error);

// Another program holds the file past the busy limit.
Result BusyFailure();
// A write that did not happen, for no reason the engine gave (nothing to write it into).
Result NotStored();

// Every distinct value a field of a table holds, without the empty text, in no particular order:
// one pass over the field's index, whatever the size of the table.
Result ReadDistinctValues(const QString &table, const QString &field, QStringList *values);

// The program's one connection to the register, made again first if it was lost (a server that
// stopped) and no transaction is running.
QSqlDatabase RegisterConnection();

// Asks the user for the server's password when neither the server library's password file nor
// its service file gives one: where names the server; false when the user gave none. Asked at
// most once a start; the password is kept in memory only.
using PasswordAsker = bool (*)(const QString &where, QString *password);
void SetPasswordAsker(PasswordAsker asker);

// Whether the register in use is the shared one on a server.
bool IsServerRegister();

// An identifier (table or field name) quoted for SQL text.
QString QuotedName(const QString &name);
