#include "administration/FrmTest.h"

#include "administration/FrmTestText.h"
#include "common/ApplyStoredTheme.h"
#include "common/Dialogs.h"
#include "common/DigitKeys.h"
#include "common/FieldBinder.h"
#include "common/LeadingNumber.h"
#include "common/ScreenPlacement.h"
#include "common/Skin.h"
#include "common/Text.h"
#include "common/WindowPieces.h"
#include "data/Cursor.h"
#include "data/Database.h"
#include "data/SubjectRows.h"
#include "register/AnswerSheet.h"
#include "register/Register.h"
#include "scoring/ScoringKey.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>
#include <memory>

namespace {
// The pause after an answer before the window goes on by itself: long enough to see the choice.
const int AutoNextMs = 300;
const char *const AutoNextKey = "FrmTest/AutoNext";

// The user's own settings, beside the installation's settings in the database.
std::unique_ptr<QSettings> userSettings()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Korvat"), QStringLiteral("Korvat"));
}

// The option a key chooses: 1 to 5 in Latin, Persian or Arabic-Indic digits; 0 for any other.
int optionKey(const QKeyEvent &key)
{
    if (key.text().size() != 1)
        return 0;
    const char16_t c = key.text().at(0).unicode();
    for (const char16_t one : {u'1', u'\u06F1', u'\u0661'})
        if (c >= one && c < one + ScoringKey::OptionCount)
            return c - one + 1;
    return 0;
}

QLineEdit *box(const QString &name, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

void scaleFont(QWidget *widget, qreal factor, bool bold = false)
{
    QFont font = widget->font();
    font.setPointSizeF(font.pointSizeF() * factor);
    font.setBold(bold);
    widget->setFont(font);
}
} // namespace

FrmTest::FrmTest(QWidget *parent)
    : QDialog(parent), Adodc1(new Cursor(QStringLiteral("Theme"), this)),
      Adodc2(new Cursor(QStringLiteral("Answer"), this)),
      Adodc3(new Cursor(QStringLiteral("IDE"), this)),
      Adodc4(new Cursor(QStringLiteral("Answer"), this)),
      Adodc5(new Cursor(QStringLiteral("IDE"), this)),
      Adodc6(new Cursor(QStringLiteral("QU"), this)), Skin1(new Skin(this))
{
    setObjectName(QStringLiteral("FrmTest"));
    setWindowTitle(text(FrmTestText::Caption));
    Text2 = QStringLiteral("1");
    buildWidgets();

    // The details frame and the answer box are bound at run time; the statement label follows
    // the question bank's cursor from the start.
    m_details = new FieldBinder(nullptr, this);
    m_details->bind(Text1, QStringLiteral("Code"));
    m_details->bind(Text3, QStringLiteral("FName"));
    m_details->bind(Text4, QStringLiteral("LName"));
    m_details->bind(Text10, QStringLiteral("Jens"));
    m_details->bind(Text5, QStringLiteral("Sen"));
    m_details->bind(Text11, QStringLiteral("Taahol"));
    m_details->bind(Text7, QStringLiteral("Tahsil"));
    m_details->bind(Text8, QStringLiteral("Date"));
    m_details->bind(Text9, QStringLiteral("Time"));
    m_answer = new FieldBinder(nullptr, this);
    m_statement = new FieldBinder(Adodc6, this);
    m_statement->bind(Lbl1, QStringLiteral("QUs"));

    Cursor::OpenEach({Adodc1, Adodc2, Adodc3, Adodc4, Adodc5, Adodc6});
    Text2 = Adodc1->field(QStringLiteral("TH"));
    m_details->setCursor(Adodc3);

    // Load: the stored theme, then the window as it first opens.
    ApplyStoredTheme(Skin1, this, Text2);
    fitToLook();
    PlaceOnScreen(this);
    for (QWidget *shown : {static_cast<QWidget *>(SkinLabel4), static_cast<QWidget *>(SkinLabel6),
                           static_cast<QWidget *>(SkinLabel5), static_cast<QWidget *>(SkinLabel3)})
        shown->show();
    CmdNext->hide();
    CmdBack->hide();
    Command1->setFocus();
}

void FrmTest::buildWidgets()
{
    auto *root = new QGridLayout(this);
    root->setContentsMargins(14, 12, 14, 12);
    root->setHorizontalSpacing(14);
    root->setVerticalSpacing(12);

    buildIntro(root);
    buildRunPage(root);
    buildDetails(root);
    root->setColumnStretch(0, 1);
    root->setRowStretch(0, 1);
    buildButtons(root);

    TmrAutoNext = new QTimer(this);
    TmrAutoNext->setObjectName(QStringLiteral("TmrAutoNext"));
    TmrAutoNext->setSingleShot(true);
    TmrAutoNext->setInterval(AutoNextMs);

    EnterPressesFocusedButton(this);
    // The keyboard's way through the window: the details, the options, the moves, the buttons.
    QWidget *order[] = {Text1,       Text3,    Text4,    Text10,  Text5,   Text11,
                        Text7,       Text8,    Text9,    Option1, Option2, Option3,
                        Option4,     Option5,  CmdBack,  Text6,   CmdNext, CmdUnanswered,
                        ChkAutoNext, Command1, Command5, Command2};
    for (size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);

    connect(Text6, &QLineEdit::textChanged, this, &FrmTest::Text6Change);
    connect(Command1, &QPushButton::clicked, this, &FrmTest::Command1Click);
    connect(Command2, &QPushButton::clicked, this, &FrmTest::Command2Click);
    connect(Command5, &QPushButton::clicked, this, &FrmTest::Command5Click);
    connect(CmdBack, &QPushButton::clicked, this, &FrmTest::CmdBackClick);
    connect(CmdNext, &QPushButton::clicked, this, &FrmTest::CmdNextClick);
    connect(CmdUnanswered, &QPushButton::clicked, this, &FrmTest::CmdUnansweredClick);
    connect(TmrAutoNext, &QTimer::timeout, this, &FrmTest::autoAdvance);
    connect(ChkAutoNext, &QCheckBox::toggled, this,
            [](bool on) { userSettings()->setValue(QLatin1String(AutoNextKey), on); });
}

void FrmTest::buildIntro(QGridLayout *root)
{
    // Before the start: the title, the instructions, the note and the legend, across the window.
    m_intro = new QWidget(this);
    m_intro->setObjectName(QStringLiteral("PageIntro"));
    auto *intro = new QVBoxLayout(m_intro);
    intro->setContentsMargins(0, 0, 0, 0);
    intro->setSpacing(14);
    SkinLabel3 = new SkinLabel(QStringLiteral("SkinLabel3"), m_intro);
    SkinLabel3->setText(text(FrmTestText::Title));
    scaleFont(SkinLabel3, 1.6, true);
    SkinLabel4 = new SkinLabel(QStringLiteral("SkinLabel4"), m_intro);
    SkinLabel4->setText(text(FrmTestText::Instructions));
    scaleFont(SkinLabel4, 1.2);
    SkinLabel5 = new SkinLabel(QStringLiteral("SkinLabel5"), m_intro);
    SkinLabel5->setText(text(FrmTestText::Note));
    scaleFont(SkinLabel5, 1.1, true);
    SkinLabel6 = new SkinLabel(QStringLiteral("SkinLabel6"), m_intro);
    SkinLabel6->setText(text(FrmTestText::Legend));
    scaleFont(SkinLabel6, 1.1);
    intro->addStretch(1);
    for (SkinLabel *label : {SkinLabel3, SkinLabel4, SkinLabel5, SkinLabel6}) {
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignCenter);
        KeepPlaceWhenHidden(label);
        label->hide();
        intro->addWidget(label);
    }
    intro->addStretch(1);
    KeepPlaceWhenHidden(m_intro);
    root->addWidget(m_intro, 0, 0, 1, 2);
}

void FrmTest::buildRunPage(QGridLayout *root)
{
    // After the start: the statement, its options and the ways to move.
    m_run = new QWidget(this);
    m_run->setObjectName(QStringLiteral("PageRun"));
    auto *run = new QVBoxLayout(m_run);
    run->setContentsMargins(0, 0, 0, 0);
    run->setSpacing(10);
    SkinLbl5 = new SkinLabel(QStringLiteral("SkinLbl5"), m_run);
    SkinLbl5->setText(QStringLiteral(" "));
    SkinLbl5->setWordWrap(true);
    SkinLbl5->setAlignment(Qt::AlignCenter);
    // Large enough to be read by a child sitting beside the examiner.
    scaleFont(SkinLbl5, 1.7, true);
    SkinLbl5->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    run->addWidget(SkinLbl5, 1);
    Lbl1 = new QLabel(m_run);
    Lbl1->setObjectName(QStringLiteral("Lbl1"));
    Lbl1->setTextFormat(Qt::PlainText);
    Lbl1->hide();

    buildOptions(run);
    // The answer of the statement shown: never on screen, and with no length limit, so that a
    // stored value is read exactly as it stands.
    Text12 = box(QStringLiteral("Text12"), m_run);
    Text12->hide();

    buildMoves(run);
    for (QWidget *part :
         {static_cast<QWidget *>(SkinLbl5), static_cast<QWidget *>(Frame2),
          static_cast<QWidget *>(CmdBack), static_cast<QWidget *>(Text6),
          static_cast<QWidget *>(CmdNext), static_cast<QWidget *>(CmdUnanswered),
          static_cast<QWidget *>(PrgAnswered), static_cast<QWidget *>(ChkAutoNext)}) {
        KeepPlaceWhenHidden(part);
        part->hide();
    }
    // The two states share the place; each covers the other while it is shown.
    KeepPlaceWhenHidden(m_run);
    m_run->hide();
    root->addWidget(m_run, 0, 0);
}

void FrmTest::buildOptions(QVBoxLayout *run)
{
    // The five answers, in a frame whose caption numbers the statement.
    Frame2 = new QGroupBox(m_run);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    auto *options = new QHBoxLayout(Frame2);
    options->setContentsMargins(12, 10, 12, 8);
    options->setSpacing(16);
    m_options = new QButtonGroup(this);
    const char *const captions[] = {FrmTestText::Never, FrmTestText::Rarely, FrmTestText::Sometimes,
                                    FrmTestText::Often, FrmTestText::Always};
    QRadioButton **members[] = {&Option1, &Option2, &Option3, &Option4, &Option5};
    for (int k = 1; k <= ScoringKey::OptionCount; ++k) {
        auto *choice = new QRadioButton(text(captions[k - 1]), Frame2);
        choice->setObjectName(QStringLiteral("Option%1").arg(k));
        choice->setToolTip(text(FrmTestText::OptionKey) + QString::number(k));
        scaleFont(choice, 1.25);
        m_options->addButton(choice, k);
        options->addWidget(choice, 1, Qt::AlignCenter);
        *members[k - 1] = choice;
        connect(choice, &QRadioButton::clicked, this, &FrmTest::answerChosen);
    }
    // The statement number stands out in the frame's caption; the options keep their own font.
    scaleFont(Frame2, 1.2, true);
    run->addWidget(Frame2);
}

void FrmTest::buildMoves(QVBoxLayout *run)
{
    // The ways to move, and below them how far the test has come.
    auto *moves = new QHBoxLayout;
    moves->setSpacing(8);
    CmdBack = MakeButton(QStringLiteral("CmdBack"), FrmTestText::Back, m_run);
    Text6 = box(QStringLiteral("Text6"), m_run);
    Text6->setAlignment(Qt::AlignCenter);
    Text6->setText(QStringLiteral("1"));
    Text6->installEventFilter(this);
    CmdNext = MakeButton(QStringLiteral("CmdNext"), FrmTestText::Next, m_run);
    CmdUnanswered = MakeButton(QStringLiteral("CmdUnanswered"), FrmTestText::NextUnanswered, m_run);
    moves->addWidget(CmdBack);
    moves->addWidget(Text6);
    moves->addWidget(CmdNext);
    moves->addStretch(1);
    moves->addWidget(CmdUnanswered);
    run->addLayout(moves);

    auto *progress = new QHBoxLayout;
    progress->setSpacing(12);
    PrgAnswered = new QProgressBar(m_run);
    PrgAnswered->setObjectName(QStringLiteral("PrgAnswered"));
    PrgAnswered->setRange(0, ScoringKey::StatementCount);
    PrgAnswered->setTextVisible(true);
    PrgAnswered->setAlignment(Qt::AlignCenter);
    ChkAutoNext = new QCheckBox(text(FrmTestText::AutoAdvance), m_run);
    ChkAutoNext->setObjectName(QStringLiteral("ChkAutoNext"));
    ChkAutoNext->setChecked(userSettings()->value(QLatin1String(AutoNextKey), false).toBool());
    progress->addWidget(PrgAnswered, 1);
    progress->addWidget(ChkAutoNext);
    run->addLayout(progress);
}

void FrmTest::buildDetails(QGridLayout *root)
{
    // The subject's details, beside the statement.
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::StyledPanel);
    auto *details = new QGridLayout(Frame1);
    details->setContentsMargins(12, 10, 12, 10);
    details->setHorizontalSpacing(8);
    details->setVerticalSpacing(6);
    Text1 = box(QStringLiteral("Text1"), Frame1);
    Text1->setReadOnly(true);
    Text3 = box(QStringLiteral("Text3"), Frame1);
    Text4 = box(QStringLiteral("Text4"), Frame1);
    Text10 = box(QStringLiteral("Text10"), Frame1);
    Text5 = box(QStringLiteral("Text5"), Frame1);
    Text5->setMaxLength(3);
    Text5->installEventFilter(this);
    Text11 = box(QStringLiteral("Text11"), Frame1);
    Text7 = box(QStringLiteral("Text7"), Frame1);
    Text8 = box(QStringLiteral("Text8"), Frame1);
    Text9 = box(QStringLiteral("Text9"), Frame1);
    SkinLbl = new SkinLabel(QStringLiteral("SkinLbl"), Frame1);
    SkinLbl->setText(text(FrmTestText::CodeLabel));
    SkinLabel1 = new SkinLabel(QStringLiteral("SkinLabel1"), Frame1);
    SkinLabel1->setText(text(FrmTestText::FNameLabel));
    for (const char *caption :
         {FrmTestText::LNameLabel, FrmTestText::GenderLabel, FrmTestText::AgeLabel,
          FrmTestText::MaritalLabel, FrmTestText::EducationLabel, FrmTestText::DateLabel,
          FrmTestText::TimeLabel}) {
        auto *label = new SkinLabel(QStringLiteral("SkinLabel2"), Frame1);
        label->setProperty("index", int(SkinLabel2.size()));
        label->setText(text(caption));
        SkinLabel2 << label;
    }
    const QList<QPair<SkinLabel *, QLineEdit *>> rows = {
        {SkinLbl, Text1},        {SkinLabel1, Text3},    {SkinLabel2[0], Text4},
        {SkinLabel2[1], Text10}, {SkinLabel2[2], Text5}, {SkinLabel2[3], Text11},
        {SkinLabel2[4], Text7},  {SkinLabel2[5], Text8}, {SkinLabel2[6], Text9}};
    for (int row = 0; row < rows.size(); ++row) {
        rows[row].first->setAlignment(Qt::AlignTrailing | Qt::AlignVCenter);
        rows[row].first->setBuddy(rows[row].second);
        details->addWidget(rows[row].first, row, 0);
        details->addWidget(rows[row].second, row, 1);
    }
    details->setRowStretch(rows.size(), 1);
    KeepPlaceWhenHidden(Frame1);
    Frame1->hide();
    root->addWidget(Frame1, 0, 1);
}

void FrmTest::buildButtons(QGridLayout *root)
{
    // The buttons of the window, below everything.
    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(12);
    Command1 = MakeButton(QStringLiteral("Command1"), FrmTestText::Start, this);
    scaleFont(Command1, 1.2, true);
    Command5 = MakeButton(QStringLiteral("Command5"), FrmTestText::SaveAndExit, this);
    KeepPlaceWhenHidden(Command5);
    Command5->hide();
    Command2 = MakeButton(QStringLiteral("Command2"), FrmTestText::Exit, this);
    // Start gives its place to save and exit.
    auto *first = new QGridLayout;
    first->addWidget(Command1, 0, 0);
    first->addWidget(Command5, 0, 0);
    buttons->addStretch(1);
    buttons->addLayout(first);
    buttons->addWidget(Command2);
    buttons->addStretch(1);
    root->addLayout(buttons, 1, 0, 1, 2);
}

void FrmTest::fitToLook()
{
    // Every size comes from the look the skin gave: its fonts, paddings and borders.
    ensurePolished();
    const QFontMetrics statement = SkinLbl5->fontMetrics();
    // Room for three lines of a long statement.
    SkinLbl5->setMinimumHeight(3 * statement.lineSpacing() + 24);
    m_run->setMinimumWidth(32 * statement.averageCharWidth());
    Text6->setFixedWidth(Text6->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);
    Text5->setMaximumWidth(Text5->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);
    const int buttons =
        qMax(96, qMax(Command5->sizeHint().width(), Command2->sizeHint().width()) + 12);
    for (QPushButton *push : {Command1, Command5, Command2})
        push->setMinimumWidth(buttons);
    for (QPushButton *push : {CmdBack, CmdNext})
        push->setMinimumWidth(qMax(CmdBack->sizeHint().width(), CmdNext->sizeHint().width()) + 12);
    Frame1->setMinimumWidth(Frame1->sizeHint().width() +
                            4 * Text3->fontMetrics().averageCharWidth());
    setFixedSize(sizeHint());
}

void FrmTest::Run(QWidget *mainWindow)
{
    // Loaded hidden: its cursors read the tables before the code is asked for. Owned by the
    // window it blocks, so that it stays above it and has no task-bar entry of its own.
    QPointer<FrmTest> window = new FrmTest(mainWindow);
    const QString code =
        AskCode(mainWindow, text(FrmTestText::CodePrompt), text(FrmTestText::CodeTitle));
    if (code.isEmpty())
        ShowTimedMessage(mainWindow, text(FrmTestText::NeedCode));
    else if (window && window->FilterToSubject(mainWindow, code))
        window->exec();
    delete window;
}

bool FrmTest::FilterToSubject(QWidget *owner, const QString &code)
{
    // The code as typed, quotes and blanks and all, or the same code as registration stored it.
    SubjectRows rows;
    if (const Result read = Register::FindSubject(code, &rows, Adodc3, Adodc2); !read) {
        ShowMessage(owner, text(FrmTestText::ReadFailed) + u'\n' + read.description(), QString(),
                    QMessageBox::Critical);
        return false;
    }
    if (Adodc2->isEmpty()) {
        ShowTimedMessage(owner, text(FrmTestText::NoSuchSubject));
        return false;
    }
    return true;
}

QString FrmTest::SettingsFile()
{
    return userSettings()->fileName();
}

void FrmTest::Command1Click()
{
    m_intro->hide();
    m_run->show();
    SkinLbl5->show();
    for (SkinLabel *label : {SkinLabel3, SkinLabel4, SkinLabel5, SkinLabel6})
        label->hide();
    for (QWidget *shown : {static_cast<QWidget *>(Frame1), static_cast<QWidget *>(Frame2),
                           static_cast<QWidget *>(Text6), static_cast<QWidget *>(SkinLbl5),
                           static_cast<QWidget *>(CmdNext)})
        shown->show();
    Text6->setText(QStringLiteral("0"));
    CmdBack->show();
    for (QWidget *shown :
         {static_cast<QWidget *>(CmdUnanswered), static_cast<QWidget *>(PrgAnswered),
          static_cast<QWidget *>(ChkAutoNext)})
        shown->show();
    // A subject with answers and no details: there is no row to keep what would be typed.
    const bool details = Adodc3->currentRow() >= 0;
    for (QLineEdit *edit : {Text3, Text4, Text10, Text5, Text11, Text7, Text8, Text9})
        edit->setReadOnly(!details);
    Text1->setFocus();
    Command1->hide();
    Command5->show();
    m_started = true;
    showProgress();
    Text6->setText(QStringLiteral("1"));
}

int FrmTest::statementNumber() const
{
    // A pasted text is read by its leading number like every number of the program, and cut to
    // a whole one: "abc" is 0 and "2.5" is 2.
    const double n = LeadingNumber(Text6->text());
    if (std::isnan(n))
        return 0;
    return int(std::trunc(qBound(-1e6, n, 1e6)));
}

void FrmTest::Text6Change()
{
    const Move move(this);
    // Setting Text6 here runs this handler again, nested, before this run goes on: the order of
    // the steps is what makes the bounds work.
    if (Text6->text().isEmpty()) {
        SkinLbl5->setText(QString());
        Text6->setText(QStringLiteral("1"));
    }
    int n = statementNumber();
    if (n == 0)
        return;
    if (n < 0) {
        ShowTimedMessage(this, text(FrmTestText::Start));
        Text6->setText(QStringLiteral("1"));
        bindAnswerBox(1);
        Frame2->setTitle(QStringLiteral("1"));
    }
    n = statementNumber();
    if (n > ScoringKey::StatementCount) {
        saveAnswers();
        ShowTimedMessage(this, text(FrmTestText::End));
        Text6->setText(QString::number(ScoringKey::StatementCount));
        Frame2->setTitle(QString::number(ScoringKey::StatementCount));
    }
    n = statementNumber();
    if (n < ScoringKey::StatementCount + 1)
        loadStatement(n);
}

void FrmTest::loadStatement(int n)
{
    // A move of any kind ends the pause after an answer: the window goes on by itself only from
    // the statement that was answered.
    TmrAutoNext->stop();
    if (const Result read = Adodc6->filter(QStringLiteral("ID"), QString::number(n)); !read)
        tellFailure(text(FrmTestText::StatementUnread) + u'\n' + read.description());
    SkinLbl5->setText(Lbl1->text());
    bindAnswerBox(n);
    Frame2->setTitle(QString::number(n));
    ShowAnswer();
}

void FrmTest::bindAnswerBox(int n)
{
    m_answer->setCursor(Adodc2);
    m_answer->rebind(Text12, QString::number(n));
    m_shown = n;
}

void FrmTest::CmdBackClick()
{
    const Move move(this);
    TmrAutoNext->stop();
    saveAnswers();
    Text6->setText(QString::number(statementNumber() - 1));
}

void FrmTest::CmdNextClick()
{
    const Move move(this);
    TmrAutoNext->stop();
    saveAnswers();
    Text6->setText(QString::number(statementNumber() + 1));
}

void FrmTest::CmdUnansweredClick()
{
    const Move move(this);
    TmrAutoNext->stop();
    const int next = NextUnanswered(AnswersOf(*Adodc2), m_shown);
    if (next == 0) {
        ShowTimedMessage(this, text(FrmTestText::AllAnswered));
        return;
    }
    saveAnswers();
    Text6->setText(QString::number(next));
}

QRadioButton *FrmTest::option(int number) const
{
    return qobject_cast<QRadioButton *>(m_options->button(number));
}

void FrmTest::WriteAnswer()
{
    // The direction is that of the statement whose answer is bound and on screen, which the
    // number box names too, except while it is idle at 0.
    for (int k = 1; k <= ScoringKey::OptionCount; ++k) {
        if (option(k)->isChecked()) {
            Text12->setText(ScoringKey::StoredAnswer(k, m_shown));
            // Into the file at once: an answer given is never lost, not even by a power cut.
            saveAnswers();
            showProgress();
            return;
        }
    }
}

void FrmTest::ShowAnswer()
{
    const QString stored = Text12->text();
    if (stored.isEmpty()) {
        clearOptions();
        return;
    }
    const double v = LeadingNumber(stored);
    const int value = v == std::floor(v) && std::abs(v) <= ScoringKey::OptionCount ? int(v) : 0;
    const int k = ScoringKey::OptionShowing(value, m_shown);
    if (k == 0) {
        // Not a value of the scale (another tool wrote it): no option is this statement's
        // answer, and the previous statement's must not look like one.
        clearOptions();
        return;
    }
    option(k)->setChecked(true);
    // Selecting an option is a click on it, which writes the same value back.
    WriteAnswer();
}

void FrmTest::clearOptions()
{
    m_options->setExclusive(false);
    for (QAbstractButton *choice : m_options->buttons())
        choice->setChecked(false);
    m_options->setExclusive(true);
}

Result FrmTest::writeAnswers()
{
    m_answer->submit();
    return Register::StoreAnswers(*Adodc2, *Adodc3);
}

bool FrmTest::saveAnswers()
{
    const Result saved = writeAnswers();
    if (saved)
        return true;
    // The answer stays in the window and goes to the file at the next save. One move of the
    // user's may come to several saves (the move, then the answer shown again): it is told once.
    tellFailure(saved.description());
    return false;
}

void FrmTest::tellFailure(const QString &description)
{
    if (!m_failureTold)
        ShowMessage(this, description, QString(), QMessageBox::Critical);
    m_failureTold = m_moves > 0;
}

FrmTest::Move::Move(FrmTest *window) : m_window(window)
{
    if (m_window->m_moves++ == 0)
        m_window->m_failureTold = false;
}

FrmTest::Move::~Move()
{
    if (--m_window->m_moves == 0)
        m_window->m_failureTold = false;
}

void FrmTest::chooseOption(int number)
{
    if (QRadioButton *choice = option(number))
        choice->click();
}

void FrmTest::answerChosen()
{
    const Move move(this);
    WriteAnswer();
    if (ChkAutoNext->isChecked()) {
        m_answeredAt = m_shown;
        TmrAutoNext->start();
    }
}

void FrmTest::autoAdvance()
{
    // Only from the statement answered, and only while it is still the one shown.
    if (m_shown == m_answeredAt && statementNumber() == m_shown && isVisible())
        CmdNextClick();
}

int FrmTest::AnsweredCount() const
{
    return ::AnsweredCount(AnswersOf(*Adodc2));
}

void FrmTest::showProgress()
{
    const int answered = AnsweredCount();
    PrgAnswered->setValue(answered);
    PrgAnswered->setFormat(text(FrmTestText::Progress).replace(u'N', QString::number(answered)));
}

void FrmTest::Command5Click()
{
    TmrAutoNext->stop();
    // The answers, the details and the whole answers table, in this order; a refused save keeps
    // everything in the window as it is, and says why.
    Result saved = writeAnswers();
    for (Cursor *cursor : {Adodc3, Adodc4})
        if (saved)
            saved = cursor->save();
    if (!saved) {
        ShowMessage(this, saved.description(), QString(), QMessageBox::Critical);
        return;
    }
    Cursor::RereadEach({Adodc1, Adodc2, Adodc3, Adodc5});
    m_closing = true;
    done(QDialog::Accepted);
}

void FrmTest::Command2Click()
{
    TmrAutoNext->stop();
    // Edits of the details go; answers never do. They are in the file already, unless a save
    // was refused: then it is tried once more, and the user decides.
    const Result saved = writeAnswers();
    if (!saved &&
        !AskYesNo(this,
                  saved.description() + QStringLiteral("\n\n") + text(FrmTestText::CloseUnsaved),
                  QString(), QMessageBox::Warning))
        return;
    Cursor::RereadEach({Adodc1, Adodc2, Adodc3, Adodc5});
    m_closing = true;
    done(QDialog::Rejected);
}

bool FrmTest::isRunning() const
{
    return m_started;
}

void FrmTest::reject()
{
    // The close box is the exit button.
    if (!m_closing)
        Command2Click();
}

void FrmTest::keyPressEvent(QKeyEvent *event)
{
    // A key typed into a text box is the box's, read-only or not: it never answers.
    const bool inTextBox = qobject_cast<QLineEdit *>(focusWidget()) != nullptr;
    switch (event->key()) {
    case Qt::Key_Escape:
        // Never closes the window, and never takes back what was typed.
        event->accept();
        return;
    case Qt::Key_PageDown:
    case Qt::Key_PageUp:
        if (isRunning()) {
            if (!event->isAutoRepeat())
                event->key() == Qt::Key_PageDown ? CmdNextClick() : CmdBackClick();
            event->accept();
            return;
        }
        break;
    default:
        if (const int number = optionKey(*event); number && isRunning() && !inTextBox) {
            // A key held down answers once, never statement after statement.
            if (!event->isAutoRepeat())
                chooseOption(number);
            event->accept();
            return;
        }
        break;
    }
    QDialog::keyPressEvent(event);
}

bool FrmTest::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched != Text6 && watched != Text5) || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    // A Persian keyboard types Persian digits: the box holds the digits 0 to 9.
    const DigitKey key =
        FilterDigitKey(static_cast<QLineEdit *>(watched), *static_cast<QKeyEvent *>(event));
    if (key != DigitKey::Refused)
        return key == DigitKey::Taken;
    QApplication::beep();
    ShowTimedMessage(this, text(FrmTestText::NumbersOnly));
    return true;
}
