#pragma once

#include <QList>
#include <QPointer>
#include <QSqlError>
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

    // True when the writes are in the file (for an inner transaction: not yet failed).
    bool commit();
    QSqlError error() const { return m_error; }
    QString errorText() const { return m_error.text(); }

    // A cursor that writes inside the running transaction.
    static void Enlist(Cursor *cursor);
    static bool IsRunning();

private:
    void rollBack();
    // Tells every cursor that wrote inside the transaction how it ended.
    static void Notify(const QList<QPointer<Cursor>> &cursors, bool committed);

    bool m_outermost = false;
    bool m_finished = false;
    QSqlError m_error;
};
