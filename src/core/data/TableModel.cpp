#include "data/TableModel.h"

#include "data/Transaction.h"

#include "common/Text.h"
#include "data/Backend.h"
#include "data/Database.h"

#include <QScopedValueRollback>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>

namespace TableModelText {
const char *const BadText =
    "این متن نویسه‌ای نادرست دارد و در پایگاه داده ذخیره نمی‌شود.";
const char *const RowGone =
    "این ردیف دیگر در پایگاه داده نیست: برنامه‌ی دیگری آن را تغییر داده یا حذف کرده است. "
    "اطلاعات را دوباره باز کنید.";
const char *const NoTable = "جدول %1 در پایگاه داده نیست.";
} // namespace TableModelText

namespace {
// The first read brings what a window shows at once; views read on in larger pages.
const int FirstPage = 2;
const int Page = 256;

// The column that names a stored row, from the backend in use.
QString rowKey()
{
    return Backend::Current().rowKey();
}

QSqlDatabase connection()
{
    return RegisterConnection();
}

// Every value passes as text: an empty field and a missing one read the same.
bool sameText(const QVariant &a, const QVariant &b)
{
    return a.toString() == b.toString();
}

// Text the database cannot keep as it is: a lone surrogate (SQLite merges it with its neighbour
// on the way in), and on the server a NUL.
bool storable(const QVariant &value)
{
    if (value.typeId() != QMetaType::QString)
        return true;
    const QString text = value.toString();
    return text.isValidUtf16() && (Backend::Current().storesNul() || !text.contains(QChar(0)));
}

void bindAll(QSqlQuery &query, const QVariantList &values)
{
    for (const QVariant &value : values)
        query.addBindValue(value);
}
} // namespace

TableModel::TableModel(QObject *parent) : QAbstractTableModel(parent) {}

bool TableModel::setTable(const QString &table)
{
    beginResetModel();
    m_table = table;
    m_fields.clear();
    m_rows.clear();
    m_head = 0;
    m_gap = false;
    m_touched = 0;
    // The fields come from a query that reads no row, so that a file another program holds
    // reports itself as busy, not as a table that is missing.
    QSqlQuery probe(connection());
    const bool read = probe.exec(QStringLiteral("SELECT * FROM %1 LIMIT 0").arg(QuotedName(table)));
    const QSqlRecord record = read ? probe.record() : QSqlRecord();
    const QSqlError error = probe.lastError();
    probe.finish();
    // The server's row key is a column of the table, not one of its fields.
    for (int i = 0; i < record.count(); ++i)
        if (QuotedName(record.fieldName(i)) != rowKey())
            m_fields << record.fieldName(i);
    endResetModel();
    if (m_fields.isEmpty()) {
        if (read || Backend::Current().isMissingTable(error))
            return fail(
                Result::Failed(Failure::NotOurFile, text(TableModelText::NoTable).arg(table)));
        return fail(error);
    }
    m_error = Result();
    return true;
}

bool TableModel::select(int column, const QString &value)
{
    beginResetModel();
    m_rows.clear();
    m_head = 0;
    m_gap = true;
    m_fileCount = -1;
    m_touched = 0;
    m_filterColumn = column;
    m_filterValue = value;
    m_matchesNothing = column >= 0 && !storable(value);
    m_error = Result();
    bool ok = !m_fields.isEmpty();
    if (!ok) {
        fail(Result::Failed(Failure::NotOurFile, text(TableModelText::NoTable).arg(m_table)));
    } else if (m_matchesNothing) {
        m_gap = false;
    } else {
        QVariantList values;
        const QString sql = statement(
            rowColumns(), {}, &values,
            (QStringLiteral(" ORDER BY ") + rowKey() + QStringLiteral(" LIMIT %1")).arg(FirstPage));
        ok = readRows(sql, values, &m_rows);
        m_head = int(m_rows.size());
        if (!ok || m_rows.size() < FirstPage)
            m_gap = false;
    }
    endResetModel();
    return ok;
}

QString TableModel::rowColumns() const
{
    QStringList columns{rowKey()};
    for (const QString &field : m_fields)
        columns << QuotedName(field);
    return columns.join(u',');
}

QString TableModel::statement(const QString &columns, QStringList conditions, QVariantList *values,
                              const QString &tail) const
{
    // The filter's text is a value bound to the query, never a part of its text.
    if (m_filterColumn >= 0) {
        conditions.prepend(QuotedName(m_fields.at(m_filterColumn)) + QStringLiteral(" = ?"));
        values->prepend(m_filterValue);
    }
    QString sql =
        QStringLiteral("SELECT ") + columns + QStringLiteral(" FROM ") + QuotedName(m_table);
    if (!conditions.isEmpty())
        sql += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    return sql + tail;
}

bool TableModel::run(QSqlQuery &query, const QString &sql, const QVariantList &values)
{
    if (!query.prepare(sql))
        return fail(query.lastError());
    bindAll(query, values);
    return query.exec() || fail(query.lastError());
}

bool TableModel::readValue(const QString &sql, const QVariantList &values, QVariant *value)
{
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    if (!run(query, sql, values))
        return false;
    *value = query.next() ? query.value(0) : QVariant();
    const QSqlError error = query.lastError();
    query.finish();
    return error.isValid() ? fail(error) : true;
}

bool TableModel::readRows(const QString &sql, const QVariantList &values, QVector<Row> *rows)
{
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    if (!run(query, sql, values))
        return false;
    const int fields = int(m_fields.size());
    while (query.next()) {
        Row row;
        row.rowid = query.value(0).toLongLong();
        row.values.resize(fields);
        for (int i = 0; i < fields; ++i)
            row.values[i] = query.value(i + 1);
        row.file = row.values;
        rows->append(row);
    }
    const QSqlError error = query.lastError();
    // Finished at once: a statement left open would hold a read lock on the file.
    query.finish();
    if (error.isValid())
        return fail(error);
    return true;
}

qint64 TableModel::tailBound() const
{
    for (int i = m_head; i < m_rows.size(); ++i)
        if (m_rows.at(i).rowid != 0)
            return m_rows.at(i).rowid;
    return 0;
}

bool TableModel::fetch(int rows)
{
    if (!m_gap)
        return true;
    QStringList conditions;
    QVariantList values;
    if (m_head > 0) {
        conditions << rowKey() + QStringLiteral(" > ?");
        values << m_rows.at(m_head - 1).rowid;
    }
    // Rows of the tail, and rows this model inserted in a running transaction, are in already.
    if (const qint64 bound = tailBound()) {
        conditions << rowKey() + QStringLiteral(" < ?");
        values << bound;
    }
    const QString sql = statement(
        rowColumns(), conditions, &values,
        (QStringLiteral(" ORDER BY ") + rowKey() + QStringLiteral(" LIMIT %1")).arg(rows));
    QVector<Row> read;
    if (!readRows(sql, values, &read))
        return false;
    if (!read.isEmpty()) {
        beginInsertRows(QModelIndex(), m_head, m_head + int(read.size()) - 1);
        m_rows.insert(m_head, read.size(), Row());
        std::move(read.begin(), read.end(), m_rows.begin() + m_head);
        m_head += int(read.size());
        endInsertRows();
    }
    if (read.size() < rows) {
        m_gap = false;
        m_head = int(m_rows.size());
    }
    return true;
}

int TableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int TableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_fields.size());
}

QVariant TableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size() || index.column() >= m_fields.size() ||
        (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const QVariant &value = m_rows.at(index.row()).values.at(index.column());
    return value.isNull() ? QVariant(QString()) : value;
}

bool TableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.row() >= m_rows.size() || index.column() >= m_fields.size() ||
        role != Qt::EditRole)
        return false;
    QVariant &shown = m_rows[index.row()].values[index.column()];
    if (sameText(shown, value))
        return true;
    shown = value;
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags TableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return m_headers.value(section, m_fields.value(section));
}

bool TableModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant &value,
                               int role)
{
    if (orientation != Qt::Horizontal || role != Qt::EditRole || section < 0 ||
        section >= m_fields.size())
        return false;
    m_headers.insert(section, value);
    emit headerDataChanged(orientation, section, section);
    return true;
}

bool TableModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && m_gap;
}

void TableModel::fetchMore(const QModelIndex &parent)
{
    if (!parent.isValid())
        fetch(Page);
}

int TableModel::totalRows()
{
    if (!m_gap)
        return int(m_rows.size());
    // Shown rows the file does not hold (yet, or any more).
    int notInFile = 0;
    for (const Row &row : std::as_const(m_rows))
        if (row.rowid == 0 || row.deleted)
            ++notInFile;
    int inFile = m_fileCount;
    if (inFile < 0) {
        QVariantList values;
        QVariant counted;
        if (!readValue(statement(QStringLiteral("COUNT(*)"), {}, &values, QString()), values,
                       &counted))
            return -1;
        inFile = counted.toInt();
        // Counted in the middle of a transaction of ours, the figure holds rows that may yet
        // be rolled back: it is not kept.
        if (m_touched == 0)
            m_fileCount = inFile;
    }
    return inFile + notInFile;
}

bool TableModel::hasRows()
{
    if (!m_rows.isEmpty() || !m_gap)
        return !m_rows.isEmpty();
    QVariantList values;
    QVariant found;
    return readValue(statement(QStringLiteral("1"), {}, &values, QStringLiteral(" LIMIT 1")),
                     values, &found) &&
           found.isValid();
}

int TableModel::placeOf(int row)
{
    if (row < 0 || row >= m_rows.size())
        return -1;
    if (!m_gap || row < m_head)
        return row;
    // The tail ends the cursor's order: its place is counted back from the end.
    const int total = totalRows();
    return total < 0 ? -1 : total - (int(m_rows.size()) - row);
}

int TableModel::rowAt(int place)
{
    if (place < 0)
        return -1;
    if (m_gap && place >= m_head && m_rows.size() > m_head) {
        const int total = totalRows();
        const int tail = int(m_rows.size()) - m_head;
        if (total >= 0 && place >= total - tail)
            return place < total ? int(m_rows.size()) - (total - place) : -1;
    }
    // Just the rows up to it: views and walks read on in pages of their own.
    if (m_gap && place >= m_head)
        fetch(place - m_head + 1);
    if (m_gap && place >= m_head)
        return -1; // the read failed
    return place < m_rows.size() ? place : -1;
}

bool TableModel::readThrough(const QStringList &fields,
                             const std::function<bool(const QStringList &values)> &take)
{
    QVector<int> columns;
    QStringList selected{rowKey()};
    for (const QString &field : fields) {
        columns << fieldIndex(field);
        selected << (columns.last() < 0 ? QStringLiteral("''") : QuotedName(field));
    }
    auto shown = [&](const Row &row) {
        QStringList values;
        values.reserve(columns.size());
        for (const int column : std::as_const(columns))
            values << (column < 0 ? QString() : row.values.at(column).toString());
        return take(values);
    };
    for (int i = 0; i < m_head; ++i)
        if (!shown(m_rows.at(i)))
            return true;
    if (m_gap) {
        const int page = 1000;
        const qint64 bound = tailBound();
        bool started = m_head > 0;
        qint64 after = started ? m_rows.at(m_head - 1).rowid : 0;
        for (;;) {
            QStringList conditions;
            QVariantList values;
            if (started) {
                conditions << rowKey() + QStringLiteral(" > ?");
                values << after;
            }
            if (bound) {
                conditions << rowKey() + QStringLiteral(" < ?");
                values << bound;
            }
            const QString sql = statement(
                selected.join(u','), conditions, &values,
                (QStringLiteral(" ORDER BY ") + rowKey() + QStringLiteral(" LIMIT %1")).arg(page));
            QSqlQuery query(connection());
            query.setForwardOnly(true);
            if (!run(query, sql, values))
                return false;
            int read = 0;
            bool stopped = false;
            QStringList row;
            while (!stopped && query.next()) {
                ++read;
                started = true;
                after = query.value(0).toLongLong();
                row.clear();
                for (int i = 0; i < columns.size(); ++i)
                    row << query.value(i + 1).toString();
                stopped = !take(row);
            }
            const QSqlError error = query.lastError();
            // Finished at once: a statement left open would hold a read lock on the file.
            query.finish();
            if (error.isValid())
                return fail(error);
            if (stopped)
                return true;
            if (read < page)
                break;
        }
    }
    for (int i = m_head; i < m_rows.size(); ++i)
        if (!shown(m_rows.at(i)))
            return true;
    return true;
}

int TableModel::nextRow(int row)
{
    if (row < 0 || row >= m_rows.size())
        return -1;
    // Only the head can grow after its last row; the tail runs on to the end of the cursor.
    if (m_gap && row == m_head - 1)
        fetch(Page);
    return row + 1 < m_rows.size() ? row + 1 : -1;
}

int TableModel::lastRow()
{
    if (!m_gap || m_rows.size() > m_head)
        return int(m_rows.size()) - 1;
    QStringList conditions;
    QVariantList values;
    if (m_head > 0) {
        conditions << rowKey() + QStringLiteral(" > ?");
        values << m_rows.at(m_head - 1).rowid;
    }
    const QString sql =
        statement(rowColumns(), conditions, &values,
                  QStringLiteral(" ORDER BY ") + rowKey() + QStringLiteral(" DESC LIMIT 1"));
    QVector<Row> read;
    if (!readRows(sql, values, &read))
        return -1;
    if (read.isEmpty()) {
        m_gap = false;
        m_head = int(m_rows.size());
    } else {
        beginInsertRows(QModelIndex(), int(m_rows.size()), int(m_rows.size()));
        m_rows.append(read.first());
        endInsertRows();
    }
    return int(m_rows.size()) - 1;
}

int TableModel::appendRow()
{
    const int row = int(m_rows.size());
    beginInsertRows(QModelIndex(), row, row);
    Row added;
    added.values.resize(m_fields.size());
    added.file = added.values;
    m_rows.append(added);
    endInsertRows();
    return row;
}

bool TableModel::isRowDirty(const Row &row) const
{
    if (row.deleted)
        return false;
    if (row.rowid == 0)
        return true;
    for (int i = 0; i < row.values.size(); ++i)
        if (!sameText(row.values.at(i), row.file.at(i)))
            return true;
    return false;
}

bool TableModel::isDirty() const
{
    for (const Row &row : m_rows)
        if (isRowDirty(row))
            return true;
    return false;
}

void TableModel::removeRowAt(int row)
{
    beginRemoveRows(QModelIndex(), row, row);
    m_rows.remove(row);
    if (row < m_head)
        --m_head;
    endRemoveRows();
}

void TableModel::revert()
{
    for (int i = int(m_rows.size()) - 1; i >= 0; --i) {
        Row &row = m_rows[i];
        if (row.rowid == 0) {
            removeRowAt(i);
        } else if (isRowDirty(row)) {
            row.values = row.file;
            emit dataChanged(index(i, 0), index(i, columnCount() - 1));
        }
    }
}

void TableModel::touch(Row &row)
{
    if (row.touched)
        return;
    row.touched = true;
    row.fileBefore = row.file;
    row.rowidBefore = row.rowid;
    ++m_touched;
}

bool TableModel::writeChanges()
{
    const QScopedValueRollback<bool> writing(m_writing, true);
    // Nothing is written when any value cannot be stored as it is.
    for (const Row &row : std::as_const(m_rows)) {
        if (!isRowDirty(row))
            continue;
        for (const QVariant &value : row.values)
            if (!storable(value))
                return fail(Result::Failed(Failure::InvalidText, text(TableModelText::BadText)));
    }
    for (Row &row : m_rows)
        if (isRowDirty(row) && !writeRow(row))
            return false;
    m_error = Result();
    return true;
}

bool TableModel::writeRow(Row &row)
{
    touch(row);
    QSqlQuery query(connection());
    QStringList columns;
    QVariantList values;
    if (row.rowid == 0) {
        // Fields never given a value stay NULL, as in a row added by hand.
        for (int i = 0; i < m_fields.size(); ++i) {
            if (row.values.at(i).isNull())
                continue;
            columns << QuotedName(m_fields.at(i));
            values << row.values.at(i);
        }
        QString sql = QStringLiteral("INSERT INTO ") + QuotedName(m_table);
        if (columns.isEmpty())
            sql += QStringLiteral(" DEFAULT VALUES");
        else
            sql += QStringLiteral(" (%1) VALUES (%2)")
                       .arg(columns.join(u','),
                            QStringList(columns.size(), QStringLiteral("?")).join(u','));
        const bool returnsKey = Backend::Current().insertReturnsKey();
        if (returnsKey)
            sql += QStringLiteral(" RETURNING ") + rowKey();
        if (!run(query, sql, values))
            return false;
        row.rowid = returnsKey ? (query.next() ? query.value(0).toLongLong() : 0)
                               : query.lastInsertId().toLongLong();
        if (row.rowid == 0)
            return fail(query.lastError());
        row.file = row.values;
        return true;
    }

    for (int i = 0; i < m_fields.size(); ++i) {
        if (sameText(row.values.at(i), row.file.at(i)))
            continue;
        columns << QuotedName(m_fields.at(i)) + QStringLiteral(" = ?");
        values << row.values.at(i);
    }
    const QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE ")
                            .arg(QuotedName(m_table), columns.join(QStringLiteral(", "))) +
                        rowMatch(row, &values);
    if (!run(query, sql, values))
        return false;
    if (query.numRowsAffected() != 1)
        return fail(Result::Failed(Failure::RowChanged, text(TableModelText::RowGone)));
    row.file = row.values;
    return true;
}

QString TableModel::rowMatch(const Row &row, QVariantList *values) const
{
    // The row is found by its rowid, and only while it still holds, field for field, what this
    // program read or last wrote there. Another program may have deleted it and the file given
    // its rowid to a new row, even one with the same code: that row is never changed from here.
    *values << row.rowid;
    QStringList conditions{rowKey() + QStringLiteral(" = ?")};
    for (int i = 0; i < m_fields.size(); ++i) {
        const QVariant &stored = row.file.at(i);
        if (stored.isNull()) {
            conditions << QuotedName(m_fields.at(i)) + QStringLiteral(" IS NULL");
        } else {
            conditions << QuotedName(m_fields.at(i)) + QStringLiteral(" = ?");
            *values << stored;
        }
    }
    return conditions.join(QStringLiteral(" AND "));
}

bool TableModel::deleteRow(int row)
{
    const QScopedValueRollback<bool> writing(m_writing, true);
    if (row < 0 || row >= m_rows.size())
        return false;
    Row &deleted = m_rows[row];
    if (deleted.rowid == 0) {
        removeRowAt(row);
        return true;
    }
    QVariantList values;
    const QString sql = QStringLiteral("DELETE FROM %1 WHERE ").arg(QuotedName(m_table)) +
                        rowMatch(deleted, &values);
    QSqlQuery query(connection());
    if (!run(query, sql, values))
        return false;
    if (query.numRowsAffected() != 1)
        return fail(Result::Failed(Failure::RowChanged, text(TableModelText::RowGone)));
    touch(deleted);
    deleted.deleted = true;
    m_error = Result();
    return true;
}

void TableModel::endTransaction(bool committed)
{
    if (m_touched == 0)
        return;
    m_touched = 0;
    QVector<int> gone;
    for (int i = 0; i < m_rows.size(); ++i) {
        Row &row = m_rows[i];
        if (!row.touched)
            continue;
        row.touched = false;
        if (committed) {
            const bool wasInFile = row.rowidBefore != 0;
            const bool inFile = row.rowid != 0 && !row.deleted;
            if (m_fileCount >= 0)
                m_fileCount += int(inFile) - int(wasInFile);
            if (row.deleted)
                gone << i;
        } else {
            // Nothing of it reached the file: the row is unsaved again, as the user left it.
            row.file = row.fileBefore;
            row.rowid = row.rowidBefore;
            row.deleted = false;
        }
        row.fileBefore.clear();
        row.rowidBefore = 0;
    }
    for (int k = int(gone.size()) - 1; k >= 0; --k) {
        const int i = gone.at(k);
        removeRowAt(i);
    }
}

bool TableModel::isStillStored(int row)
{
    if (row < 0 || row >= m_rows.size() || m_rows.at(row).rowid == 0)
        return fail(Result::Failed(Failure::RowChanged, text(TableModelText::RowGone)));
    QVariantList values;
    const QString sql = QStringLiteral("SELECT 1 FROM %1 WHERE ").arg(QuotedName(m_table)) +
                        rowMatch(m_rows.at(row), &values);
    QVariant found;
    if (!readValue(sql, values, &found))
        return false;
    if (!found.isValid())
        return fail(Result::Failed(Failure::RowChanged, text(TableModelText::RowGone)));
    m_error = Result();
    return true;
}

bool TableModel::fail(const QSqlError &error)
{
    // The same engine error means another thing to the user in a read and in a write; a read
    // inside a running transaction (a check before a write) is part of the write.
    m_error = m_writing || Transaction::IsRunning() ? WriteFailure(error) : ReadFailure(error);
    return false;
}

bool TableModel::fail(const Result &refusal)
{
    m_error = refusal;
    return false;
}
