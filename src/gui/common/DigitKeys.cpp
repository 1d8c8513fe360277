#include "common/DigitKeys.h"

#include <QKeyEvent>
#include <QLineEdit>

DigitKey FilterDigitKey(QLineEdit *box, const QKeyEvent &key)
{
    // Keys that type nothing (Backspace, Enter, arrows) and shortcuts are the box's own.
    if (key.modifiers() & (Qt::ControlModifier | Qt::MetaModifier) || key.text().isEmpty())
        return DigitKey::Pass;
    const QChar c = key.text().at(0);
    if (c.category() == QChar::Other_Control || c.category() == QChar::Other_PrivateUse)
        return DigitKey::Pass;
    if (c >= u'0' && c <= u'9')
        return DigitKey::Pass;
    if (c.isDigit()) {
        if (!box->isReadOnly())
            box->insert(QString::number(c.digitValue()));
        return DigitKey::Taken;
    }
    return DigitKey::Refused;
}
