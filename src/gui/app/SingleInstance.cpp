#include "app/SingleInstance.h"

#include "common/Text.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStorageInfo>

SingleInstance::SingleInstance(const QString &folder)
    : m_folder(folder), m_path(QDir(folder).filePath(QStringLiteral("korvat.lock"))), m_lock(m_path)
{
    // A readable lock is stale only when its process is gone, however long it has been held.
    m_lock.setStaleLockTime(0);
}

QString SingleInstance::DefaultFolder()
{
#if defined(Q_OS_WIN)
    // The user's own temporary folder; the "runtime" location there is the home folder.
    return QDir::tempPath();
#else
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return folder.isEmpty() ? QDir::tempPath() : folder;
#endif
}

SingleInstance::Outcome SingleInstance::acquire()
{
    m_failure.clear();
    if (m_lock.tryLock(0))
        return Outcome::Guarded;
    if (m_lock.error() == QLockFile::LockFailedError) {
        // QLockFile has already taken over a readable lock whose program is gone.
        if (isHeld())
            return Outcome::AlreadyRunning;
        m_lock.removeStaleLockFile();
        if (m_lock.tryLock(0))
            return Outcome::Guarded;
        if (m_lock.error() == QLockFile::LockFailedError && isHeld())
            return Outcome::AlreadyRunning; // another program started in between
    }
    m_failure = text(SingleInstanceText::Unguarded).arg(describeFailure());
    return Outcome::Unguarded;
}

bool SingleInstance::isHeld() const
{
    const QFileInfo file(m_path);
    if (!file.exists())
        return false; // its program has just ended
    qint64 pid = 0;
    QString host;
    QString application;
    if (m_lock.getLockInfo(&pid, &host, &application))
        return true;
    // A clock put back can make the file look as if it came from the future: as old as that.
    const qint64 age = file.lastModified().msecsTo(QDateTime::currentDateTime());
    return qAbs(age) <= UnreadableLockStaleMs;
}

QString SingleInstance::describeFailure() const
{
    const QFileInfo folder(m_folder);
    const QString shown = QDir::toNativeSeparators(m_folder);
    if (!folder.isDir())
        return text(SingleInstanceText::NoFolder).arg(shown);
    if (m_lock.error() == QLockFile::PermissionError || !folder.isWritable())
        return text(SingleInstanceText::NoPermission).arg(shown);
    const QStorageInfo storage(m_folder);
    if (storage.isValid() && storage.bytesAvailable() == 0)
        return text(SingleInstanceText::DiskFull).arg(shown);
    return text(SingleInstanceText::NotMade).arg(QDir::toNativeSeparators(m_path));
}
