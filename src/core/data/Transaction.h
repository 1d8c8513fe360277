#pragma once

#include "common/Result.h"

#include <QList>
#include <QPointer>
#include <QString>

class Cursor;

// Makes several writes one: either all of them reach the file or none. Transactions nest: an
// inner one joins the outermost, and a failure anywhere inside rolls the whole back. Without
// commit(), the destructor rolls back.
//
//     Transaction tx;
//     if (answers.save() && subjects.save() && tx.commit()) ...
//
// Cursors that wrote inside it learn the outcome: on commit what they wrote is stored; on
// rollback (a refused write, or a commit the file refused) every change they wrote is unsaved
// again, so nothing the user typed is lost and nothing moves to another row.
class Transaction
{
public:
    Transaction();
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    // Whether writes may go ahead in it: begun, and nothing in it has failed. Writes made when it
    // is not would reach the file outside any transaction.
    bool isOpen() const;
    // Success when the writes are in the file (for an inner transaction: not yet failed).
    Result commit();
    // Why it failed; for an inner transaction, why the one it joined failed.
    Result error() const;

    // A cursor that writes inside the running transaction.
    static void Enlist(Cursor *cursor);
    static bool IsRunning();

    // Told when a transaction begins to wait for another program that holds the file (true) and
    // when the wait is over (false), so that the windows can show it. While it waits, the
    // program's events are served (timers, drawing; the user's input waits), and the wait ends
    // with the file's busy failure once the connection's busy limit has passed.
    using WaitObserver = void (*)(bool waiting);
    static void SetWaitObserver(WaitObserver observer);

private:
    void rollBack();
    // Runs BEGIN or COMMIT until it gets through or the busy limit has passed.
    bool runWaiting(const QString &statement);
    void restoreBusyLimit();
    // Tells every cursor that wrote inside the transaction how it ended.
    static void Notify(const QList<QPointer<Cursor>> &cursors, bool committed);

    bool m_outermost = false;
    bool m_finished = false;
    bool m_refused = false; // begun while another transaction waited: never part of anything
    int m_busyLimitMs = -1; // the connection's own, while the transaction waits in slices
    Result m_error;
};
