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
// Returns the empty text on success, otherwise a Persian message that names the path.
QString OpenDatabase(const QString &path);

// Closes the connection opened by OpenDatabase; cursors must be gone by then.
void CloseDatabase();

bool IsDatabaseOpen();

// The database refused a second row with the same unique value.
bool IsDuplicateError(const QSqlError &error);

// An identifier (table or field name) quoted for SQL text.
QString QuotedName(const QString &name);
