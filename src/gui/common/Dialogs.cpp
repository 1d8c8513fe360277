#include "common/Dialogs.h"

#include "common/CodeBox.h"
#include "common/TextRules.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QPointer>
#include <QTimer>

#include <algorithm>

namespace {
struct Hooks
{
    bool enabled = false;
    int timedDelay = -1;
    QList<QVariant> presets;
    QList<DialogHooks::Shown> shown;
};

Hooks &hooks()
{
    static Hooks state;
    return state;
}

void record(const QString &title, const QString &text, QMessageBox::Icon icon = QMessageBox::NoIcon)
{
    if (hooks().enabled)
        hooks().shown << DialogHooks::Shown{title, text, icon};
}

bool takePreset(QVariant *answer)
{
    if (!hooks().enabled || hooks().presets.isEmpty())
        return false;
    *answer = hooks().presets.takeFirst();
    return true;
}

QString titleOrProgram(const QString &title)
{
    return title.isEmpty() ? DialogText::ProgramTitle() : title;
}

QString askFileName(QWidget *owner, const QString &caption, const QString &folder,
                    const QString &filter, QFileDialog::AcceptMode mode,
                    ReplaceQuestion replace = ReplaceQuestion::ByDialog)
{
    record(caption, folder);
    QVariant preset;
    if (takePreset(&preset))
        return preset.toString();
    QFileDialog dialog(owner, caption, folder, filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, replace == ReplaceQuestion::ByCaller);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

// Every box reads right to left and shows its text as it is. Qt's Persian button texts carry a
// shortcut mark, drawn as a line that cuts the joined letters apart: those buttons go without it.
void prepare(QMessageBox &box)
{
    box.setTextFormat(Qt::PlainText);
    box.setLayoutDirection(Qt::RightToLeft);
    for (QAbstractButton *button : box.buttons()) {
        const QString caption = button->text();
        if (std::any_of(caption.cbegin(), caption.cend(),
                        [](QChar c) { return c.script() == QChar::Script_Arabic; }))
            button->setText(QString(caption).remove(u'&'));
    }
}
} // namespace

void ShowTimedMessage(QWidget *owner, const QString &text, int ms)
{
    const int delay = hooks().enabled && hooks().timedDelay >= 0 ? hooks().timedDelay : ms;
    record(DialogText::TimedTitle(), text);
    QMessageBox box(QMessageBox::NoIcon, DialogText::TimedTitle(), text, QMessageBox::Ok, owner);
    prepare(box);
    // One tick per box. The box is the timer's context: a box the user closed early takes its
    // pending tick with it, so nothing is pressed later in some other window.
    QTimer::singleShot(delay, Qt::PreciseTimer, &box, [&box] {
        if (QAbstractButton *ok = box.button(QMessageBox::Ok))
            ok->click();
    });
    box.exec();
}

void ShowMessage(QWidget *owner, const QString &text, const QString &title, QMessageBox::Icon icon)
{
    record(titleOrProgram(title), text, icon);
    QMessageBox box(icon, titleOrProgram(title), text, QMessageBox::Ok, owner);
    prepare(box);
    box.exec();
}

bool AskYesNo(QWidget *owner, const QString &text, const QString &title, QMessageBox::Icon icon)
{
    record(titleOrProgram(title), text, icon);
    QVariant preset;
    if (takePreset(&preset))
        return preset.toBool();
    QMessageBox box(icon, titleOrProgram(title), text, QMessageBox::Yes | QMessageBox::No, owner);
    prepare(box);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

namespace {
enum class Entry { Text, Code, Password };

QString askText(QWidget *owner, const QString &prompt, const QString &title,
                const QString &defaultText, Entry entry)
{
    const bool code = entry == Entry::Code;
    record(title, prompt);
    QVariant preset;
    if (takePreset(&preset))
        return code ? LatinDigits(preset.toString()) : preset.toString();
    QInputDialog dialog(owner);
    dialog.setLayoutDirection(Qt::RightToLeft);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(title);
    // The prompt labels the text box, so a lone & would be taken as its shortcut key.
    dialog.setLabelText(QString(prompt).replace(u'&', QStringLiteral("&&")));
    for (QLabel *label : dialog.findChildren<QLabel *>())
        label->setTextFormat(Qt::PlainText);
    dialog.setTextValue(defaultText);
    if (entry == Entry::Password)
        dialog.setTextEchoMode(QLineEdit::Password);
    if (code)
        if (auto *box = dialog.findChild<QLineEdit *>())
            TakeCodeDigits(box);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.textValue();
}
} // namespace

QString AskText(QWidget *owner, const QString &prompt, const QString &title,
                const QString &defaultText)
{
    return askText(owner, prompt, title, defaultText, Entry::Text);
}

QString AskCode(QWidget *owner, const QString &prompt, const QString &title)
{
    return askText(owner, prompt, title, QString(), Entry::Code);
}

QString AskPassword(QWidget *owner, const QString &prompt, const QString &title)
{
    return askText(owner, prompt, title, QString(), Entry::Password);
}

QString AskOpenFileName(QWidget *owner, const QString &caption, const QString &folder,
                        const QString &filter)
{
    return askFileName(owner, caption, folder, filter, QFileDialog::AcceptOpen);
}

QString AskSaveFileName(QWidget *owner, const QString &caption, const QString &folder,
                        const QString &filter, ReplaceQuestion replace)
{
    return askFileName(owner, caption, folder, filter, QFileDialog::AcceptSave, replace);
}

void DialogHooks::Enable()
{
    hooks().enabled = true;
}

void DialogHooks::Disable()
{
    hooks() = Hooks();
}

void DialogHooks::SetTimedDelay(int ms)
{
    hooks().timedDelay = ms;
}

void DialogHooks::PresetAnswer(const QVariant &answer)
{
    hooks().presets << answer;
}

QList<DialogHooks::Shown> DialogHooks::TakeShown()
{
    QList<Shown> shown = hooks().shown;
    hooks().shown.clear();
    return shown;
}
