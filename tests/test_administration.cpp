// The test window: finding the subject, moving through the statements, storing the answers, and
// every way of leaving it, checked in the database file itself.
#include "ModalAnswer.h"
#include "TestProgramFolder.h"
#include "Windows.h"
#include "administration/FrmTest.h"
#include "administration/FrmTestText.h"
#include "app/Frm1.h"
#include "common/Dialogs.h"
#include "common/ProgramEnd.h"
#include "common/ProgramLook.h"
#include "common/Skin.h"
#include "data/Cursor.h"
#include "data/Database.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {
QString u(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

void storeTheme(int theme)
{
    Cursor settings(QStringLiteral("Theme"));
    QVERIFY(settings.open() && settings.setField(QStringLiteral("TH"), QString::number(theme)) &&
            settings.save());
}

// The direct statements, written out here apart from the program's own table.
const QList<int> Direct = {7,  8,  10, 11, 14, 17, 20, 21, 24, 27, 28,
                           30, 36, 38, 39, 41, 42, 45, 47, 50, 51, 54};

// A subject with the given answers (statement -> stored text); without details, no IDE row.
void addSubject(const QString &code, const QMap<int, QString> &answers = {}, bool details = true)
{
    Cursor rows(QStringLiteral("Answer"));
    QVERIFY(rows.add() && rows.setField(QStringLiteral("Code"), code));
    for (auto it = answers.cbegin(); it != answers.cend(); ++it)
        QVERIFY(rows.setField(QString::number(it.key()), it.value()));
    QVERIFY(rows.save());
    Cursor subject(QStringLiteral("IDE"));
    if (details)
        QVERIFY(subject.add() && subject.setField(QStringLiteral("Code"), code) &&
                subject.setField(QStringLiteral("FName"), u("سارا")) && subject.save());
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

QStringList shownTexts()
{
    QStringList texts;
    for (const DialogHooks::Shown &shown : DialogHooks::TakeShown())
        texts << shown.text;
    return texts;
}

// What the database file holds, read by a connection of its own.
QString fromFile(const QString &path, const QString &sql, const QString &value)
{
    return ReadFromFile(path, sql, {value}).value(0).toString();
}

void typeInto(QWidget *widget, const QString &keys)
{
    for (const QChar c : keys)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}
} // namespace

class TestAdministration : public QObject
{
    Q_OBJECT

    QTemporaryDir m_settings;

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true); // the user's settings stay untouched
        // Settings of this run's own, so that two runs side by side do not share them.
        QVERIFY(m_settings.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
        ApplyProgramLook(*qApp);
        Frm1::RegisterAsMainWindow();
    }
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

    std::unique_ptr<TestProgramFolder> m_folder;
    std::unique_ptr<FrmTest> m_window;
};

void TestAdministration::init()
{
    m_folder = std::make_unique<TestProgramFolder>();
    QVERIFY(m_folder->isValid());
    QCOMPARE(m_folder->openDatabase(), QString());
    QFile::remove(FrmTest::SettingsFile());
    DialogHooks::Enable();
    DialogHooks::SetTimedDelay(0);
}

void TestAdministration::cleanup()
{
    DialogHooks::Disable();
    m_window.reset();
    DeleteAllWindows();
    m_folder.reset();
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
        m_folder->databasePath(),
        QStringLiteral("SELECT \"%1\" FROM \"Answer\" WHERE \"Code\" = ?").arg(statement), code);
}

QString TestAdministration::statement(int n) const
{
    return fromFile(m_folder->databasePath(),
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
    QCOMPARE(shownTexts(), shown);
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
    QTest::addColumn<QStringList>("steps"); // back, next, select, key:X, set:X, paste:X
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("shown"); // the statement on screen
    QTest::addColumn<QStringList>("said");
    const QString start = u(FrmTestText::Start);
    const QString end = u(FrmTestText::End);
    QTest::newRow("previous on 1") << QStringList{u("back")} << u("0") << 1 << QStringList();
    QTest::newRow("previous on 1, twice")
        << QStringList{u("back"), u("back")} << u("1") << 1 << QStringList{start};
    QTest::newRow("next on 56") << QStringList{u("set:56"), u("next")} << u("56") << 56
                                << QStringList{end};
    QTest::newRow("typing 5") << QStringList{u("select"), u("key:5")} << u("5") << 5
                              << QStringList();
    QTest::newRow("typing 5 then 7")
        << QStringList{u("select"), u("key:5"), u("key:7")} << u("56") << 56 << QStringList{end};
    QTest::newRow("clearing the box")
        << QStringList{u("set:9"), u("set:")} << u("1") << 1 << QStringList();
    QTest::newRow("typing 0") << QStringList{u("set:9"), u("select"), u("key:0")} << u("0") << 9
                              << QStringList();
    QTest::newRow("typing 0 then 5") << QStringList{u("set:9"), u("select"), u("key:0"), u("key:5")}
                                     << u("05") << 5 << QStringList();
    QTest::newRow("a letter typed") << QStringList{u("select"), u("key:a")} << u("1") << 1
                                    << QStringList{u(FrmTestText::NumbersOnly)};
    QTest::newRow("a Persian digit typed")
        << QStringList{u("select"), u("key:۷")} << u("7") << 7 << QStringList();
    QTest::newRow("pasted text") << QStringList{u("set:9"), u("paste:abc")} << u("abc") << 9
                                 << QStringList();
    QTest::newRow("pasted number and text")
        << QStringList{u("paste:12abc")} << u("12abc") << 12 << QStringList();
    QTest::newRow("pasted fraction")
        << QStringList{u("paste:2.5")} << u("2.5") << 2 << QStringList();
    QTest::newRow("pasted negative")
        << QStringList{u("paste:-4")} << u("1") << 1 << QStringList{start};
}

void TestAdministration::statementNumber()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, box);
    QFETCH(int, shown);
    QFETCH(QStringList, said);
    addSubject(QStringLiteral("K1"));
    FrmTest *window = open(QStringLiteral("K1"));
    QVERIFY(window);
    for (const QString &step : steps) {
        const QString value = step.section(QLatin1Char(':'), 1);
        if (step == QLatin1String("back"))
            QTest::mouseClick(window->CmdBack, Qt::LeftButton);
        else if (step == QLatin1String("next"))
            QTest::mouseClick(window->CmdNext, Qt::LeftButton);
        else if (step == QLatin1String("select"))
            window->Text6->selectAll();
        else if (step.startsWith(QLatin1String("key:")))
            typeInto(window->Text6, value);
        else if (step.startsWith(QLatin1String("set:")))
            window->Text6->setText(value);
        else if (step.startsWith(QLatin1String("paste:"))) {
            window->Text6->selectAll();
            window->Text6->insert(value);
        }
    }
    QCOMPARE(window->Text6->text(), box);
    QCOMPARE(window->SkinLbl5->text(), statement(shown));
    QCOMPARE(window->Frame2->title(), QString::number(shown));
    QCOMPARE(shownTexts(), said);
    // The answer box is the statement's on screen: an answer lands in its field.
    window->Option5->click();
    QCOMPARE(stored(shown), Direct.contains(shown) ? u("5") : u("1"));
}

void TestAdministration::answersAreStoredAtOnce_data()
{
    QTest::addColumn<int>("statement");
    QTest::addColumn<QString>("how"); // a click, or the key typed
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("value");
    QTest::newRow("1, never") << 1 << u("click") << 1 << u("5");
    QTest::newRow("1, always") << 1 << u("click") << 5 << u("1");
    QTest::newRow("7, always") << 7 << u("click") << 5 << u("5");
    QTest::newRow("7, never") << 7 << u("click") << 1 << u("1");
    QTest::newRow("1, key 5") << 1 << u("5") << 5 << u("1");
    QTest::newRow("7, key 5") << 7 << u("5") << 5 << u("5");
    QTest::newRow("1, Persian key 2") << 1 << u("۲") << 2 << u("4");
    QTest::newRow("7, Persian key 2") << 7 << u("۲") << 2 << u("2");
    QTest::newRow("1, Arabic-Indic key 4") << 1 << u("٤") << 4 << u("2");
    QTest::newRow("7, Arabic-Indic key 1") << 7 << u("١") << 1 << u("1");
    QTest::newRow("the statement idle at 0, 7") << 7 << u("idle") << 5 << u("5");
}

void TestAdministration::answersAreStoredAtOnce()
{
    QFETCH(int, statement);
    QFETCH(QString, how);
    QFETCH(int, option);
    QFETCH(QString, value);
    addSubject(QStringLiteral("K1"));
    FrmTest *window = open(QStringLiteral("K1"));
    QVERIFY(window);
    window->Text6->setText(QString::number(statement));
    if (how == QLatin1String("idle")) {
        // Idle keeps the statement on screen, and its own direction.
        window->Text6->setText(QStringLiteral("0"));
        how = QStringLiteral("click");
    }
    QCOMPARE(window->PrgAnswered->value(), 0);
    if (how == QLatin1String("click"))
        QTest::mouseClick(window->Option1->group()->button(option), Qt::LeftButton);
    else {
        window->Option3->setFocus(); // keys answer on the options, never in a text box
        typeInto(window->Option3, how);
    }
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
    QCOMPARE(shownTexts(), QStringList{u(FrmTestText::End)});
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
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QString>("name"); // the first name in the file afterwards
    QTest::newRow("exit") << u("exit") << true << u("سارا");
    QTest::newRow("close box") << u("close") << true << u("سارا");
    QTest::newRow("save and exit") << u("save") << true << u("Edited");
    QTest::newRow("Escape") << u("escape") << false << u("سارا");
}

void TestAdministration::leaving()
{
    QFETCH(QString, how);
    QFETCH(bool, closes);
    QFETCH(QString, name);
    addSubject(QStringLiteral("K1"));
    FrmTest *window = open(QStringLiteral("K1"));
    QVERIFY(window);
    QTest::mouseClick(window->Option5, Qt::LeftButton);
    window->Text3->clear();
    QTest::keyClicks(window->Text3, QStringLiteral("Edited"));
    if (how == QLatin1String("exit"))
        QTest::mouseClick(window->Command2, Qt::LeftButton);
    else if (how == QLatin1String("close"))
        window->close();
    else if (how == QLatin1String("save"))
        QTest::mouseClick(window->Command5, Qt::LeftButton);
    else
        QTest::keyClick(window->Text3, Qt::Key_Escape);
    QCOMPARE(window->isVisible(), !closes);
    QCOMPARE(stored(1), u("1"));
    QCOMPARE(fromFile(m_folder->databasePath(),
                      QStringLiteral("SELECT \"FName\" FROM \"IDE\" WHERE \"Code\" = ?"),
                      QStringLiteral("K1")),
             name);
    if (!closes)
        QCOMPARE(window->Text3->text(), QStringLiteral("Edited"));
}

void TestAdministration::failedWritesLoseNothing_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("then"); // what the examiner does while the fault lasts
    QTest::addColumn<QString>("says"); // a word of the message that names the cause
    QTest::addColumn<int>("boxes");    // one for each move of the examiner's
    const QString busy = u("برنامه‌ی دیگری");
    QTest::newRow("answer, file held by another program") << u("lock") << u("next") << busy << 2;
    QTest::newRow("answer, refused by the file")
        << u("trigger") << u("next") << u("ذخیره نشد") << 2;
    QTest::newRow("answer, then exit refused") << u("lock") << u("exit") << busy << 2;
    QTest::newRow("details, file held by another program") << u("lock") << u("save") << busy << 1;
}

void TestAdministration::failedWritesLoseNothing()
{
    QFETCH(QString, fault);
    QFETCH(QString, then);
    QFETCH(QString, says);
    QFETCH(int, boxes);
    // Statement 2 answered before: moving to it shows its answer again, which is a save too.
    addSubject(QStringLiteral("K1"), {{2, QStringLiteral("4")}});
    addSubject(QStringLiteral("K2"), {{1, QStringLiteral("3")}});
    FrmTest *window = open(QStringLiteral("K1"));
    QVERIFY(window);
    const bool details = then == QLatin1String("save");
    if (details)
        window->Text3->setText(QStringLiteral("Edited"));

    QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), u("other"));
    other.setDatabaseName(m_folder->databasePath());
    QVERIFY(other.open());
    QSqlQuery holder(other);
    QSqlQuery(QSqlDatabase::database()).exec(QStringLiteral("PRAGMA busy_timeout = 50"));
    QVERIFY(holder.exec(fault == QLatin1String("lock")
                            ? QStringLiteral("BEGIN IMMEDIATE")
                            : QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON \"Answer\" "
                                             "BEGIN SELECT RAISE(ABORT, 'refused'); END")));
    auto pressOk = [] {
        AnswerNextModal([](QWidget *box) {
            if (auto *message = qobject_cast<QMessageBox *>(box))
                message->button(QMessageBox::Ok)->click();
        });
    };
    pressOk();
    if (details) {
        QTest::mouseClick(window->Command5, Qt::LeftButton);
    } else {
        QTest::mouseClick(window->Option5, Qt::LeftButton);
        QCOMPARE(window->Option5->isChecked(), true);
        if (then == QLatin1String("exit")) {
            DialogHooks::PresetAnswer(false); // keep the window
            QTest::mouseClick(window->Command2, Qt::LeftButton);
        } else {
            pressOk();
            QTest::mouseClick(window->CmdNext, Qt::LeftButton);
        }
    }
    const QStringList said = shownTexts();
    QCOMPARE(said.size(), boxes);
    for (const QString &text : said)
        QVERIFY2(text.contains(says), qPrintable(text));
    QVERIFY(window->isVisible());
    QCOMPARE(stored(1), QString());
    QCOMPARE(stored(1, QStringLiteral("K2")), u("3"));

    // The fault gone, the next save stores what was chosen and typed, in the subject's row only.
    holder.finish();
    holder.exec(fault == QLatin1String("lock") ? QStringLiteral("ROLLBACK")
                                               : QStringLiteral("DROP TRIGGER refuse"));
    holder = QSqlQuery();
    other.close();
    other = QSqlDatabase();
    QSqlDatabase::removeDatabase(u("other"));
    QTest::mouseClick(details ? window->Command5 : window->Command2, Qt::LeftButton);
    QVERIFY(!window->isVisible());
    QCOMPARE(stored(1), details ? QString() : u("1"));
    QCOMPARE(stored(1, QStringLiteral("K2")), u("3"));
    QCOMPARE(fromFile(m_folder->databasePath(),
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
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), u("other"));
        other.setDatabaseName(m_folder->databasePath());
        QVERIFY(other.open());
        QSqlQuery query(other);
        for (const char *sql : {"DELETE FROM \"IDE\"", "DELETE FROM \"Answer\"",
                                "INSERT INTO \"Answer\" (\"Code\") VALUES ('K1')",
                                "INSERT INTO \"IDE\" (\"Code\", \"FName\") VALUES ('K1', 'new')"})
            QVERIFY(query.exec(QString::fromLatin1(sql)));
    }
    QSqlDatabase::removeDatabase(u("other"));
    AnswerNextModal([](QWidget *box) {
        if (auto *message = qobject_cast<QMessageBox *>(box))
            message->button(QMessageBox::Ok)->click();
    });
    QTest::mouseClick(window->Option5, Qt::LeftButton);
    const QStringList said = shownTexts();
    QCOMPARE(said.size(), 1);
    QVERIFY2(said.first().contains(u("برنامه‌ی دیگری")), qPrintable(said.first()));
    QCOMPARE(stored(1), QString());
    // Nor the details typed since.
    window->Text3->setText(QStringLiteral("Edited"));
    AnswerNextModal([](QWidget *box) {
        if (auto *message = qobject_cast<QMessageBox *>(box))
            message->button(QMessageBox::Ok)->click();
    });
    QTest::mouseClick(window->Command5, Qt::LeftButton);
    QCOMPARE(fromFile(m_folder->databasePath(),
                      QStringLiteral("SELECT \"FName\" FROM \"IDE\" WHERE \"Code\" = ?"),
                      QStringLiteral("K1")),
             u("new"));
    QCOMPARE(stored(1), QString());
}

void TestAdministration::keysOutsideTheOptions_data()
{
    QTest::addColumn<bool>("started");
    QTest::addColumn<QString>("focus"); // the widget the keys go to
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("box");    // what the box holds afterwards
    QTest::addColumn<int>("shown");      // the statement on screen
    QTest::addColumn<QString>("answer"); // statement 1's stored answer
    QTest::newRow("before the start")
        << false << u("Command1") << u("3") << QString() << 0 << QString();
    QTest::newRow("statement box") << true << u("Text6") << u("5") << u("15") << 15 << QString();
    QTest::newRow("age box, Persian digits")
        << true << u("Text5") << u("۱۲x3") << u("123") << 1 << QString();
    QTest::newRow("name box") << true << u("Text3") << u("3") << u("سارا3") << 1 << QString();
    // A read-only box takes no key, and the key does not answer either.
    QTest::newRow("read-only code box")
        << true << u("Text1") << u("1403") << u("K1") << 1 << QString();
    QTest::newRow("a button") << true << u("CmdNext") << u("4") << QString() << 1 << u("2");
    QTest::newRow("Page Down") << true << u("Text3") << u("PgDn") << u("سارا") << 2 << QString();
    QTest::newRow("Page Down, Page Up")
        << true << u("CmdNext") << u("PgDn PgUp") << QString() << 1 << QString();
    QTest::newRow("a key held down")
        << true << u("CmdNext") << u("held") << QString() << 1 << QString();
    // Enter presses the button the keyboard is on, and never one it has left.
    QTest::newRow("Enter on a button")
        << true << u("CmdNext") << u("Enter") << QString() << 2 << QString();
    QTest::newRow("Enter in a box, after a button")
        << true << u("Text3") << u("Enter") << u("سارا") << 1 << QString();
}

void TestAdministration::keysOutsideTheOptions()
{
    QFETCH(bool, started);
    QFETCH(QString, focus);
    QFETCH(QString, keys);
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
    if (keys == QLatin1String("held")) {
        QKeyEvent held(QEvent::KeyPress, Qt::Key_3, Qt::NoModifier, QStringLiteral("3"), true);
        QApplication::sendEvent(target, &held);
    } else if (keys == QLatin1String("Enter")) {
        // Through the next button first: the box must not hand Enter to a button.
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        window->CmdNext->setFocus();
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Return);
    } else if (keys.startsWith(QLatin1String("Pg"))) {
        for (const QString &key : keys.split(QLatin1Char(' ')))
            QTest::keyClick(target,
                            key == QLatin1String("PgDn") ? Qt::Key_PageDown : Qt::Key_PageUp);
    } else {
        typeInto(target, keys);
    }
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
    QCOMPARE(shownTexts(), from == 56 ? QStringList{u(FrmTestText::End)} : QStringList());
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
    QCOMPARE(shownTexts(), next ? QStringList() : QStringList{u(FrmTestText::AllAnswered)});
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
    storeTheme(theme);
    addSubject(QStringLiteral("K1"));
    // The longest statement the window may have to show.
    Cursor bank(QStringLiteral("QU"));
    QVERIFY(bank.filter(QStringLiteral("ID"), QStringLiteral("1")) &&
            bank.setField(QStringLiteral("QUs"),
                          (statement(2) + QLatin1Char(' ') + statement(3)).repeated(2)) &&
            bank.save());
    FrmTest *window = open(QStringLiteral("K1"), false);
    QVERIFY(window);
    const QRect area = window->screen()->availableGeometry();
    for (int state = 0; state < 2; ++state) {
        QCOMPARE(Clipped(window), QStringList());
        QVERIFY(area.contains(window->frameGeometry()));
        // Room for a real title bar and edges as well: about 31 and 8 on Windows, at any scale.
        QVERIFY2(window->width() + 16 <= area.width() && window->height() + 40 <= area.height(),
                 qPrintable(QStringLiteral("%1 x %2").arg(window->width()).arg(window->height())));
        QTest::mouseClick(window->Command1, Qt::LeftButton);
    }
}

void TestAdministration::answerMarksAreLargeAndShowTheKeyboard()
{
    QFETCH(int, theme);
    storeTheme(theme);
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
    QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), u("holder"));
    other.setDatabaseName(QSqlDatabase::database().databaseName());
    QVERIFY(other.open());
    QSqlQuery(QSqlDatabase::database()).exec(QStringLiteral("PRAGMA busy_timeout = 50"));
    QVERIFY(QSqlQuery(other).exec(QStringLiteral("BEGIN EXCLUSIVE")));
    AnswerNextModal([](QWidget *box) {
        if (auto *message = qobject_cast<QMessageBox *>(box))
            message->accept();
    });
    const bool found = window.FilterToSubject(nullptr, QStringLiteral("K1"));
    QSqlQuery(other).exec(QStringLiteral("ROLLBACK"));
    other.close();
    other = QSqlDatabase();
    QSqlDatabase::removeDatabase(u("holder"));
    QVERIFY(!found);
    const QSqlError locked(QString(), u("database is locked"), QSqlError::StatementError, u("5"));
    QCOMPARE(shownTexts(),
             QStringList{u(FrmTestText::ReadFailed) + u("\n") + DescribeReadFailure(locked)});
}

#include "test_administration.moc"
