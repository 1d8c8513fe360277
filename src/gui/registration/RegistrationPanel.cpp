#include "registration/RegistrationPanel.h"

#include "common/CodeBox.h"
#include "common/Dialogs.h"
#include "common/DigitKeys.h"
#include "common/FieldBinder.h"
#include "common/Skin.h"
#include "common/SolarHijriDate.h"
#include "common/Text.h"
#include "common/TextRules.h"
#include "common/WindowPieces.h"
#include "data/Cursor.h"
#include "register/Register.h"
#include "registration/RegistrationText.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {
QLineEdit *field(const QString &name, Qt::Alignment alignment, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setAlignment(alignment);
    return edit;
}

QComboBox *list(const QString &name, const QStringList &items, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->addItems(items);
    combo->setCurrentIndex(-1); // no choice and no prompt until the user picks one
    return combo;
}
} // namespace

RegistrationPanel::RegistrationPanel(QWidget *window, QFrame *frame, Cursor *subjects,
                                     Cursor *answers)
    : QObject(window), m_window(window), m_frame(frame), m_subjects(subjects), m_answers(answers),
      m_binder(new FieldBinder(subjects, this))
{
    buildFields();
    placeFields();

    QWidget::setTabOrder(Text11, Text6);
    QWidget::setTabOrder(Text6, Text4);
    QWidget::setTabOrder(Text4, Text5);
    QWidget::setTabOrder(Text5, Combo1);
    QWidget::setTabOrder(Combo1, Text8);
    QWidget::setTabOrder(Text8, Combo2);
    QWidget::setTabOrder(Combo2, Combo3);
    QWidget::setTabOrder(Combo3, Text7);
    QWidget::setTabOrder(Text7, Command8);
    QWidget::setTabOrder(Command8, Command10);
    QWidget::setTabOrder(Command10, Text9);

    m_binder->bind(Text11, QStringLiteral("Code"));
    m_binder->bind(Text6, QStringLiteral("FName"));
    m_binder->bind(Text4, QStringLiteral("LName"));
    m_binder->bind(Text5, QStringLiteral("Sen"));
    m_binder->bind(Text8, QStringLiteral("Date"));
    m_binder->bind(Text9, QStringLiteral("Time"));
    m_binder->bind(Text7, QStringLiteral("Tahsil"));
    m_binder->bind(Text15, QStringLiteral("Taahol"));
    m_binder->bind(Text16, QStringLiteral("Jens"));
    m_binder->bind(Text17, QStringLiteral("Group"));

    connect(Combo1, &QComboBox::currentTextChanged, Text15, &QLineEdit::setText);
    connect(Combo2, &QComboBox::currentTextChanged, Text16, &QLineEdit::setText);
    connect(Combo3, &QComboBox::currentTextChanged, Text17, &QLineEdit::setText);
    // Enter in any box of the panel is Save, its main action; the buttons keep Enter for
    // themselves.
    for (QLineEdit *box : {Text11, Text6, Text4, Text5, Text8, Text9, Text7})
        connect(box, &QLineEdit::returnPressed, Command8, &QPushButton::click);
    for (QComboBox *combo : {Combo1, Combo2, Combo3})
        combo->installEventFilter(this);
    connect(Command8, &QPushButton::clicked, this, &RegistrationPanel::save);
    connect(Command10, &QPushButton::clicked, this, &RegistrationPanel::cancel);
}

void RegistrationPanel::buildFields()
{
    Text11 = field(QStringLiteral("Text11"), Qt::AlignCenter, m_frame);
    TakeCodeDigits(Text11);
    Text6 = field(QStringLiteral("Text6"), Qt::AlignLeading, m_frame);
    Text4 = field(QStringLiteral("Text4"), Qt::AlignLeading, m_frame);
    Text5 = field(QStringLiteral("Text5"), Qt::AlignCenter, m_frame);
    Text5->setMaxLength(2);
    Text5->installEventFilter(this);
    Combo1 = list(QStringLiteral("Combo1"),
                  {text(RegistrationText::Single), text(RegistrationText::Married)}, m_frame);
    Text8 = field(QStringLiteral("Text8"), Qt::AlignCenter, m_frame);
    Text9 = field(QStringLiteral("Text9"), Qt::AlignCenter, m_frame);
    Combo2 = list(QStringLiteral("Combo2"),
                  {text(RegistrationText::Male), text(RegistrationText::Female)}, m_frame);
    Combo3 =
        list(QStringLiteral("Combo3"),
             {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D"),
              QStringLiteral("E"), QStringLiteral("F"), QStringLiteral("G")},
             m_frame);
    Text7 = field(QStringLiteral("Text7"), Qt::AlignLeading, m_frame);
    // The lists write their fields through these hidden boxes.
    Text15 = field(QStringLiteral("Text15"), Qt::AlignLeading, m_frame);
    Text16 = field(QStringLiteral("Text16"), Qt::AlignLeading, m_frame);
    Text17 = field(QStringLiteral("Text17"), Qt::AlignLeading, m_frame);
    for (QLineEdit *hidden : {Text15, Text16, Text17})
        hidden->hide();
    Command8 = MakeButton(QStringLiteral("Command8"), RegistrationText::Save, m_frame);
    // The main action of the panel.
    Command8->setDefault(true);
    QFont bold = Command8->font();
    bold.setBold(true);
    Command8->setFont(bold);
    Command10 = MakeButton(QStringLiteral("Command10"), RegistrationText::Cancel, m_frame);
}

void RegistrationPanel::placeFields()
{
    // Three rows of label and field pairs, read from right to left, with Save and Cancel below
    // the end of the last row. A label stands close to its own field; a wide gap separates one
    // pair from the next. Pair p takes the grid's columns 3p (label), 3p + 1 (field) and 3p + 2
    // (the gap to the next pair).
    auto *grid = new QGridLayout(m_frame);
    grid->setContentsMargins(16, 14, 16, 14);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(10);
    for (const int gap : {2, 5, 8})
        grid->setColumnMinimumWidth(gap, 14);
    // Numbered after the main window's own labels (1, 2) and the clinic panel's (4, 5).
    int label = 6;
    auto place = [&](QWidget *widget, const char *caption, int row, int pair, int span = 1) {
        auto *skinned = new SkinLabel(QStringLiteral("SkinLabel%1").arg(label++), m_frame);
        skinned->setText(text(caption));
        skinned->setAlignment(Qt::AlignTrailing | Qt::AlignVCenter); // against its field
        skinned->setBuddy(widget);
        grid->addWidget(skinned, row, 3 * pair);
        grid->addWidget(widget, row, 3 * pair + 1, 1, span);
    };
    place(Text11, RegistrationText::CodeLabel, 0, 0);
    place(Text6, RegistrationText::FNameLabel, 0, 1);
    place(Text4, RegistrationText::LNameLabel, 0, 2, 4);
    place(Text5, RegistrationText::AgeLabel, 1, 0);
    place(Combo1, RegistrationText::MaritalLabel, 1, 1);
    place(Text8, RegistrationText::DateLabel, 1, 2);
    place(Text9, RegistrationText::TimeLabel, 1, 3);
    place(Combo2, RegistrationText::GenderLabel, 2, 0);
    place(Combo3, RegistrationText::GroupLabel, 2, 1);
    place(Text7, RegistrationText::EducationLabel, 2, 2, 4);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 6, 0, 0);
    buttons->setSpacing(12);
    buttons->addStretch();
    buttons->addWidget(Command8);
    buttons->addWidget(Command10);
    grid->addLayout(buttons, 3, 0, 1, 11);
}

void RegistrationPanel::fitToLook()
{
    Text5->setMaximumWidth(Text5->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 24);
    // Save and Cancel share one width, room for the longer word under the window's look.
    const int width =
        qMax(88, qMax(Command8->sizeHint().width(), Command10->sizeHint().width()) + 16);
    for (QPushButton *button : {Command8, Command10})
        button->setMinimumWidth(width);
}

void RegistrationPanel::open()
{
    emit panelsToHide();
    m_frame->show();
    // The bound fields empty themselves. Where the file cannot be read, Save fails on the same
    // cursor and says why.
    m_subjects->add().ignore();
    Text9->setText(TimeOfDayText(QTime::currentTime()));
    Text8->setText(SolarHijriDateText(QDate::currentDate(), 0));
    Text11->setFocus();
}

void RegistrationPanel::copyLists()
{
    Text15->setText(Combo1->currentText());
    Text16->setText(Combo2->currentText());
    Text17->setText(Combo3->currentText());
}

void RegistrationPanel::save()
{
    copyLists();
    // Blanks count as content: only an empty field is missing.
    const struct
    {
        QLineEdit *field;
        const char *message;
        QWidget *focus;
    } checks[] = {
        {Text11, RegistrationText::NeedCode, Text11},
        {Text6, RegistrationText::NeedFName, Text6},
        {Text4, RegistrationText::NeedLName, Text4},
        {Text16, RegistrationText::NeedGender, Combo2},
        {Text5, RegistrationText::NeedAge, Text5},
        {Text15, RegistrationText::NeedMarital, Combo1},
        {Text17, RegistrationText::NeedGroup, Combo3},
        {Text7, RegistrationText::NeedEducation, Text7},
    };
    for (const auto &check : checks) {
        if (check.field->text().isEmpty()) {
            ShowTimedMessage(m_window, text(check.message));
            check.focus->setFocus();
            return;
        }
    }

    const Result registered = Register::RegisterSubject(*m_subjects, *m_answers, Text11->text());
    if (!registered) {
        // Nothing was written. The subject stays in the panel exactly as typed, and the next Save
        // tries the same rows again.
        if (registered.is(Failure::DuplicateCode))
            ShowTimedMessage(m_window, text(RegistrationText::CodeTaken));
        else
            ShowMessage(m_window, registered.description(), QString(), QMessageBox::Critical);
        return;
    }

    Cursor::RereadEach({m_subjects, m_answers});
    emit saved();
}

void RegistrationPanel::cancel()
{
    Cursor::RereadEach({m_subjects}); // drops the new row
    emit panelsToHide();
}

bool RegistrationPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto *pressed = static_cast<QKeyEvent *>(event);
    if (qobject_cast<QComboBox *>(watched) &&
        (pressed->key() == Qt::Key_Return || pressed->key() == Qt::Key_Enter)) {
        // A closed list takes Enter as Save, as the text boxes do; an open one chooses with it.
        Command8->click();
        return true;
    }
    if (watched != Text5)
        return QObject::eventFilter(watched, event);
    // A Persian keyboard types Persian digits: the age is stored in the digits 0 to 9.
    const DigitKey key = FilterDigitKey(Text5, *static_cast<QKeyEvent *>(event));
    if (key != DigitKey::Refused)
        return key == DigitKey::Taken;
    QApplication::beep();
    ShowTimedMessage(m_window, text(RegistrationText::NumbersOnly));
    return true;
}
