#pragma once

#include <QString>
#include <QTimer>
#include <QVariant>

#include <memory>

// Another program's connection to a database file (or, on a server run, another PC's to the
// folder's database on the tests' server) (a second copy of the program, a backup tool):
// what it holds, the program under test has to wait for or be refused by. Whatever it still holds
// is rolled back, and its connection closed, when the object goes.
class OtherProgram
{
public:
    // busyTimeoutMs: how long it waits for a lock itself; -1 leaves SQLite's default.
    explicit OtherProgram(const QString &path, int busyTimeoutMs = -1);
    ~OtherProgram();
    OtherProgram(const OtherProgram &) = delete;
    OtherProgram &operator=(const OtherProgram &) = delete;

    bool isOpen() const { return m_open; }
    // Runs one statement and reads its rows to the end; false if it failed.
    bool exec(const QString &sql);
    // Runs one statement and gives the first column of its first row; null if there is none.
    QVariant firstValue(const QString &sql);
    QString lastError() const { return m_error; }

    // A reader in the middle of a transaction (which keeps the read's lock): a commit has to wait.
    // (On the server readers hold nothing a commit waits for.)
    bool holdReadLock();
    // A writer that has begun: no other write can begin.
    bool holdWriteLock();
    // A writer committing: nobody can even read.
    bool holdExclusiveLock();
    // Whether it is another PC on the tests' server rather than a program on the file.
    bool onServer() const { return m_server; }
    // A trigger that refuses, with the message "refused", every operation (INSERT, UPDATE or
    // DELETE) on a table, as a damaged or hostile file might.
    bool refuse(const char *operation, const QString &table);
    // Lets go of every lock, and drops the trigger refuse() added.
    bool letGo();
    // Lets go of the locks it holds ms from now, while the program under test waits for them: on
    // the file from a timer, served between the slices that wait is made of; on the server, where
    // the program's statement itself waits and serves no events, the server ends this PC's session
    // once it has sat in its transaction that long, as it does for a PC that hangs.
    bool letGoAfter(int ms);

private:
    QString m_name;
    bool m_open = false;
    bool m_refusing = false;
    bool m_server = false;
    QString m_error;
    std::unique_ptr<QTimer> m_release;
};

// How long the program's own connection waits for another program's lock before it gives up, so
// that a test of a held file need not sit out the program's own patience.
bool SetBusyTimeout(int ms);
