#include "FileCache.h"

#include <QtGlobal>

#if defined(Q_OS_LINUX)
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace {
QString systemError(const char *call)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(call),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}
} // namespace

bool DropFromCache(const QString &path, QString *why)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (why)
            *why = systemError("open");
        return false;
    }
    // Dirty pages are not dropped: they go to disk first.
    bool ok = ::fsync(fd) == 0;
    if (!ok && why)
        *why = systemError("fsync");
    const int advice = ok ? ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED) : 0;
    if (advice != 0) {
        ok = false;
        if (why)
            *why = QStringLiteral("posix_fadvise: %1")
                       .arg(QString::fromLocal8Bit(std::strerror(advice)));
    }
    ::close(fd);
    return ok;
}

double CachedShare(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat info;
    double share = -1;
    if (::fstat(fd, &info) == 0 && info.st_size > 0) {
        const size_t size = size_t(info.st_size);
        // Mapping without touching reads nothing; mincore only looks at the cache.
        void *map = ::mmap(nullptr, size, PROT_READ, MAP_SHARED, fd, 0);
        if (map != MAP_FAILED) {
            const long page = ::sysconf(_SC_PAGESIZE);
            std::vector<unsigned char> resident((size + size_t(page) - 1) / size_t(page));
            if (::mincore(map, size, resident.data()) == 0) {
                size_t cached = 0;
                for (unsigned char flags : resident)
                    cached += flags & 1;
                share = double(cached) / double(resident.size());
            }
            ::munmap(map, size);
        }
    } else if (::fstat(fd, &info) == 0) {
        share = 0; // an empty file has nothing to cache
    }
    ::close(fd);
    return share;
}

#else

bool DropFromCache(const QString &, QString *why)
{
    if (why)
        *why = QStringLiteral("this system gives no way to drop a file from its cache");
    return false;
}

double CachedShare(const QString &)
{
    return -1;
}

#endif
