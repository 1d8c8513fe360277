#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class Cursor;
class QDataWidgetMapper;
class QWidget;

// Binds widgets of a window to fields of a cursor's current row: they show the field, and what
// the user types is written into the row when the cursor saves. Text boxes, combo boxes and
// labels bind by their text. Escape in a bound box never puts the stored value back over what was
// typed. A binder made without a cursor holds its widgets' fields until setCursor() gives it one.
class FieldBinder : public QObject
{
    Q_OBJECT

public:
    explicit FieldBinder(Cursor *cursor, QObject *parent = nullptr);

    Cursor *cursor() const;
    // Moves every bound widget, in one step, to the same fields of another cursor (or of none):
    // from now on they show its current row and write into it. What was typed for the old
    // cursor's row is first written into that row, where it waits for that cursor's save.
    void setCursor(Cursor *cursor);

    void bind(QWidget *widget, const QString &field);
    // Points a bound widget at another field, by name, and shows that field.
    void rebind(QWidget *widget, const QString &field);
    void unbind(QWidget *widget);
    // The field a widget is bound to, or the empty text.
    QString boundField(QWidget *widget) const;

    // Writes the bound widgets' values into the cursor's current row (save() does this itself).
    void submit();

private:
    struct Binding
    {
        QPointer<QWidget> widget;
        QString field;
        QByteArray property;
        bool mapped;
    };

    bool mapPending();
    void followCursor(int row);
    void clearWidgets();
    QByteArray propertyFor(QWidget *widget) const;
    static const char *propertyName(const Binding &binding);

    QPointer<Cursor> m_cursor;
    QDataWidgetMapper *m_mapper;
    QList<Binding> m_bindings;
};
