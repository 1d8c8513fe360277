#pragma once

#include "common/Result.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <functional>

// One table of the database as an item model, for a cursor and for the views and bound widgets
// that show it. Rows come in stored order (rowid order) and are read a page at a time, only when
// someone asks for them; no query stays open between calls, so an idle program holds no lock on
// the file. Every row is written back by its rowid, and only while the file still holds there,
// field for field, what this model read or last wrote: a write can only ever reach the row it was
// read from, never a row another program put in its place.
//
// The model holds, in this order: the head, the first rows of the stored order as far as they
// have been read; then, while rows between are still unread, a tail of rows known to be the last
// ones (the last row looked up, rows saved by this model); then new rows not yet in the file.
//
// Changes stay in the model until they are written inside a transaction; what was written is taken
// for stored only when the transaction commits. When it rolls back, every row is unsaved again,
// with exactly the values it showed.
class TableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit TableModel(QObject *parent = nullptr);

    // Learns the table's fields from the file; no rows are read.
    bool setTable(const QString &table);
    QString tableName() const { return m_table; }
    QStringList fields() const { return m_fields; }
    int fieldIndex(const QString &field) const { return m_fields.indexOf(field); }

    // Drops every row and every unsaved change and reads the first rows of the stored order:
    // those whose field in column equals value exactly, or all rows when column is -1.
    bool select(int column = -1, const QString &value = QString());
    bool isFiltered() const { return m_filterColumn >= 0; }
    int filterColumn() const { return m_filterColumn; }
    QString filterValue() const { return m_filterValue; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant &value,
                       int role = Qt::EditRole) override;
    bool canFetchMore(const QModelIndex &parent = QModelIndex()) const override;
    void fetchMore(const QModelIndex &parent = QModelIndex()) override;

    // The number of rows the cursor holds: stored rows that match, and new rows. Counted in the
    // file (one COUNT) only while some stored rows are unread. -1 when the count failed.
    int totalRows();
    // Whether the cursor holds any row; asks the file at most whether one row exists.
    bool hasRows();
    // A row's place in the cursor's order (0 is the first), and the model row at a place (reading
    // the rows up to it when needed); -1 when there is none.
    int placeOf(int row);
    int rowAt(int place);
    // The model row after row in the cursor's order, read from the file if needed; -1 at the end.
    int nextRow(int row);
    // The model row of the last row of the cursor, read from the file if needed; -1 when empty.
    int lastRow();

    // Every row the cursor holds, in its order, each as its values of fields (an unknown field
    // gives the empty text), handed to take one by one and kept nowhere here: a report of 100,000
    // rows leaves the window's cursor as small as it was. Rows the model holds (read, edited or
    // new) come as it shows them, the rest straight from the file a page at a time, with no
    // statement left open between pages. take returns false to stop there. False (and
    // lastError()) when the file could not be read.
    bool readThrough(const QStringList &fields,
                     const std::function<bool(const QStringList &values)> &take);

    // A new empty row at the end; its model row.
    int appendRow();
    bool isDirty() const;
    // Drops every unsaved change: new rows go, edited rows show the file's values again.
    void revert();

    // Writes the unsaved changes to the file. Call inside a transaction, and endTransaction() with
    // its outcome.
    bool writeChanges();
    // Deletes a row from the file (inside a transaction); it leaves the model when that commits.
    // A new row, never written, simply leaves the model.
    bool deleteRow(int row);
    void endTransaction(bool committed);
    // Whether the file still holds a stored row as this model read or last wrote it, field for
    // field; false (and lastError()) when the file could not be read, or when it does not, with
    // the message that another program changed or removed it.
    bool isStillStored(int row);

    Result lastError() const { return m_error; }

private:
    struct Row
    {
        QVector<QVariant> values; // what the cursor shows
        QVector<QVariant> file;   // what the file holds, as this connection sees it
        qint64 rowid = 0;         // 0: not in the file
        bool deleted = false;     // deleted in the running transaction
        // The row as it was before the running transaction wrote it.
        bool touched = false;
        QVector<QVariant> fileBefore;
        qint64 rowidBefore = 0;
    };

    QString rowColumns() const;
    // A query of the cursor's rows: the filter, then the conditions given, then tail.
    QString statement(const QString &columns, QStringList conditions, QVariantList *values,
                      const QString &tail) const;
    // Prepares, binds and runs a statement; false (and lastError()) when any step fails.
    bool run(QSqlQuery &query, const QString &sql, const QVariantList &values);
    // Runs a query of one value; an invalid value when it found no row.
    bool readValue(const QString &sql, const QVariantList &values, QVariant *value);
    bool fetch(int rows);
    bool readRows(const QString &sql, const QVariantList &values, QVector<Row> *rows);
    bool isRowDirty(const Row &row) const;
    bool writeRow(Row &row);
    // The condition that finds a stored row, and its values.
    QString rowMatch(const Row &row, QVariantList *values) const;
    void touch(Row &row);
    void removeRowAt(int row);
    qint64 tailBound() const;
    bool fail(const QSqlError &error);
    bool fail(const Result &refusal);

    QString m_table;
    QStringList m_fields;
    int m_filterColumn = -1;
    QString m_filterValue;
    bool m_matchesNothing = false; // a filter text no stored value can hold

    QVector<Row> m_rows;
    int m_head = 0;       // rows [0, m_head) are the first rows of the stored order
    bool m_gap = false;   // stored rows between the head and the tail are still unread
    int m_fileCount = -1; // matching rows in the file, when known
    int m_touched = 0;    // rows written in the running transaction
    QHash<int, QVariant> m_headers;
    Result m_error;
    bool m_writing = false; // in writeChanges() or deleteRow(): a failure is a write's
};
