#pragma once

#include <QMessageBox>
#include <QString>
#include <QVariant>

class QWidget;

// Every message box, question, input box and file dialog of the program goes through here. Their
// texts are shown as plain text, never as markup: they may carry a path or what a user typed.

namespace DialogText {
// The timed notice's title, written with the Arabic yeh.
inline QString TimedTitle()
{
    return QString::fromUtf8("پيام");
}
// Boxes shown without a title of their own carry the program's title.
inline QString ProgramTitle()
{
    return QStringLiteral("Korvat");
}
} // namespace DialogText

// A notice titled "پيام" with an OK button and no icon, modal to its owner, that presses its OK
// button itself after ms milliseconds. Returns when the box has closed, by itself or by the user.
void ShowTimedMessage(QWidget *owner, const QString &text, int ms = 1000);

// A plain box with an OK button, read right to left. An empty title gives the program's title.
void ShowMessage(QWidget *owner, const QString &text, const QString &title = QString(),
                 QMessageBox::Icon icon = QMessageBox::NoIcon);

// A Yes/No question; true for Yes. An empty title gives the program's title.
bool AskYesNo(QWidget *owner, const QString &text, const QString &title = QString(),
              QMessageBox::Icon icon = QMessageBox::Question);

// A text input box. Cancel gives the empty text.
QString AskText(QWidget *owner, const QString &prompt, const QString &title,
                const QString &defaultText = QString());

// A text input box for a subject code: as AskText, and Persian and Arabic-Indic digits are written
// as 0 to 9 as they are typed.
QString AskCode(QWidget *owner, const QString &prompt, const QString &title);

// A text input box whose text is hidden as it is typed (a password). Cancel gives the empty text.
QString AskPassword(QWidget *owner, const QString &prompt, const QString &title);

// Qt's own file dialogs (never the desktop's), so they look and behave the same everywhere.
// Cancel gives the empty text.
QString AskOpenFileName(QWidget *owner, const QString &caption, const QString &folder,
                        const QString &filter);
// Who asks before a file that is there is replaced: the save dialog, or the caller, who asks its
// own question when it comes to write (so the user is asked once).
enum class ReplaceQuestion { ByDialog, ByCaller };
QString AskSaveFileName(QWidget *owner, const QString &caption, const QString &folder,
                        const QString &filter, ReplaceQuestion replace = ReplaceQuestion::ByDialog);

// For tests only, and off unless a test turns it on.
namespace DialogHooks {
struct Shown
{
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};
// Records every box shown from now on, and lets the calls below take effect.
void Enable();
void Disable();
// Shortens (or lengthens) the timed notice's delay; -1 restores the caller's delay.
void SetTimedDelay(int ms);
// The next question, input box or file dialog returns this answer without showing itself:
// a bool for AskYesNo, a text for the others.
void PresetAnswer(const QVariant &answer);
// The boxes shown (or answered by a preset) since the last call.
QList<Shown> TakeShown();
} // namespace DialogHooks
