#include "common/CodeBox.h"

#include "common/TextRules.h"

#include <QLineEdit>

void TakeCodeDigits(QLineEdit *box)
{
    // Each digit is one character either way, so the cursor and the selection keep their places.
    QObject::connect(box, &QLineEdit::textEdited, box, [box](const QString &typed) {
        const QString latin = LatinDigits(typed);
        if (latin == typed)
            return;
        const int cursor = box->cursorPosition();
        box->setText(latin);
        box->setCursorPosition(cursor);
    });
}
