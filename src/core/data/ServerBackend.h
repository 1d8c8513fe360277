#pragma once

#include "common/Result.h"
#include "data/ServerSettings.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

class Backend;

// The shared register on a PostgreSQL server: the backend OpenDatabase uses when server.ini
// names one. Its location is the path of that server.ini.
Backend &ServerBackend();

// The column that names a stored row on the server, in stored order (the file's rowid).
inline const char *const ServerRowKey = "RowNo";

// Opens a connection of the given name to the server the settings name, for the schema tool, a
// backup or a test: the server's reason when it cannot be reached (not yet for the user).
Result ConnectToServer(const ServerSettings &settings, const QString &connectionName,
                       const QString &password = QString());

// A second connection of the given name to the server that the server.ini at settingsPath names,
// with the password the program's own connection was given for it: for a backup's snapshot or a
// restore.
Result OpenSecondServerConnection(const QString &settingsPath, const QString &connectionName);

// The statements of the database's schema (tables and indexes), as the delivered file has them.
QStringList SchemaStatements();

// The program's tables on an empty database of the server, in one transaction: the four tables
// with their unique codes, filter indexes and row keys, the settings row and the 56 statements.
// Refuses a database that already holds any of the tables, and changes nothing then.
Result CreateServerTables(QSqlDatabase &db);

// The lines that give a role exactly what the program needs of the tables.
QStringList ServerGrantLines(const QString &role);
