#include "TmpfsMount.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace {
bool run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

QString fillerPath(const QString &folder)
{
    return QDir(folder).filePath(QStringLiteral(".filler"));
}
} // namespace

TmpfsMount::TmpfsMount(const QString &folder, const QString &size) : m_folder(folder)
{
    QDir().mkpath(folder);
    m_mounted = run(QStringLiteral("mount"),
                    {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                     QStringLiteral("size=") + size, QStringLiteral("tmpfs"), folder});
}

TmpfsMount::~TmpfsMount()
{
    if (m_mounted)
        run(QStringLiteral("umount"), {QStringLiteral("-l"), m_folder});
}

bool TmpfsMount::remountReadOnly()
{
    return m_mounted && run(QStringLiteral("mount"),
                            {QStringLiteral("-o"), QStringLiteral("remount,ro"), m_folder});
}

bool TmpfsMount::fill()
{
    QFile filler(fillerPath(m_folder));
    if (!filler.open(QIODevice::WriteOnly))
        return false;
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
    // A last short piece, down to the last byte the file system gives.
    const QByteArray byte(1, 'x');
    while (filler.write(byte) == 1 && filler.flush()) {
    }
    return true;
}

void TmpfsMount::unfill()
{
    QFile::remove(fillerPath(m_folder));
}

ReadOnlyFolder::ReadOnlyFolder(const QString &folder) : m_folder(folder)
{
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    if (QFileInfo(folder).isWritable()) {
        m_mount = std::make_unique<TmpfsMount>(folder, QStringLiteral("64k"));
        m_mount->remountReadOnly();
    }
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    m_mount.reset();
    QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

bool ReadOnlyFolder::isReadOnly() const
{
    return !QFileInfo(m_folder).isWritable();
}

BindMount::BindMount(const QString &source, const QString &target) : m_target(target)
{
    m_mounted = run(QStringLiteral("mount"), {QStringLiteral("--bind"), source, target});
}

BindMount::~BindMount()
{
    if (m_mounted)
        run(QStringLiteral("umount"), {QStringLiteral("-l"), m_target});
}

LoopDisk::LoopDisk(const QString &image, const QString &folder, int megabytes) : m_folder(folder)
{
    QFile file(image);
    if (!file.open(QIODevice::WriteOnly) || !file.resize(qint64(megabytes) << 20))
        return;
    file.close();
    if (run(QStringLiteral("mkfs.ext4"), {QStringLiteral("-q"), QStringLiteral("-F"), image})) {
        QDir().mkpath(folder);
        m_mounted = run(QStringLiteral("mount"),
                        {QStringLiteral("-o"), QStringLiteral("loop"), image, folder});
    }
}

LoopDisk::LoopDisk(const QString &image, const QString &folder) : m_folder(folder)
{
    QDir().mkpath(folder);
    m_mounted =
        run(QStringLiteral("mount"), {QStringLiteral("-o"), QStringLiteral("loop"), image, folder});
}

LoopDisk::~LoopDisk()
{
    if (m_mounted)
        run(QStringLiteral("umount"), {m_folder});
}
