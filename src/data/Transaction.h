#pragma once

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
class Transaction
{
public:
    Transaction();
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    // True when the writes are in the file (for an inner transaction: not yet failed).
    bool commit();
    QString errorText() const { return m_error; }

    // A cursor that saved inside the running transaction; after a rollback it is re-read so that
    // it shows the file as it is.
    static void Enlist(Cursor *cursor);
    static bool IsRunning();

private:
    void rollBack();

    bool m_outermost = false;
    bool m_finished = false;
    QString m_error;
};
