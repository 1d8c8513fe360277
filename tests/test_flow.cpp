// One subject's whole way through the program, driven through the real windows as a user drives
// them, with the database file itself read after every step.
#include "Answers.h"
#include "GuiTest.h"
#include "ModalAnswer.h"
#include "OnServer.h"
#include "PdfText.h"
#include "Seed.h"
#include "Text.h"
#include "UserInput.h"
#include "Windows.h"
#include "administration/FrmTest.h"
#include "administration/FrmTestText.h"
#include "app/Frm1.h"
#include "appearance/Frmskin.h"
#include "common/Dialogs.h"
#include "common/PictureBox.h"
#include "common/ProgramEnd.h"
#include "records/FrmCode.h"
#include "records/FrmCodeText.h"
#include "registration/RegistrationPanel.h"
#include "reports/ReportPreview.h"
#include "reports/ReportsText.h"
#include "safety/Frmbackup.h"
#include "safety/exitpro.h"
#include "scoring/FrmkLID.h"
#include "scoring/FrmkLIDText.h"
#include "scoring/ScoringKey.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Picks a list's entry with the arrow key, from no choice at all.
void choose(QComboBox *list, int position)
{
    list->setFocus();
    for (int i = 0; i <= position; ++i)
        QTest::keyClick(list, Qt::Key_Down);
}

// Registers a subject as a user does: the panel opened from the main window, every box typed
// or chosen with the keyboard, then saved. Returns the date the panel stamped; empty when the
// panel did not open.
QString registerThroughPanel(Frm1 *main, const QString &code)
{
    QTest::mouseClick(main->Command1, Qt::LeftButton);
    RegistrationPanel *panel = main->registration;
    if (!main->Frame10->isVisible())
        return QString();
    TypeText(panel->Text11, code);
    TypeText(panel->Text6, u("سارا"));
    TypeText(panel->Text4, u("محمدی"));
    TypeText(panel->Text5, QStringLiteral("11"));
    choose(panel->Combo1, 0);
    choose(panel->Combo2, 1);
    choose(panel->Combo3, 2);
    TypeText(panel->Text7, u("پنجم دبستان"));
    const QString date = panel->Text8->text();
    QTest::mouseClick(panel->Command8, Qt::LeftButton);
    return date;
}

// Types the code into the next input box and presses Enter; then() runs once it is gone.
void answerInputBox(const QString &code, bool *typed, std::function<void()> then = {})
{
    AnswerNextModal([code, typed, then](QWidget *modal) {
        auto *box = qobject_cast<QInputDialog *>(modal);
        auto *edit = box ? box->findChild<QLineEdit *>() : nullptr;
        if (!edit)
            return;
        TypeText(edit, code);
        QTest::keyClick(edit, Qt::Key_Return);
        *typed = true;
        if (then)
            then();
    });
}

// Every row of the subjects and the answers, every field, as the file holds them.
QStringList allRows(const QString &path)
{
    return EveryRow(path, {QStringLiteral("IDE"), QStringLiteral("Answer")});
}

// The subject's 56 answers as the file holds them, empty text for none.
QString storedAnswers(const QString &path, const QString &code)
{
    return ReadFromFile(path,
                        QStringLiteral("SELECT %1 FROM \"Answer\" WHERE \"Code\" = ?")
                            .arg(AnswersAsOneText(QStringLiteral(","))),
                        {code})
        .value(0)
        .toString();
}

// The lines pdftotext reads in a PDF, laid out as on the page, folded.
QStringList PdfLines(const QString &path)
{
    return PdfText(path, true).split(u'\n');
}

// Whether a line shows the number just beside the caption, as a word of its own. Blanks count as
// one: the page and the window space some captions differently.
bool CaptionBesideNumber(const QStringList &lines, const QString &caption, const QString &number)
{
    const QString words = Fold(caption).simplified();
    const QRegularExpression beside(
        QStringLiteral("(^| )%1 %2( |$)").arg(number, QRegularExpression::escape(words)));
    for (const QString &line : lines)
        if (line.simplified().contains(beside))
            return true;
    return false;
}

} // namespace

class TestFlow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_gui.beginRun()); }
    void init();
    void cleanup();

    void subjectFromRegistrationToDeletion();
    void backupAndRestoreThroughTheExit();

private:
    GuiTest m_gui;
    QTimer m_guard;
    QPointer<QWidget> m_stuck;
    QElapsedTimer m_stuckFor;
};

void TestFlow::init()
{
    QCOMPARE(m_gui.begin(0), QString());
    // A message the flow does not expect (an error, say) waits for nobody: it is closed after a
    // while, and the step's check of what was shown fails instead of the test hanging.
    m_guard.setInterval(200);
    connect(&m_guard, &QTimer::timeout, this, [this] {
        QWidget *modal = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (modal != m_stuck) {
            m_stuck = modal;
            m_stuckFor.start();
        } else if (modal && m_stuckFor.elapsed() > 10000) {
            modal->close();
        }
    });
    m_guard.start();
}

void TestFlow::cleanup()
{
    m_guard.stop();
    m_guard.disconnect();
    m_gui.end();
}

void TestFlow::subjectFromRegistrationToDeletion()
{
    const QString path = m_gui.databasePath();
    const QString code = QStringLiteral("K-1405");
    QVERIFY(SeedSubjects(3));
    const QStringList others = allRows(path);

    // 1. Registration, through the main window's panel.
    Frm1 *main = Frm1::ShowNew();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    const QString date = registerThroughPanel(main, code);
    QVERIFY(!date.isEmpty());
    QCOMPARE(ReadFromFile(path,
                          QStringLiteral("SELECT \"FName\" || '|' || \"LName\" || '|' || \"Sen\" "
                                         "|| '|' || \"Jens\" || '|' || \"Taahol\" || '|' || "
                                         "\"Tahsil\" || '|' || \"Group\" || '|' || \"Date\" "
                                         "FROM \"IDE\" WHERE \"Code\" = ?"),
                          {code}),
             QVariantList{u("سارا|محمدی|11|زن|مجرد|پنجم دبستان|C|") + date});
    QCOMPARE(storedAnswers(path, code), QString(ScoringKey::StatementCount - 1, u','));

    QCOMPARE(ShownTexts(), QStringList());
    Frmskin *confirmation = OnlyVisible<Frmskin>();
    QVERIFY(confirmation);
    ClickPicture(confirmation->k1, confirmation->k2);
    main = OnlyVisible<Frm1>();
    QVERIFY(main);

    // 2. The test: "always" for every statement, then save and exit.
    QStringList shownStatements;
    bool typed = false;
    bool saved = false;
    answerInputBox(code, &typed, [&] {
        AnswerNextModal([&](QWidget *modal) {
            auto *window = qobject_cast<FrmTest *>(modal);
            if (!window)
                return;
            QTest::mouseClick(window->Command1, Qt::LeftButton);
            for (int n = 1; n <= ScoringKey::StatementCount; ++n) {
                shownStatements << window->Frame2->title();
                QTest::mouseClick(window->Option5, Qt::LeftButton);
                QTest::mouseClick(window->CmdNext, Qt::LeftButton);
            }
            QTest::mouseClick(window->Command5, Qt::LeftButton);
            saved = !window->isVisible();
        });
    });
    QTest::mouseClick(main->Command2, Qt::LeftButton);
    QVERIFY(typed);
    QVERIFY(saved);
    QCOMPARE(ShownTexts(), (QStringList{u(FrmTestText::CodePrompt), u(FrmTestText::End)}));
    QStringList numbers;
    QStringList expected;
    for (int n = 1; n <= ScoringKey::StatementCount; ++n) {
        numbers << QString::number(n);
        expected << ScoringKey::StoredAnswer(5, n);
    }
    QCOMPARE(shownStatements, numbers);
    QCOMPARE(expected.count(QStringLiteral("5")), 22);
    QCOMPARE(storedAnswers(path, code), expected.join(u','));

    // 3. Scoring.
    QCOMPARE(OnlyVisible<Frm1>(), main);
    QTest::mouseClick(main->Command3, Qt::LeftButton);
    FrmkLID *scoring = OnlyVisible<FrmkLID>();
    QVERIFY(scoring);
    QVERIFY(!OnlyVisible<Frm1>());
    typed = false;
    answerInputBox(code, &typed);
    QTest::mouseClick(scoring->Command1, Qt::LeftButton);
    QVERIFY(typed);
    const QStringList scores{u("90"), u("11"), u("12"), u("6"), u("25"), u("144")};
    QCOMPARE(ReadFromFile(path,
                          QStringLiteral("SELECT \"BPosetive\" || '|' || \"Conterlo\" || '|' || "
                                         "\"Etminan\" || '|' || \"neyaz\" || '|' || \"self\" || "
                                         "'|' || \"Kol\" FROM \"IDE\" WHERE \"Code\" = ?"),
                          {code}),
             QVariantList{scores.join(u'|')});

    QCOMPARE(ShownTexts(), (QStringList{u(FrmkLIDText::AskPrompt), u(FrmkLIDText::Saved)}));
    // 4. The result sheet, saved as PDF from its preview.
    QTest::mouseClick(scoring->Command6, Qt::LeftButton);
    QCOMPARE(VisibleWindows<ReportPreview>().size(), 1);
    ReportPreview *preview = VisibleWindows<ReportPreview>().first();
    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("sheet.pdf"));
    AnswerNextModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        auto *name =
            dialog ? dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")) : nullptr;
        if (!name)
            return;
        name->setText(pdf);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    preview->savePdfAction()->trigger();
    QVERIFY(QFileInfo::exists(pdf));
    const QStringList lines = PdfLines(pdf);
    QVERIFY2(lines.join(u'\n').contains(code), qPrintable(lines.join(u("\n"))));
    const QVector<ScoringKey::Subscale> &subscales = ScoringKey::Subscales();
    for (int i = 0; i < subscales.size(); ++i)
        QVERIFY2(CaptionBesideNumber(lines, subscales.at(i).listCaption, scores.at(i)),
                 qPrintable(subscales.at(i).field + u("\n") + lines.join(u("\n"))));
    QVERIFY2(CaptionBesideNumber(lines, ScoringKey::TotalListCaption(), scores.at(5)),
             qPrintable(lines.join(u("\n"))));
    QCOMPARE(ShownTexts().mid(1), QStringList{ReportsText::Saved()});
    preview->close();

    // 5. Back to a new main window, to the browser, and the subject deleted by its code.
    QTest::mouseClick(scoring->Command4, Qt::LeftButton);
    QVERIFY(!OnlyVisible<FrmkLID>());
    main = OnlyVisible<Frm1>();
    QVERIFY(main);
    QTest::mouseClick(main->Command4, Qt::LeftButton);
    FrmCode *browser = OnlyVisible<FrmCode>();
    QVERIFY(browser);
    TypeText(browser->Text5, code);
    SeenBox question;
    AnswerNextBox(QMessageBox::Yes, &question);
    QCOMPARE(browser->Command2->text(), u("حذف "));
    QTest::mouseClick(browser->Command2, Qt::LeftButton);
    QVERIFY(question.yesNo);
    for (const char *table : {"IDE", "Answer"})
        QCOMPARE(CountInFile(path, QLatin1String(table), code), 0);
    QCOMPARE(ShownTexts(), (QStringList{u(FrmCodeText::SureToDelete), u(FrmCodeText::Deleted)}));
    QCOMPARE(allRows(path), others);
    // The grid lists the others, read to its end, and no longer the subject.
    QCOMPARE(ColumnTexts(browser->DataGrid1->model(), 0), (QStringList{u("S0"), u("S1"), u("S2")}));
}

// A backup taken on the way out, the data changed at the next start, and the backup restored on
// the way out again: the file is the one backed up, byte for byte (on the server: the register
// holds the rows backed up).
void TestFlow::backupAndRestoreThroughTheExit()
{
    const QString path = m_gui.databasePath();
    QVERIFY(SeedSubjects(3));
    QTemporaryDir out;
    const QString backup = out.filePath(QStringLiteral("before.mdbB"));

    // Out through the exit dialog, its backup box ticked, into the backup window.
    auto leave = [](Frm1 *main) -> Frmbackup * {
        QTest::mouseClick(main->Command6, Qt::LeftButton);
        exitpro *dialog = OnlyVisible<exitpro>();
        if (!dialog)
            return nullptr;
        QTest::mouseClick(dialog->Check1, Qt::LeftButton);
        ClickPicture(dialog->k1, dialog->k2);
        return OnlyVisible<Frmbackup>();
    };

    Frm1 *main = Frm1::ShowNew();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    Frmbackup *window = leave(main);
    QVERIFY(window);
    const QByteArray backedUp = FileHash(path);
    const QStringList rowsBackedUp = allRows(path);
    TypeText(window->Text1, QDir::toNativeSeparators(backup));
    AnswerNextBox(QMessageBox::Ok);
    QTest::mouseClick(window->VisualButtonEx2, Qt::LeftButton);
    QCOMPARE(ShownTexts(), QStringList{u(FrmbackupText::BackedUp)});
    QVERIFY(m_gui.programEnded());
    // From the server, the backup is a file of the same data in the single-PC format.
    const QStringList dataBackedUp = EveryRowWithoutKeys(path);
    if (OnServer())
        QCOMPARE(EveryRowWithoutKeys(backup), dataBackedUp);
    else
        QCOMPARE(FileHash(backup), backedUp);

    // The next start: a subject registered.
    DeleteAllWindows();
    m_gui.forgetProgramEnd();
    main = Frm1::ShowNew();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    QVERIFY(!registerThroughPanel(main, QStringLiteral("K-2")).isEmpty());
    Frmskin *confirmation = OnlyVisible<Frmskin>();
    QVERIFY(confirmation);
    ClickPicture(confirmation->k1, confirmation->k2);
    main = OnlyVisible<Frm1>();
    QVERIFY(main);
    QVERIFY(allRows(path) != rowsBackedUp);

    // Out again, restoring the backup.
    window = leave(main);
    QVERIFY(window);
    TypeText(window->Text2, QDir::toNativeSeparators(backup));
    AnswerNextModal([](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box || !box->button(QMessageBox::Yes))
            return;
        AnswerNextBox(QMessageBox::Ok);
        box->button(QMessageBox::Yes)->click();
    });
    QTest::mouseClick(window->VisualButtonEx3, Qt::LeftButton);
    QCOMPARE(ShownTexts(), (QStringList{u(FrmbackupText::AskRestore), u(FrmbackupText::Restored)}));
    QVERIFY(m_gui.programEnded());
    QCOMPARE(EveryRowWithoutKeys(path), dataBackedUp);
    if (!OnServer()) {
        QCOMPARE(FileHash(path), backedUp);
        QCOMPARE(allRows(path), rowsBackedUp);
    }
}

QTEST_MAIN(TestFlow)
#include "test_flow.moc"
