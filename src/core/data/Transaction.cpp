#include "data/Transaction.h"

#include "data/Backend.h"
#include "data/Cursor.h"
#include "data/Database.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace {
// A wait for another program is made of slices this long, with the program's events served
// between them.
const int WaitSliceMs = 40;

Transaction::WaitObserver waitObserver = nullptr;

bool isBusy(const QSqlError &error)
{
    return Backend::Current().isBusy(error);
}

struct RunningTransaction
{
    int depth = 0;
    bool doomed = false;  // an inner transaction failed: the outermost must roll back
    bool waiting = false; // the outermost waits for another program to let go of the file
    Result failure;       // why the outermost cannot go on
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
    if (state.waiting) {
        // Begun from an event served while another transaction waits for the file (a timer):
        // it would run inside that one unannounced. It is refused as the file being busy.
        m_refused = true;
        m_finished = true;
        m_error = BusyFailure();
        return;
    }
    if (state.depth == 0) {
        m_outermost = true;
        state.doomed = false;
        state.cursors.clear();
        Backend &backend = Backend::Current();
        backend.reconnectIfLost();
        // The write lock is taken at the start: a transaction of ours only ever writes, and one
        // that holds the lock from its first statement never has to give way half-way.
        if (backend.waitsInSlices()) {
            m_busyLimitMs = backend.busyLimitMs();
            if (m_busyLimitMs >= 0)
                backend.setBusyLimitMs(WaitSliceMs);
        }
        state.failure = Result();
        if (!runWaiting(Backend::Current().beginWrite())) {
            state.doomed = true;
            state.failure = m_error;
        }
    }
    ++state.depth;
}

Transaction::~Transaction()
{
    if (!m_finished)
        rollBack();
}

Result Transaction::commit()
{
    if (m_finished)
        return m_error;
    RunningTransaction &state = running();
    if (!m_outermost) {
        m_finished = true;
        --state.depth;
        return state.doomed ? error() : Result();
    }
    if (state.doomed) {
        if (m_error.ok())
            m_error = error();
        rollBack();
        return m_error;
    }
    // Run as a statement of ours rather than through the driver, which drops SQLite's own
    // code: a file held by another program must be told apart from a full disk.
    // A commit that waits for readers to finish leaves the transaction running: tried again.
    if (const Result ended = Backend::Current().checkBeforeCommit(); !ended) {
        m_error = ended;
        rollBack();
        return m_error;
    }
    if (!runWaiting(QStringLiteral("COMMIT"))) {
        rollBack();
        return m_error;
    }
    restoreBusyLimit();
    m_finished = true;
    --state.depth;
    const QList<QPointer<Cursor>> cursors = state.cursors;
    state.cursors.clear();
    Notify(cursors, true);
    return {};
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
    restoreBusyLimit();
    const QList<QPointer<Cursor>> cursors = state.cursors;
    state.cursors.clear();
    state.doomed = false;
    Notify(cursors, false);
}

bool Transaction::runWaiting(const QString &statement)
{
    QElapsedTimer waited;
    waited.start();
    bool told = false;
    bool done = false;
    RunningTransaction &state = running();
    state.waiting = true;
    for (;;) {
        QSqlQuery query(QSqlDatabase::database());
        done = query.exec(statement);
        if (done || !isBusy(query.lastError()) || waited.elapsed() >= m_busyLimitMs) {
            if (!done)
                m_error = WriteFailure(query.lastError());
            break;
        }
        if (!told && waitObserver) {
            told = true;
            waitObserver(true);
        }
        // Drawing and timers go on; what the user types and clicks waits for the outcome.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, WaitSliceMs / 2);
    }
    state.waiting = false;
    if (told)
        waitObserver(false);
    return done;
}

void Transaction::restoreBusyLimit()
{
    if (m_busyLimitMs < 0)
        return;
    Backend::Current().setBusyLimitMs(m_busyLimitMs);
    m_busyLimitMs = -1;
}

void Transaction::SetWaitObserver(WaitObserver observer)
{
    waitObserver = observer;
}

void Transaction::Enlist(Cursor *cursor)
{
    RunningTransaction &state = running();
    if (state.depth > 0 && !state.cursors.contains(cursor))
        state.cursors << cursor;
}

Result Transaction::error() const
{
    if (!m_error.ok())
        return m_error;
    if (!running().failure.ok())
        return running().failure;
    if (m_refused || running().doomed)
        return NotStored(); // rolled back after a failed write
    return {};
}

bool Transaction::isOpen() const
{
    return !m_refused && !m_finished && !running().doomed;
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
