#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

// A PostgreSQL server of the tests' own: a fresh cluster in a temporary folder, listening only on
// a socket in that folder (no network), started on first use and stopped when the test program
// ends. Tests run on it when KORVAT_TEST_SERVER is set: every test program folder then holds a
// server.ini naming a fresh database of its own, with the program's tables, which the program
// reaches as the examiners' role "examiner" (given exactly the rights the schema tool prints).
class TestServer
{
public:
    // Whether this run of the tests is on the server rather than the file.
    static bool Wanted();
    // The server, started if it is not yet; check isRunning().
    static TestServer &Instance();

    bool isRunning() const { return m_running; }
    QString failure() const { return m_failure; }
    QString socketFolder() const { return m_dir.path(); }

    // A fresh database with the program's tables and the delivered settings row and statements;
    // its name, or empty when it could not be made.
    QString createDatabase();
    void dropDatabase(const QString &name);
    // Makes the database to anew as a copy of from (which nobody may be connected to), the way a
    // file is copied over another; false if it could not be made.
    bool copyDatabase(const QString &from, const QString &to);
    // server.ini naming a database for a user ("examiner" unless given).
    QString settingsText(const QString &database, const QString &user = QString()) const;

    // Runs a statement in a database as the cluster's superuser; the first column of every row,
    // or an empty list and ok false when it failed.
    QVariantList read(const QString &database, const QString &sql, const QVariantList &values = {},
                      bool *ok = nullptr);
    bool exec(const QString &database, const QString &sql)
    {
        bool ok = false;
        read(database, sql, {}, &ok);
        return ok;
    }

    // Stops and starts the server itself, for the tests of a server that goes away.
    bool stop();
    bool start();
    // Stops it after ms, from another process, while this one waits on it.
    void stopAfter(int ms);

    // The cluster's superuser, which owns the program's tables.
    static QString AdminUser() { return QStringLiteral("korvat_admin"); }
    // A role that must give a password ("guarded"), and its password.
    static QString GuardedUser() { return QStringLiteral("guarded"); }
    static QString GuardedPassword() { return QStringLiteral("لیلی-1403"); }

    ~TestServer();

private:
    TestServer();
    bool run(const QStringList &command, QString *output = nullptr);
    QString binary(const QString &name) const;

    QTemporaryDir m_dir;
    QString m_bin;
    bool m_running = false;
    QString m_failure;
    int m_serial = 0;
};

// The database name a program folder's server.ini names, or empty when the folder has none.
QString ServerDatabaseOf(const QString &databasePath);
