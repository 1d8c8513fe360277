#pragma once

#include "backup/Backup.h"
#include "common/Result.h"

#include <QString>

// Backup and restore of the shared register on a server, through the same portable file as the
// file's own backups: a database file of exactly the single-PC format, which restores on a
// single PC too.
namespace Backup {

// Writes the four tables of the server that the server.ini at settingsPath names into a new
// database file at destination, read from one consistent snapshot of the server (a read-only,
// repeatable-read transaction), rows in their stored order. The file is written beside the
// destination and takes its place only when whole and on the disk. Progress counts rows.
Result BackUpServer(const QString &settingsPath, const QString &destination,
                    const Progress &progress = {});

// Replaces the rows of the server's four tables with those of a checked database file, in one
// transaction: all of them or none. Progress counts rows.
Result RestoreServer(const QString &settingsPath, const QString &checkedFile,
                     const Progress &progress = {});

} // namespace Backup
