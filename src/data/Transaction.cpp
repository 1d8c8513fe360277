#include "data/Transaction.h"

#include "data/Cursor.h"

#include <QSqlDatabase>
#include <QSqlError>

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
        if (!QSqlDatabase::database().transaction()) {
            m_error = QSqlDatabase::database().lastError().text();
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
        return m_error.isEmpty();
    RunningTransaction &state = running();
    if (!m_outermost) {
        m_finished = true;
        --state.depth;
        return !state.doomed;
    }
    if (state.doomed) {
        rollBack();
        if (m_error.isEmpty())
            m_error = QStringLiteral("rolled back after a failed write");
        return false;
    }
    QSqlDatabase db = QSqlDatabase::database();
    if (!db.commit()) {
        m_error = db.lastError().text();
        rollBack();
        return false;
    }
    m_finished = true;
    --state.depth;
    state.cursors.clear();
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
    QSqlDatabase::database().rollback();
    const QList<QPointer<Cursor>> cursors = state.cursors;
    state.cursors.clear();
    state.doomed = false;
    // Cursors whose save went through now show rows the file no longer has. A cursor whose own
    // save failed keeps its unsaved changes, so the user can correct them and save again.
    for (const QPointer<Cursor> &cursor : cursors)
        if (cursor && !cursor->hasUnsavedChanges())
            cursor->refresh();
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
