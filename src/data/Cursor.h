#pragma once

#include <QObject>
#include <QSqlError>
#include <QString>

class QSqlTableModel;

// A window's view of one whole table with a current row. Rows come in stored order and are
// fetched from the file as they are needed, so opening, filtering and counting a large table
// stays cheap. Changes stay in the cursor until save().
class Cursor : public QObject
{
    Q_OBJECT

public:
    explicit Cursor(const QString &table, QObject *parent = nullptr);

    QString table() const { return m_table; }
    QSqlTableModel *model() const { return m_model; }

    // The whole table, in stored order, no filter. The first row becomes current.
    bool open();
    // Reads the table again from the file: drops the filter and every unsaved change.
    bool reread();
    // Reads again with the same filter; unsaved changes are dropped.
    bool refresh();
    // Keeps the rows whose field equals text exactly (no trimming, no partial match).
    bool filter(const QString &field, const QString &text);
    bool isFiltered() const;

    // Exact number of rows the cursor holds, unsaved new rows included.
    int count() const;
    bool isEmpty() const { return count() == 0; }

    // -1 when the cursor holds no row.
    int currentRow() const;
    bool moveTo(int row);

    // A new empty row at the end, made current.
    bool add();
    // Writes a field of the current row (in the cursor; save() writes it to the file).
    bool setField(const QString &field, const QString &value);
    // A field of the current row as text; the empty text when there is no current row.
    QString field(const QString &name) const;
    int fieldIndex(const QString &name) const;

    // Writes the pending changes to the file, as one transaction (or as part of a running one).
    // On failure the changes stay in the cursor and lastError() tells why.
    bool save();
    // Removes the current row from the file at once.
    bool deleteCurrent();

    bool hasUnsavedChanges() const;
    QSqlError lastError() const { return m_error; }
    // The last save was refused because its code (a unique field) is taken.
    bool lastErrorIsDuplicate() const;

    // Loads rows from the file until row is in the cursor's model.
    void ensureFetched(int row) const;

signals:
    // The current row changed to another row (or to none, -1), or its contents were read again.
    void currentRowChanged(int row);
    // Emitted first by save(): bound widgets write their values into the current row.
    void aboutToSave();
    // The current row was saved; it holds what the bound widgets show, and currentRow() tells
    // where it stands now.
    void currentRowSaved();

private:
    bool select();
    bool hasStoredRows() const;
    void setCurrent(int row);
    bool fail(const QSqlError &error);

    QString m_table;
    QString m_filter;
    QSqlTableModel *m_model;
    mutable int m_row = -1;
    // A saved new row is the last of the cursor; its number is counted only when asked for.
    mutable bool m_rowIsLast = false;
    QSqlError m_error;
};
