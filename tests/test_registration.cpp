// Registering a subject through the main window's panel, and every way it can go wrong.
#include "GuiTest.h"
#include "ModalAnswer.h"
#include "OnServer.h"
#include "OtherProgram.h"
#include "Seed.h"
#include "Text.h"
#include "TmpfsMount.h"
#include "UserInput.h"
#include "Windows.h"
#include "app/Frm1.h"
#include "appearance/Frmskin.h"
#include "common/Dialogs.h"
#include "common/PictureBox.h"
#include "common/ProgramEnd.h"
#include "common/Skin.h"
#include "common/SolarHijriDate.h"
#include "common/TextRules.h"
#include "data/Database.h"
#include "registration/RegistrationPanel.h"
#include "registration/RegistrationText.h"

#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QStyle>
#include <QtTest>

#include <functional>
#include <memory>

namespace {
struct Subject
{
    QString code = QStringLiteral("K-100");
    QString firstName = u("سارا");
    QString lastName = u("محمدی");
    QString age = QStringLiteral("11");
    int marital = 0; // list positions; -1 leaves the list unchosen
    int gender = 1;
    int group = 2;
    QString education = u("پنجم دبستان");
};

void fill(RegistrationPanel *panel, const Subject &subject)
{
    panel->Text11->setText(subject.code);
    panel->Text6->setText(subject.firstName);
    panel->Text4->setText(subject.lastName);
    panel->Text5->setText(subject.age);
    panel->Combo1->setCurrentIndex(subject.marital);
    panel->Combo2->setCurrentIndex(subject.gender);
    panel->Combo3->setCurrentIndex(subject.group);
    panel->Text7->setText(subject.education);
}

// The horizontal distance between two rectangles side by side.
int apart(const QRect &a, const QRect &b)
{
    return qMax(b.left() - a.right(), a.left() - b.right()) - 1;
}

// What the examiner left out of a subject.
using LeaveOut = std::function<void(Subject &)>;

// What another program does to keep the subject's rows out of the file; none: the disk is full.
using Fault = std::function<bool(OtherProgram &)>;

// Where the examiner is when another program writes.
enum class State { Idle, Typing, Saved };
} // namespace

class TestRegistration : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_gui.beginRun()); }
    void init();
    void cleanup() { m_gui.end(); }

    void openingStampsDateAndTime();
    void checks_data();
    void checks();
    void savedSubjectLeadsToTheConfirmationWindow();
    void codeIsTrimmedOnlyInTheAnswersRow();
    void textsAreStoredExactly_data();
    void textsAreStoredExactly();
    void duplicateCodeIsRefused_data();
    void duplicateCodeIsRefused();
    void failedWriteKeepsWhatWasTyped_data();
    void failedWriteKeepsWhatWasTyped();
    void idleProgramLetsOthersWrite_data();
    void idleProgramLetsOthersWrite();
    void ageAcceptsOnlyDigits();
    void enterInAnyBoxSaves_data();
    void enterInAnyBoxSaves();
    void codeTypedInPersianDigitsIsStoredInLatin();
    void ageBoxPassesEditingKeys_data();
    void ageBoxPassesEditingKeys();
    void escapeKeepsWhatWasTyped_data();
    void escapeKeepsWhatWasTyped();
    void formReadsAsOneBlock();
    void listsKeepTheirChoiceWithinTheWindow();
    void cancelWritesNothing();

private:
    int rows(const QString &table) const { return CountInFile(m_gui.databasePath(), table); }

    GuiTest m_gui;
    Frm1 *m_window = nullptr;
    RegistrationPanel *m_panel = nullptr;
};

void TestRegistration::init()
{
    QCOMPARE(m_gui.begin(0), QString());
    m_window = Frm1::ShowNew();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    m_panel = m_window->registration;
    QTest::mouseClick(m_window->Command1, Qt::LeftButton);
    QVERIFY(m_window->Frame10->isVisible());
}

void TestRegistration::openingStampsDateAndTime()
{
    QCOMPARE(m_panel->Text8->text(), SolarHijriDateText(QDate::currentDate(), 0));
    QVERIFY(!m_panel->Text9->text().isEmpty());
    QCOMPARE(m_window->focusWidget(), m_panel->Text11);
    for (QLineEdit *field :
         {m_panel->Text11, m_panel->Text6, m_panel->Text4, m_panel->Text5, m_panel->Text7})
        QVERIFY(field->text().isEmpty());
    QCOMPARE(m_panel->Combo2->currentIndex(), -1);
    QCOMPARE(m_panel->Combo3->count(), 7);
}

void TestRegistration::checks_data()
{
    QTest::addColumn<LeaveOut>("leaveOut");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::newRow("everything") << LeaveOut([](Subject &subject) {
        subject = Subject{QString(), QString(), QString(), QString(), -1, -1, -1, QString()};
    }) << u(RegistrationText::NeedCode)
                                << u("Text11");
    QTest::newRow("first name") << LeaveOut([](Subject &subject) { subject.firstName.clear(); })
                                << u(RegistrationText::NeedFName) << u("Text6");
    QTest::newRow("last name") << LeaveOut([](Subject &subject) { subject.lastName.clear(); })
                               << u(RegistrationText::NeedLName) << u("Text4");
    QTest::newRow("gender before age") << LeaveOut([](Subject &subject) {
        subject.gender = -1;
        subject.age.clear();
    }) << u(RegistrationText::NeedGender)
                                       << u("Combo2");
    QTest::newRow("age") << LeaveOut([](Subject &subject) { subject.age.clear(); })
                         << u(RegistrationText::NeedAge) << u("Text5");
    QTest::newRow("marital status") << LeaveOut([](Subject &subject) { subject.marital = -1; })
                                    << u(RegistrationText::NeedMarital) << u("Combo1");
    QTest::newRow("group") << LeaveOut([](Subject &subject) { subject.group = -1; })
                           << u(RegistrationText::NeedGroup) << u("Combo3");
    QTest::newRow("education") << LeaveOut([](Subject &subject) { subject.education.clear(); })
                               << u(RegistrationText::NeedEducation) << u("Text7");
}

void TestRegistration::checks()
{
    QFETCH(LeaveOut, leaveOut);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    Subject subject;
    leaveOut(subject);
    fill(m_panel, subject);
    DialogHooks::TakeShown();

    QTest::mouseClick(m_panel->Command8, Qt::LeftButton);
    QCOMPARE(ShownTexts(), QStringList{message});
    QVERIFY(m_window->focusWidget());
    QCOMPARE(m_window->focusWidget()->objectName(), focus);
    QVERIFY(m_window->Frame10->isVisible());
    QCOMPARE(rows(QStringLiteral("IDE")), 0);
    QCOMPARE(rows(QStringLiteral("Answer")), 0);
}

void TestRegistration::savedSubjectLeadsToTheConfirmationWindow()
{
    fill(m_panel, Subject());
    const QString date = m_panel->Text8->text();
    QTest::mouseClick(m_panel->Command8, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QCOMPARE(ReadFromFile(m_gui.databasePath(),
                          QStringLiteral("SELECT \"Code\" || '|' || \"FName\" || '|' || \"LName\" "
                                         "|| '|' || \"Sen\" || '|' || \"Jens\" || '|' || "
                                         "\"Taahol\" || '|' || \"Tahsil\" || '|' || \"Group\" || "
                                         "'|' || \"Date\" FROM \"IDE\"")),
             QVariantList{u("K-100|سارا|محمدی|11|زن|مجرد|پنجم دبستان|C|") + date});
    QCOMPARE(rows(QStringLiteral("Answer")), 1);
    QCOMPARE(ReadOneFromFile(m_gui.databasePath(),
                             QStringLiteral("SELECT COUNT(*) FROM \"IDE\" WHERE \"Time\" <> ''"))
                 .toInt(),
             1);

    QCOMPARE(VisibleWindows<Frm1>().size(), 0);
    Frmskin *confirmation = OnlyVisible<Frmskin>();
    QVERIFY(confirmation);
    ClickPicture(confirmation->k1, confirmation->k2);
    Frm1 *main = OnlyVisible<Frm1>();
    QVERIFY(main);
    for (QFrame *panel : {main->Frame10, main->Frame6, main->Frame8, main->Frame9})
        QVERIFY(!panel->isVisible());
}

void TestRegistration::codeIsTrimmedOnlyInTheAnswersRow()
{
    Subject subject;
    subject.code = QStringLiteral("  K 7 ");
    fill(m_panel, subject);
    QTest::mouseClick(m_panel->Command8, Qt::LeftButton);
    QCOMPARE(ReadFromFile(m_gui.databasePath(), QStringLiteral("SELECT \"Code\" FROM \"IDE\"")),
             QVariantList{QStringLiteral("  K 7 ")});
    QCOMPARE(ReadFromFile(m_gui.databasePath(), QStringLiteral("SELECT \"Code\" FROM \"Answer\"")),
             QVariantList{QStringLiteral("K 7")});
    QCOMPARE(TrimBlanks(QStringLiteral("\t x \t")), QStringLiteral("\t x \t"));
}

void TestRegistration::textsAreStoredExactly_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("name");
    QTest::newRow("quotes") << u("O'Brien \"2\"") << u("d'Artagnan");
    QTest::newRow("backslash and percent") << u("a\\b_50%") << u("100% \\ sure");
    QTest::newRow("marks and Persian") << u("\u200Fکد\u200E-۱۲") << u("\u202Bمریم\u202C");
    QTest::newRow("emoji") << u("🙂-1") << u("👩‍🎓 سارا");
    QTest::newRow("5000 characters") << QString(5000, QChar(0x0628)) << QString(5000, u'x');
}

void TestRegistration::textsAreStoredExactly()
{
    QFETCH(QString, code);
    QFETCH(QString, name);
    Subject subject;
    subject.code = code;
    subject.firstName = name;
    fill(m_panel, subject);
    QTest::mouseClick(m_panel->Command8, Qt::LeftButton);
    QCOMPARE(ReadFromFile(m_gui.databasePath(),
                          QStringLiteral("SELECT \"FName\" FROM \"IDE\" WHERE \"Code\" = ?"),
                          {code}),
             QVariantList{name});
    QCOMPARE(CountInFile(m_gui.databasePath(), QStringLiteral("Answer"), TrimBlanks(code)), 1);
}

void TestRegistration::duplicateCodeIsRefused_data()
{
    QTest::addColumn<QString>("code");
    QTest::newRow("the same code") << QStringLiteral("S0");
    // Different in the register, the same once trimmed in the answers.
    QTest::newRow("the same code with blanks") << QStringLiteral(" S0 ");
}

void TestRegistration::duplicateCodeIsRefused()
{
    QFETCH(QString, code);
    QVERIFY(SeedSubjects(1));
    Subject subject;
    subject.code = code;
    fill(m_panel, subject);
    DialogHooks::TakeShown();
    QTest::mouseClick(m_panel->Command8, Qt::LeftButton);
    QCOMPARE(ShownTexts(), QStringList{u(RegistrationText::CodeTaken)});
    QCOMPARE(rows(QStringLiteral("IDE")), 1);
    QCOMPARE(rows(QStringLiteral("Answer")), 1);
    // The panel keeps everything entered, and a corrected code goes through.
    QVERIFY(m_window->Frame10->isVisible());
    QCOMPARE(m_panel->Text11->text(), code);
    QCOMPARE(m_panel->Text6->text(), subject.firstName);
    m_panel->Text11->setText(QStringLiteral("S1"));
    QTest::mouseClick(m_panel->Command8, Qt::LeftButton);
    QCOMPARE(rows(QStringLiteral("IDE")), 2);
    QCOMPARE(rows(QStringLiteral("Answer")), 2);
    QCOMPARE(ReadFromFile(m_gui.databasePath(),
                          QStringLiteral("SELECT \"FName\" FROM \"IDE\" WHERE \"Code\" = 'S1'")),
             QVariantList{subject.firstName});
}

void TestRegistration::failedWriteKeepsWhatWasTyped_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<int>("seeded");
    // A word of the message that names the cause; empty: nothing stops the save.
    QTest::addColumn<QString>("says");
    const QString busy = u("برنامه‌ی دیگری");
    for (int seeded : {0, 100}) {
        // The rows go in, and the commit waits for a reader past the busy timeout. On the server
        // a reader holds nothing a save waits for: the subject is stored at once.
        QTest::addRow("read lock held, %d subjects", seeded)
            << Fault(&OtherProgram::holdReadLock) << seeded << (OnServer() ? QString() : busy);
        // The rows cannot even go in: another program is writing.
        QTest::addRow("write lock held, %d subjects", seeded)
            << Fault(&OtherProgram::holdWriteLock) << seeded << busy;
        QTest::addRow("disk full, %d subjects", seeded) << Fault() << seeded << u("دیسک");
        QTest::addRow("subject row refused, %d subjects", seeded)
            << Fault([](OtherProgram &other) { return other.refuse("INSERT", u("IDE")); }) << seeded
            << u("ذخیره نشد");
    }
}

void TestRegistration::failedWriteKeepsWhatWasTyped()
{
    QFETCH(Fault, fault);
    QFETCH(int, seeded);
    QFETCH(QString, says);
    if (!fault)
        FILE_ONLY("a full disk under the database file; the server keeps the register on its own");
    // The register as the examiner finds it when the program starts.
    DeleteAllWindows();
    QVERIFY(SeedSubjects(seeded));
    QString path = m_gui.databasePath();
    std::unique_ptr<TmpfsMount> disk;
    if (!fault) {
        CloseDatabase();
        disk = std::make_unique<TmpfsMount>(m_gui.folder().path() + QStringLiteral("/disk"),
                                            QStringLiteral("1m"));
        SKIP_UNLESS_MOUNTED(*disk);
        const QString moved = m_gui.folder().path() + QStringLiteral("/disk/DBKorvat.mdb");
        QVERIFY(QFile::copy(path, moved));
        path = moved;
        QCOMPARE(OpenDatabase(path).description(), QString());
    }
    m_window = Frm1::ShowNew();
    m_panel = m_window->registration;
    QTest::mouseClick(m_window->Command1, Qt::LeftButton);
    const QStringList before = EveryRow(path, {u("IDE"), u("Answer")});
    const Subject subject;
    fill(m_panel, subject);

    auto other = std::make_unique<OtherProgram>(path);
    QVERIFY(SetBusyTimeout(50));
    QVERIFY(fault ? fault(*other) : disk->fill());

    DialogHooks::TakeShown();
    if (says.isEmpty()) {
        // Stored while the other program still looks on.
        QTest::mouseClick(m_panel->Command8, Qt::LeftButton);
        QCOMPARE(ShownTexts(), QStringList());
        QVERIFY(other->letGo());
        other.reset();
    } else {
        AnswerNextBox(QMessageBox::Ok);
        QTest::mouseClick(m_panel->Command8, Qt::LeftButton);
        const QStringList shown = ShownTexts();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown.first().contains(says), qPrintable(shown.first()));

        // Nothing written, nothing else changed, and the panel shows exactly what was typed.
        QVERIFY(other->letGo());
        QCOMPARE(EveryRow(path, {u("IDE"), u("Answer")}), before);
        QVERIFY(m_window->Frame10->isVisible());
        QCOMPARE(m_panel->Text11->text(), subject.code);
        QCOMPARE(m_panel->Text6->text(), subject.firstName);
        QCOMPARE(m_panel->Text4->text(), subject.lastName);
        QCOMPARE(m_panel->Text5->text(), subject.age);
        QCOMPARE(m_panel->Text7->text(), subject.education);
        QCOMPARE(m_panel->Combo2->currentIndex(), subject.gender);

        // With the cause gone, the same Save stores exactly the typed subject, and only it.
        if (disk)
            disk->unfill();
        other.reset();
        QTest::mouseClick(m_panel->Command8, Qt::LeftButton);
    }
    QCOMPARE(VisibleWindows<Frmskin>().size(), 1);
    const QStringList after = EveryRow(path, {u("IDE"), u("Answer")});
    QCOMPARE(after.size(), before.size() + 2);
    for (const QString &row : before)
        QVERIFY(after.contains(row));
    QCOMPARE(ReadFromFile(path,
                          QStringLiteral("SELECT \"FName\" || '|' || \"LName\" || '|' || \"Sen\" "
                                         "|| '|' || \"Tahsil\" FROM \"IDE\" WHERE \"Code\" = ?"),
                          {subject.code}),
             QVariantList{subject.firstName + u("|") + subject.lastName + u("|") + subject.age +
                          u("|") + subject.education});
    QCOMPARE(ReadFromFile(path,
                          QStringLiteral("SELECT COUNT(*) FROM \"Answer\" WHERE \"Code\" = ?"),
                          {subject.code}),
             QVariantList{1});
    DeleteAllWindows();
    CloseDatabase();
}

void TestRegistration::idleProgramLetsOthersWrite_data()
{
    QTest::addColumn<State>("state");
    QTest::newRow("main window idle") << State::Idle;
    QTest::newRow("a subject half typed") << State::Typing;
    QTest::newRow("after a subject was registered") << State::Saved;
}

void TestRegistration::idleProgramLetsOthersWrite()
{
    QFETCH(State, state);
    DeleteAllWindows();
    QVERIFY(SeedSubjects(100));
    m_window = Frm1::ShowNew();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    if (state != State::Idle) {
        QTest::mouseClick(m_window->Command1, Qt::LeftButton);
        fill(m_window->registration, Subject());
    }
    if (state == State::Saved) {
        QTest::mouseClick(m_window->registration->Command8, Qt::LeftButton);
        QCOMPARE(VisibleWindows<Frmskin>().size(), 1);
    }
    QTest::qWait(20);

    // Another program (a second copy, a backup tool) writes without waiting at all.
    OtherProgram other(m_gui.databasePath(), 0);
    QVERIFY2(other.holdWriteLock() &&
                 other.exec(QStringLiteral("UPDATE \"Theme\" SET \"Adress\" = 'x'")) &&
                 other.exec(QStringLiteral("COMMIT")),
             qPrintable(other.lastError()));
}

void TestRegistration::ageAcceptsOnlyDigits()
{
    QLineEdit *age = m_panel->Text5;
    age->setFocus();
    DialogHooks::TakeShown();
    QTest::keyClicks(age, QStringLiteral("1a"));
    QCOMPARE(age->text(), QStringLiteral("1"));
    QCOMPARE(ShownTexts(), QStringList{u(RegistrationText::NumbersOnly)});
    QTest::keyClick(age, Qt::Key_Backspace);
    QCOMPARE(age->text(), QString());
    // A Persian keyboard's digits are stored as 0 to 9.
    TypeText(age, u("۱۲"));
    QCOMPARE(age->text(), QStringLiteral("12"));
    QTest::keyClicks(age, QStringLiteral("3"));
    QCOMPARE(age->text(), QStringLiteral("12")); // two characters at most
    QTest::keyClick(age, Qt::Key_Space);
    QCOMPARE(age->text(), QStringLiteral("12"));
    QCOMPARE(ShownTexts(), QStringList{u(RegistrationText::NumbersOnly)});
}

void TestRegistration::enterInAnyBoxSaves_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("key");
    for (const char *box : {"Text11", "Text6", "Text4", "Text5", "Text8", "Text9", "Text7",
                            "Combo1", "Combo2", "Combo3"})
        QTest::newRow(box) << QString::fromLatin1(box) << int(Qt::Key_Return);
    QTest::newRow("Text5, keypad Enter") << u("Text5") << int(Qt::Key_Enter);
}

void TestRegistration::enterInAnyBoxSaves()
{
    QFETCH(QString, box);
    QFETCH(int, key);
    fill(m_panel, Subject());
    auto *widget = m_window->findChild<QWidget *>(box);
    QVERIFY(widget);
    widget->setFocus();
    const QString typed = m_panel->Text5->text();
    QTest::keyClick(widget, Qt::Key(key));
    QCOMPARE(m_panel->Text5->text(), typed); // Enter types nothing
    QCOMPARE(rows(QStringLiteral("IDE")), 1);
    QCOMPARE(rows(QStringLiteral("Answer")), 1);
    QCOMPARE(VisibleWindows<Frmskin>().size(), 1);
}

void TestRegistration::codeTypedInPersianDigitsIsStoredInLatin()
{
    QLineEdit *code = m_panel->Text11;
    code->setFocus();
    // A Persian keyboard's digits, an Arabic-Indic one and a letter between them.
    TypeText(code, u("۳K۰٠۲"));
    QCOMPARE(code->text(), QStringLiteral("3K002"));
    QCOMPARE(code->cursorPosition(), 5);
    fill(m_panel, Subject{code->text()});
    QTest::mouseClick(m_panel->Command8, Qt::LeftButton);
    QCOMPARE(ReadFromFile(m_gui.databasePath(), QStringLiteral("SELECT \"Code\" FROM \"IDE\"")),
             QVariantList{QStringLiteral("3K002")});
}

void TestRegistration::listsKeepTheirChoiceWithinTheWindow()
{
    Subject subject;
    fill(m_panel, subject);
    QTest::mouseClick(m_panel->Command10, Qt::LeftButton);
    QVERIFY(!m_window->Frame10->isVisible());
    QTest::mouseClick(m_window->Command1, Qt::LeftButton);
    QCOMPARE(m_panel->Combo2->currentText(), u("زن"));
    QCOMPARE(m_panel->Combo3->currentText(), QStringLiteral("C"));
    QCOMPARE(m_panel->Text11->text(), QString());
    QCOMPARE(m_panel->Text6->text(), QString());
    // And they count when saved without being touched again.
    m_panel->Text11->setText(QStringLiteral("K-9"));
    m_panel->Text6->setText(subject.firstName);
    m_panel->Text4->setText(subject.lastName);
    m_panel->Text5->setText(subject.age);
    m_panel->Text7->setText(subject.education);
    QTest::mouseClick(m_panel->Command8, Qt::LeftButton);
    QCOMPARE(ReadFromFile(m_gui.databasePath(),
                          QStringLiteral("SELECT \"Jens\" || \"Group\" FROM \"IDE\"")),
             QVariantList{u("زنC")});
}

void TestRegistration::cancelWritesNothing()
{
    fill(m_panel, Subject());
    QTest::mouseClick(m_panel->Command10, Qt::LeftButton);
    QTest::mouseClick(m_window->Command1, Qt::LeftButton);
    fill(m_panel, Subject());
    m_window->HideAllPanels();
    QTest::mouseClick(m_window->Command1, Qt::LeftButton);
    fill(m_panel, Subject());
    m_window->close(); // to the exit dialog
    QCOMPARE(rows(QStringLiteral("IDE")), 0);
    QCOMPARE(rows(QStringLiteral("Answer")), 0);
}

void TestRegistration::ageBoxPassesEditingKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("after");
    // In "12" after the 1, each key with the modifiers and text X11 sends (the arrow as macOS).
    QTest::newRow("Delete") << int(Qt::Key_Delete) << 0 << u("\x7f") << u("1");
    QTest::newRow("keypad Delete")
        << int(Qt::Key_Delete) << int(Qt::KeypadModifier) << u("\x7f") << u("1");
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << 0 << u("\b") << u("2");
    QTest::newRow("Escape") << int(Qt::Key_Escape) << 0 << u("\x1b") << u("12");
    QTest::newRow("Tab") << int(Qt::Key_Tab) << 0 << u("\t") << u("12");
    QTest::newRow("Left, on macOS") << int(Qt::Key_Left) << 0 << QString(QChar(0xF702)) << u("12");
}

void TestRegistration::ageBoxPassesEditingKeys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(QString, after);
    m_panel->Text5->setText(QStringLiteral("12"));
    m_panel->Text5->setCursorPosition(1);
    DialogHooks::TakeShown();
    QTest::sendKeyEvent(QTest::Click, m_panel->Text5, Qt::Key(key), text,
                        Qt::KeyboardModifiers(modifiers));
    QCOMPARE(ShownTexts(), QStringList());
    QCOMPARE(m_panel->Text5->text(), after);
}

void TestRegistration::escapeKeepsWhatWasTyped_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed"); // in place of what the box holds; empty: nothing typed
    QTest::newRow("code") << u("Text11") << u("Code") << u("K-5");
    QTest::newRow("first name") << u("Text6") << u("FName") << u("Sara");
    QTest::newRow("last name") << u("Text4") << u("LName") << u("Karimi");
    QTest::newRow("age") << u("Text5") << u("Sen") << u("12");
    QTest::newRow("date, as stamped") << u("Text8") << u("Date") << QString();
    QTest::newRow("date, corrected") << u("Text8") << u("Date") << u("1403/01/05");
    QTest::newRow("time, as stamped") << u("Text9") << u("Time") << QString();
    QTest::newRow("education") << u("Text7") << u("Tahsil") << u("BA");
}

void TestRegistration::escapeKeepsWhatWasTyped()
{
    QFETCH(QString, box);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    fill(m_panel, Subject());
    auto *edit = m_window->Frame10->findChild<QLineEdit *>(box);
    if (!typed.isEmpty())
        edit->clear();
    QTest::keyClicks(edit, typed);
    const QString shown =
        m_panel->Text8->text() + u'|' + m_panel->Text9->text() + u'|' + edit->text();
    QTest::keyClick(edit, Qt::Key_Escape);
    QTest::mouseClick(m_panel->Command8, Qt::LeftButton);
    QCOMPARE(ReadFromFile(m_gui.databasePath(),
                          QStringLiteral("SELECT \"Date\" || '|' || \"Time\" || '|' || \"%1\" "
                                         "FROM \"IDE\"")
                              .arg(field)),
             QVariantList{shown});
}

void TestRegistration::formReadsAsOneBlock()
{
    const QList<SkinLabel *> labels = m_window->Frame10->findChildren<SkinLabel *>();
    for (const SkinLabel *label : labels) {
        // Where its text is drawn: just right of its own field, clearly farther from the others.
        const QRect text =
            QStyle::alignedRect(Qt::RightToLeft, label->alignment(),
                                label->fontMetrics().size(0, label->text()), label->contentsRect())
                .translated(label->pos());
        const QRect own = label->buddy()->geometry();
        QVERIFY2(text.left() > own.right() && apart(text, own) <= 10, qPrintable(label->text()));
        for (const SkinLabel *other : labels)
            if (other != label && qAbs(other->y() - label->y()) < 4)
                QVERIFY2(apart(text, other->buddy()->geometry()) >= 3 * apart(text, own),
                         qPrintable(label->text() + u'/' + other->text()));
    }
    // Save, the main action, right of Cancel, apart, of one width, under the end of the form.
    const QRect save = m_panel->Command8->geometry();
    const QRect cancel = m_panel->Command10->geometry();
    QVERIFY(m_panel->Command8->isDefault());
    QCOMPARE(save.width(), cancel.width());
    QVERIFY(save.left() - cancel.right() > 8);
    QVERIFY(save.top() - m_panel->Text7->geometry().bottom() <= 24);
    QCOMPARE(cancel.left(), m_panel->Text7->geometry().left());
}

QTEST_MAIN(TestRegistration)
#include "test_registration.moc"
