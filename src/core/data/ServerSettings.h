#pragma once

#include "common/Result.h"

#include <QString>

// Where the shared register of a clinic with several PCs lives: the database server named by
// server.ini beside the database file. Without that file the program uses the file.
//
//     [server]
//     host=db.clinic.local        ; a name, an address, or a folder for a local socket
//     port=5432                   ; optional, 5432
//     database=korvat
//     user=examiner
//     sslmode=verify-full         ; optional, prefer
//
// or, instead of host, port, database and user, service=NAME from the server library's own
// service file. The password is never written here: it comes from the server library's password
// file or service file, or the program asks for it at start.
struct ServerSettings
{
    QString file; // the server.ini read
    QString host;
    int port = 0; // not given: the server library's default, 5432
    QString database;
    QString user;
    QString sslmode = QStringLiteral("prefer");
    QString service;

    // Where the register is, for the user: host and port (or the service), and the database.
    QString shownPlace() const;
    // The host and port alone (or the service), as the user reads them in a message.
    QString shownServer() const;
};

// server.ini beside the database file at databasePath.
QString ServerSettingsPath(const QString &databasePath);

// Reads server.ini. A file that cannot be read, is not INI, names a key the program does not
// know, gives a value it cannot take or leaves out one it needs fails with Failure::Refused and a
// Persian message that names the file and the key.
Result ReadServerSettings(const QString &path, ServerSettings *settings);
