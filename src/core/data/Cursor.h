#pragma once

#include "common/Result.h"

#include <QObject>
#include <QPersistentModelIndex>
#include <QString>

#include <initializer_list>

class TableModel;

// A window's view of one whole table with a current row. Rows come in stored order and are read
// from the file only as they are needed, so opening, filtering, adding, saving and reading back
// cost the same whatever the size of the table. Changes stay in the cursor until save(); a save
// that does not reach the file (refused, or its transaction rolled back) leaves them there.
class Cursor : public QObject
{
    Q_OBJECT

public:
    explicit Cursor(const QString &table, QObject *parent = nullptr);

    QString table() const { return m_table; }

    // Opens, or reads again, each cursor of a window: at its start, or after a step whose outcome
    // the user has been told. A cursor that cannot be read stays empty, and the next step on it
    // says why; what went wrong goes to the program's log.
    static void OpenEach(std::initializer_list<Cursor *> cursors);
    static void RereadEach(std::initializer_list<Cursor *> cursors);
    // The rows as an item model, for views, lists and bound widgets.
    TableModel *model() const { return m_model; }

    // The whole table, in stored order, no filter. The first row becomes current.
    Result open();
    // Reads the table again from the file: drops the filter and every unsaved change.
    Result reread();
    // Reads again with the same filter; unsaved changes are dropped.
    Result refresh();
    // Keeps the rows whose field equals text exactly (no trimming, no partial match). The text is
    // handed to the database as a value, never as part of the query.
    Result filter(const QString &field, const QString &text);
    bool isFiltered() const;

    // Exact number of rows the cursor holds, unsaved new rows included (one COUNT in the file at
    // most). -1 when the file could not be read.
    int count() const;
    // Whether the cursor holds no row; never counts.
    bool isEmpty() const;

    // The current row's place in the cursor (0 is the first); -1 when there is none.
    int currentRow() const;
    // The current row as a row of model(); -1 when there is none.
    int modelRow() const;
    bool moveTo(int row);
    bool moveFirst();
    bool moveLast();
    bool moveNext();

    // A new empty row at the end, made current.
    Result add();
    // Writes a field of the current row (in the cursor; save() writes it to the file).
    Result setField(const QString &field, const QString &value);
    // A field of the current row as text; the empty text when there is no current row.
    QString field(const QString &name) const;
    int fieldIndex(const QString &name) const;

    // Writes the pending changes to the file, as one transaction (or as part of a running one,
    // and then for good only when it commits). On failure the changes stay in the cursor and
    // lastError() tells why.
    Result save();
    // Drops the unsaved changes without reading anything: new rows go, edited rows show what the
    // file holds.
    void revert();
    // Removes the current row from the file (when a running transaction commits, if there is one).
    Result deleteCurrent();

    // Whether the file still holds the current row as this cursor read or last wrote it; false,
    // with lastError() saying why, when another program changed or removed it, or the file could
    // not be read. Inside a transaction, the check holds until it ends.
    Result isCurrentStillStored();

    bool hasUnsavedChanges() const;
    Result lastError() const { return m_error; }
    // The last save was refused because its code (a unique field) is taken.
    bool lastErrorIsDuplicate() const;

signals:
    // The current row changed to another row of model() (or to none, -1), or was read again.
    void currentRowChanged(int modelRow);
    // Emitted first by save(): bound widgets write their values into the current row.
    void aboutToSave();

private:
    friend class Transaction;
    // The transaction this cursor wrote in has ended.
    void transactionEnded(bool committed);

    bool opened() const;
    Result select(int column, const QString &value);
    void setCurrent(int modelRow);
    void moveToPlaceOf(int place);
    Result fail(const Result &failure);

    QString m_table;
    TableModel *m_model;
    QPersistentModelIndex m_current;
    // The place the current row had when it was deleted inside a running transaction.
    int m_deletedAt = -1;
    mutable Result m_error;
};
