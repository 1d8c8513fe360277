// One subject's whole way through the program, driven through the real windows as a user drives
// them, with the database file itself read after every step.
#include "ModalAnswer.h"
#include "PdfText.h"
#include "Seed.h"
#include "TestProgramFolder.h"
#include "Windows.h"
#include "administration/FrmTest.h"
#include "administration/FrmTestText.h"
#include "app/Frm1.h"
#include "appearance/Frmskin.h"
#include "common/Dialogs.h"
#include "common/PictureBox.h"
#include "common/ProgramEnd.h"
#include "common/ProgramLook.h"
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

#include <memory>

namespace {
QString u(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// Types text as a keyboard does, one character at a time (Persian too).
void type(QWidget *widget, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

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
    type(panel->Text11, code);
    type(panel->Text6, u("سارا"));
    type(panel->Text4, u("محمدی"));
    type(panel->Text5, QStringLiteral("11"));
    choose(panel->Combo1, 0);
    choose(panel->Combo2, 1);
    choose(panel->Combo3, 2);
    type(panel->Text7, u("پنجم دبستان"));
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
        type(edit, code);
        QTest::keyClick(edit, Qt::Key_Return);
        *typed = true;
        if (then)
            then();
    });
}

// Every column of every row of the subjects and the answers, as text, in stored order.
QStringList allRows(const QString &path)
{
    QStringList rows;
    for (const char *name : {"IDE", "Answer"}) {
        const QLatin1String table(name);
        QStringList columns;
        for (const QVariant &column : ReadFromFile(
                 path, QStringLiteral("SELECT name FROM pragma_table_info('%1')").arg(table)))
            columns << QStringLiteral("quote(\"%1\")").arg(column.toString());
        for (const QVariant &row :
             ReadFromFile(path, QStringLiteral("SELECT '%1|' || %2 FROM \"%1\" ORDER BY rowid")
                                    .arg(table, columns.join(QStringLiteral(" || '|' || ")))))
            rows << row.toString();
    }
    return rows;
}

// The subject's 56 answers as the file holds them, empty text for none.
QString storedAnswers(const QString &path, const QString &code)
{
    QStringList fields;
    for (int n = 1; n <= ScoringKey::StatementCount; ++n)
        fields << QStringLiteral("coalesce(\"%1\", '')").arg(n);
    return ReadFromFile(path,
                        QStringLiteral("SELECT %1 FROM \"Answer\" WHERE \"Code\" = ?")
                            .arg(fields.join(QStringLiteral(" || ',' || "))),
                        {code})
        .value(0)
        .toString();
}

// The lines pdftotext reads in a PDF, laid out as on the page, folded.
QStringList PdfLines(const QString &path)
{
    return PdfText(path, true).split(QLatin1Char('\n'));
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

template <typename Window> Window *onlyVisible()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QList<Window *> shown = VisibleWindows<Window>();
    return shown.size() == 1 ? shown.first() : nullptr;
}

// What the boxes shown since the last call said: an error box among them fails the step.
QStringList shownTexts()
{
    QStringList texts;
    for (const DialogHooks::Shown &shown : DialogHooks::TakeShown())
        texts << shown.text;
    return texts;
}

QList<ReportPreview *> previews()
{
    QList<ReportPreview *> shown;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *preview = dynamic_cast<ReportPreview *>(widget); preview && preview->isVisible())
            shown << preview;
    return shown;
}
} // namespace

class TestFlow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true); // the user's settings stay untouched
        ApplyProgramLook(*qApp);
        Frm1::RegisterAsMainWindow(); // the way back, as the program registers it
    }
    void init();
    void cleanup();

    void subjectFromRegistrationToDeletion();
    void backupAndRestoreThroughTheExit();

private:
    std::unique_ptr<TestProgramFolder> m_folder;
    bool m_ended = false;
    QTimer m_guard;
    QPointer<QWidget> m_stuck;
    QElapsedTimer m_stuckFor;
};

void TestFlow::init()
{
    m_folder = std::make_unique<TestProgramFolder>();
    QVERIFY(m_folder->isValid());
    QCOMPARE(m_folder->openDatabase(), QString());
    DialogHooks::Enable();
    DialogHooks::SetTimedDelay(0);
    m_ended = false;
    ProgramEndHooks::SetHandler([this] { m_ended = true; });
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
    ProgramEndHooks::SetHandler({});
    DialogHooks::Disable();
    DeleteAllWindows();
    m_folder.reset();
}

void TestFlow::subjectFromRegistrationToDeletion()
{
    const QString path = m_folder->databasePath();
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
    QCOMPARE(storedAnswers(path, code), QString(ScoringKey::StatementCount - 1, QLatin1Char(',')));

    QCOMPARE(shownTexts(), QStringList());
    Frmskin *confirmation = onlyVisible<Frmskin>();
    QVERIFY(confirmation);
    QTest::mouseMove(confirmation->k1);
    QTest::mouseClick(confirmation->k2, Qt::LeftButton);
    main = onlyVisible<Frm1>();
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
    QCOMPARE(shownTexts(), (QStringList{u(FrmTestText::CodePrompt), u(FrmTestText::End)}));
    QStringList numbers;
    QStringList expected;
    for (int n = 1; n <= ScoringKey::StatementCount; ++n) {
        numbers << QString::number(n);
        expected << ScoringKey::StoredAnswer(5, n);
    }
    QCOMPARE(shownStatements, numbers);
    QCOMPARE(expected.count(QStringLiteral("5")), 22);
    QCOMPARE(storedAnswers(path, code), expected.join(QLatin1Char(',')));

    // 3. Scoring.
    QCOMPARE(onlyVisible<Frm1>(), main);
    QTest::mouseClick(main->Command3, Qt::LeftButton);
    FrmkLID *scoring = onlyVisible<FrmkLID>();
    QVERIFY(scoring);
    QVERIFY(!onlyVisible<Frm1>());
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
             QVariantList{scores.join(QLatin1Char('|'))});

    QCOMPARE(shownTexts(), (QStringList{u(FrmkLIDText::AskPrompt), u(FrmkLIDText::Saved)}));
    // 4. The result sheet, saved as PDF from its preview.
    QTest::mouseClick(scoring->Command6, Qt::LeftButton);
    QCOMPARE(previews().size(), 1);
    ReportPreview *preview = previews().first();
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
    QVERIFY2(lines.join(QLatin1Char('\n')).contains(code), qPrintable(lines.join(u("\n"))));
    const QVector<ScoringKey::Subscale> &subscales = ScoringKey::Subscales();
    for (int i = 0; i < subscales.size(); ++i)
        QVERIFY2(CaptionBesideNumber(lines, subscales.at(i).listCaption, scores.at(i)),
                 qPrintable(subscales.at(i).field + u("\n") + lines.join(u("\n"))));
    QVERIFY2(CaptionBesideNumber(lines, ScoringKey::TotalListCaption(), scores.at(5)),
             qPrintable(lines.join(u("\n"))));
    QCOMPARE(shownTexts().mid(1), QStringList{ReportsText::Saved()});
    preview->close();

    // 5. Back to a new main window, to the browser, and the subject deleted by its code.
    QTest::mouseClick(scoring->Command4, Qt::LeftButton);
    QVERIFY(!onlyVisible<FrmkLID>());
    main = onlyVisible<Frm1>();
    QVERIFY(main);
    QTest::mouseClick(main->Command4, Qt::LeftButton);
    FrmCode *browser = onlyVisible<FrmCode>();
    QVERIFY(browser);
    type(browser->Text5, code);
    bool asked = false;
    AnswerNextModal([&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box || !box->button(QMessageBox::Yes))
            return;
        asked = true;
        box->button(QMessageBox::Yes)->click();
    });
    QCOMPARE(browser->Command2->text(), u("حذف "));
    QTest::mouseClick(browser->Command2, Qt::LeftButton);
    QVERIFY(asked);
    for (const char *table : {"IDE", "Answer"})
        QCOMPARE(ReadFromFile(path,
                              QStringLiteral("SELECT COUNT(*) FROM \"%1\" WHERE \"Code\" = ?")
                                  .arg(QLatin1String(table)),
                              {code})
                     .value(0)
                     .toInt(),
                 0);
    QCOMPARE(shownTexts(), (QStringList{u(FrmCodeText::SureToDelete), u(FrmCodeText::Deleted)}));
    QCOMPARE(allRows(path), others);
    // The grid lists the others, read to its end, and no longer the subject.
    QAbstractItemModel *grid = browser->DataGrid1->model();
    while (grid->canFetchMore(QModelIndex()))
        grid->fetchMore(QModelIndex());
    QStringList listed;
    for (int row = 0; row < grid->rowCount(); ++row)
        listed << grid->index(row, 0).data().toString();
    QCOMPARE(listed, (QStringList{u("S0"), u("S1"), u("S2")}));
}

// A backup taken on the way out, the data changed at the next start, and the backup restored on
// the way out again: the file is the one backed up, byte for byte.
void TestFlow::backupAndRestoreThroughTheExit()
{
    const QString path = m_folder->databasePath();
    QVERIFY(SeedSubjects(3));
    QTemporaryDir out;
    const QString backup = out.filePath(QStringLiteral("before.mdbB"));

    // Out through the exit dialog, its backup box ticked, into the backup window.
    auto leave = [](Frm1 *main) -> Frmbackup * {
        QTest::mouseClick(main->Command6, Qt::LeftButton);
        exitpro *dialog = onlyVisible<exitpro>();
        if (!dialog)
            return nullptr;
        QTest::mouseClick(dialog->Check1, Qt::LeftButton);
        QTest::mouseMove(dialog->k1);
        QTest::mouseClick(dialog->k2, Qt::LeftButton);
        return onlyVisible<Frmbackup>();
    };
    auto pressOk = [] {
        AnswerNextModal([](QWidget *modal) {
            if (auto *box = qobject_cast<QMessageBox *>(modal); box && box->button(QMessageBox::Ok))
                box->button(QMessageBox::Ok)->click();
        });
    };

    Frm1 *main = Frm1::ShowNew();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    Frmbackup *window = leave(main);
    QVERIFY(window);
    const QByteArray backedUp = FileHash(path);
    const QStringList rowsBackedUp = allRows(path);
    type(window->Text1, QDir::toNativeSeparators(backup));
    pressOk();
    QTest::mouseClick(window->VisualButtonEx2, Qt::LeftButton);
    QCOMPARE(shownTexts(), QStringList{u(FrmbackupText::BackedUp)});
    QVERIFY(m_ended);
    QCOMPARE(FileHash(backup), backedUp);

    // The next start: a subject registered.
    DeleteAllWindows();
    m_ended = false;
    main = Frm1::ShowNew();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    QVERIFY(!registerThroughPanel(main, QStringLiteral("K-2")).isEmpty());
    Frmskin *confirmation = onlyVisible<Frmskin>();
    QVERIFY(confirmation);
    QTest::mouseMove(confirmation->k1);
    QTest::mouseClick(confirmation->k2, Qt::LeftButton);
    main = onlyVisible<Frm1>();
    QVERIFY(main);
    QVERIFY(allRows(path) != rowsBackedUp);

    // Out again, restoring the backup.
    window = leave(main);
    QVERIFY(window);
    type(window->Text2, QDir::toNativeSeparators(backup));
    AnswerNextModal([pressOk](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box || !box->button(QMessageBox::Yes))
            return;
        pressOk();
        box->button(QMessageBox::Yes)->click();
    });
    QTest::mouseClick(window->VisualButtonEx3, Qt::LeftButton);
    QCOMPARE(shownTexts(), (QStringList{u(FrmbackupText::AskRestore), u(FrmbackupText::Restored)}));
    QVERIFY(m_ended);
    QCOMPARE(FileHash(path), backedUp);
    QCOMPARE(allRows(path), rowsBackedUp);
}

QTEST_MAIN(TestFlow)
#include "test_flow.moc"
