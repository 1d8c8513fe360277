// The test window: finding the subject, moving through the statements, storing the answers, and
// every way of leaving it, checked in the database file itself.
#include "GuiTest.h"
#include "ModalAnswer.h"
#include "OtherProgram.h"
#include "Seed.h"
#include "Text.h"
#include "UserInput.h"
#include "Windows.h"
#include "administration/FrmTest.h"
#include "administration/FrmTestText.h"
#include "app/Frm1.h"
#include "common/Dialogs.h"
#include "common/Skin.h"
#include "data/Cursor.h"
#include "data/Database.h"
#include "data/DatabaseText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// The direct statements, written out here apart from the program's own table.
const QList<int> Direct = {7,  8,  10, 11, 14, 17, 20, 21, 24, 27, 28,
                           30, 36, 38, 39, 41, 42, 45, 47, 50, 51, 54};

// A subject with the given answers (statement -> stored text); without details, no IDE row.
void addSubject(const QString &code, const QMap<int, QString> &answers = {}, bool details = true)
{
    QHash<QString, QString> row{{QStringLiteral("Code"), code}};
    for (auto it = answers.cbegin(); it != answers.cend(); ++it)
        row.insert(QString::number(it.key()), it.value());
    QVERIFY(AddRow(QStringLiteral("Answer"), row));
    if (details)
        QVERIFY(AddRow(QStringLiteral("IDE"),
                       {{QStringLiteral("Code"), code}, {QStringLiteral("FName"), u("سارا")}}));
}

// Every statement answered but those listed.
QMap<int, QString> answeredBut(const QList<int> &missing)
{
    QMap<int, QString> answers;
    for (int n = 1; n <= 56; ++n)
        if (!missing.contains(n))
            answers[n] = QStringLiteral("2");
    return answers;
}

// What the database file holds, read by a connection of its own.
QString fromFile(const QString &path, const QString &sql, const QString &value)
{
    return ReadOneFromFile(path, sql, {value}).toString();
}

// What the examiner does on the test window.
using Step = std::function<void(FrmTest *)>;

// The statement number box: the buttons beside it, and what is typed or pasted into it.
const Step back = [](FrmTest *window) { QTest::mouseClick(window->CmdBack, Qt::LeftButton); };
const Step next = [](FrmTest *window) { QTest::mouseClick(window->CmdNext, Qt::LeftButton); };
const Step selectAll = [](FrmTest *window) { window->Text6->selectAll(); };
Step typeKeys(const QString &keys)
{
    return [keys](FrmTest *window) { TypeText(window->Text6, keys); };
}
Step setText(const QString &text)
{
    return [text](FrmTest *window) { window->Text6->setText(text); };
}
Step paste(const QString &text)
{
    return [text](FrmTest *window) {
        window->Text6->selectAll();
        window->Text6->insert(text);
    };
}

// How an option is chosen for the statement on screen.
using Choose = std::function<void(FrmTest *, int option)>;
const Choose click = [](FrmTest *window, int option) {
    QTest::mouseClick(window->Option1->group()->button(option), Qt::LeftButton);
};
Choose key(const QString &typed)
{
    return [typed](FrmTest *window, int) {
        window->Option3->setFocus(); // keys answer on the options, never in a text box
        TypeText(window->Option3, typed);
    };
}

// Keys pressed on a widget of the window.
using Keys = std::function<void(QWidget *)>;
Keys typed(const QString &keys)
{
    return [keys](QWidget *widget) { TypeText(widget, keys); };
}
Keys pages(const QList<Qt::Key> &keys)
{
    return [keys](QWidget *widget) {
        for (const Qt::Key key : keys)
            QTest::keyClick(widget, key);
    };
}

// A fault another program lays on the database file.
using Fault = std::function<bool(OtherProgram &)>;
// What the examiner does while the fault lasts.
enum class Then { Next, Exit, Save };
} // namespace

class TestAdministration : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_gui.beginRun()); }
    void subjectThatCannotBeRead();
    void init();
    void cleanup();

    void runButton_data();
    void runButton();
    void statementNumber_data();
    void statementNumber();
    void answersAreStoredAtOnce_data();
    void answersAreStoredAtOnce();
    void wholeRun_data();
    void wholeRun();
    void storedAnswerIsShown_data();
    void storedAnswerIsShown();
    void leaving_data();
    void leaving();
    void failedWritesLoseNothing_data();
    void failedWritesLoseNothing();
    void replacedSubjectIsNeverWrittenInto();
    void keysOutsideTheOptions_data();
    void keysOutsideTheOptions();
    void autoAdvance_data();
    void autoAdvance();
    void progressAndNextUnanswered_data();
    void progressAndNextUnanswered();
    void fitsTheScreen_data();
    void fitsTheScreen();
    void answerMarksAreLargeAndShowTheKeyboard_data() { fitsTheScreen_data(); }
    void answerMarksAreLargeAndShowTheKeyboard();

private:
    FrmTest *open(const QString &code, bool start = true);
    QString stored(int statement, const QString &code = QStringLiteral("K1")) const;
    QString statement(int n) const;
    int checkedOption() const { return m_window->Option1->group()->checkedId(); }

    GuiTest m_gui;
    std::unique_ptr<FrmTest> m_window;
};

void TestAdministration::init()
{
    QCOMPARE(m_gui.begin(0), QString());
    QFile::remove(FrmTest::SettingsFile());
}

void TestAdministration::cleanup()
{
    m_window.reset();
    m_gui.end();
}

FrmTest *TestAdministration::open(const QString &code, bool start)
{
    m_window = std::make_unique<FrmTest>();
    if (!m_window->FilterToSubject(nullptr, code))
        return nullptr;
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window.get()))
        return nullptr;
    if (start)
        QTest::mouseClick(m_window->Command1, Qt::LeftButton);
    DialogHooks::TakeShown();
    return m_window.get();
}

QString TestAdministration::stored(int statement, const QString &code) const
{
    return fromFile(
        m_gui.databasePath(),
        QStringLiteral("SELECT \"%1\" FROM \"Answer\" WHERE \"Code\" = ?").arg(statement), code);
}

QString TestAdministration::statement(int n) const
{
    return fromFile(m_gui.databasePath(),
                    QStringLiteral("SELECT \"QUs\" FROM \"QU\" WHERE \"ID\" = ?"),
                    QString::number(n));
}

void TestAdministration::runButton_data()
{
    QTest::addColumn<QString>("registered"); // empty: nobody at all
    QTest::addColumn<bool>("details");       // the subject has an IDE row
    QTest::addColumn<QString>("typed");      // empty: Cancel
    QTest::addColumn<QStringList>("shown");
    const QString prompt = u(FrmTestText::CodePrompt);
    const QString code = u("O'Brien \"2\"");
    QTest::newRow("nobody registered") << QString() << true << code << QStringList();
    QTest::newRow("cancel") << code << true << QString()
                            << QStringList{prompt, u(FrmTestText::NeedCode)};
    QTest::newRow("unknown code") << code << true << u("O'Brien")
                                  << QStringList{prompt, u(FrmTestText::NoSuchSubject)};
    QTest::newRow("a trailing blank")
        << code << true << code + u(" ") << QStringList{prompt, u(FrmTestText::NoSuchSubject)};
    QTest::newRow("quotes, exactly") << code << true << code << QStringList{prompt};
    QTest::newRow("answers without details") << code << false << code << QStringList{prompt};
    // Registration keeps the blanks in IDE and trims the answers row's code.
    QTest::newRow("registered with blanks, typed bare")
        << u(" K7 ") << true << u("K7") << QStringList{prompt};
    QTest::newRow("typed in Persian digits")
        << u("3002") << true << u("۳۰۰۲") << QStringList{prompt};
}

void TestAdministration::runButton()
{
    QFETCH(QString, registered);
    QFETCH(bool, details);
    QFETCH(QString, typed);
    QFETCH(QStringList, shown);
    if (!registered.isEmpty())
        addSubject(registered, {{1, QStringLiteral("4")}}, details);
    QSqlQuery(QSqlDatabase::database())
        .exec(QStringLiteral("UPDATE \"Answer\" SET \"Code\" = trim(\"Code\", ' ')"));
    Frm1 *main = Frm1::ShowNew();
    DialogHooks::PresetAnswer(typed);
    // What the test window shows before and after its start, as the examiner finds it.
    QStringList before, after, started;
    QWidget *owner = nullptr;
    auto visible = [](FrmTest *window) {
        QStringList names;
        for (QWidget *w : QList<QWidget *>{
                 window->SkinLabel3, window->SkinLabel4, window->SkinLabel5, window->SkinLabel6,
                 window->Command1, window->Command2, window->Command5, window->CmdBack,
                 window->CmdNext, window->Frame1, window->Frame2, window->Text6, window->SkinLbl5,
                 window->Lbl1, window->Text12, window->PrgAnswered, window->ChkAutoNext,
                 window->CmdUnanswered})
            if (w->isVisible())
                names << w->objectName();
        return names;
    };
    if (shown.size() == 1) {
        AnswerNextModal([&](QWidget *modal) {
            auto *window = qobject_cast<FrmTest *>(modal);
            if (!window)
                return;
            before = visible(window);
            QTest::mouseClick(window->Command1, Qt::LeftButton);
            after = visible(window);
            started = QStringList{window->windowTitle(),
                                  window->SkinLbl5->text(),
                                  window->Text1->text(),
                                  QString::number(window->Text3->isReadOnly()),
                                  window->focusWidget()->objectName(),
                                  QString::number(window->Option1->group()->checkedId())};
            // Owned by the window it blocks: above it, and no task-bar entry of its own.
            owner = window->parentWidget();
            QTest::mouseClick(window->Command2, Qt::LeftButton);
        });
    }
    QTest::mouseClick(main->Command2, Qt::LeftButton);
    QCOMPARE(ShownTexts(), shown);
    if (shown.size() != 1)
        return;
    QCOMPARE(before, (QStringList{u("SkinLabel3"), u("SkinLabel4"), u("SkinLabel5"),
                                  u("SkinLabel6"), u("Command1"), u("Command2")}));
    QCOMPARE(after, (QStringList{u("Command2"), u("Command5"), u("CmdBack"), u("CmdNext"),
                                 u("Frame1"), u("Frame2"), u("Text6"), u("SkinLbl5"),
                                 u("PrgAnswered"), u("ChkAutoNext"), u("CmdUnanswered")}));
    // A stored "4" on statement 1, a reversed one, is "بندرت".
    QCOMPARE(started,
             (QStringList{u(FrmTestText::Caption), statement(1), details ? registered : QString(),
                          details ? u("0") : u("1"), u("Text1"), u("2")}));
    QCOMPARE(owner, main);
    for (QWidget *window : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<FrmTest *>(window)); // gone, not hidden
}

void TestAdministration::statementNumber_data()
{
    QTest::addColumn<QList<Step>>("steps");
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("shown"); // the statement on screen
    QTest::addColumn<QStringList>("said");
    const QString start = u(FrmTestText::Start);
    const QString end = u(FrmTestText::End);
    using Steps = QList<Step>;
    QTest::newRow("previous on 1") << Steps{back} << u("0") << 1 << QStringList();
    QTest::newRow("previous on 1, twice") << Steps{back, back} << u("1") << 1 << QStringList{start};
    QTest::newRow("next on 56") << Steps{setText(u("56")), next} << u("56") << 56
                                << QStringList{end};
    QTest::newRow("typing 5") << Steps{selectAll, typeKeys(u("5"))} << u("5") << 5 << QStringList();
    QTest::newRow("typing 5 then 7") << Steps{selectAll, typeKeys(u("5")), typeKeys(u("7"))}
                                     << u("56") << 56 << QStringList{end};
    QTest::newRow("clearing the box")
        << Steps{setText(u("9")), setText(QString())} << u("1") << 1 << QStringList();
    QTest::newRow("typing 0") << Steps{setText(u("9")), selectAll, typeKeys(u("0"))} << u("0") << 9
                              << QStringList();
    QTest::newRow("typing 0 then 5")
        << Steps{setText(u("9")), selectAll, typeKeys(u("0")), typeKeys(u("5"))} << u("05") << 5
        << QStringList();
    QTest::newRow("a letter typed") << Steps{selectAll, typeKeys(u("a"))} << u("1") << 1
                                    << QStringList{u(FrmTestText::NumbersOnly)};
    QTest::newRow("a Persian digit typed")
        << Steps{selectAll, typeKeys(u("۷"))} << u("7") << 7 << QStringList();
    QTest::newRow("pasted text") << Steps{setText(u("9")), paste(u("abc"))} << u("abc") << 9
                                 << QStringList();
    QTest::newRow("pasted number and text")
        << Steps{paste(u("12abc"))} << u("12abc") << 12 << QStringList();
    QTest::newRow("pasted fraction") << Steps{paste(u("2.5"))} << u("2.5") << 2 << QStringList();
    QTest::newRow("pasted negative") << Steps{paste(u("-4"))} << u("1") << 1 << QStringList{start};
}

void TestAdministration::statementNumber()
{
    QFETCH(QList<Step>, steps);
    QFETCH(QString, box);
    QFETCH(int, shown);
    QFETCH(QStringList, said);
    addSubject(QStringLiteral("K1"));
    FrmTest *window = open(QStringLiteral("K1"));
    QVERIFY(window);
    for (const Step &step : steps)
        step(window);
    QCOMPARE(window->Text6->text(), box);
    QCOMPARE(window->SkinLbl5->text(), statement(shown));
    QCOMPARE(window->Frame2->title(), QString::number(shown));
    QCOMPARE(ShownTexts(), said);
    // The answer box is the statement's on screen: an answer lands in its field.
    window->Option5->click();
    QCOMPARE(stored(shown), Direct.contains(shown) ? u("5") : u("1"));
}

void TestAdministration::answersAreStoredAtOnce_data()
{
    QTest::addColumn<int>("statement");
    QTest::addColumn<Choose>("choose");
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("value");
    // Idle keeps the statement on screen, and its own direction.
    const Choose idleThenClick = [](FrmTest *window, int option) {
        window->Text6->setText(QStringLiteral("0"));
        click(window, option);
    };
    QTest::newRow("1, never") << 1 << click << 1 << u("5");
    QTest::newRow("1, always") << 1 << click << 5 << u("1");
    QTest::newRow("7, always") << 7 << click << 5 << u("5");
    QTest::newRow("7, never") << 7 << click << 1 << u("1");
    QTest::newRow("1, key 5") << 1 << key(u("5")) << 5 << u("1");
    QTest::newRow("7, key 5") << 7 << key(u("5")) << 5 << u("5");
    QTest::newRow("1, Persian key 2") << 1 << key(u("۲")) << 2 << u("4");
    QTest::newRow("7, Persian key 2") << 7 << key(u("۲")) << 2 << u("2");
    QTest::newRow("1, Arabic-Indic key 4") << 1 << key(u("٤")) << 4 << u("2");
    QTest::newRow("7, Arabic-Indic key 1") << 7 << key(u("١")) << 1 << u("1");
    QTest::newRow("the statement idle at 0, 7") << 7 << idleThenClick << 5 << u("5");
}

void TestAdministration::answersAreStoredAtOnce()
{
    QFETCH(int, statement);
    QFETCH(Choose, choose);
    QFETCH(int, option);
    QFETCH(QString, value);
    addSubject(QStringLiteral("K1"));
    FrmTest *window = open(QStringLiteral("K1"));
    QVERIFY(window);
    window->Text6->setText(QString::number(statement));
    QCOMPARE(window->PrgAnswered->value(), 0);
    choose(window, option);
    QCOMPARE(checkedOption(), option);
    QCOMPARE(stored(statement), value);
    QCOMPARE(window->PrgAnswered->value(), 1);
}

void TestAdministration::wholeRun_data()
{
    QTest::addColumn<bool>("sometimes"); // "گاهي اوقات" everywhere, or each option in turn
    QTest::newRow("sometimes everywhere") << true;
    QTest::newRow("every option in turn") << false;
}

void TestAdministration::wholeRun()
{
    QFETCH(bool, sometimes);
    addSubject(QStringLiteral("K1"));
    FrmTest *window = open(QStringLiteral("K1"));
    QVERIFY(window);
    QStringList expected;
    for (int n = 1; n <= 56; ++n) {
        QCOMPARE(window->Frame2->title(), QString::number(n));
        const int option = sometimes ? 3 : 1 + n % 5;
        QTest::mouseClick(window->Option1->group()->button(option), Qt::LeftButton);
        expected << QString::number(Direct.contains(n) ? option : 6 - option);
        QTest::mouseClick(window->CmdNext, Qt::LeftButton);
    }
    QCOMPARE(ShownTexts(), QStringList{u(FrmTestText::End)});
    QStringList inFile;
    for (int n = 1; n <= 56; ++n)
        inFile << stored(n);
    QCOMPARE(inFile, expected);
    QCOMPARE(window->PrgAnswered->text(), u("پاسخ داده شده: 56 از 56"));
}

void TestAdministration::storedAnswerIsShown_data()
{
    QTest::addColumn<int>("statement");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("option"); // -1: none selected
    QTest::newRow("1 stores 1: always") << 1 << u("1") << 5;
    QTest::newRow("7 stores 1: never") << 7 << u("1") << 1;
    QTest::newRow("unanswered") << 9 << QString() << -1;
    // Statement 2 before it shows "4": its option must not stay as if it were this one's.
    QTest::newRow("a number outside 1 to 5") << 9 << u("7") << -1;
    QTest::newRow("not a number") << 9 << u("x") << -1;
    QTest::newRow("a blank") << 9 << u(" ") << -1;
}

void TestAdministration::storedAnswerIsShown()
{
    QFETCH(int, statement);
    QFETCH(QString, value);
    QFETCH(int, option);
    addSubject(QStringLiteral("K1"), {{2, QStringLiteral("4")}, {statement, value}});
    FrmTest *window = open(QStringLiteral("K1"));
    QVERIFY(window);
    window->Text6->setText(QStringLiteral("2"));
    QCOMPARE(checkedOption(), 2);
    window->Text6->setText(QString::number(statement));
    QCOMPARE(checkedOption(), option);
    QCOMPARE(stored(statement), value); // showing writes nothing new
    QCOMPARE(stored(2), u("4"));
}

void TestAdministration::leaving_data()
{
    QTest::addColumn<Step>("leave");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QString>("name"); // the first name in the file afterwards
    QTest::newRow("exit") << Step([](FrmTest *window) {
        QTest::mouseClick(window->Command2, Qt::LeftButton);
    }) << true << u("سارا");
    QTest::newRow("close box") << Step([](FrmTest *window) { window->close(); }) << true
                               << u("سارا");
    QTest::newRow("save and exit")
        << Step([](FrmTest *window) { QTest::mouseClick(window->Command5, Qt::LeftButton); })
        << true << u("Edited");
    QTest::newRow("Escape") << Step([](FrmTest *window) {
        QTest::keyClick(window->Text3, Qt::Key_Escape);
    }) << false << u("سارا");
}

void TestAdministration::leaving()
{
    QFETCH(Step, leave);
    QFETCH(bool, closes);
    QFETCH(QString, name);
    addSubject(QStringLiteral("K1"));
    FrmTest *window = open(QStringLiteral("K1"));
    QVERIFY(window);
    QTest::mouseClick(window->Option5, Qt::LeftButton);
    window->Text3->clear();
    QTest::keyClicks(window->Text3, QStringLiteral("Edited"));
    leave(window);
    QCOMPARE(window->isVisible(), !closes);
    QCOMPARE(stored(1), u("1"));
    QCOMPARE(fromFile(m_gui.databasePath(),
                      QStringLiteral("SELECT \"FName\" FROM \"IDE\" WHERE \"Code\" = ?"),
                      QStringLiteral("K1")),
             name);
    if (!closes)
        QCOMPARE(window->Text3->text(), QStringLiteral("Edited"));
}

void TestAdministration::failedWritesLoseNothing_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<Then>("then");
    QTest::addColumn<QString>("says"); // a word of the message that names the cause
    QTest::addColumn<int>("boxes");    // one for each move of the examiner's
    const QString busy = u("برنامه‌ی دیگری");
    const Fault lock = &OtherProgram::holdWriteLock;
    const Fault refusal = [](OtherProgram &other) { return other.refuse("UPDATE", u("Answer")); };
    QTest::newRow("answer, file held by another program") << lock << Then::Next << busy << 2;
    QTest::newRow("answer, refused by the file") << refusal << Then::Next << u("ذخیره نشد") << 2;
    QTest::newRow("answer, then exit refused") << lock << Then::Exit << busy << 2;
    QTest::newRow("details, file held by another program") << lock << Then::Save << busy << 1;
}

void TestAdministration::failedWritesLoseNothing()
{
    QFETCH(Fault, fault);
    QFETCH(Then, then);
    QFETCH(QString, says);
    QFETCH(int, boxes);
    // Statement 2 answered before: moving to it shows its answer again, which is a save too.
    addSubject(QStringLiteral("K1"), {{2, QStringLiteral("4")}});
    addSubject(QStringLiteral("K2"), {{1, QStringLiteral("3")}});
    FrmTest *window = open(QStringLiteral("K1"));
    QVERIFY(window);
    const bool details = then == Then::Save;
    if (details)
        window->Text3->setText(QStringLiteral("Edited"));

    auto other = std::make_unique<OtherProgram>(m_gui.databasePath());
    QVERIFY(SetBusyTimeout(50));
    QVERIFY(fault(*other));
    AnswerNextBox(QMessageBox::Ok);
    switch (then) {
    case Then::Save:
        QTest::mouseClick(window->Command5, Qt::LeftButton);
        break;
    case Then::Exit:
        QTest::mouseClick(window->Option5, Qt::LeftButton);
        QCOMPARE(window->Option5->isChecked(), true);
        DialogHooks::PresetAnswer(false); // keep the window
        QTest::mouseClick(window->Command2, Qt::LeftButton);
        break;
    case Then::Next:
        QTest::mouseClick(window->Option5, Qt::LeftButton);
        QCOMPARE(window->Option5->isChecked(), true);
        AnswerNextBox(QMessageBox::Ok);
        QTest::mouseClick(window->CmdNext, Qt::LeftButton);
        break;
    }
    const QStringList said = ShownTexts();
    QCOMPARE(said.size(), boxes);
    for (const QString &text : said)
        QVERIFY2(text.contains(says), qPrintable(text));
    QVERIFY(window->isVisible());
    QCOMPARE(stored(1), QString());
    QCOMPARE(stored(1, QStringLiteral("K2")), u("3"));

    // The fault gone, the next save stores what was chosen and typed, in the subject's row only.
    QVERIFY(other->letGo());
    other.reset();
    QTest::mouseClick(details ? window->Command5 : window->Command2, Qt::LeftButton);
    QVERIFY(!window->isVisible());
    QCOMPARE(stored(1), details ? QString() : u("1"));
    QCOMPARE(stored(1, QStringLiteral("K2")), u("3"));
    QCOMPARE(fromFile(m_gui.databasePath(),
                      QStringLiteral("SELECT \"FName\" FROM \"IDE\" WHERE \"Code\" = ?"),
                      QStringLiteral("K1")),
             details ? u("Edited") : u("سارا"));
}

void TestAdministration::replacedSubjectIsNeverWrittenInto()
{
    // Nothing answered yet: the new person's empty answers row is the same, field for field.
    addSubject(QStringLiteral("K1"));
    FrmTest *window = open(QStringLiteral("K1"));
    QVERIFY(window);
    {
        // Another program deletes K1 and registers someone new under the same code; the rows
        // were the last of their tables, so the file gives the new ones the same rowids.
        OtherProgram other(m_gui.databasePath());
        for (const char *sql : {"DELETE FROM \"IDE\"", "DELETE FROM \"Answer\"",
                                "INSERT INTO \"Answer\" (\"Code\") VALUES ('K1')",
                                "INSERT INTO \"IDE\" (\"Code\", \"FName\") VALUES ('K1', 'new')"})
            QVERIFY(other.exec(QString::fromLatin1(sql)));
    }
    AnswerNextBox(QMessageBox::Ok);
    QTest::mouseClick(window->Option5, Qt::LeftButton);
    const QStringList said = ShownTexts();
    QCOMPARE(said.size(), 1);
    QVERIFY2(said.first().contains(u("برنامه‌ی دیگری")), qPrintable(said.first()));
    QCOMPARE(stored(1), QString());
    // Nor the details typed since.
    window->Text3->setText(QStringLiteral("Edited"));
    AnswerNextBox(QMessageBox::Ok);
    QTest::mouseClick(window->Command5, Qt::LeftButton);
    QCOMPARE(fromFile(m_gui.databasePath(),
                      QStringLiteral("SELECT \"FName\" FROM \"IDE\" WHERE \"Code\" = ?"),
                      QStringLiteral("K1")),
             u("new"));
    QCOMPARE(stored(1), QString());
}

void TestAdministration::keysOutsideTheOptions_data()
{
    QTest::addColumn<bool>("started");
    QTest::addColumn<QString>("focus"); // the widget the keys go to
    QTest::addColumn<Keys>("keys");
    QTest::addColumn<QString>("box");    // what the box holds afterwards
    QTest::addColumn<int>("shown");      // the statement on screen
    QTest::addColumn<QString>("answer"); // statement 1's stored answer
    const Keys held = [](QWidget *widget) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_3, Qt::NoModifier, QStringLiteral("3"), true);
        QApplication::sendEvent(widget, &key);
    };
    // Through the next button first: the box must not hand Enter to a button it has left.
    const Keys enterAfterTheNextButton = [](QWidget *widget) {
        QWidget *window = widget->window();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        window->findChild<QWidget *>(QStringLiteral("CmdNext"))->setFocus();
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_Return);
    };
    QTest::newRow("before the start")
        << false << u("Command1") << typed(u("3")) << QString() << 0 << QString();
    QTest::newRow("statement box")
        << true << u("Text6") << typed(u("5")) << u("15") << 15 << QString();
    QTest::newRow("age box, Persian digits")
        << true << u("Text5") << typed(u("۱۲x3")) << u("123") << 1 << QString();
    QTest::newRow("name box") << true << u("Text3") << typed(u("3")) << u("سارا3") << 1
                              << QString();
    // A read-only box takes no key, and the key does not answer either.
    QTest::newRow("read-only code box")
        << true << u("Text1") << typed(u("1403")) << u("K1") << 1 << QString();
    QTest::newRow("a button") << true << u("CmdNext") << typed(u("4")) << QString() << 1 << u("2");
    QTest::newRow("Page Down") << true << u("Text3") << pages({Qt::Key_PageDown}) << u("سارا") << 2
                               << QString();
    QTest::newRow("Page Down, Page Up")
        << true << u("CmdNext") << pages({Qt::Key_PageDown, Qt::Key_PageUp}) << QString() << 1
        << QString();
    QTest::newRow("a key held down") << true << u("CmdNext") << held << QString() << 1 << QString();
    // Enter presses the button the keyboard is on, and never one it has left.
    QTest::newRow("Enter on a button")
        << true << u("CmdNext") << enterAfterTheNextButton << QString() << 2 << QString();
    QTest::newRow("Enter in a box, after a button")
        << true << u("Text3") << enterAfterTheNextButton << u("سارا") << 1 << QString();
}

void TestAdministration::keysOutsideTheOptions()
{
    QFETCH(bool, started);
    QFETCH(QString, focus);
    QFETCH(Keys, keys);
    QFETCH(QString, box);
    QFETCH(int, shown);
    QFETCH(QString, answer);
    addSubject(QStringLiteral("K1"));
    FrmTest *window = open(QStringLiteral("K1"), started);
    QVERIFY(window);
    auto *target = window->findChild<QWidget *>(focus);
    target->setFocus();
    if (auto *edit = qobject_cast<QLineEdit *>(target))
        edit->end(false);
    keys(target);
    if (auto *edit = qobject_cast<QLineEdit *>(target))
        QCOMPARE(edit->text(), box);
    QCOMPARE(started ? window->Frame2->title().toInt() : 0, shown);
    QCOMPARE(stored(1), answer);
    QVERIFY(window->isVisible()); // none of these keys leaves the window
}

void TestAdministration::autoAdvance_data()
{
    QTest::addColumn<bool>("on");
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("byHand"); // the next button pressed during the pause
    QTest::addColumn<int>("ends");
    QTest::newRow("off") << false << 3 << false << 3;
    QTest::newRow("on") << true << 3 << false << 4;
    QTest::newRow("on, moved by hand in the pause") << true << 3 << true << 4;
    QTest::newRow("on, statement 56") << true << 56 << false << 56;
}

void TestAdministration::autoAdvance()
{
    QFETCH(bool, on);
    QFETCH(int, from);
    QFETCH(bool, byHand);
    QFETCH(int, ends);
    addSubject(QStringLiteral("K1"));
    FrmTest *window = open(QStringLiteral("K1"));
    QVERIFY(window);
    QVERIFY(!window->ChkAutoNext->isChecked()); // off unless the user ticked it
    window->ChkAutoNext->setChecked(on);
    window->Text6->setText(QString::number(from));
    QTest::mouseClick(window->Option2, Qt::LeftButton);
    QTest::qWait(100);
    QCOMPARE(window->Frame2->title(), QString::number(from)); // long enough to see the choice
    if (byHand)
        QTest::mouseClick(window->CmdNext, Qt::LeftButton);
    QTest::qWait(400);
    QCOMPARE(window->Frame2->title(), QString::number(ends));
    QCOMPARE(ShownTexts(), from == 56 ? QStringList{u(FrmTestText::End)} : QStringList());
    QCOMPARE(stored(from), Direct.contains(from) ? u("2") : u("4"));
    // The choice is the user's, kept for the next window, and the database's tables hold none of
    // it.
    open(QStringLiteral("K1"));
    QCOMPARE(m_window->ChkAutoNext->isChecked(), on);
    QCOMPARE(QSettings(FrmTest::SettingsFile(), QSettings::NativeFormat)
                 .value(QStringLiteral("FrmTest/AutoNext"))
                 .toBool(),
             on);
}

void TestAdministration::progressAndNextUnanswered_data()
{
    QTest::addColumn<QList<int>>("missing");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("next"); // 0: none left
    QTest::newRow("gaps ahead") << QList<int>{5, 9, 40} << 6 << 9;
    QTest::newRow("the current one missing") << QList<int>{5, 9} << 5 << 9;
    QTest::newRow("round to the start") << QList<int>{3, 9} << 12 << 3;
    QTest::newRow("only the current one") << QList<int>{12} << 12 << 12;
    QTest::newRow("none left") << QList<int>() << 12 << 0;
}

void TestAdministration::progressAndNextUnanswered()
{
    QFETCH(QList<int>, missing);
    QFETCH(int, from);
    QFETCH(int, next);
    addSubject(QStringLiteral("K1"), answeredBut(missing));
    addSubject(QStringLiteral("K2"), answeredBut({1, 2, 3}));
    FrmTest *window = open(QStringLiteral("K1"));
    QVERIFY(window);
    const int answered = 56 - int(missing.size());
    QCOMPARE(window->PrgAnswered->text(), u("پاسخ داده شده: %1 از 56").arg(answered));
    window->Text6->setText(QString::number(from));
    QTest::mouseClick(window->CmdUnanswered, Qt::LeftButton);
    QCOMPARE(window->Frame2->title(), QString::number(next ? next : from));
    QCOMPARE(ShownTexts(), next ? QStringList() : QStringList{u(FrmTestText::AllAnswered)});
    // An answer counts once, however often it is changed.
    QTest::mouseClick(window->Option3, Qt::LeftButton);
    QTest::mouseClick(window->Option4, Qt::LeftButton);
    QCOMPARE(window->PrgAnswered->value(), answered + (next ? 1 : 0));
    QCOMPARE(open(QStringLiteral("K2"))->PrgAnswered->value(), 53);
}

void TestAdministration::fitsTheScreen_data()
{
    QTest::addColumn<int>("theme");
    for (int theme = 1; theme <= 11; ++theme)
        QTest::newRow(qPrintable(QString::number(theme))) << theme;
}

void TestAdministration::fitsTheScreen()
{
    QFETCH(int, theme);
    QVERIFY(StoreSetting(QStringLiteral("TH"), QString::number(theme)));
    addSubject(QStringLiteral("K1"));
    // The longest statement the window may have to show.
    Cursor bank(QStringLiteral("QU"));
    QVERIFY(
        bank.filter(QStringLiteral("ID"), QStringLiteral("1")) &&
        bank.setField(QStringLiteral("QUs"), (statement(2) + u' ' + statement(3)).repeated(2)) &&
        bank.save());
    FrmTest *window = open(QStringLiteral("K1"), false);
    QVERIFY(window);
    for (int state = 0; state < 2; ++state) {
        QCOMPARE(Clipped(window), QStringList());
        QCOMPARE(Misfit(window), QString());
        QTest::mouseClick(window->Command1, Qt::LeftButton);
    }
}

void TestAdministration::answerMarksAreLargeAndShowTheKeyboard()
{
    QFETCH(int, theme);
    QVERIFY(StoreSetting(QStringLiteral("TH"), QString::number(theme)));
    addSubject(QStringLiteral("K1"));
    FrmTest *window = open(QStringLiteral("K1"));
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
    for (QRadioButton *option :
         {window->Option1, window->Option2, window->Option3, window->Option4, window->Option5}) {
        QStyleOptionButton look;
        look.initFrom(option);
        const QRect mark =
            option->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &look, option);
        QVERIFY2(mark.width() >= 16 && mark.height() >= 16,
                 qPrintable(QStringLiteral("%1 x %2").arg(mark.width()).arg(mark.height())));
    }
    // The option the keyboard is on looks different from the same option without it.
    window->Option3->setFocus(Qt::TabFocusReason);
    const QImage focused = window->Option3->grab().toImage();
    window->Option4->setFocus(Qt::TabFocusReason);
    QVERIFY(window->Option3->grab().toImage() != focused);
}

QTEST_MAIN(TestAdministration)
// Another program holding the file when the subject is looked up: the examiner hears why in
// Persian, and the window is not shown.
void TestAdministration::subjectThatCannotBeRead()
{
    addSubject(QStringLiteral("K1"), {}, true);
    FrmTest window;
    bool found = true;
    {
        OtherProgram other(m_gui.databasePath());
        QVERIFY(SetBusyTimeout(50));
        QVERIFY(other.holdExclusiveLock());
        AnswerNextBox(QMessageBox::Ok);
        found = window.FilterToSubject(nullptr, QStringLiteral("K1"));
    }
    QVERIFY(!found);
    QCOMPARE(ShownTexts(),
             QStringList{u(FrmTestText::ReadFailed) + u("\n") + u(DatabaseText::ReadBusy)});
}

#include "test_administration.moc"
