#pragma once

#include <QString>

// Every file the program uses is found relative to the program folder, the folder that holds the
// executable, and never relative to the working folder.
QString ProgramFolder();

// Points the program folder elsewhere (tests use a temporary copy); an empty path restores the
// executable's folder.
void SetProgramFolder(const QString &folder);

// DBKORVAT/DBKorvat.mdb under the program folder.
QString DatabaseFilePath();

// Back/ under the program folder: where backups are offered.
QString BackupFolderPath();

// A skin file, looked up by its bare name in the program folder.
QString SkinFilePath(const QString &fileName);
