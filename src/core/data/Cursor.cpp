#include "data/Cursor.h"

#include "data/Database.h"
#include "data/TableModel.h"
#include "data/Transaction.h"

#include <QLoggingCategory>

namespace {
Q_LOGGING_CATEGORY(lcCursor, "korvat.cursor")

void logFailure(const Cursor *cursor, const Result &result)
{
    if (!result)
        qCWarning(lcCursor, "%s not read: %s", qUtf8Printable(cursor->table()),
                  qUtf8Printable(result.description()));
}
} // namespace

void Cursor::OpenEach(std::initializer_list<Cursor *> cursors)
{
    for (Cursor *cursor : cursors)
        logFailure(cursor, cursor->open());
}

void Cursor::RereadEach(std::initializer_list<Cursor *> cursors)
{
    for (Cursor *cursor : cursors)
        logFailure(cursor, cursor->reread());
}

Cursor::Cursor(const QString &table, QObject *parent)
    : QObject(parent), m_table(table), m_model(new TableModel(this))
{}

bool Cursor::opened() const
{
    return !m_model->tableName().isEmpty();
}

Result Cursor::open()
{
    if (!m_model->setTable(m_table)) {
        setCurrent(-1);
        return fail(m_model->lastError());
    }
    return select(-1, QString());
}

Result Cursor::reread()
{
    if (!opened())
        return open();
    return select(-1, QString());
}

Result Cursor::refresh()
{
    if (!opened())
        return open();
    return select(m_model->filterColumn(), m_model->filterValue());
}

Result Cursor::filter(const QString &field, const QString &text)
{
    if (!opened()) {
        const Result opening = open();
        if (!opening)
            return opening;
    }
    const int column = fieldIndex(field);
    if (column < 0)
        return fail(Result::Failed(Failure::Other,
                                   QStringLiteral("no field %1 in %2").arg(field, m_table)));
    return select(column, text);
}

Result Cursor::select(int column, const QString &value)
{
    const bool ok = m_model->select(column, value);
    m_error = ok ? Result() : m_model->lastError();
    setCurrent(m_model->rowCount() > 0 ? 0 : -1);
    return m_error;
}

bool Cursor::isFiltered() const
{
    return m_model->isFiltered();
}

int Cursor::count() const
{
    const int rows = m_model->totalRows();
    if (rows < 0)
        m_error = m_model->lastError();
    return rows;
}

bool Cursor::isEmpty() const
{
    return !m_model->hasRows();
}

int Cursor::currentRow() const
{
    return m_current.isValid() ? m_model->placeOf(m_current.row()) : -1;
}

int Cursor::modelRow() const
{
    return m_current.isValid() ? m_current.row() : -1;
}

bool Cursor::moveTo(int row)
{
    const int found = m_model->rowAt(row);
    if (found < 0)
        return false;
    setCurrent(found);
    return true;
}

bool Cursor::moveFirst()
{
    return moveTo(0);
}

bool Cursor::moveLast()
{
    const int last = m_model->lastRow();
    if (last < 0)
        return false;
    setCurrent(last);
    return true;
}

bool Cursor::moveNext()
{
    const int next = m_current.isValid() ? m_model->nextRow(m_current.row()) : -1;
    if (next < 0)
        return false;
    setCurrent(next);
    return true;
}

Result Cursor::add()
{
    if (!opened()) {
        const Result opening = open();
        if (!opening)
            return opening;
    }
    setCurrent(m_model->appendRow());
    return {};
}

Result Cursor::setField(const QString &field, const QString &value)
{
    const int column = fieldIndex(field);
    if (!m_current.isValid() || column < 0)
        return fail(Result::Failed(
            Failure::Other,
            QStringLiteral("no current row or no field %1 in %2").arg(field, m_table)));
    if (!m_model->setData(m_model->index(m_current.row(), column), value))
        return fail(Result::Failed(Failure::Other,
                                   QStringLiteral("field %1 of %2 not set").arg(field, m_table)));
    return {};
}

QString Cursor::field(const QString &name) const
{
    const int column = fieldIndex(name);
    if (!m_current.isValid() || column < 0)
        return {};
    return m_model->data(m_model->index(m_current.row(), column)).toString();
}

int Cursor::fieldIndex(const QString &name) const
{
    return m_model->fieldIndex(name);
}

Result Cursor::save()
{
    emit aboutToSave();
    if (!m_model->isDirty())
        return {};
    Transaction transaction;
    if (!transaction.isOpen())
        return fail(transaction.error());
    Transaction::Enlist(this);
    if (!m_model->writeChanges())
        return fail(m_model->lastError()); // the transaction rolls back; the changes stay here
    if (!transaction.commit())
        return fail(transaction.error());
    m_error = Result();
    return {};
}

void Cursor::revert()
{
    m_model->revert();
    if (!m_current.isValid())
        setCurrent(m_model->rowCount() > 0 ? 0 : -1);
}

Result Cursor::deleteCurrent()
{
    if (!m_current.isValid())
        return fail(
            Result::Failed(Failure::Other, QStringLiteral("no current row in %1").arg(m_table)));
    const int place = currentRow();
    const int row = m_current.row();
    Transaction transaction;
    if (!transaction.isOpen())
        return fail(transaction.error());
    Transaction::Enlist(this);
    if (!m_model->deleteRow(row))
        return fail(m_model->lastError());
    if (!m_current.isValid()) {
        // A new row, never saved, simply went.
        moveToPlaceOf(place);
    } else {
        m_deletedAt = place;
    }
    if (!transaction.commit())
        return fail(transaction.error());
    m_error = Result();
    return {};
}

void Cursor::transactionEnded(bool committed)
{
    m_model->endTransaction(committed);
    const int place = m_deletedAt;
    m_deletedAt = -1;
    if (committed && place >= 0 && !m_current.isValid())
        moveToPlaceOf(place);
}

void Cursor::moveToPlaceOf(int place)
{
    // The row that took the place of a row gone becomes current, or else the new last row.
    if (!moveTo(place) && !moveLast())
        setCurrent(-1);
}

Result Cursor::isCurrentStillStored()
{
    if (!m_model->isStillStored(modelRow()))
        return fail(m_model->lastError());
    m_error = Result();
    return {};
}

bool Cursor::hasUnsavedChanges() const
{
    return m_model->isDirty();
}

bool Cursor::lastErrorIsDuplicate() const
{
    return m_error.is(Failure::DuplicateCode);
}

void Cursor::setCurrent(int modelRow)
{
    m_current = modelRow >= 0 ? QPersistentModelIndex(m_model->index(modelRow, 0))
                              : QPersistentModelIndex();
    emit currentRowChanged(modelRow);
}

Result Cursor::fail(const Result &failure)
{
    m_error = failure;
    return failure;
}
