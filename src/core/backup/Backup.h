#pragma once

#include "common/Result.h"

#include "data/Database.h"

#include <QString>
#include <QTime>

#include <functional>

// Copies of the database file: a backup made from it, and a backup put back in its place. On the
// shared register of a server, the same calls make and restore the same portable file (see
// ServerCopy.h). Every
// copy goes in chunks and lets the user interface handle its pending events before each chunk,
// so the windows stay alive (a clock runs, the window repaints) while a large file is copied.
// Nothing here shows anything: each call says how it went, and why in Persian when it failed.
namespace Backup {

// Not 4096: the copy has always gone in chunks of this size.
constexpr qint64 ChunkSize = 4048;

// Backup files end so: the letters m, d, b and a capital B.
inline const char *const FileExtension = ".mdbB";

// The time as the backup window's clock shows it: the hour without a leading zero, a point and
// two digits of minutes (9.05, 14.30).
QString ClockText(const QTime &time);

// The name a new backup is offered under, from the date and the clock the window shows, for
// example "در تاريخ1393.7.15 ساعت)9.05).mdbB".
QString DefaultFileName(const QString &dateText, const QString &clockText);

// A name typed for a new backup without an extension gets the backup's own, so that the restore
// dialog, which shows backup files only, offers it later. A name that already stands for
// something (a file, a folder, a link) is kept as typed; so is one with another extension.
QString WithFileExtension(const QString &path);

// After each chunk: the bytes copied so far and the whole length.
using Progress = std::function<void(qint64 copied, qint64 total)>;

// Copies source to destination byte for byte. The bytes go into a temporary file beside the
// destination, which takes the destination's place only when every byte is written and on the
// disk: a copy that fails (an unreadable source, a full disk, a folder without write
// permission) leaves the destination exactly as it was, an old file whole and a new one absent.
// Fails with Failure::NotCopied, saying why.
Result CopyDatabaseFile(const QString &source, const QString &destination,
                        const Progress &progress = {});

// Why a backup may not be written at destination, or the empty text: it is the database itself,
// or beside it under a name the database engine takes for one of its own files (its journal,
// WAL and shared-memory files), also through a link; or it is something other than a regular
// file (a folder, a device, a named pipe), which the backup would replace. Nothing is touched.
QString BackupDestinationRefusal(const QString &database, const QString &destination);

// Makes a backup of the database file at database. While the bytes are copied a read
// transaction keeps every other program's write off the file, so the backup is one complete,
// consistent database; when another program is in the middle of writing, it waits for it up to
// busyTimeoutMs and then gives up. Refuses a destination that BackupDestinationRefusal refuses.
// Fails with Failure::NotCopied when the bytes could not be copied (a source that cannot be read,
// a destination that cannot be written, a full disk), and with Failure::Refused when it was
// refused before a byte was copied; in both cases nothing was changed.
Result BackUpDatabase(const QString &database, const QString &destination,
                      const Progress &progress = {}, int busyTimeoutMs = DefaultBusyTimeoutMs);

// Puts the backup source in the place of the database file. The source is first copied beside
// the database and that copy checked (it must be a whole database of this program); only then
// is the program's connection closed and the copy renamed over the database file in one step.
// Anything wrong on the way (not a database of this program, a truncated file, another program
// using the database, a full disk) leaves the database file exactly as it was, and the
// program's connection open again. After a restore the connection stays closed: the program
// ends, and its next start opens the restored data.
// Fails with Failure::NotCopied when the source could not be copied or its copy is no database of
// this program, and with Failure::Refused when the copy could not be put in place.
Result RestoreDatabase(const QString &source, const QString &database,
                       const Progress &progress = {}, int busyTimeoutMs = DefaultBusyTimeoutMs);

// Removes what a restore that was stopped half-way (the program killed, the power gone) left
// beside the database: the copy it was about to put in place, under the one name a restore gives
// it, and that copy's own journal files. Only regular files under exactly those names go, never
// a link, a folder, or the database itself under another name. For the start of the program,
// while no other copy of it runs.
void RemoveRestoreLeftover(const QString &database);

} // namespace Backup
