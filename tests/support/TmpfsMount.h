#pragma once

#include <QString>
#include <QTest>

#include <memory>

// Skips the test where the system lets it mount no file system (only root may, on Linux).
#define SKIP_UNLESS_MOUNTED(mount)                                                                 \
    do {                                                                                           \
        if (!(mount).isMounted())                                                                  \
            QSKIP("mounting a file system is not allowed here");                                   \
    } while (false)

// A small tmpfs mounted over a folder, where the system lets a test mount one (as root on
// Linux): a full disk and a read-only folder made real rather than pretended.
class TmpfsMount
{
public:
    // size as mount takes it, for example "2m".
    TmpfsMount(const QString &folder, const QString &size);
    ~TmpfsMount();
    TmpfsMount(const TmpfsMount &) = delete;
    TmpfsMount &operator=(const TmpfsMount &) = delete;

    bool isMounted() const { return m_mounted; }
    bool remountReadOnly();
    // Fills what room is left with one file; false if it could not be made.
    bool fill();
    // Gives the room back.
    void unfill();

private:
    QString m_folder;
    bool m_mounted = false;
};

// A folder nobody may write into: its permissions taken away, and where that does not stop this
// user (root does as it likes), an empty read-only tmpfs mounted over it as well. Writable again
// when the object goes.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString &folder);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;
    bool isReadOnly() const;

private:
    QString m_folder;
    std::unique_ptr<TmpfsMount> m_mount;
};

// Mounts another file over target (a bind mount), so that a file stays writable inside a folder
// that is not. Unmounted when the object goes.
class BindMount
{
public:
    BindMount(const QString &source, const QString &target);
    ~BindMount();
    BindMount(const BindMount &) = delete;
    BindMount &operator=(const BindMount &) = delete;
    bool isMounted() const { return m_mounted; }

private:
    QString m_target;
    bool m_mounted = false;
};

// An ext4 file system in an image file, mounted over a folder through a loop device (as root on
// Linux). A copy of the image taken while it is mounted holds what the file system has sent to its
// disk and nothing that waits in the system's cache: the disk as a power cut would leave it.
class LoopDisk
{
public:
    // A new file system of that many megabytes in image, mounted over folder.
    LoopDisk(const QString &image, const QString &folder, int megabytes);
    // The file system an image already holds (a copy taken earlier), mounted over folder.
    LoopDisk(const QString &image, const QString &folder);
    ~LoopDisk();
    LoopDisk(const LoopDisk &) = delete;
    LoopDisk &operator=(const LoopDisk &) = delete;
    bool isMounted() const { return m_mounted; }

private:
    QString m_folder;
    bool m_mounted = false;
};
