#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>

// A temporary program folder for one test: DBKORVAT/ with a fresh copy of the delivered database,
// Back/ and the skins. The program folder points here while the object lives; the database is
// closed and the folder removed when it goes.
class TestProgramFolder
{
public:
    TestProgramFolder();
    ~TestProgramFolder();

    bool isValid() const { return m_valid; }
    QString path() const { return m_dir.path(); }
    QString databasePath() const;
    // Opens the copy as the program's connection; the empty text on success.
    QString openDatabase() const;
    // Puts a copy of another database file in the folder, in place of the delivered one. On a
    // server run source is another folder's database path: the folder's server database is made
    // anew as a copy of the one source's server.ini names (false where it names none).
    bool replaceDatabase(const QString &source) const;
    // What the program's messages name the register by: the file's path, or on a server run the
    // server's place (host:port/database).
    QString shownPlace() const;

    // On a server run: the folder's own database on the tests' server (see TestServer).
    QString serverDatabase() const { return m_serverDatabase; }

private:
    QTemporaryDir m_dir;
    bool m_valid = false;
    QString m_serverDatabase;
};

// The database file as the build delivers it.
QString DeliveredDatabasePath();

// SHA-256 of a file's bytes; empty when it cannot be read.
QByteArray FileHash(const QString &path);
// A file's bytes; empty when it cannot be read.
QByteArray ReadFile(const QString &path);
// Writes a file anew with the bytes; false if it could not be written whole.
bool WriteFile(const QString &path, const QByteArray &bytes);

// Reads a database file through a connection of its own, the way a second program would: what a
// test sees here is in the file, not in some cursor. Returns the first column of every row. Where
// server.ini stands beside the file (a server run), reads the server's database instead.
QVariantList ReadFromFile(const QString &path, const QString &sql,
                          const QVariantList &values = QVariantList());
// The first column of the first row, read so; null when there is none.
inline QVariant ReadOneFromFile(const QString &path, const QString &sql,
                                const QVariantList &values = QVariantList())
{
    return ReadFromFile(path, sql, values).value(0);
}
// The column that names a stored row in what ReadFromFile reads, in stored order: rowid in the
// file, "RowNo" in the server's database.
QString RowKeyIn(const QString &path);
// Every row of the tables (all the program's tables unless named), in stored order, each as
// "table|rowid|" and every field quoted: what "nothing else changed" compares, read so.
QStringList EveryRow(const QString &path, const QStringList &tables = QStringList());
// The same rows without their row keys, which a file and a server number apart (a backup of the
// server, a restore onto it): what "the same data" compares across them.
QStringList EveryRowWithoutKeys(const QString &path, const QStringList &tables = QStringList());
// How many rows a table of the file holds, or how many with that code where one is given; -1 when
// the file cannot be read.
int CountInFile(const QString &path, const QString &table, const QString &code = QString());

// Adds to a database file, through a connection of its own, the trigger a crafted backup would
// carry: with any save of a subject's row it deletes another subject and writes a false total.
// The file stays whole, with every table, field and unique code. False if it could not be added.
bool AddScoreRewritingTrigger(const QString &path);

// For tests that start the real program. A copy of the built program in folder, made executable;
// its path.
QString InstallProgram(const QString &folder);
// DBKORVAT/ in folder with a fresh copy of the delivered database, writable by its owner.
bool InstallDatabase(const QString &folder);
// The environment a started program gets: its instance lock in a folder of the tests' own, never
// in the user's (a program the user has open does not stop the tests, and they do not stop it), and
// its start-up said on stderr ("main window shown", "main window painted").
QProcessEnvironment
ProgramEnvironment(QProcessEnvironment env = QProcessEnvironment::systemEnvironment());
