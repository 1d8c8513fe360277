#include "scoring/FrmkLID.h"

#include "common/ApplyStoredTheme.h"
#include "common/Dialogs.h"
#include "common/FieldBinder.h"
#include "common/ProgramEnd.h"
#include "common/ScreenPlacement.h"
#include "common/Skin.h"
#include "common/Text.h"
#include "common/TextRules.h"
#include "common/WindowPieces.h"
#include "data/Cursor.h"
#include "data/Database.h"
#include "data/SubjectRows.h"
#include "register/Register.h"
#include "scoring/FrmkLIDText.h"
#include "scoring/ScoringKey.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {
// Our own words for a read the file refused; the window's other texts are the program's.
const char *const ReadFailedText =
    "اطلاعات این آزمودنی از پایگاه داده خوانده نشد و چیزی ذخیره نشد. کمی بعد دوباره امتحان کنید.";

const QString CodeField = QStringLiteral("Code");

QFrame *frame(const QString &name, QWidget *parent)
{
    auto *f = new QFrame(parent);
    f->setObjectName(name);
    f->setFrameShape(QFrame::StyledPanel);
    return f;
}

// A box that shows a stored value: it can be selected and copied, never typed into, and the
// keyboard passes it by.
QLineEdit *shownBox(const QString &name, Qt::Alignment alignment, QWidget *parent)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setAlignment(alignment);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

SkinLabel *caption(int number, const QString &words, QWidget *parent)
{
    auto *label = new SkinLabel(QStringLiteral("SkinLabel%1").arg(number), parent);
    label->setText(words);
    return label;
}
} // namespace

FrmkLID::FrmkLID(QWidget *parent)
    : QWidget(parent), Adodc1(new Cursor(QStringLiteral("Theme"), this)),
      Adodc2(new Cursor(QStringLiteral("Answer"), this)),
      Adodc3(new Cursor(QStringLiteral("IDE"), this)),
      Adodc5(new Cursor(QStringLiteral("IDE"), this)),
      Adodc6(new Cursor(QStringLiteral("IDE"), this)), Skin1(new Skin(this))
{
    setObjectName(QStringLiteral("FrmkLID"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(text(FrmkLIDText::Caption));
    Text1 = QStringLiteral("1");

    m_subjectBinder = new FieldBinder(Adodc3, this);
    m_answerBinder = new FieldBinder(Adodc2, this);
    m_scoreBinder = new FieldBinder(Adodc5, this);

    auto *root = new QVBoxLayout(this);
    // Compact enough for a 1366 x 768 laptop screen at 125 %, title bar and task bar included.
    root->setContentsMargins(10, 8, 10, 8);
    root->setSpacing(6);
    buildSubjectPanel();
    buildButtonBar();
    buildResultsPanel();
    root->addWidget(Frame5);
    root->addWidget(Frame1);
    root->addWidget(Frame3);
    buildHelpPanel();
    EnterPressesFocusedButton(this);

    Cursor::OpenEach({Adodc1, Adodc2, Adodc3, Adodc5, Adodc6});
    Text1 = Adodc1->field(QStringLiteral("TH"));
    Text13 = Adodc1->field(QStringLiteral("Name"));
    Text16 = Adodc1->field(QStringLiteral("Adress"));

    connect(Command1, &QPushButton::clicked, this, &FrmkLID::scoreSubject);
    connect(Command2, &QPushButton::clicked, this, &FrmkLID::showHelp);
    connect(Command7, &QPushButton::clicked, this, &FrmkLID::hideHelp);
    connect(Command4, &QPushButton::clicked, this, &QWidget::close);

    // Sized for the look the stored theme gives, then placed; the help panel waits, hidden, over
    // the middle.
    ApplyStoredTheme(Skin1, this, Text1);
    fitToLook();
    PlaceOnScreen(this);
    Command1->setFocus();
}

FrmkLID *FrmkLID::ShowNew()
{
    auto *window = new FrmkLID;
    window->show();
    window->activateWindow();
    return window;
}

void FrmkLID::buildSubjectPanel()
{
    Frame5 = frame(QStringLiteral("Frame5"), this);
    Text15 = shownBox(QStringLiteral("Text15"), Qt::AlignCenter, Frame5);
    Text3 = shownBox(QStringLiteral("Text3"), Qt::AlignLeading, Frame5);
    Text12 = shownBox(QStringLiteral("Text12"), Qt::AlignLeading, Frame5);
    Text10 = shownBox(QStringLiteral("Text10"), Qt::AlignCenter, Frame5);
    Text6 = shownBox(QStringLiteral("Text6"), Qt::AlignCenter, Frame5);
    Text11 = shownBox(QStringLiteral("Text11"), Qt::AlignCenter, Frame5);
    Text7 = shownBox(QStringLiteral("Text7"), Qt::AlignLeading, Frame5);
    Text8 = shownBox(QStringLiteral("Text8"), Qt::AlignCenter, Frame5);
    Text9 = shownBox(QStringLiteral("Text9"), Qt::AlignCenter, Frame5);

    // Two rows of caption and box pairs, read from the right. Pair p takes the grid's columns 2p
    // (caption) and 2p + 1 (box); a box of the second row may span the rest of its row.
    auto *grid = new QGridLayout(Frame5);
    grid->setContentsMargins(12, 10, 12, 10);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(8);
    // The main window's first two skinned labels have looks of their own: these start after them.
    int label = 3;
    const struct
    {
        QLineEdit *box;
        const char *caption;
        const char *field;
        int row;
        int pair;
        int span;
    } pairs[] = {
        {Text15, FrmkLIDText::CodeLabel, "Code", 0, 0, 1},
        {Text3, FrmkLIDText::FNameLabel, "FName", 0, 1, 1},
        {Text12, FrmkLIDText::LNameLabel, "LName", 0, 2, 1},
        {Text10, FrmkLIDText::GenderLabel, "Jens", 0, 3, 1},
        {Text6, FrmkLIDText::AgeLabel, "Sen", 0, 4, 1},
        {Text11, FrmkLIDText::MaritalLabel, "Taahol", 1, 0, 1},
        {Text7, FrmkLIDText::EducationLabel, "Tahsil", 1, 1, 1},
        {Text8, FrmkLIDText::DateLabel, "Date", 1, 2, 1},
        {Text9, FrmkLIDText::TimeLabel, "Time", 1, 3, 3},
    };
    for (const auto &pair : pairs) {
        SkinLabel *words = caption(label++, text(pair.caption), Frame5);
        words->setAlignment(Qt::AlignTrailing | Qt::AlignVCenter); // against its box
        words->setBuddy(pair.box);
        grid->addWidget(words, pair.row, 2 * pair.pair);
        grid->addWidget(pair.box, pair.row, 2 * pair.pair + 1, 1, pair.span);
        m_subjectBinder->bind(pair.box, QString::fromLatin1(pair.field));
    }
    // Names and education get the room; the short values stay short.
    for (int column : {3, 5})
        grid->setColumnStretch(column, 2);
}

void FrmkLID::buildButtonBar()
{
    Frame1 = frame(QStringLiteral("Frame1"), this);
    Command1 = MakeButton(QStringLiteral("Command1"), FrmkLIDText::Command1Caption, Frame1);
    Command6 = MakeButton(QStringLiteral("Command6"), FrmkLIDText::Command6Caption, Frame1);
    Command3 = MakeButton(QStringLiteral("Command3"), FrmkLIDText::Command3Caption, Frame1);
    Command2 = MakeButton(QStringLiteral("Command2"), FrmkLIDText::Command2Caption, Frame1);
    Command4 = MakeButton(QStringLiteral("Command4"), FrmkLIDText::Command4Caption, Frame1);
    // The main action of the window.
    QFont bold = Command1->font();
    bold.setBold(true);
    Command1->setFont(bold);
    auto *row = new QHBoxLayout(Frame1);
    row->setContentsMargins(10, 8, 10, 8);
    row->setSpacing(10);
    for (QPushButton *b : {Command1, Command6, Command3, Command2})
        row->addWidget(b);
    row->addStretch();
    row->addWidget(Command4);
    QWidget::setTabOrder(Command1, Command6);
    QWidget::setTabOrder(Command6, Command3);
    QWidget::setTabOrder(Command3, Command2);
    QWidget::setTabOrder(Command2, Command4);
}

void FrmkLID::buildResultsPanel()
{
    Frame3 = frame(QStringLiteral("Frame3"), this);
    // The window keeps the panel's room while it is hidden, so nothing moves when it shows.
    KeepPlaceWhenHidden(Frame3);
    auto *layout = new QVBoxLayout(Frame3);
    layout->setContentsMargins(12, 8, 12, 10);
    layout->setSpacing(8);

    // The 56 answers, ten to a row in statement order, each box with its statement's number.
    // Each number stands right beside its own box, and the cells apart, so that no number reads
    // as the neighbouring box's.
    auto *answers = new QGridLayout;
    answers->setHorizontalSpacing(16);
    answers->setVerticalSpacing(2);
    for (int n = 1; n <= ScoringKey::StatementCount; ++n) {
        QLineEdit *box = shownBox(QStringLiteral("Txt3_%1").arg(n), Qt::AlignCenter, Frame3);
        box->setProperty("statement", n);
        Txt3 << box;
        auto *number = new SkinLabel(QStringLiteral("Number%1").arg(n), Frame3);
        number->setText(QString::number(n));
        number->setAlignment(Qt::AlignLeading | Qt::AlignVCenter); // against its box
        number->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
        auto *cell = new QHBoxLayout;
        cell->setSpacing(4);
        cell->addStretch();
        cell->addWidget(number);
        cell->addWidget(box);
        answers->addLayout(cell, (n - 1) / 10, (n - 1) % 10);
        m_answerBinder->bind(box, QString::number(n));
    }
    layout->addLayout(answers);

    auto *line = new QFrame(Frame3);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    layout->addWidget(line);

    // The five scores under their captions, from the right, and the total beside its caption.
    Text2 = shownBox(QStringLiteral("Text2"), Qt::AlignCenter, Frame3);
    Text4 = shownBox(QStringLiteral("Text4"), Qt::AlignCenter, Frame3);
    Text14 = shownBox(QStringLiteral("Text14"), Qt::AlignCenter, Frame3);
    Text17 = shownBox(QStringLiteral("Text17"), Qt::AlignCenter, Frame3);
    Text18 = shownBox(QStringLiteral("Text18"), Qt::AlignCenter, Frame3);
    Txt6 = shownBox(QStringLiteral("Txt6"), Qt::AlignCenter, Frame3);
    QFont bold = Txt6->font();
    bold.setBold(true);
    Txt6->setFont(bold);
    auto *scores = new QGridLayout;
    scores->setHorizontalSpacing(14);
    scores->setVerticalSpacing(4);
    int label = 12;
    const QVector<QLineEdit *> boxes = scoreBoxes();
    const QVector<ScoringKey::Subscale> &subscales = ScoringKey::Subscales();
    for (int i = 0; i < subscales.size(); ++i) {
        SkinLabel *words = caption(label++, subscales.at(i).windowCaption, Frame3);
        words->setAlignment(Qt::AlignCenter);
        words->setBuddy(boxes.at(i));
        scores->addWidget(words, 0, i);
        scores->addWidget(boxes.at(i), 1, i, Qt::AlignHCenter);
        m_scoreBinder->bind(boxes.at(i), subscales.at(i).field);
    }
    auto *total = new QHBoxLayout;
    total->setSpacing(6);
    SkinLabel *totalWords = caption(label++, ScoringKey::TotalWindowCaption(), Frame3);
    totalWords->setAlignment(Qt::AlignTrailing | Qt::AlignVCenter);
    totalWords->setBuddy(Txt6);
    QFont heading = totalWords->font();
    heading.setBold(true);
    totalWords->setFont(heading);
    total->addWidget(totalWords);
    total->addWidget(Txt6);
    scores->addLayout(total, 1, subscales.size());
    m_scoreBinder->bind(Txt6, ScoringKey::TotalField());
    layout->addLayout(scores);
    Frame3->hide();
}

void FrmkLID::buildHelpPanel()
{
    // Not in the layout: it lies over the other panels while it is open.
    Frame2 = frame(QStringLiteral("Frame2"), this);
    Frame2->setFrameShadow(QFrame::Raised);
    Frame2->setAutoFillBackground(true);
    Text21 = new QPlainTextEdit(Frame2);
    Text21->setObjectName(QStringLiteral("Text21"));
    Text21->setReadOnly(true);
    Text21->setTabChangesFocus(true);
    // Wrapped at the box's width, which holds the longest line: only so can the lines keep to the
    // right-hand edge, as Persian text does; the box does not take that from the window.
    Text21->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QTextOption rightToLeft = Text21->document()->defaultTextOption();
    rightToLeft.setTextDirection(Qt::RightToLeft);
    rightToLeft.setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
    Text21->document()->setDefaultTextOption(rightToLeft);
    Text21->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text21->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QStringList lines;
    for (const char *line : FrmkLIDText::HelpLines)
        lines << text(line);
    Text21->setPlainText(lines.join(u'\n'));
    Command7 = MakeButton(QStringLiteral("Command7"), FrmkLIDText::Command7Caption, Frame2);
    auto *layout = new QVBoxLayout(Frame2);
    layout->setContentsMargins(14, 14, 14, 12);
    layout->setSpacing(10);
    layout->addWidget(Text21);
    layout->addWidget(Command7, 0, Qt::AlignHCenter);
    Frame2->hide();
}

void FrmkLID::fitToLook()
{
    // Every size follows the look the skin gave: its fonts, paddings and borders.
    ensurePolished();
    const int digit = Txt3.first()->fontMetrics().horizontalAdvance(QStringLiteral("00"));
    for (QLineEdit *box : std::as_const(Txt3))
        box->setFixedWidth(digit + 20);
    // Each number keeps a gap on its far side, from the box of the statement before it.
    for (int n = 1; n <= ScoringKey::StatementCount; ++n)
        findChild<SkinLabel *>(QStringLiteral("Number%1").arg(n))->setMinimumWidth(digit + 12);
    const int score = Text2->fontMetrics().horizontalAdvance(QStringLiteral("0000"));
    for (QLineEdit *box : scoreBoxes())
        box->setFixedWidth(score + 24);
    Txt6->setFixedWidth(Txt6->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 24);
    for (QLineEdit *box : {Text10, Text6})
        box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 24);
    const int name = Text3->fontMetrics().horizontalAdvance(u'x') * 18;
    for (QLineEdit *box : {Text15, Text3, Text12, Text7})
        box->setMinimumWidth(name);
    // The buttons of the bar share one height; each is as wide as its words.
    for (QPushButton *b : Frame1->findChildren<QPushButton *>())
        b->setMinimumWidth(qMax(90, b->sizeHint().width()));

    // The help text fits its box exactly: seven whole lines, none cut.
    const QFontMetrics help = Text21->fontMetrics();
    int widest = 0;
    for (const char *line : FrmkLIDText::HelpLines)
        widest = qMax(widest, help.horizontalAdvance(text(line)));
    const int frameWidth = 2 * Text21->frameWidth();
    const int margin = 2 * int(Text21->document()->documentMargin());
    Text21->setFixedSize(widest + frameWidth + margin + 24,
                         7 * help.lineSpacing() + frameWidth + margin + 4);
    Command7->setMinimumWidth(qMax(90, Command7->sizeHint().width()));

    setFixedSize(sizeHint());
    Frame2->adjustSize();
    Frame2->move((width() - Frame2->width()) / 2, (height() - Frame2->height()) / 2);
}

QVector<QLineEdit *> FrmkLID::scoreBoxes() const
{
    return {Text2, Text4, Text14, Text17, Text18};
}

void FrmkLID::showHelp()
{
    // The buttons under the help wait until it closes, so the keyboard stays with it.
    Frame1->setEnabled(false);
    Frame2->show();
    Frame2->raise();
    Command7->setFocus();
}

void FrmkLID::hideHelp()
{
    Frame2->hide();
    Frame1->setEnabled(true);
    Command2->setFocus();
}

void FrmkLID::readFailed()
{
    Frame3->hide();
    ShowMessage(this, text(ReadFailedText), text(FrmkLIDText::ErrorTitle), QMessageBox::Critical);
}

void FrmkLID::scoreSubject()
{
    const QString code = AskCode(this, text(FrmkLIDText::AskPrompt), text(FrmkLIDText::AskTitle));
    if (code.isEmpty()) {
        ShowTimedMessage(this, text(FrmkLIDText::NeedCode));
        return;
    }

    // Read afresh, so that answers stored since the window opened are seen. The code is matched
    // exactly as typed, apostrophes, blanks and all, or as the same code registration stored.
    // From here on the subject panel shows the entered code's subject, whatever comes of it.
    SubjectRows rows;
    if (!Register::FindSubject(code, &rows, Adodc3, Adodc2)) {
        readFailed();
        return;
    }
    if (Adodc2->isEmpty()) {
        Frame3->hide();
        ShowTimedMessage(this, text(FrmkLIDText::NoSuchSubject));
        return;
    }

    QStringList answers;
    for (int n = 1; n <= ScoringKey::StatementCount; ++n)
        answers << Adodc2->field(QString::number(n));
    const QVector<int> missing = ScoringKey::Unanswered(answers);
    if (!missing.isEmpty()) {
        Frame3->hide();
        ShowMessage(this,
                    text(FrmkLIDText::Unanswered) + QStringLiteral("\r\n\r\n") +
                        ScoringKey::MissingAnswersText(missing),
                    text(FrmkLIDText::ErrorTitle), QMessageBox::Warning);
        return;
    }

    const ScoringKey::Scores scores = ScoringKey::Compute(answers);
    if (!ScoringKey::AreWritable(scores)) {
        Frame3->hide();
        ShowMessage(this,
                    text(FrmkLIDText::NotWhole) + QStringLiteral("\r\n\r\n") +
                        ScoringKey::MissingAnswersText(ScoringKey::OutsideScale(answers)),
                    text(FrmkLIDText::ErrorTitle), QMessageBox::Warning);
        return;
    }

    if (!Adodc5->filter(CodeField, rows.detailsFilter())) {
        readFailed();
        return;
    }
    if (Adodc5->isEmpty()) {
        // Answers without a subject in the register: there is no row to store the scores in.
        Frame3->hide();
        ShowMessage(this, text(FrmkLIDText::NoDetails), text(FrmkLIDText::ErrorTitle),
                    QMessageBox::Critical);
        return;
    }

    Frame3->show();
    const QVector<QLineEdit *> boxes = scoreBoxes();
    for (int i = 0; i < boxes.size(); ++i)
        boxes.at(i)->setText(ScoringKey::ScoreText(scores.subscale[i]));
    Txt6->setText(ScoringKey::ScoreText(scores.total));

    const Result stored = Register::StoreScores(*Adodc5, scores);
    if (!stored) {
        // Nothing was stored: the boxes go back to what the file holds, the panel goes, and the
        // code last scored stays the one whose scores are really there.
        Adodc5->revert();
        Frame3->hide();
        ShowMessage(this, stored.description(), QString(), QMessageBox::Critical);
        return;
    }

    // The code as the register holds it, so that the result sheet finds this very row.
    m_scoredCode = rows.detailsCode;
    emit scored(m_scoredCode);
    ShowTimedMessage(this, text(FrmkLIDText::Saved));
}

void FrmkLID::keyPressEvent(QKeyEvent *event)
{
    // Escape closes the help; nothing here can be typed, so nothing typed is lost.
    if (event->key() == Qt::Key_Escape && Frame2->isVisible()) {
        hideHelp();
        return;
    }
    QWidget::keyPressEvent(event);
}

void FrmkLID::closeEvent(QCloseEvent *event)
{
    event->accept();
    ShowMainWindow();
}
