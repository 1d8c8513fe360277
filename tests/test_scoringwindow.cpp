// The scoring window, driven as the examiner drives it, with the database file as the judge.
#include "Seed.h"
#include "TestProgramFolder.h"
#include "Windows.h"
#include "app/Frm1.h"
#include "appearance/Frmskin.h"
#include "common/Dialogs.h"
#include "common/PictureBox.h"
#include "common/ProgramEnd.h"
#include "common/ProgramLook.h"
#include "data/Cursor.h"
#include "data/Database.h"
#include "registration/RegistrationPanel.h"
#include "safety/exitpro.h"
#include "scoring/FrmkLID.h"
#include "scoring/FrmkLIDText.h"
#include "scoring/ScoringKey.h"

#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

#include <memory>

using namespace ScoringKey;

namespace {
QString u(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

QStringList Filled(const QString &value)
{
    return QStringList(StatementCount, value);
}

// What a subject who picked the same option for every statement has stored.
QStringList SameOption(int option)
{
    QStringList answers;
    for (int n = 1; n <= StatementCount; ++n)
        answers << StoredAnswer(option, n);
    return answers;
}

const char *const ScoreFields = "\"BPosetive\" || '|' || \"Conterlo\" || '|' || \"Etminan\" || "
                                "'|' || \"neyaz\" || '|' || \"self\" || '|' || \"Kol\"";

// A subject as the file holds it: its register row (with old scores) and its answers row, either
// of which may be missing.
void addSubject(const QString &code, const QStringList &answers, bool inRegister = true,
                bool answered = true, const QString &oldScore = QStringLiteral("99"))
{
    QSqlDatabase db = QSqlDatabase::database();
    if (inRegister) {
        QSqlQuery ide(db);
        QVERIFY(
            ide.prepare(QStringLiteral("INSERT INTO \"IDE\" (\"Code\", \"FName\", \"LName\", "
                                       "\"BPosetive\", \"Conterlo\", \"Etminan\", \"neyaz\", "
                                       "\"self\", \"Kol\") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)")));
        for (const QString &value :
             QStringList{code, u("سارا"), u("محمدی")} + QStringList(6, oldScore))
            ide.addBindValue(value);
        QVERIFY2(ide.exec(), qPrintable(ide.lastError().text()));
    }
    if (answered) {
        QStringList fields{QStringLiteral("\"Code\"")};
        for (int n = 1; n <= StatementCount; ++n)
            fields << QStringLiteral("\"%1\"").arg(n);
        QSqlQuery answer(db);
        QVERIFY(answer.prepare(
            QStringLiteral("INSERT INTO \"Answer\" (%1) VALUES (%2)")
                .arg(fields.join(QLatin1Char(',')),
                     QStringList(fields.size(), QStringLiteral("?")).join(QLatin1Char(',')))));
        answer.addBindValue(code);
        for (int n = 0; n < StatementCount; ++n)
            answer.addBindValue(n < answers.size() ? QVariant(answers.at(n)) : QVariant());
        QVERIFY2(answer.exec(), qPrintable(answer.lastError().text()));
    }
}

// The six stored scores of one subject, "|"-separated, as the file holds them.
QString storedScores(const QString &path, const QString &code)
{
    return ReadFromFile(path,
                        QStringLiteral("SELECT %1 FROM \"IDE\" WHERE \"Code\" = ?")
                            .arg(QLatin1String(ScoreFields)),
                        {code})
        .value(0)
        .toString();
}

// Every subject's code and scores, in stored order.
QStringList everyScore(const QString &path)
{
    QStringList rows;
    for (const QVariant &row :
         ReadFromFile(path, QStringLiteral("SELECT quote(\"Code\") || '|' || %1 FROM \"IDE\" "
                                           "ORDER BY rowid")
                                .arg(QLatin1String(ScoreFields))))
        rows << row.toString();
    return rows;
}

QString shownScores(const FrmkLID *window)
{
    QStringList scores;
    for (const QLineEdit *box : {window->Text2, window->Text4, window->Text14, window->Text17,
                                 window->Text18, window->Txt6})
        scores << box->text();
    return scores.join(QLatin1Char('|'));
}

void storeTheme(int theme)
{
    Cursor settings(QStringLiteral("Theme"));
    QVERIFY(settings.open());
    QVERIFY(settings.setField(QStringLiteral("TH"), QString::number(theme)));
    QVERIFY(settings.save());
}

struct Box
{
    QString title;
    QString text;
    int icon; // QMessageBox::Icon
};
} // namespace

class TestScoringWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ApplyProgramLook(*qApp);
        Frm1::RegisterAsMainWindow(); // the way back, as the program registers it
    }
    void init();
    void cleanup();

    void storesTheSixScores_data();
    void storesTheSixScores();
    void refusalsWriteNothing_data();
    void refusalsWriteNothing();
    void failedWriteStoresNone_data();
    void failedWriteStoresNone();
    void handsOverAndBack_data();
    void handsOverAndBack();
    void keyboardAlone();
    void nothingIsClipped_data();
    void nothingIsClipped();
    void fitsTheScreen_data();
    void fitsTheScreen();
    void registeredSubjectIsScoredFromTheMainWindow();

private:
    // Enters a code in the input box and scores; returns the boxes the window showed after the
    // input box, in order.
    QList<Box> score(FrmkLID *window, const QString &code);

    std::unique_ptr<TestProgramFolder> m_folder;
    QTimer *m_closer = nullptr;
    QList<int> m_icons; // of the boxes the closer answered
};

void TestScoringWindow::init()
{
    m_folder = std::make_unique<TestProgramFolder>();
    QVERIFY(m_folder->isValid());
    QCOMPARE(m_folder->openDatabase(), QString());
    DialogHooks::Enable();
    DialogHooks::SetTimedDelay(0);
    // Answers every ordinary box as the examiner would, with OK, noting its icon.
    m_icons.clear();
    m_closer = new QTimer(this);
    connect(m_closer, &QTimer::timeout, this, [this] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || box->windowTitle() == DialogText::TimedTitle())
            return;
        m_icons << box->icon();
        box->button(QMessageBox::Ok)->click();
    });
    m_closer->start(10);
}

void TestScoringWindow::cleanup()
{
    delete m_closer;
    DialogHooks::Disable();
    DeleteAllWindows();
    m_folder.reset();
}

QList<Box> TestScoringWindow::score(FrmkLID *window, const QString &code)
{
    DialogHooks::TakeShown();
    m_icons.clear();
    DialogHooks::PresetAnswer(code);
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    QList<DialogHooks::Shown> shown = DialogHooks::TakeShown();
    // First the input box, exactly as the examiner reads it.
    if (shown.isEmpty() || shown.first().title != u(FrmkLIDText::AskTitle) ||
        shown.first().text != u(FrmkLIDText::AskPrompt))
        return {{QStringLiteral("no input box"), QString(), -1}};
    shown.removeFirst();
    QList<Box> boxes;
    QList<int> icons = m_icons;
    for (const DialogHooks::Shown &box : shown)
        boxes << Box{box.title, box.text,
                     box.title == DialogText::TimedTitle() ? -1
                     : icons.isEmpty()                     ? -2
                                                           : icons.takeFirst()};
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
    QTest::newRow("scored twice, the same values and the message again")
        << u("K-2") << SameOption(1) << u("18|55|60|30|29|192") << 2;
    QTest::newRow("apostrophe and quotes in the code")
        << u("O'Brien \"2\" '') OR 1=1 --") << Filled(u("3")) << u("54|33|36|18|27|168") << 1;
    QTest::newRow("backslash, percent and underscore in the code")
        << u("a\\b_5%") << Filled(u("4")) << u("72|44|48|24|36|224") << 1;
    QStringList blank = Filled(u("2"));
    blank[6] = u(" "); // statement 7, answered with a blank: it counts 0
    QTest::newRow("a blank answer counts 0") << u("کد ۱۲") << blank << u("34|22|24|12|18|110") << 1;
}

void TestScoringWindow::storesTheSixScores()
{
    QFETCH(QString, code);
    QFETCH(QStringList, answers);
    QFETCH(QString, expected);
    QFETCH(int, times);
    const QString path = m_folder->databasePath();
    // Neighbours whose codes a loose match would take: a longer code, and a pattern's match.
    addSubject(code + u("0"), Filled(u("1")), true, true, u("7"));
    addSubject(code, answers);
    addSubject(u("aXb_59%"), Filled(u("1")), true, true, u("7"));
    const QStringList before = everyScore(path);

    auto *window = FrmkLID::ShowNew();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    for (int time = 0; time < times; ++time) {
        const QList<Box> boxes = score(window, code);
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes.first().title, DialogText::TimedTitle());
        QCOMPARE(boxes.first().text, u(FrmkLIDText::Saved));
    }

    QCOMPARE(storedScores(path, code), expected);
    QCOMPARE(shownScores(window), expected);
    // Nothing else of the register changed.
    QStringList after = everyScore(path);
    QCOMPARE(after.size(), before.size());
    for (int i = 0; i < before.size(); ++i)
        if (!after.at(i).endsWith(expected))
            QCOMPARE(after.at(i), before.at(i));
    QVERIFY(window->Frame3->isVisible());
    QCOMPARE(window->scoredCode(), code);
    QCOMPARE(window->Text15->text(), code);
    for (int n = 1; n <= StatementCount; ++n)
        QCOMPARE(window->Txt3.at(n - 1)->text(), answers.at(n - 1));
    QVERIFY(!window->Adodc5->hasUnsavedChanges());

    // The window, idle, holds no lock: another program can write.
    QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), u("other"));
    other.setDatabaseName(path);
    QVERIFY(other.open());
    {
        QSqlQuery(other).exec(QStringLiteral("PRAGMA busy_timeout = 50"));
        QSqlQuery write(other);
        QVERIFY2(write.exec(QStringLiteral("BEGIN IMMEDIATE")),
                 qPrintable(write.lastError().text()));
        write.exec(QStringLiteral("ROLLBACK"));
    }
    other.close();
    other = QSqlDatabase();
    QSqlDatabase::removeDatabase(u("other"));
}

void TestScoringWindow::refusalsWriteNothing_data()
{
    QTest::addColumn<QString>("entered");
    QTest::addColumn<QString>("kind"); // the subject R as the file holds it
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("icon"); // -1: the timed notice
    QTest::addColumn<bool>("panelAfter");
    QTest::addColumn<QString>("panelCode"); // the code the subject panel shows afterwards

    const QString timed = DialogText::TimedTitle();
    const QString error = u(FrmkLIDText::ErrorTitle);
    const QString unanswered = u(FrmkLIDText::Unanswered) + QStringLiteral("\r\n\r\n");
    QString all;
    for (int n = 1; n <= StatementCount; ++n)
        all += QStringLiteral(" %1  ").arg(n);

    QTest::newRow("no code: the panel stays as it was")
        << QString() << u("complete") << timed << u(FrmkLIDText::NeedCode) << -1 << true << u("G");
    QTest::newRow("an unknown code") << u("Z") << u("complete") << timed
                                     << u(FrmkLIDText::NoSuchSubject) << -1 << false << QString();
    QTest::newRow("a trailing blank does not match")
        << u("R ") << u("complete") << timed << u(FrmkLIDText::NoSuchSubject) << -1 << false
        << QString();
    QTest::newRow("only statement 56 unanswered")
        << u("R") << u("no 56") << error << unanswered + u(" 56  ") << int(QMessageBox::Warning)
        << false << u("R");
    QTest::newRow("nothing answered yet") << u("R") << u("fresh") << error << unanswered + all
                                          << int(QMessageBox::Warning) << false << u("R");
    QTest::newRow("answers but no subject in the register")
        << u("R") << u("no register row") << error << u(FrmkLIDText::NoDetails)
        << int(QMessageBox::Critical) << false << QString();
}

void TestScoringWindow::refusalsWriteNothing()
{
    QFETCH(QString, entered);
    QFETCH(QString, kind);
    QFETCH(QString, title);
    QFETCH(QString, message);
    QFETCH(int, icon);
    QFETCH(bool, panelAfter);
    QFETCH(QString, panelCode);
    addSubject(u("G"), Filled(u("2")));
    if (kind == u("complete"))
        addSubject(u("R"), Filled(u("3")));
    if (kind == u("no 56"))
        addSubject(u("R"), Filled(u("3")).mid(0, 55) << QString());
    if (kind == u("fresh"))
        addSubject(u("R"), QStringList());
    if (kind == u("no register row"))
        addSubject(u("R"), Filled(u("3")), false);

    auto *window = FrmkLID::ShowNew();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(score(window, u("G")).size(), 1);
    const QString shownBefore = shownScores(window);
    const QStringList before = everyScore(m_folder->databasePath());

    const QList<Box> boxes = score(window, entered);
    QCOMPARE(boxes.size(), 1); // and never the success message
    QCOMPARE(boxes.first().title, title);
    QCOMPARE(boxes.first().text, message);
    QCOMPARE(boxes.first().icon, icon);
    QCOMPARE(everyScore(m_folder->databasePath()), before);
    QCOMPARE(window->Frame3->isVisible(), panelAfter);
    if (panelAfter)
        QCOMPARE(shownScores(window), shownBefore);
    QCOMPARE(window->Text15->text(), panelCode);
    QCOMPARE(window->scoredCode(), u("G"));
    QVERIFY(!window->Adodc5->hasUnsavedChanges());
}

void TestScoringWindow::failedWriteStoresNone_data()
{
    QTest::addColumn<QString>("lock");
    // The scores cannot even go in: another program is writing.
    QTest::newRow("write lock held past the busy timeout") << u("write");
    // They go in, and the commit waits for a reader past the busy timeout.
    QTest::newRow("read lock held: the commit is refused") << u("read");
}

void TestScoringWindow::failedWriteStoresNone()
{
    QFETCH(QString, lock);
    const QString path = m_folder->databasePath();
    addSubject(u("G"), Filled(u("2")));
    addSubject(u("K"), Filled(u("5")), true, true, u("7"));
    auto *window = FrmkLID::ShowNew();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(score(window, u("G")).size(), 1);
    const QStringList before = everyScore(path);

    QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), u("other"));
    other.setDatabaseName(path);
    QVERIFY(other.open());
    auto holder = std::make_unique<QSqlQuery>(other);
    QSqlQuery(QSqlDatabase::database()).exec(QStringLiteral("PRAGMA busy_timeout = 50"));
    if (lock == u("write")) {
        QVERIFY(holder->exec(QStringLiteral("BEGIN IMMEDIATE")));
    } else {
        QVERIFY(holder->exec(QStringLiteral("BEGIN")));
        QVERIFY(holder->exec(QStringLiteral("SELECT COUNT(*) FROM \"QU\"")) && holder->next());
    }

    const QList<Box> boxes = score(window, u("K"));
    QCOMPARE(boxes.size(), 1); // the failure, and no success after it
    QVERIFY2(boxes.first().text.contains(u("برنامه‌ی دیگری")),
             qPrintable(boxes.first().text));
    QCOMPARE(boxes.first().icon, int(QMessageBox::Critical));
    holder->finish();
    QVERIFY(holder->exec(QStringLiteral("ROLLBACK")));
    QCOMPARE(everyScore(path), before);
    QVERIFY(!window->Frame3->isVisible());
    QCOMPARE(window->scoredCode(), u("G"));
    QVERIFY(!window->Adodc5->hasUnsavedChanges());
    QCOMPARE(window->Txt6->text(), u("7")); // what the file holds, not what was not stored

    // With the other program gone, the same action stores the six scores.
    holder.reset();
    other.close();
    other = QSqlDatabase();
    QSqlDatabase::removeDatabase(u("other"));
    const QList<Box> again = score(window, u("K"));
    QCOMPARE(again.size(), 1);
    QCOMPARE(again.first().text, u(FrmkLIDText::Saved));
    QCOMPARE(storedScores(path, u("K")), u("90|55|60|30|45|280"));
    QCOMPARE(window->scoredCode(), u("K"));
}

void TestScoringWindow::handsOverAndBack_data()
{
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("exit button") << false;
    QTest::newRow("close box") << true;
}

void TestScoringWindow::handsOverAndBack()
{
    QFETCH(bool, closeBox);
    QVERIFY(SeedSubjects(3));
    Frm1 *main = Frm1::ShowNew();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    main->Frame8->show();
    QTest::mouseClick(main->Command3, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(VisibleWindows<Frm1>().size(), 0);
    QCOMPARE(VisibleWindows<exitpro>().size(), 0);
    const QList<FrmkLID *> scoring = VisibleWindows<FrmkLID>();
    QCOMPARE(scoring.size(), 1);
    FrmkLID *window = scoring.first();
    QCOMPARE(window->windowTitle(), u(FrmkLIDText::Caption));
    // It opens unfiltered, on the first stored subject, with nothing scored yet.
    QCOMPARE(window->Text15->text(), u("S0"));
    QCOMPARE(window->Text3->text(), SeedFirstName(0));
    QVERIFY(!window->Frame3->isVisible() && !window->Frame2->isVisible());
    QVERIFY(window->scoredCode().isEmpty());
    QCOMPARE(window->Adodc6->count(), 3);

    if (closeBox)
        window->close();
    else
        QTest::mouseClick(window->Command4, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(VisibleWindows<FrmkLID>().size(), 0);
    QCOMPARE(VisibleWindows<Frm1>().size(), 1);
    QCOMPARE(VisibleWindows<exitpro>().size(), 0);
}

void TestScoringWindow::keyboardAlone()
{
    addSubject(u("K"), Filled(u("1")));
    auto *window = FrmkLID::ShowNew();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QCOMPARE(QApplication::focusWidget(), window->Command1);
    QStringList reached;
    do {
        reached << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    } while (QApplication::focusWidget() != window->Command1 && reached.size() < 20);
    QCOMPARE(reached, (QStringList{u("Command1"), u("Command6"), u("Command3"), u("Command2"),
                                   u("Command4")}));

    // Help opens with Enter and closes with Escape; a second Escape closes nothing more.
    window->Command2->setFocus();
    QTest::keyClick(window->Command2, Qt::Key_Return);
    QVERIFY(window->Frame2->isVisible());
    QCOMPARE(QApplication::focusWidget(), window->Command7);
    // The buttons under the help are out of the keyboard's way while it is open.
    QTest::keyClick(window->Command7, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), window->Text21);
    QTest::keyClick(window->Text21, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), window->Command7);
    QTest::keyClick(window->Command7, Qt::Key_Tab);
    QTest::keyClick(window->Text21, Qt::Key_Escape);
    QVERIFY(!window->Frame2->isVisible());
    QCOMPARE(QApplication::focusWidget(), window->Command2);
    QTest::keyClick(window->Command2, Qt::Key_Escape);
    QVERIFY(window->isVisible());

    // Enter on the first button scores.
    DialogHooks::TakeShown();
    DialogHooks::PresetAnswer(u("K"));
    QTest::keyClick(window->Command1, Qt::Key_Return);
    QCOMPARE(DialogHooks::TakeShown().value(1).text, u(FrmkLIDText::Saved));
    QCOMPARE(storedScores(m_folder->databasePath(), u("K")), u("18|11|12|6|9|56"));
}

void TestScoringWindow::nothingIsClipped_data()
{
    QTest::addColumn<int>("theme");
    for (int theme = 0; theme <= 11; ++theme)
        QTest::newRow(qPrintable(QString::number(theme))) << theme;
}

void TestScoringWindow::nothingIsClipped()
{
    QFETCH(int, theme);
    storeTheme(theme);
    addSubject(u("K-1403-017"), Filled(u("5")));
    auto *window = FrmkLID::ShowNew();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(score(window, u("K-1403-017")).size(), 1);
    QVERIFY(window->Frame3->isVisible());
    QCOMPARE(Clipped(window), QStringList());
    QTest::mouseClick(window->Command2, Qt::LeftButton);
    QCOMPARE(Clipped(window), QStringList());
    // The seven help lines whole, without scrolling, and the help inside the window.
    QCOMPARE(window->Text21->document()->blockCount(), 7);
    QCOMPARE(window->Text21->horizontalScrollBar()->maximum(), 0);
    QCOMPARE(window->Text21->verticalScrollBar()->maximum(), 0);
    QVERIFY(window->rect().contains(window->Frame2->geometry()));
}

void TestScoringWindow::fitsTheScreen_data()
{
    nothingIsClipped_data();
}

void TestScoringWindow::fitsTheScreen()
{
    QFETCH(int, theme);
    storeTheme(theme);
    auto *window = FrmkLID::ShowNew();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QRect area = window->screen()->availableGeometry();
    QVERIFY(area.contains(window->frameGeometry()));
    // Room for a real title bar and edges as well: about 31 and 8 on Windows, at any scale.
    QVERIFY2(window->width() + 16 <= area.width() && window->height() + 40 <= area.height(),
             qPrintable(QStringLiteral("%1 x %2").arg(window->width()).arg(window->height())));
}

void TestScoringWindow::registeredSubjectIsScoredFromTheMainWindow()
{
    // Registered through the main window's panel.
    Frm1 *main = Frm1::ShowNew();
    QTest::mouseClick(main->Command1, Qt::LeftButton);
    RegistrationPanel *panel = main->registration;
    panel->Text11->setText(u("K-7"));
    panel->Text6->setText(u("سارا"));
    panel->Text4->setText(u("محمدی"));
    panel->Text5->setText(u("11"));
    panel->Combo1->setCurrentIndex(0);
    panel->Combo2->setCurrentIndex(1);
    panel->Combo3->setCurrentIndex(2);
    panel->Text7->setText(u("پنجم دبستان"));
    QTest::mouseClick(panel->Command8, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(VisibleWindows<Frmskin>().size(), 1);
    VisibleWindows<Frmskin>().first()->returnToMainWindow();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // Answered "always" throughout, stored as answering stores it.
    {
        Cursor answers(QStringLiteral("Answer"));
        QVERIFY(answers.filter(QStringLiteral("Code"), u("K-7")));
        for (int n = 1; n <= StatementCount; ++n)
            QVERIFY(answers.setField(QString::number(n), StoredAnswer(5, n)));
        QVERIFY(answers.save());
    }

    QCOMPARE(VisibleWindows<Frm1>().size(), 1);
    QTest::mouseClick(VisibleWindows<Frm1>().first()->Command3, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(VisibleWindows<FrmkLID>().size(), 1);
    FrmkLID *window = VisibleWindows<FrmkLID>().first();
    const QList<Box> boxes = score(window, u("K-7"));
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first().text, u(FrmkLIDText::Saved));
    QCOMPARE(storedScores(m_folder->databasePath(), u("K-7")), u("90|11|12|6|25|144"));
    QCOMPARE(window->Text12->text(), u("محمدی"));
}

QTEST_MAIN(TestScoringWindow)
#include "test_scoringwindow.moc"
