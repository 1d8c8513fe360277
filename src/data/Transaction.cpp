#include "data/Transaction.h"

#include "data/Cursor.h"

#include <QSqlDatabase>
#include <QSqlQuery>

namespace {
struct RunningTransaction
{
    int depth = 0;
    bool doomed = false; // an inner transaction failed: the outermost must roll back
    QList<QPointer<Cursor>> cursors;
};

RunningTransaction &running()
{
    static RunningTransaction state;
    return state;
}
} // namespace

Transaction::Transaction()
{
    RunningTransaction &state = running();
    if (state.depth == 0) {
        m_outermost = true;
        state.doomed = false;
        state.cursors.clear();
        QSqlQuery begin(QSqlDatabase::database());
        if (!begin.exec(QStringLiteral("BEGIN"))) {
            m_error = begin.lastError();
            state.doomed = true;
        }
    }
    ++state.depth;
}

Transaction::~Transaction()
{
    if (!m_finished)
        rollBack();
}

bool Transaction::commit()
{
    if (m_finished)
        return !m_error.isValid();
    RunningTransaction &state = running();
    if (!m_outermost) {
        m_finished = true;
        --state.depth;
        return !state.doomed;
    }
    if (state.doomed) {
        if (!m_error.isValid())
            m_error = QSqlError(QStringLiteral("rolled back after a failed write"), QString(),
                                QSqlError::TransactionError);
        rollBack();
        return false;
    }
    // Run as a statement of ours rather than through the driver, which drops SQLite's own
    // code: a file held by another program must be told apart from a full disk.
    QSqlQuery commitQuery(QSqlDatabase::database());
    if (!commitQuery.exec(QStringLiteral("COMMIT"))) {
        m_error = commitQuery.lastError();
        rollBack();
        return false;
    }
    m_finished = true;
    --state.depth;
    const QList<QPointer<Cursor>> cursors = state.cursors;
    state.cursors.clear();
    Notify(cursors, true);
    return true;
}

void Transaction::rollBack()
{
    RunningTransaction &state = running();
    m_finished = true;
    --state.depth;
    if (!m_outermost) {
        state.doomed = true;
        return;
    }
    // After a refused commit SQLite may have ended the transaction itself; rolling back what is
    // no longer there is harmless.
    QSqlQuery(QSqlDatabase::database()).exec(QStringLiteral("ROLLBACK"));
    const QList<QPointer<Cursor>> cursors = state.cursors;
    state.cursors.clear();
    state.doomed = false;
    Notify(cursors, false);
}

void Transaction::Enlist(Cursor *cursor)
{
    RunningTransaction &state = running();
    if (state.depth > 0 && !state.cursors.contains(cursor))
        state.cursors << cursor;
}

bool Transaction::IsRunning()
{
    return running().depth > 0;
}

void Transaction::Notify(const QList<QPointer<Cursor>> &cursors, bool committed)
{
    for (const QPointer<Cursor> &cursor : cursors)
        if (cursor)
            cursor->transactionEnded(committed);
}
