#include "common/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString &overriddenFolder()
{
    static QString folder;
    return folder;
}
} // namespace

QString ProgramFolder()
{
    if (!overriddenFolder().isEmpty())
        return overriddenFolder();
    return QCoreApplication::applicationDirPath();
}

void SetProgramFolder(const QString &folder)
{
    overriddenFolder() = folder.isEmpty() ? QString() : QDir(folder).absolutePath();
}

QString DatabaseFilePath()
{
    return QDir(ProgramFolder()).filePath(QStringLiteral("DBKORVAT/DBKorvat.mdb"));
}

QString BackupFolderPath()
{
    return QDir(ProgramFolder()).filePath(QStringLiteral("Back"));
}

QString SkinFilePath(const QString &fileName)
{
    return QDir(ProgramFolder()).filePath(fileName);
}
