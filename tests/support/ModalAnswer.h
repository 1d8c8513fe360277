#pragma once

#include "common/Dialogs.h"

#include <QList>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

#include <functional>

class QWidget;

// Answers the next modal box: polls until one is on screen, then hands it to answer(). Gives up
// after timeoutMs, so a box that never comes fails the test instead of hanging it.
void AnswerNextModal(std::function<void(QWidget *)> answer, int timeoutMs = 5000);

// What a message box looked like when it came.
struct SeenBox
{
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    Qt::LayoutDirection direction = Qt::LeftToRight;
    bool yesNo = false; // it asked, with a Yes and a No
};

// Answers the next message box with one of its buttons (accepts it when it has none such), and
// notes in *seen what it looked like. A modal that is no message box is left alone.
void AnswerNextBox(QMessageBox::StandardButton button, SeenBox *seen = nullptr);

// Answers every message box that comes up while it lives, with the given button, or its first
// button for QMessageBox::NoButton, as an examiner who reads and goes on; what each looked like is
// in seen(). Boxes for which skip() is true are left to close themselves.
class BoxAnswerer
{
public:
    explicit BoxAnswerer(QMessageBox::StandardButton button = QMessageBox::NoButton,
                         std::function<bool(const QMessageBox *)> skip = {});
    const QList<SeenBox> &seen() const { return m_seen; }
    void forget() { m_seen.clear(); }

private:
    QTimer m_timer;
    QList<SeenBox> m_seen;
};

// What the boxes shown since the last call said, through the dialog hooks: their texts, or each
// as "title|text".
QStringList ShownTexts();
QStringList ShownTitlesAndTexts();
