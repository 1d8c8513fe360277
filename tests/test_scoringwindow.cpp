// The scoring window, driven as the examiner drives it, with the database file as the judge.
#include "Answers.h"
#include "GuiTest.h"
#include "ModalAnswer.h"
#include "OnServer.h"
#include "OtherProgram.h"
#include "Seed.h"
#include "Text.h"
#include "UserInput.h"
#include "Windows.h"
#include "app/Frm1.h"
#include "common/Dialogs.h"
#include "data/Cursor.h"
#include "safety/exitpro.h"
#include "scoring/FrmkLID.h"
#include "scoring/FrmkLIDText.h"
#include "scoring/ScoringKey.h"

#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSqlQuery>
#include <QtTest>

#include <memory>

using namespace ScoringKey;

namespace {
// The same answers, some of them replaced (statement -> stored text).
QStringList With(QStringList answers, const QMap<int, QString> &changed)
{
    for (auto it = changed.cbegin(); it != changed.cend(); ++it)
        answers[it.key() - 1] = it.value();
    return answers;
}

// A subject's answers row, with its register row holding old scores unless inRegister is false.
void addSubject(const QString &code, const QStringList &answers, bool inRegister = true,
                const QString &oldScore = QStringLiteral("99"))
{
    if (inRegister) {
        QHash<QString, QString> scores{{QStringLiteral("Code"), code}, {TotalField(), oldScore}};
        for (const Subscale &s : Subscales())
            scores.insert(s.field, oldScore);
        QVERIFY(AddRow(QStringLiteral("IDE"), scores));
    }
    QHash<QString, QString> row{{QStringLiteral("Code"), code}};
    for (int n = 1; n <= answers.size(); ++n)
        row.insert(QString::number(n), answers.at(n - 1));
    QVERIFY(AddRow(QStringLiteral("Answer"), row));
}

// Every subject's code and six scores, "|"-separated, in stored order, as the file holds them.
QStringList storedScores(const QString &path)
{
    QStringList rows;
    for (const QVariant &row :
         ReadFromFile(path, QStringLiteral("SELECT \"Code\" || '|' || \"BPosetive\" || '|' || "
                                           "\"Conterlo\" || '|' || \"Etminan\" || '|' || "
                                           "\"neyaz\" || '|' || \"self\" || '|' || \"Kol\" "
                                           "FROM \"IDE\" ORDER BY %1")
                                .arg(RowKeyIn(path))))
        rows << row.toString();
    return rows;
}

QString shownScores(const FrmkLID *window)
{
    QStringList scores;
    for (const QLineEdit *box : {window->Text2, window->Text4, window->Text14, window->Text17,
                                 window->Text18, window->Txt6})
        scores << box->text();
    return scores.join(u'|');
}

struct Box
{
    QString title;
    QString text;
    int icon; // -1 for the timed notice
};
} // namespace

class TestScoringWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_gui.beginRun()); }
    void init();
    void cleanup();

    void storesTheSixScores_data();
    void storesTheSixScores();
    void refusalsWriteNothing_data();
    void refusalsWriteNothing();
    void codeRegisteredWithBlanksOrOtherDigitsIsScored_data();
    void codeRegisteredWithBlanksOrOtherDigitsIsScored();
    void failedWriteStoresNone_data();
    void failedWriteStoresNone();
    void handsOverAndBack_data();
    void handsOverAndBack();
    void keyboardAlone();
    void fitsAndNothingIsClipped_data();
    void fitsAndNothingIsClipped();

private:
    // Enters a code in the input box and scores: the boxes shown after the input box, in order.
    QList<Box> score(FrmkLID *window, const QString &code);

    GuiTest m_gui;
    // Answers each ordinary box with OK, as the examiner would; the timed notice closes itself.
    std::unique_ptr<BoxAnswerer> m_answerer;
};

void TestScoringWindow::init()
{
    QCOMPARE(m_gui.begin(0), QString());
    m_answerer = std::make_unique<BoxAnswerer>(QMessageBox::Ok, [](const QMessageBox *box) {
        return box->windowTitle() == DialogText::TimedTitle();
    });
}

void TestScoringWindow::cleanup()
{
    m_answerer.reset();
    m_gui.end();
}

QList<Box> TestScoringWindow::score(FrmkLID *window, const QString &code)
{
    DialogHooks::TakeShown();
    m_answerer->forget();
    DialogHooks::PresetAnswer(code);
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    QList<DialogHooks::Shown> shown = DialogHooks::TakeShown();
    if (shown.isEmpty() || shown.first().title != u(FrmkLIDText::AskTitle) ||
        shown.first().text != u(FrmkLIDText::AskPrompt))
        return {{QStringLiteral("no input box"), QString(), 0}};
    QList<Box> boxes;
    for (const DialogHooks::Shown &box : shown.mid(1))
        boxes << Box{box.title, box.text,
                     box.title == DialogText::TimedTitle()
                         ? -1
                         : int(m_answerer->seen().value(int(boxes.size())).icon)};
    return boxes;
}

void TestScoringWindow::storesTheSixScores_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("times");
    QTest::newRow("all stored as 1") << u("K-1") << Filled(u("1")) << u("18|11|12|6|9|56") << 1;
    QTest::newRow("all stored as 5") << u("K-5") << Filled(u("5")) << u("90|55|60|30|45|280") << 1;
    QTest::newRow("always for every statement")
        << u("K-A") << SameOption(5) << u("90|11|12|6|25|144") << 1;
    QTest::newRow("scored twice: the same values and the message again")
        << u("K-2") << SameOption(1) << u("18|55|60|30|29|192") << 2;
    QTest::newRow("apostrophes, quotes, backslash and pattern signs in the code")
        << u("O'Brien \"2\" ') OR 1=1 -- a\\b_5%") << Filled(u("3")) << u("54|33|36|18|27|168")
        << 1;
    QStringList blank = Filled(u("2"));
    blank[6] = u(" "); // statement 7, a blank: answered, and it counts 0
    QTest::newRow("a blank answer counts 0") << u("کد ۱۲") << blank << u("34|22|24|12|18|110") << 1;
}

void TestScoringWindow::storesTheSixScores()
{
    QFETCH(QString, code);
    QFETCH(QStringList, answers);
    QFETCH(QString, expected);
    QFETCH(int, times);
    // Neighbours a loose match would take: a longer code, and one a LIKE pattern would match.
    addSubject(code + u("0"), Filled(u("1")), true, u("7"));
    addSubject(code, answers);
    if (code.contains(u("_")))
        addSubject(QString(code).replace(u("_"), u("x")), Filled(u("1")), true, u("7"));
    QStringList after = storedScores(m_gui.databasePath());
    QCOMPARE(after.size(), code.contains(u("_")) ? 3 : 2);
    after[1] = code + u("|") + expected;

    auto *window = FrmkLID::ShowNew();
    for (int time = 0; time < times; ++time) {
        const QList<Box> boxes = score(window, code);
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes.first().title, DialogText::TimedTitle());
        QCOMPARE(boxes.first().text, u(FrmkLIDText::Saved));
    }
    QCOMPARE(storedScores(m_gui.databasePath()), after);
    QCOMPARE(shownScores(window), expected);
    QVERIFY(window->Frame3->isVisible());
    QCOMPARE(window->scoredCode(), code);
    QCOMPARE(window->Text15->text(), code);
    for (int n = 1; n <= StatementCount; ++n)
        QCOMPARE(window->Txt3.at(n - 1)->text(), answers.at(n - 1));
}

void TestScoringWindow::refusalsWriteNothing_data()
{
    QTest::addColumn<QString>("entered");
    QTest::addColumn<QStringList>("answers"); // the subject R's, as the file holds them
    QTest::addColumn<bool>("inRegister");     // R has a row in the register too
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("icon");
    QTest::addColumn<bool>("panelAfter");
    QTest::addColumn<QString>("panelCode"); // the code the subject panel shows afterwards
    const QString timed = DialogText::TimedTitle();
    const QString error = u(FrmkLIDText::ErrorTitle);
    const QString unanswered = u(FrmkLIDText::Unanswered) + QStringLiteral("\r\n\r\n");
    QString all;
    for (int n = 1; n <= StatementCount; ++n)
        all += QStringLiteral(" %1  ").arg(n);
    const int warning = QMessageBox::Warning;
    const QStringList complete = Filled(u("3"));

    QTest::newRow("no code: the panels stay as they were")
        << QString() << complete << true << timed << u(FrmkLIDText::NeedCode) << -1 << true
        << u("G");
    QTest::newRow("an unknown code") << u("Z") << complete << true << timed
                                     << u(FrmkLIDText::NoSuchSubject) << -1 << false << QString();
    QTest::newRow("a trailing blank does not match")
        << u("R ") << complete << true << timed << u(FrmkLIDText::NoSuchSubject) << -1 << false
        << QString();
    QTest::newRow("only statement 56 unanswered")
        << u("R") << complete.mid(0, 55) << true << error << unanswered + u(" 56  ") << warning
        << false << u("R");
    QTest::newRow("nothing answered yet") << u("R") << QStringList() << true << error
                                          << unanswered + all << warning << false << u("R");
    // Values edited into the file by another tool: no whole number can be stored.
    const QString notWhole = u(FrmkLIDText::NotWhole) + QStringLiteral("\r\n\r\n");
    QTest::newRow("an answer of 1e400")
        << u("R") << With(complete, {{7, u("1e400")}}) << true << error << notWhole + u(" 7  ")
        << warning << false << u("R");
    QTest::newRow("an answer of 1e17, another of x")
        << u("R") << With(complete, {{7, u("1e17")}, {9, u("x")}}) << true << error
        << notWhole + u(" 7   9  ") << warning << false << u("R");
    QTest::newRow("answers but no subject in the register")
        << u("R") << complete << false << error << u(FrmkLIDText::NoDetails)
        << int(QMessageBox::Critical) << false << QString();
}

void TestScoringWindow::refusalsWriteNothing()
{
    QFETCH(QString, entered);
    QFETCH(QStringList, answers);
    QFETCH(bool, inRegister);
    QFETCH(QString, title);
    QFETCH(QString, message);
    QFETCH(int, icon);
    QFETCH(bool, panelAfter);
    QFETCH(QString, panelCode);
    addSubject(u("G"), Filled(u("2")));
    addSubject(u("R"), answers, inRegister);
    auto *window = FrmkLID::ShowNew();
    QCOMPARE(score(window, u("G")).size(), 1);
    const QString shownBefore = shownScores(window);
    const QStringList before = storedScores(m_gui.databasePath());

    const QList<Box> boxes = score(window, entered);
    QCOMPARE(boxes.size(), 1); // and never the success message
    QCOMPARE(boxes.first().title, title);
    QCOMPARE(boxes.first().text, message);
    QCOMPARE(boxes.first().icon, icon);
    QCOMPARE(storedScores(m_gui.databasePath()), before);
    QCOMPARE(window->Frame3->isVisible(), panelAfter);
    if (panelAfter)
        QCOMPARE(shownScores(window), shownBefore);
    QCOMPARE(window->Text15->text(), panelCode);
    QCOMPARE(window->scoredCode(), u("G"));
}

void TestScoringWindow::codeRegisteredWithBlanksOrOtherDigitsIsScored_data()
{
    QTest::addColumn<QString>("registered"); // as IDE keeps it; Answer keeps it trimmed
    QTest::addColumn<QString>("typed");
    QTest::newRow("blanks, typed bare") << u(" K7 ") << u("K7");
    QTest::newRow("blanks, typed with them") << u(" K7 ") << u(" K7 ");
    QTest::newRow("Persian digits, typed in Latin") << u("K-۱۲") << u("K-12");
}

void TestScoringWindow::codeRegisteredWithBlanksOrOtherDigitsIsScored()
{
    QFETCH(QString, registered);
    QFETCH(QString, typed);
    addSubject(registered, Filled(u("1")));
    {
        // Registration trims the code in the answers row.
        QSqlQuery trim(QSqlDatabase::database());
        QVERIFY(trim.exec(QStringLiteral("UPDATE \"Answer\" SET \"Code\" = trim(\"Code\")")));
    }
    auto *window = FrmkLID::ShowNew();
    const QList<Box> boxes = score(window, typed);
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first().text, u(FrmkLIDText::Saved));
    QCOMPARE(storedScores(m_gui.databasePath()), QStringList{registered + u("|18|11|12|6|9|56")});
    // The result sheet finds the same row by the code scoring keeps.
    QCOMPARE(window->scoredCode(), registered);
}

void TestScoringWindow::failedWriteStoresNone_data()
{
    QTest::addColumn<bool>("writer");
    QTest::addColumn<bool>("stopped"); // false: the scores are stored all the same
    // The scores cannot even go in: another program is writing.
    QTest::newRow("write lock held past the busy timeout") << true << true;
    // They go in, and the commit waits for a reader past the busy timeout. On the server a
    // reader holds nothing a save waits for.
    QTest::newRow("read lock held: the commit is refused") << false << !OnServer();
}

void TestScoringWindow::failedWriteStoresNone()
{
    QFETCH(bool, writer);
    QFETCH(bool, stopped);
    const QString path = m_gui.databasePath();
    addSubject(u("G"), Filled(u("2")));
    addSubject(u("K"), Filled(u("5")), true, u("7"));
    auto *window = FrmkLID::ShowNew();
    QCOMPARE(score(window, u("G")).size(), 1);
    const QStringList before = storedScores(path);
    if (!stopped) {
        OtherProgram other(path);
        QVERIFY(SetBusyTimeout(50));
        QVERIFY(other.holdReadLock());
        QCOMPARE(score(window, u("K")).value(0).text, u(FrmkLIDText::Saved));
        QCOMPARE(storedScores(path), (QStringList{before.value(0), u("K|90|55|60|30|45|280")}));
        QCOMPARE(window->scoredCode(), u("K"));
        return;
    }
    {
        OtherProgram other(path);
        QVERIFY(SetBusyTimeout(50));
        QVERIFY(writer ? other.holdWriteLock() : other.holdReadLock());

        const QList<Box> boxes = score(window, u("K"));
        QCOMPARE(boxes.size(), 1); // the failure, and no success after it
        QVERIFY2(boxes.first().text.contains(u("برنامه‌ی دیگری")),
                 qPrintable(boxes.first().text));
        QCOMPARE(boxes.first().icon, int(QMessageBox::Critical));
        QVERIFY(other.exec(QStringLiteral("ROLLBACK")));
    }
    QCOMPARE(storedScores(path), before);
    QVERIFY(!window->Frame3->isVisible());
    QCOMPARE(window->scoredCode(), u("G"));
    QVERIFY(!window->Adodc5->hasUnsavedChanges());
    QCOMPARE(window->Txt6->text(), u("7")); // what the file holds, not what was not stored

    // With the other program gone, the same action stores the six scores.
    QCOMPARE(score(window, u("K")).value(0).text, u(FrmkLIDText::Saved));
    QVERIFY(storedScores(path).contains(u("K|90|55|60|30|45|280")));
    QCOMPARE(window->scoredCode(), u("K"));
}

void TestScoringWindow::handsOverAndBack_data()
{
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("back by the exit button") << false;
    QTest::newRow("back by the close box") << true;
}

void TestScoringWindow::handsOverAndBack()
{
    QFETCH(bool, closeBox);
    addSubject(u("S0"), QStringList());
    addSubject(u("K-7"), SameOption(5));
    QTest::mouseClick(Frm1::ShowNew()->Command3, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(VisibleWindows<Frm1>().size() + VisibleWindows<exitpro>().size(), 0);
    FrmkLID *window = VisibleWindows<FrmkLID>().value(0);
    QVERIFY(window);
    // It opens unfiltered, on the first stored subject, with nothing scored yet.
    QCOMPARE(window->windowTitle(), u(FrmkLIDText::Caption));
    QCOMPARE(window->Text15->text(), u("S0"));
    QVERIFY(!window->Frame3->isVisible() && !window->Frame2->isVisible());
    QVERIFY(window->scoredCode().isEmpty());
    QCOMPARE(score(window, u("K-7")).value(0).text, u(FrmkLIDText::Saved));

    if (closeBox)
        window->close();
    else
        QTest::mouseClick(window->Command4, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(VisibleWindows<FrmkLID>().size() + VisibleWindows<exitpro>().size(), 0);
    QCOMPARE(VisibleWindows<Frm1>().size(), 1);
}

void TestScoringWindow::keyboardAlone()
{
    auto *window = FrmkLID::ShowNew();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QCOMPARE(
        TabRound(window->Command1, 20),
        (QStringList{u("Command1"), u("Command6"), u("Command3"), u("Command2"), u("Command4")}));

    // Help opens with Enter; the keyboard stays in it, and Escape closes it and nothing more.
    QTest::keyClick(window->Command2, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), window->Command7);
    QTest::keyClick(window->Command7, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), window->Text21);
    QTest::keyClick(window->Text21, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), window->Command7);
    QTest::keyClick(window->Command7, Qt::Key_Escape);
    QVERIFY(!window->Frame2->isVisible());
    QCOMPARE(QApplication::focusWidget(), window->Command2);
    QTest::keyClick(window->Command2, Qt::Key_Escape);
    QVERIFY(window->isVisible());
}

void TestScoringWindow::fitsAndNothingIsClipped_data()
{
    QTest::addColumn<int>("theme");
    for (int theme = 0; theme <= 11; ++theme) // 0: the plain look
        QTest::newRow(qPrintable(QString::number(theme))) << theme;
}

void TestScoringWindow::fitsAndNothingIsClipped()
{
    QFETCH(int, theme);
    QVERIFY(StoreSetting(QStringLiteral("TH"), QString::number(theme)));
    addSubject(u("K-1403-017"), Filled(u("5")));
    auto *window = FrmkLID::ShowNew();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(score(window, u("K-1403-017")).size(), 1);
    QCOMPARE(Clipped(window), QStringList());
    QTest::mouseClick(window->Command2, Qt::LeftButton);
    QCOMPARE(Clipped(window), QStringList());
    // The seven help lines whole, without scrolling, and the help inside the window.
    QCOMPARE(window->Text21->document()->blockCount(), 7);
    QCOMPARE(window->Text21->horizontalScrollBar()->maximum(), 0);
    QCOMPARE(window->Text21->verticalScrollBar()->maximum(), 0);
    QVERIFY(window->rect().contains(window->Frame2->geometry()));
    QCOMPARE(Misfit(window), QString());
}

QTEST_MAIN(TestScoringWindow)
#include "test_scoringwindow.moc"
