#include "backup/Backup.h"
#include "backup/NativePath.h"

#include "backup/ServerCopy.h"

#include "common/Text.h"
#include "data/Database.h"
#include "data/FileLock.h"
#include "data/ServerSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>
#include <QThread>

#include <filesystem>
#include <memory>
#include <system_error>

namespace BackupText {
// The parts of a backup's default name, around the date and the clock.
const char *const OnDate = "در تاريخ";
const char *const AtHour = " ساعت)";
// Paths are isolated as left-to-right text so that they read correctly inside a Persian sentence.
const char *const NotAFile = "\u2066%1\u2069 فایل نیست.";
const char *const Unreadable = "فایل \u2066%1\u2069 خوانده نشد:\n\u2066%2\u2069";
const char *const Changed = "فایل \u2066%1\u2069 هنگام رونوشت تغییر کرد.";
const char *const FolderUnwritable =
    "در پوشه‌ی \u2066%1\u2069 نمی‌توان فایل نوشت:\n\u2066%2\u2069";
const char *const WriteFailed = "نوشتن فایل \u2066%1\u2069 کامل نشد:\n\u2066%2\u2069";
const char *const DiskFull = "جای خالی دیسک برای فایل \u2066%1\u2069 کافی نیست.";
const char *const OldKept = "فایل قبلی دست نخورد.";
const char *const SameFile =
    "نسخه‌ی پشتیبان را نمی‌توان روی خود پایگاه داده یا روی فایل‌هایی که پایگاه داده کنار خود "
    "می‌سازد (\u2066-journal\u2069، \u2066-wal\u2069، \u2066-shm\u2069) نوشت. "
    "مسیر دیگری انتخاب کنید.";
const char *const NotAFileToReplace =
    "\u2066%1\u2069 فایل نیست (پوشه است یا فایل ویژه‌ی سیستم) و نسخه‌ی پشتیبان جای آن را "
    "نمی‌گیرد. نام دیگری انتخاب کنید.";
const char *const DatabaseUnreadable = "پایگاه داده \u2066%1\u2069 باز نشد:\n\u2066%2\u2069";
const char *const InUse =
    "برنامه‌ی دیگری اکنون در پایگاه داده می‌نویسد. کمی بعد دوباره امتحان کنید.";
const char *const WalMode =
    "پایگاه داده در حالتی (WAL) است که رونوشت فایل آن کامل نمی‌ماند. برنامه‌های دیگری را که آن را "
    "باز کرده‌اند ببندید و دوباره امتحان کنید.";
const char *const NotOurs =
    "این فایل نسخه‌ی پشتیبان پایگاه داده‌ی این برنامه نیست:";
const char *const Untouched = "پایگاه داده دست نخورد.";
const char *const NotReplaced = "پایگاه داده جایگزین نشد:\n\u2066%1\u2069";
} // namespace BackupText

namespace {
QString shown(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

void fail(QString *failure, const QString &why)
{
    if (failure)
        *failure = why;
}

// Runs work on a thread of its own while this one goes on handling its events, and returns when
// the work is done. For the steps that wait on the disk (seconds on a slow memory stick) or read a
// whole file through without a break: the window stays alive meanwhile. The work must not touch
// the user interface.
void besideEvents(const std::function<void()> &work)
{
    if (!QCoreApplication::instance()) {
        work();
        return;
    }
    QEventLoop loop;
    std::unique_ptr<QThread> thread(QThread::create(work));
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    loop.exec();
    thread->wait();
}

// Why a write into destination stopped: a full disk said as such, anything else as the system
// says it.
QString writeFailure(const QString &destination, const QString &reason, qint64 remaining)
{
    const QStorageInfo disk(QFileInfo(destination).absolutePath());
    if (disk.isValid() && disk.bytesAvailable() < remaining + Backup::ChunkSize)
        return text(BackupText::DiskFull).arg(shown(destination));
    return text(BackupText::WriteFailed).arg(shown(destination), reason);
}

// The copy proper, from a source already open.
int copyOpened(QFile &from, const QString &destination, QString *failure,
               const Backup::Progress &progress)
{
    const qint64 total = from.size();
    // Written in place of a folder, a device or a named pipe, the copy would take its place.
    const QFileInfo there(destination);
    if (there.exists() && !there.isFile()) {
        fail(failure, text(BackupText::NotAFile).arg(shown(destination)));
        return 0;
    }
    QSaveFile to(destination);
    if (!to.open(QIODevice::WriteOnly)) {
        fail(failure, text(BackupText::FolderUnwritable)
                          .arg(QDir::toNativeSeparators(QFileInfo(destination).absolutePath()),
                               to.errorString()));
        return 0;
    }
    QByteArray chunk;
    qint64 copied = 0;
    while (copied < total) {
        // The window's turn: its clock ticks, it repaints, its progress bar moves.
        if (QCoreApplication::instance())
            QCoreApplication::processEvents();
        const qint64 size = qMin(Backup::ChunkSize, total - copied);
        chunk.resize(size);
        const qint64 read = from.read(chunk.data(), size);
        if (read != size) {
            to.cancelWriting();
            fail(failure,
                 read < 0
                     ? text(BackupText::Unreadable).arg(shown(from.fileName()), from.errorString())
                     : text(BackupText::Changed).arg(shown(from.fileName())));
            return 0;
        }
        if (to.write(chunk.constData(), size) != size) {
            fail(failure, writeFailure(destination, to.errorString(), total - copied));
            to.cancelWriting();
            return 0;
        }
        copied += size;
        if (progress)
            progress(copied, total);
    }
    // A source that grew while it was copied would leave a copy cut short.
    char extra;
    if (from.read(&extra, 1) != 0) {
        to.cancelWriting();
        fail(failure, text(BackupText::Changed).arg(shown(from.fileName())));
        return 0;
    }
    // Written out, on the disk, and only then in the destination's place.
    bool committed = false;
    besideEvents([&to, &committed] { committed = to.commit(); });
    if (!committed) {
        fail(failure, writeFailure(destination, to.errorString(), 0));
        return 0;
    }
    return 1;
}

bool openSource(QFile &from, QString *failure)
{
    const QFileInfo info(from.fileName());
    // A folder, a device or a pipe is no file to copy: a device may read without end.
    if (info.exists() && !info.isFile()) {
        fail(failure, text(BackupText::NotAFile).arg(shown(from.fileName())));
        return false;
    }
    if (!from.open(QIODevice::ReadOnly)) {
        fail(failure, text(BackupText::Unreadable).arg(shown(from.fileName()), from.errorString()));
        return false;
    }
    return true;
}

// The names the database engine gives its own files beside the database: a backup written
// under one of them would be played into the database, or wiped, at its next opening.
const char *const EngineSuffixes[] = {"", "-journal", "-wal", "-shm"};

// The database itself, or one of the engine's own files beside it. Compared without regard to
// case, as the file systems of most clinics' computers compare names.
bool isDatabaseOrItsOwn(const QString &database, const QString &path)
{
    const QFileInfo base(database);
    const QFileInfo target(path);
    if (base.exists() && target.exists() && base.canonicalFilePath() == target.canonicalFilePath())
        return true;
    const QString baseFolder = base.absoluteDir().canonicalPath();
    if (baseFolder.isEmpty() || baseFolder != target.absoluteDir().canonicalPath())
        return false;
    for (const char *suffix : EngineSuffixes)
        if (target.fileName().compare(base.fileName() + QLatin1String(suffix),
                                      Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// Where a write to path lands: a link is followed to its end, even to a file not there yet, as
// the copy itself follows it.
QString linkEnd(const QString &path)
{
    QFileInfo info(path);
    for (int depth = 0; depth < 64 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.absoluteFilePath();
}

QString stagedPath(const QString &database)
{
    return database + QStringLiteral(".restoring");
}

void removeWithSideFiles(const QString &path)
{
    for (const char *suffix : EngineSuffixes)
        QFile::remove(path + QLatin1String(suffix));
}

} // namespace

QString Backup::ClockText(const QTime &time)
{
    return QStringLiteral("%1.%2").arg(time.hour()).arg(time.minute(), 2, 10, QChar(u'0'));
}

QString Backup::DefaultFileName(const QString &dateText, const QString &clockText)
{
    return text(BackupText::OnDate) + dateText + text(BackupText::AtHour) + clockText + u')' +
           QLatin1String(FileExtension);
}

namespace {
int copyFile(const QString &source, const QString &destination, QString *failure,
             const Backup::Progress &progress)
{
    QFile from(source);
    if (!openSource(from, failure))
        return 0;
    return copyOpened(from, destination, failure, progress);
}

// How a backup or a restore went, inside: the window shows a copy that failed and a refusal in
// boxes of their own.
enum class Outcome {
    Made,
    // The bytes could not be copied: a source that cannot be read, a destination that cannot be
    // written, a full disk; for a restore, also a copy that is no database of this program.
    CopyFailed,
    // Refused before a byte was copied, or the copy not put in place: nothing was changed.
    Refused,
};

Result resultOf(Outcome outcome, const QString &failure)
{
    switch (outcome) {
    case Outcome::Made:
        return {};
    case Outcome::CopyFailed:
        return Result::Failed(Failure::NotCopied, failure);
    case Outcome::Refused:
        break;
    }
    return Result::Failed(Failure::Refused, failure);
}
} // namespace

Result Backup::CopyDatabaseFile(const QString &source, const QString &destination,
                                const Progress &progress)
{
    QString failure;
    if (!copyFile(source, destination, &failure, progress))
        return Result::Failed(Failure::NotCopied, failure);
    return {};
}

QString Backup::WithFileExtension(const QString &path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (name.isEmpty() || info.exists() || info.isSymLink())
        return path;
    // An extension is what follows the last point: letters and digits, at least one letter.
    // "9.05)" or "1403.2.17" ends no extension.
    const qsizetype point = name.lastIndexOf(u'.');
    bool letter = false;
    bool plain = point >= 0 && point + 1 < name.size();
    for (qsizetype i = point + 1; plain && i < name.size(); ++i) {
        const char16_t c = name.at(i).unicode();
        if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'))
            letter = true;
        else if (c < u'0' || c > u'9')
            plain = false;
    }
    if (plain && letter)
        return path;
    QString stem = path;
    while (stem.endsWith(u'.'))
        stem.chop(1);
    return stem + QLatin1String(FileExtension);
}

QString Backup::BackupDestinationRefusal(const QString &database, const QString &destination)
{
    if (isDatabaseOrItsOwn(database, destination) ||
        isDatabaseOrItsOwn(database, linkEnd(destination)))
        return text(BackupText::SameFile);
    // A link is followed: one to a folder or a device is refused as they are.
    const QFileInfo there(destination);
    if (there.exists() && !there.isFile())
        return text(BackupText::NotAFileToReplace).arg(shown(destination));
    return {};
}

namespace {
Outcome backUp(const QString &database, const QString &destination, QString *failure,
               const Backup::Progress &progress, int busyTimeoutMs)
{
    using namespace Backup;
    const QString refusal = BackupDestinationRefusal(database, destination);
    if (!refusal.isEmpty()) {
        fail(failure, refusal);
        return Outcome::Refused;
    }
    const bool existed = QFileInfo::exists(destination);
    if (const QString server = ServerSettingsPath(database); QFileInfo::exists(server)) {
        const Result made = BackUpServer(server, destination, progress);
        if (made)
            return Outcome::Made;
        fail(failure, made.description());
        if (!made.is(Failure::NotCopied))
            return Outcome::Refused;
        if (existed && failure)
            *failure += u'\n' + text(BackupText::OldKept);
        return Outcome::CopyFailed;
    }
    QFile from(database);
    if (!openSource(from, failure))
        return Outcome::CopyFailed;
    int copied = 0;
    {
        // A read transaction: no other program can write into the file until it ends, and a
        // write some program left half-done is rolled back first.
        FileLock reader(database, busyTimeoutMs);
        bool walMode = false;
        const Result held = reader.holdAgainstWriters(&walMode);
        if (!held) {
            fail(failure, held.is(Failure::FileBusy)
                              ? text(BackupText::InUse)
                              : text(BackupText::DatabaseUnreadable)
                                    .arg(shown(database), held.description()));
            return Outcome::Refused;
        }
        // In WAL mode committed data may sit in a side file that a copy of the file misses.
        if (walMode) {
            fail(failure, text(BackupText::WalMode));
            return Outcome::Refused;
        }
        copied = copyOpened(from, destination, failure, progress);
        // The transaction ends here, before the file is closed: closing any handle on the file
        // would let go of this process's locks on it.
    }
    from.close();
    if (copied)
        return Outcome::Made;
    if (existed && failure)
        *failure += u'\n' + text(BackupText::OldKept);
    return Outcome::CopyFailed;
}

Outcome restore(const QString &source, const QString &database, QString *failure,
                const Backup::Progress &progress, int busyTimeoutMs)
{
    using namespace Backup;
    const auto refuse = [failure](const QString &why, Outcome outcome) {
        fail(failure, why + u'\n' + text(BackupText::Untouched));
        return outcome;
    };
    // The source's bytes are copied beside the database first, and it is that copy that is
    // checked and then put in place: what is checked is what becomes the database.
    const QString staged = stagedPath(database);
    removeWithSideFiles(staged);
    QString why;
    if (!copyFile(source, staged, &why, progress))
        return refuse(why, Outcome::CopyFailed);
    Result checked;
    besideEvents([&staged, &checked] { checked = CheckDatabaseFile(staged); });
    if (!checked) {
        removeWithSideFiles(staged);
        return refuse(text(BackupText::NotOurs) + u'\n' + checked.description(),
                      Outcome::CopyFailed);
    }
    if (const QString server = ServerSettingsPath(database); QFileInfo::exists(server)) {
        // The checked copy's rows replace the server's in one transaction; the program's own
        // connection then closes, as after a restore of the file, and the program ends.
        const Result restored = RestoreServer(server, staged, progress);
        removeWithSideFiles(staged);
        if (!restored) {
            fail(failure, restored.description());
            return restored.is(Failure::NotCopied) ? Outcome::CopyFailed : Outcome::Refused;
        }
        CloseDatabase();
        return Outcome::Made;
    }
    QFile::setPermissions(staged,
                          QFile::permissions(database) | QFile::ReadOwner | QFile::WriteOwner);

    // Let go of the database, then make sure no other program is in the middle of a write to it
    // (a write it left half-done is rolled back here, so no stale journal can later be played
    // into the restored file).
    const bool wasOpen = IsDatabaseOpen();
    CloseDatabase();
    // From here on the copy is made and checked: what fails is putting it in place.
    const auto giveBack = [&](const QString &why) {
        removeWithSideFiles(staged);
        // The old database is still in place: the program goes on with it, or says why not.
        const Result reopened = wasOpen ? OpenDatabase(database, busyTimeoutMs) : Result();
        return refuse(reopened ? why : why + u'\n' + reopened.description(), Outcome::Refused);
    };
    {
        FileLock writer(database, busyTimeoutMs);
        const Result held = writer.holdAlone();
        if (!held)
            return giveBack(held.is(Failure::FileBusy)
                                ? text(BackupText::InUse)
                                : text(BackupText::DatabaseUnreadable)
                                      .arg(shown(database), held.description()));
    }
    // One step: the database file is the old one or the restored one, never a mix.
    // Letting go of a large old file takes the system a moment.
    std::error_code error;
    besideEvents([&] { std::filesystem::rename(NativePath(staged), NativePath(database), error); });
    if (error)
        return giveBack(text(BackupText::NotReplaced).arg(QString::fromStdString(error.message())));
    return Outcome::Made;
}

} // namespace

Result Backup::BackUpDatabase(const QString &database, const QString &destination,
                              const Progress &progress, int busyTimeoutMs)
{
    QString failure;
    const Outcome outcome = backUp(database, destination, &failure, progress, busyTimeoutMs);
    return resultOf(outcome, failure);
}

Result Backup::RestoreDatabase(const QString &source, const QString &database,
                               const Progress &progress, int busyTimeoutMs)
{
    QString failure;
    const Outcome outcome = restore(source, database, &failure, progress, busyTimeoutMs);
    return resultOf(outcome, failure);
}

void Backup::RemoveRestoreLeftover(const QString &database)
{
    const QString staged = stagedPath(database);
    for (const char *suffix : EngineSuffixes) {
        const QString path = staged + QLatin1String(suffix);
        const QFileInfo info(path);
        if (info.isSymLink() || !info.isFile())
            continue;
        // A second name of the database itself (a hard link) is no leftover.
        std::error_code error;
        if (std::filesystem::equivalent(NativePath(path), NativePath(database), error) || error)
            continue;
        QFile::remove(path);
    }
}
