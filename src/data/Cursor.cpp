#include "data/Cursor.h"

#include "data/Database.h"
#include "data/Transaction.h"

#include <QSqlDriver>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlTableModel>

namespace {
// Qt's table model reads the first rows of every query it runs, even when nobody looks at them.
// This one reads none until a row is asked for, so opening a cursor, filtering it and saving
// into it cost the same whatever the size of the table.
class LazyTableModel : public QSqlTableModel
{
public:
    using QSqlTableModel::QSqlTableModel;

    bool select() override
    {
        m_selecting = true;
        const bool ok = QSqlTableModel::select();
        m_selecting = false;
        return ok;
    }

    void fetchMore(const QModelIndex &parent = QModelIndex()) override
    {
        if (!m_selecting && canFetchMore(parent))
            QSqlTableModel::fetchMore(parent);
    }

    bool canFetchMore(const QModelIndex &parent = QModelIndex()) const override
    {
        // Unsaved new rows sit right after the fetched rows; rows fetched now would take their
        // place. They are fetched again once the new rows are saved.
        return rowCount() == QSqlQueryModel::rowCount() && QSqlTableModel::canFetchMore(parent);
    }

private:
    bool m_selecting = false;
};
} // namespace

Cursor::Cursor(const QString &table, QObject *parent)
    : QObject(parent), m_table(table), m_model(new LazyTableModel(this))
{
    m_model->setEditStrategy(QSqlTableModel::OnManualSubmit);
}

bool Cursor::open()
{
    m_model->setTable(m_table);
    if (m_model->lastError().isValid())
        return fail(m_model->lastError());
    m_filter.clear();
    m_model->setFilter(QString());
    return select();
}

bool Cursor::reread()
{
    if (m_model->tableName().isEmpty())
        return open();
    m_filter.clear();
    m_model->setFilter(QString());
    return select();
}

bool Cursor::refresh()
{
    if (m_model->tableName().isEmpty())
        return open();
    return select();
}

bool Cursor::filter(const QString &field, const QString &text)
{
    if (m_model->tableName().isEmpty() && !open())
        return false;
    if (fieldIndex(field) < 0)
        return fail(QSqlError(QStringLiteral("no field %1 in %2").arg(field, m_table), QString(),
                              QSqlError::StatementError));
    // The driver quotes the text as an SQL literal: whatever the user typed is compared as text.
    QSqlField value(field, QMetaType(QMetaType::QString));
    value.setValue(text);
    m_filter = QuotedName(field) + QStringLiteral(" = ") +
               m_model->database().driver()->formatValue(value);
    m_model->setFilter(m_filter);
    return select();
}

bool Cursor::isFiltered() const
{
    return !m_filter.isEmpty();
}

bool Cursor::select()
{
    const bool ok = m_model->select();
    if (!ok)
        fail(m_model->lastError());
    else
        m_error = QSqlError();
    setCurrent(ok && hasStoredRows() ? 0 : -1);
    return ok;
}

bool Cursor::hasStoredRows() const
{
    if (m_model->QSqlQueryModel::rowCount() > 0)
        return true;
    if (!m_model->QSqlTableModel::canFetchMore())
        return false;
    QString sql = QStringLiteral("SELECT 1 FROM ") + QuotedName(m_table);
    if (!m_filter.isEmpty())
        sql += QStringLiteral(" WHERE ") + m_filter;
    QSqlQuery query(m_model->database());
    query.setForwardOnly(true);
    return query.exec(sql + QStringLiteral(" LIMIT 1")) && query.next();
}

int Cursor::count() const
{
    if (m_model->tableName().isEmpty() || m_model->lastError().isValid())
        return m_model->rowCount();
    if (!m_model->QSqlTableModel::canFetchMore())
        return m_model->rowCount();
    // Rows not yet fetched are counted in the file; new unsaved rows are the ones beyond the
    // fetched rows of the query.
    const int unsaved = m_model->rowCount() - m_model->QSqlQueryModel::rowCount();
    QString sql = QStringLiteral("SELECT COUNT(*) FROM ") + QuotedName(m_table);
    if (!m_filter.isEmpty())
        sql += QStringLiteral(" WHERE ") + m_filter;
    QSqlQuery query(m_model->database());
    query.setForwardOnly(true);
    if (!query.exec(sql) || !query.next()) {
        // Counting by fetching is slow but always right.
        ensureFetched(INT_MAX);
        return m_model->rowCount();
    }
    return query.value(0).toInt() + unsaved;
}

int Cursor::currentRow() const
{
    if (m_rowIsLast) {
        m_rowIsLast = false;
        m_row = count() - 1;
    }
    return m_row;
}

bool Cursor::moveTo(int row)
{
    if (row < 0)
        return false;
    ensureFetched(row);
    if (row >= m_model->rowCount())
        return false;
    setCurrent(row);
    return true;
}

bool Cursor::add()
{
    if (m_model->tableName().isEmpty() && !open())
        return false;
    const int row = m_model->rowCount();
    if (!m_model->insertRow(row))
        return fail(m_model->lastError());
    setCurrent(row);
    return true;
}

bool Cursor::setField(const QString &field, const QString &value)
{
    const int column = fieldIndex(field);
    if (currentRow() < 0 || column < 0)
        return fail(
            QSqlError(QStringLiteral("no current row or no field %1 in %2").arg(field, m_table),
                      QString(), QSqlError::StatementError));
    ensureFetched(m_row);
    if (!m_model->setData(m_model->index(m_row, column), value))
        return fail(m_model->lastError());
    return true;
}

QString Cursor::field(const QString &name) const
{
    const int column = fieldIndex(name);
    if (currentRow() < 0 || column < 0)
        return {};
    ensureFetched(m_row);
    return m_model->data(m_model->index(m_row, column)).toString();
}

int Cursor::fieldIndex(const QString &name) const
{
    return m_model->record().indexOf(name);
}

bool Cursor::save()
{
    emit aboutToSave();
    if (!m_model->isDirty())
        return true;
    // A saved new row takes its place at the end of the stored order; other rows keep theirs.
    const int row = currentRow();
    const bool savingNewRow = row >= 0 && row >= m_model->QSqlQueryModel::rowCount();

    Transaction transaction;
    Transaction::Enlist(this);
    if (!m_model->submitAll()) {
        // The transaction rolls back; the unsaved changes stay in the cursor.
        return fail(m_model->lastError());
    }
    if (!transaction.commit())
        return fail(QSqlError(transaction.errorText(), QString(), QSqlError::TransactionError));
    m_error = QSqlError();

    // The model has read the table again. The current row is neither fetched nor counted here:
    // whoever reads it next does that, so saving into a large table stays cheap.
    m_row = row;
    m_rowIsLast = savingNewRow;
    emit currentRowSaved();
    return true;
}

bool Cursor::deleteCurrent()
{
    if (currentRow() < 0)
        return fail(QSqlError(QStringLiteral("no current row in %1").arg(m_table), QString(),
                              QSqlError::StatementError));
    const int row = m_row;
    ensureFetched(row);
    Transaction transaction;
    Transaction::Enlist(this);
    if (!m_model->removeRow(row) || !m_model->submitAll()) {
        const QSqlError error = m_model->lastError();
        m_model->revertAll();
        return fail(error);
    }
    if (!transaction.commit())
        return fail(QSqlError(transaction.errorText(), QString(), QSqlError::TransactionError));
    m_error = QSqlError();
    const int rows = count();
    m_row = qMin(row, rows - 1);
    emit currentRowChanged(m_row);
    return true;
}

bool Cursor::hasUnsavedChanges() const
{
    return m_model->isDirty();
}

bool Cursor::lastErrorIsDuplicate() const
{
    return IsDuplicateError(m_error);
}

void Cursor::ensureFetched(int row) const
{
    while (row >= m_model->rowCount() && m_model->canFetchMore())
        m_model->fetchMore();
}

void Cursor::setCurrent(int row)
{
    m_row = row;
    m_rowIsLast = false;
    emit currentRowChanged(row);
}

bool Cursor::fail(const QSqlError &error)
{
    m_error = error;
    return false;
}
