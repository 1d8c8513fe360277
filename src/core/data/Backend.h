#pragma once

#include "common/Result.h"

#include <QSqlError>
#include <QString>

// Everything particular to one database engine, behind one interface: how the register is
// opened and checked at start, how a stored row is named for good, how the engine's errors read,
// how a write takes the database and how long it waits for another program. The rest of the data
// layer (cursors, the register, transactions) writes plain SQL with quoted names and bound values
// and asks the backend for the rest. Two backends: the database file (SQLite), and the shared
// register of a clinic with several PCs on a PostgreSQL server.
class Backend
{
public:
    virtual ~Backend() = default;

    // Opens the register as the program's one connection, with the start-up checks; a refused
    // database is left as it was.
    virtual Result open(const QString &location, int busyTimeoutMs) = 0;
    virtual void close() = 0;

    // The shared register on a server rather than the file beside the program.
    virtual bool isServer() const { return false; }

    // The column that names a stored row for as long as it is stored, in stored order.
    virtual QString rowKey() const = 0;
    // Whether an INSERT gives back the new row's key itself (RETURNING) rather than through the
    // driver's last insert id.
    virtual bool insertReturnsKey() const { return false; }
    // An SQL expression of a row's code written in the digits 0 to 9 (Persian and Arabic-Indic
    // digits replaced), without the blanks around it when trimmed is set.
    virtual QString codeInLatinDigits(bool trimmed) const = 0;

    // A query of every distinct non-empty value of a field, one a row, in no particular order.
    virtual QString distinctValuesQuery(const QString &table, const QString &field) const;

    // Whether a text value may hold U+0000 (the server's text type cannot).
    virtual bool storesNul() const { return true; }

    // The engine's error as the user reads it, after a read and after a write.
    virtual Result readFailure(const QSqlError &error) const = 0;
    virtual Result writeFailure(const QSqlError &error) const = 0;
    // Another program holds the database: worth waiting for.
    virtual bool isBusy(const QSqlError &error) const = 0;
    // The statement named a table the database does not have.
    virtual bool isMissingTable(const QSqlError &error) const = 0;

    // Before a read or a save point outside any transaction: a connection lost earlier (a server
    // that stopped) is made again, so that the next save stores what is waiting in the windows.
    virtual void reconnectIfLost() {}
    // Just before COMMIT: fails when the running transaction can no longer store everything it
    // wrote (the engine ended it at a failed statement).
    virtual Result checkBeforeCommit() { return {}; }

    // The statement that begins a write transaction holding the write lock from its start.
    virtual QString beginWrite() const = 0;
    // Whether a transaction waits for another program at BEGIN and COMMIT, in slices with the
    // windows served between them; otherwise each statement waits up to the busy limit itself.
    virtual bool waitsInSlices() const { return true; }
    // How long a statement waits for another program before it fails as busy (-1: unknown).
    virtual int busyLimitMs() const = 0;
    virtual void setBusyLimitMs(int ms) = 0;

    // The backend in use: the one the last OpenDatabase chose, the file before any.
    static Backend &Current();
};
