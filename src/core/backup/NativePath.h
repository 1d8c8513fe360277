#pragma once

#include <QFile>
#include <QString>

#include <filesystem>

namespace Backup {
// A path as the system's own file calls take it (std::filesystem: rename, equivalence).
inline std::filesystem::path NativePath(const QString &path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}
} // namespace Backup
