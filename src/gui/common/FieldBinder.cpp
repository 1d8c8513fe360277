#include "common/FieldBinder.h"

#include "data/Cursor.h"

#include "data/TableModel.h"
#include <QComboBox>
#include <QDataWidgetMapper>
#include <QItemDelegate>
#include <QKeyEvent>
#include <QLabel>
#include <QMetaProperty>
#include <QVariant>

namespace {
// The mapper's own delegate watches every bound box and, on Escape, puts the stored value back:
// for a new row that empties what the user typed. Here Escape means nothing to the binding; it
// goes on to the box and its window like any other key.
class KeepTypedTextDelegate : public QItemDelegate
{
public:
    using QItemDelegate::QItemDelegate;

protected:
    bool eventFilter(QObject *editor, QEvent *event) override
    {
        if ((event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) &&
            static_cast<QKeyEvent *>(event)->matches(QKeySequence::Cancel))
            return false;
        return QItemDelegate::eventFilter(editor, event);
    }
};
} // namespace

FieldBinder::FieldBinder(Cursor *cursor, QObject *parent)
    : QObject(parent), m_mapper(new QDataWidgetMapper(this))
{
    m_mapper->setItemDelegate(new KeepTypedTextDelegate(m_mapper));
    m_mapper->setSubmitPolicy(QDataWidgetMapper::ManualSubmit);
    setCursor(cursor);
}

Cursor *FieldBinder::cursor() const
{
    return m_cursor;
}

void FieldBinder::setCursor(Cursor *cursor)
{
    if (cursor == m_cursor)
        return;
    if (m_cursor) {
        submit();
        disconnect(m_cursor, nullptr, this, nullptr);
    }
    m_mapper->clearMapping();
    for (Binding &binding : m_bindings)
        binding.mapped = false;
    m_cursor = cursor;
    if (!cursor) {
        clearWidgets();
        return;
    }
    m_mapper->setModel(cursor->model());
    connect(cursor, &Cursor::currentRowChanged, this, &FieldBinder::followCursor);
    connect(cursor, &Cursor::aboutToSave, this, &FieldBinder::submit);
    followCursor(cursor->modelRow());
}

QByteArray FieldBinder::propertyFor(QWidget *widget) const
{
    if (qobject_cast<QComboBox *>(widget))
        return QByteArrayLiteral("currentText");
    if (qobject_cast<QLabel *>(widget))
        return QByteArrayLiteral("text");
    return {}; // the widget's user property: text for a line edit, plainText for a text edit
}

const char *FieldBinder::propertyName(const Binding &binding)
{
    return binding.property.isEmpty() ? binding.widget->metaObject()->userProperty().name()
                                      : binding.property.constData();
}

void FieldBinder::bind(QWidget *widget, const QString &field)
{
    unbind(widget);
    m_bindings << Binding{widget, field, propertyFor(widget), false};
    if (mapPending() && m_cursor->modelRow() >= 0)
        followCursor(m_cursor->modelRow()); // shows the current row in the new widget as well
}

bool FieldBinder::mapPending()
{
    // A cursor knows its fields once it is open: widgets bound before that are mapped then.
    bool mappedAny = false;
    if (!m_cursor)
        return false;
    for (Binding &binding : m_bindings) {
        const int column = m_cursor->fieldIndex(binding.field);
        if (binding.mapped || !binding.widget || column < 0)
            continue;
        if (binding.property.isEmpty())
            m_mapper->addMapping(binding.widget, column);
        else
            m_mapper->addMapping(binding.widget, column, binding.property);
        binding.mapped = true;
        mappedAny = true;
    }
    return mappedAny;
}

void FieldBinder::rebind(QWidget *widget, const QString &field)
{
    bind(widget, field);
}

void FieldBinder::unbind(QWidget *widget)
{
    m_mapper->removeMapping(widget);
    for (int i = m_bindings.size() - 1; i >= 0; --i)
        if (m_bindings.at(i).widget == widget || !m_bindings.at(i).widget)
            m_bindings.removeAt(i);
}

QString FieldBinder::boundField(QWidget *widget) const
{
    for (const Binding &binding : m_bindings)
        if (binding.widget == widget)
            return binding.field;
    return {};
}

void FieldBinder::followCursor(int row)
{
    mapPending();
    if (row < 0) {
        clearWidgets();
        return;
    }
    m_mapper->setCurrentIndex(row);
}

void FieldBinder::submit()
{
    if (m_cursor && m_cursor->modelRow() >= 0)
        m_mapper->submit();
}

void FieldBinder::clearWidgets()
{
    for (const Binding &binding : m_bindings) {
        if (!binding.widget)
            continue;
        if (auto *combo = qobject_cast<QComboBox *>(binding.widget.data())) {
            combo->setCurrentIndex(-1);
            if (combo->isEditable())
                combo->setEditText(QString());
            continue;
        }
        binding.widget->setProperty(propertyName(binding), QString());
    }
}
