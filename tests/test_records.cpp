// The subject browser: its selectors, its name lists, deletion and every way deletion can go
// wrong, and the way in from the main window and back.
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
#include "common/ProgramEnd.h"
#include "data/Cursor.h"
#include "data/Database.h"
#include "data/TableModel.h"
#include "records/FrmCode.h"
#include "records/FrmCodeText.h"
#include "safety/exitpro.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringListModel>
#include <QTableView>
#include <QtTest>

#include <functional>

namespace {

// A subject put straight into the file; answersCode null: no answers row at all.
void addSubject(const QString &code, const QString &fName, const QString &lName,
                const QString &group, const QString &answersCode)
{
    QVERIFY(AddRow(QStringLiteral("IDE"), {{QStringLiteral("Code"), code},
                                           {QStringLiteral("FName"), fName},
                                           {QStringLiteral("LName"), lName},
                                           {QStringLiteral("Group"), group}}));
    if (!answersCode.isNull())
        QVERIFY(AddRow(QStringLiteral("Answer"), {{QStringLiteral("Code"), answersCode}}));
}

// Every row of both tables, in stored order, as "table rowid code".
QStringList registerRows(const QString &path)
{
    QStringList rows;
    for (const char *table : {"IDE", "Answer"})
        for (const QVariant &row :
             ReadFromFile(path, QStringLiteral("SELECT '%1 ' || %2 || ' ' || \"Code\" FROM "
                                               "\"%1\" ORDER BY %2")
                                    .arg(QLatin1String(table), RowKeyIn(path))))
            rows << row.toString();
    return rows;
}

// The codes the file holds where a field equals a text (all codes for an empty field).
QStringList codesInFile(const QString &path, const QString &field, const QString &value)
{
    const QString where =
        field.isEmpty() ? QString() : QStringLiteral(" WHERE \"%1\" = ?").arg(field);
    QStringList codes;
    for (const QVariant &code : ReadFromFile(
             path,
             QStringLiteral("SELECT \"Code\" FROM \"IDE\"%1 ORDER BY %2")
                 .arg(where, RowKeyIn(path)),
             field.isEmpty() ? QVariantList() : QVariantList{value.isNull() ? u("") : value}))
        codes << code.toString();
    return codes;
}

// The codes the grid shows, every row of them.
QStringList gridCodes(FrmCode *window)
{
    return ColumnTexts(window->DataGrid1->model(),
                       window->Adodc2->fieldIndex(QStringLiteral("Code")));
}

QStringList selectorTexts(FrmCode *window)
{
    return {window->Combo3->currentText(), window->DataCombo6->currentText(),
            window->DataCombo1->currentText()};
}

// What the user does to the browser.
using Step = std::function<void(FrmCode *)>;

// The three selectors.
const QString GroupBox = QStringLiteral("Combo3");
const QString FirstNameBox = QStringLiteral("DataCombo6");
const QString LastNameBox = QStringLiteral("DataCombo1");

// A step on one of the three selectors, with the keyboard on its text.
Step onSelector(const QString &name, std::function<void(QComboBox *, QLineEdit *)> step)
{
    return [name, step](FrmCode *window) {
        auto *combo = window->findChild<QComboBox *>(name);
        QVERIFY2(combo, qPrintable(name));
        combo->lineEdit()->setFocus();
        step(combo, combo->lineEdit());
    };
}

// Typed at the end of the text.
Step typeInto(const QString &selector, const QString &text)
{
    return onSelector(selector, [text](QComboBox *, QLineEdit *edit) {
        edit->end(false);
        TypeText(edit, text);
    });
}

// Picked from the list with the keyboard.
Step pick(const QString &selector, const QString &text)
{
    return onSelector(selector, [text](QComboBox *combo, QLineEdit *) {
        const int row = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
        QVERIFY2(row >= 0, qPrintable(text));
        combo->showPopup();
        QAbstractItemView *list = combo->view();
        QTRY_VERIFY(list->isVisible());
        list->setCurrentIndex(list->model()->index(row, 0));
        QTest::keyClick(list, Qt::Key_Return);
        QTRY_VERIFY(!list->isVisible());
    });
}

// Typed, then the first name the box offers taken.
Step complete(const QString &selector, const QString &text)
{
    return onSelector(selector, [text](QComboBox *combo, QLineEdit *edit) {
        TypeText(edit, text);
        QAbstractItemView *offered = combo->completer()->popup();
        QTRY_VERIFY(offered->isVisible());
        QTest::keyClick(offered, Qt::Key_Down);
        QTest::keyClick(offered, Qt::Key_Return);
    });
}

// X11's Delete, with its text U+007F, at the start.
Step deleteFirst(const QString &selector)
{
    return onSelector(selector, [](QComboBox *, QLineEdit *edit) {
        edit->home(false);
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_Delete, u("\x7f"), Qt::NoModifier);
    });
}

Step press(const QString &selector, Qt::Key key)
{
    return onSelector(selector,
                      [key](QComboBox *, QLineEdit *edit) { QTest::keyClick(edit, key); });
}

// How a deletion is asked for.
enum class Delete { ByClick, ByEnter, Twice }; // Twice: clicked, then the same code again

// A fault another program lays on the database file.
using Fault = std::function<bool(OtherProgram &)>;
} // namespace

class TestRecords : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_gui.beginRun()); }
    void init();
    void cleanup() { m_gui.end(); }

    void opensUnfilteredLazilyAndByKeyboard();
    void selectors_data();
    void selectors();
    void nameListsHoldEveryNameOnceInPersianOrder();
    void deletion_data();
    void deletion();
    void failedDeletionDeletesNothing_data();
    void failedDeletionDeletesNothing();
    void wayInAndBack_data();
    void wayInAndBack();
    void fitsTheScreenUnderEveryTheme_data();
    void fitsTheScreenUnderEveryTheme();

private:
    FrmCode *openBrowser();

    GuiTest m_gui;
    QString m_path;
};

void TestRecords::init()
{
    QCOMPARE(m_gui.begin(0), QString());
    m_path = m_gui.databasePath();
    // 30 subjects in groups A to G, and the ones the seeding never makes.
    QVERIFY(SeedSubjects(30));
    addSubject(QStringLiteral("NG-1"), u("سارا"), u("بی‌گروه"), QStringLiteral(""),
               QStringLiteral("NG-1"));
    addSubject(QStringLiteral("O'Brien"), QStringLiteral("d'Arc"), QStringLiteral("O'Brien"),
               QStringLiteral("C"), QStringLiteral("O'Brien"));
    addSubject(QStringLiteral("NA-1"), u("بی‌پاسخ"), u("محمدی 1"), QStringLiteral("B"),
               QString());
    addSubject(QStringLiteral(" K7 "), u("کیان"), u("رضایی 1"), QStringLiteral("C"),
               QStringLiteral("K7"));
    // Two subjects whose codes differ only by blanks: the answers row is the bare code's.
    addSubject(QStringLiteral(" K8 "), u("کیان"), u("رضایی 1"), QStringLiteral("C"), QString());
    addSubject(QStringLiteral("K8"), u("کیان"), u("رضایی 1"), QStringLiteral("C"),
               QStringLiteral("K8"));
}

FrmCode *TestRecords::openBrowser()
{
    FrmCode *window = FrmCode::ShowNew();
    if (!QTest::qWaitForWindowActive(window))
        qWarning("the browser did not become active");
    QCoreApplication::processEvents(); // the name lists come after the first frame
    return window;
}

void TestRecords::opensUnfilteredLazilyAndByKeyboard()
{
    QVERIFY(SeedSubjects(3000, QStringLiteral("L")));
    FrmCode *window = openBrowser();
    QCOMPARE(window->windowTitle(), u(FrmCodeText::Caption));
    QCOMPARE(selectorTexts(window), QStringList({QString(), QString(), QString()}));
    QCOMPARE(window->Text5->text(), QString());
    QVERIFY(!window->Adodc2->isFiltered());
    QCOMPARE(window->focusWidget(), window->Combo3);
    // The grid read only what it shows, not the 3,034 subjects.
    QVERIFY2(window->DataGrid1->model()->rowCount() <= 512,
             qPrintable(QString::number(window->DataGrid1->model()->rowCount())));

    // Four columns, right to left, under their captions, after any filter as at first.
    for (int pass = 0; pass < 2; ++pass) {
        QHeaderView *header = window->DataGrid1->horizontalHeader();
        QStringList columns;
        for (int visual = 0; visual < header->count(); ++visual) {
            const int logical = header->logicalIndex(visual);
            if (!header->isSectionHidden(logical) && header->sectionSize(logical) > 0)
                columns << window->Adodc2->model()->fields().at(logical) + u'=' +
                               header->model()->headerData(logical, Qt::Horizontal).toString();
        }
        QCOMPARE(columns, QStringList({u("Code=کد"), u("FName=نام"), u("LName=نام خانوادگي"),
                                       u("Group=گروه")}));
        window->filterByGroup(QStringLiteral("A"));
    }
    QCOMPARE(window->gridFrame->title(), u(FrmCodeText::GridCaption));

    // The keyboard alone: Tab visits every control once, in reading order, and passes the grid.
    QCOMPARE(
        ReachedByTab(10),
        QStringList({u("Combo3"), u("DataCombo6"), u("DataCombo1"), u("DataGrid1"), u("Text5"),
                     u("Command2"), u("Command1"), u("Command7"), u("Command6"), u("Combo3")}));
    // Printing by group is wired from outside: the button only asks for it.
    QSignalSpy print(window, &FrmCode::printByGroupRequested);
    QTest::keyClick(window->Command1, Qt::Key_Return);
    QCOMPARE(print.count(), 1);
    QSignalSpy summary(window, &FrmCode::groupSummaryRequested);
    QTest::keyClick(window->Command7, Qt::Key_Return);
    QCOMPARE(summary.count(), 1);
    QCOMPARE(ShownTitlesAndTexts(), QStringList());
}

void TestRecords::selectors_data()
{
    QTest::addColumn<QList<Step>>("steps");
    QTest::addColumn<QString>("field"); // the filter in force: field and text; empty: none
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("texts"); // group, first name, last name
    QTest::addColumn<int>("reads");         // times the grid's rows were read: once a change
    const QString none;
    using Steps = QList<Step>;
    QTest::newRow("group C picked") << Steps{pick(GroupBox, u("C"))} << u("Group") << u("C")
                                    << QStringList{u("C"), none, none} << 1;
    QTest::newRow("group C typed, then Tab")
        << Steps{typeInto(GroupBox, u("C")), press(GroupBox, Qt::Key_Tab)} << u("Group") << u("C")
        << QStringList{u("C"), none, none} << 1;
    QTest::newRow("group emptied with Delete")
        << Steps{typeInto(GroupBox, u("C")), deleteFirst(GroupBox)} << u("Group") << none
        << QStringList{none, none, none} << 2;
    QTest::newRow("two letters") << Steps{typeInto(GroupBox, u("CD"))} << u("Group") << u("CD")
                                 << QStringList{u("CD"), none, none} << 2;
    // A lower-case letter is not a stored group, and leaving the box does not change it to one.
    QTest::newRow("lower-case letter, then Tab")
        << Steps{typeInto(GroupBox, u("c")), press(GroupBox, Qt::Key_Tab)} << u("Group") << u("c")
        << QStringList{u("c"), none, none} << 1;
    QTest::newRow("last name after a group")
        << Steps{pick(GroupBox, u("C")), pick(LastNameBox, u("محمدی 1"))} << u("LName")
        << u("محمدی 1") << QStringList{none, none, u("محمدی 1")} << 2;
    QTest::newRow("first name typed after a last name")
        << Steps{pick(LastNameBox, u("محمدی 1")), typeInto(FirstNameBox, u("سارا"))} << u("FName")
        << u("سارا") << QStringList{none, u("سارا"), none} << 5;
    QTest::newRow("group after a first name")
        << Steps{typeInto(FirstNameBox, u("سارا")), pick(GroupBox, u("G"))} << u("Group") << u("G")
        << QStringList{u("G"), none, none} << 5;
    QTest::newRow("the same group picked again after a name")
        << Steps{pick(GroupBox, u("C")), pick(FirstNameBox, u("سارا")), pick(GroupBox, u("C"))}
        << u("Group") << u("C") << QStringList{u("C"), none, none} << 3;
    QTest::newRow("last name completed")
        << Steps{complete(LastNameBox, u("کامران"))} << u("LName") << u("کامرانی 1")
        << QStringList{none, none, u("کامرانی 1")} << 7;
    QTest::newRow("part of a name typed")
        << Steps{typeInto(LastNameBox, u("کامران"))} << u("LName") << u("کامران")
        << QStringList{none, none, u("کامران")} << 6;
    QTest::newRow("apostrophe in a last name")
        << Steps{pick(LastNameBox, u("O'Brien"))} << u("LName") << u("O'Brien")
        << QStringList{none, none, u("O'Brien")} << 1;
    QTest::newRow("apostrophe as a group") << Steps{typeInto(GroupBox, u("'"))} << u("Group")
                                           << u("'") << QStringList{u("'"), none, none} << 1;
    QTest::newRow("Escape keeps the text and the filter")
        << Steps{typeInto(FirstNameBox, u("سارا")), press(FirstNameBox, Qt::Key_Escape)}
        << u("FName") << u("سارا") << QStringList{none, u("سارا"), none} << 4;
}

void TestRecords::selectors()
{
    QFETCH(QList<Step>, steps);
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QStringList, texts);
    QFETCH(int, reads);
    FrmCode *window = openBrowser();
    DialogHooks::TakeShown();
    QSignalSpy read(window->Adodc2->model(), &QAbstractItemModel::modelReset);
    for (const Step &step : steps)
        step(window);
    QCOMPARE(selectorTexts(window), texts);
    QCOMPARE(read.count(), reads);
    const QStringList expected = codesInFile(m_path, field, value);
    // An empty group finds the subject stored without one.
    if (field == u("Group") && value.isEmpty())
        QCOMPARE(expected, QStringList{u("NG-1")});
    QCOMPARE(gridCodes(window), expected);
    // Only the rows of one filter, and what printing by group would take is what the grid shows.
    QCOMPARE(window->subjects()->count(), expected.size());
    QCOMPARE(window->groupText(), texts.at(0));
    QCOMPARE(ShownTitlesAndTexts(), QStringList());
    QVERIFY(window->isVisible());
}

void TestRecords::nameListsHoldEveryNameOnceInPersianOrder()
{
    // A register of its own: names chosen so that code-point order is wrong.
    DeleteAllWindows();
    QSqlQuery(QSqlDatabase::database()).exec(QStringLiteral("DELETE FROM \"IDE\""));
    const QStringList firstNames = {
        u("یزدان"), u("گلاره"), u("کاوه"), u("ژاله"),  u("زهرا"),     u("چکاوک"),  u("جواد"),
        u("پریا"),  u("بابک"),  u("آرش"),  u("علی"),   u("علي"),      u("Adam"),   u("جواد"),
        u("بابک"),  QString(),  u("امید"), u("d'Arc"), u("محمدی 10"), u("محمدی 2")};
    for (int i = 0; i < firstNames.size(); ++i)
        addSubject(QStringLiteral("P%1").arg(i), firstNames.at(i), u("نوری"), QStringLiteral("A"),
                   QStringLiteral("P%1").arg(i));
    FrmCode *window = openBrowser();
    QCOMPARE(window->fNames->stringList(),
             QStringList({u("آرش"), u("امید"), u("بابک"), u("پریا"), u("جواد"), u("چکاوک"),
                          u("زهرا"), u("ژاله"), u("علی"), u("علي"), u("کاوه"), u("گلاره"),
                          u("محمدی 2"), u("محمدی 10"), u("یزدان"), u("Adam"), u("d'Arc")}));
    QCOMPARE(window->lNames->stringList(), QStringList{u("نوری")});
    // The boxes are still empty, and a group filter does not shrink the lists.
    QCOMPARE(selectorTexts(window), QStringList({QString(), QString(), QString()}));
    window->Combo3->setEditText(QStringLiteral("B"));
    window->filterByGroup(QStringLiteral("B"));
    QCOMPARE(window->DataCombo6->count(), 17);
}

void TestRecords::deletion_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<Delete>("how");
    QTest::addColumn<int>("answer");       // 1 Yes, 0 No, -1 no question expected
    QTest::addColumn<QString>("message");  // the notice after it
    QTest::addColumn<QStringList>("gone"); // rows gone from the file, as registerRows gives them
    const QString need = u(FrmCodeText::NeedCode);
    const QString noSuch = u(FrmCodeText::NoSuchCode);
    const QString done = u(FrmCodeText::Deleted);
    QTest::newRow("empty code") << QString() << Delete::ByClick << -1 << need << QStringList();
    QTest::newRow("leading blank") << u(" S3") << Delete::ByClick << -1 << noSuch << QStringList();
    QTest::newRow("trailing blank") << u("S3 ") << Delete::ByClick << -1 << noSuch << QStringList();
    QTest::newRow("only blanks") << u("   ") << Delete::ByEnter << -1 << noSuch << QStringList();
    // The answers row's code finds the subject registered with blanks around it.
    QTest::newRow("a code's trimmed answers code")
        << u("K7") << Delete::ByClick << 1 << done
        << QStringList{u("IDE 34  K7 "), u("Answer 33 K7")};
    QTest::newRow("No") << u("S3") << Delete::ByClick << 0 << QString() << QStringList();
    QTest::newRow("Yes, by Enter in the code box")
        << u("S3") << Delete::ByEnter << 1 << done << QStringList{u("IDE 4 S3"), u("Answer 4 S3")};
    QTest::newRow("Yes, then the same code again")
        << u("S0") << Delete::Twice << 1 << noSuch << QStringList{u("IDE 1 S0"), u("Answer 1 S0")};
    QTest::newRow("subject without answers")
        << u("NA-1") << Delete::ByClick << 1 << done << QStringList{u("IDE 33 NA-1")};
    QTest::newRow("code with blanks, answers under the trimmed code")
        << u(" K7 ") << Delete::ByClick << 1 << done
        << QStringList{u("IDE 34  K7 "), u("Answer 33 K7")};
    QTest::newRow("code with blanks, the bare code's answers kept")
        << u(" K8 ") << Delete::ByClick << 1 << done << QStringList{u("IDE 35  K8 ")};
    QTest::newRow("apostrophe") << u("O'Brien") << Delete::ByClick << 1 << done
                                << QStringList{u("IDE 32 O'Brien"), u("Answer 32 O'Brien")};
}

void TestRecords::deletion()
{
    QFETCH(QString, code);
    QFETCH(Delete, how);
    QFETCH(int, answer);
    QFETCH(QString, message);
    QFETCH(QStringList, gone);
    const QStringList before = registerRows(m_path);
    for (const QString &row : gone)
        QVERIFY2(before.contains(row), qPrintable(row));
    FrmCode *window = openBrowser();
    // A group chosen, as a user may leave it.
    window->Combo3->setCurrentIndex(0);
    window->filterByGroup(QStringLiteral("A"));
    window->Text5->setFocus();
    window->Text5->setText(code);
    DialogHooks::TakeShown();

    QTest::keyClick(window->Text5, Qt::Key_Escape); // never erases what was typed
    SeenBox question;
    if (answer >= 0)
        AnswerNextBox(answer ? QMessageBox::Yes : QMessageBox::No, &question);
    if (how == Delete::ByEnter) {
        window->Text5->setFocus();
        QTest::keyClick(window->Text5, Qt::Key_Return);
    } else {
        QTest::mouseClick(window->Command2, Qt::LeftButton);
    }

    QStringList expectedShown;
    if (answer >= 0) {
        QCOMPARE(question.title, QStringLiteral("Korvat"));
        QCOMPARE(question.text, u(FrmCodeText::SureToDelete));
        QCOMPARE(question.icon, QMessageBox::NoIcon);
        QVERIFY(question.yesNo);
        expectedShown << QStringLiteral("Korvat|") + u(FrmCodeText::SureToDelete);
    }
    if (how == Delete::Twice) {
        QCOMPARE(ShownTitlesAndTexts(),
                 expectedShown + QStringList{u("پيام|") + u(FrmCodeText::Deleted)});
        expectedShown.clear();
        window->Text5->setText(code);
        QTest::mouseClick(window->Command2, Qt::LeftButton);
    }
    if (!message.isEmpty())
        expectedShown << u("پيام|") + message;
    QCOMPARE(ShownTitlesAndTexts(), expectedShown);

    // Exactly the subject's rows went from the file, and nothing else changed.
    QStringList after = before;
    for (const QString &row : gone)
        after.removeOne(row);
    QCOMPARE(registerRows(m_path), after);
    QCOMPARE(window->focusWidget(), window->Text5);
    QCOMPARE(window->Text5->text(), message == u(FrmCodeText::Deleted) ? QString() : code);
    // An answered question leaves the grid unfiltered, the selectors as they were.
    if (answer >= 0)
        QCOMPARE(gridCodes(window), codesInFile(m_path, QString(), QString()));
    else
        QCOMPARE(gridCodes(window), codesInFile(m_path, u("Group"), u("A")));
    QCOMPARE(selectorTexts(window), QStringList({u("A"), QString(), QString()}));
    // A name that went with its subject leaves the list.
    QCOMPARE(window->fNames->stringList().contains(u("بی‌پاسخ")),
             !gone.contains(u("IDE 33 NA-1")));
    QVERIFY(!window->Adodc3->isFiltered() && !window->Adodc4->isFiltered());
}

void TestRecords::failedDeletionDeletesNothing_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QString>("cause"); // as the message names it; empty: nothing stops it
    const QString busy = u("برنامه‌ی دیگری");
    // Another program writing: the deletion cannot even begin.
    QTest::newRow("write lock held") << Fault(&OtherProgram::holdWriteLock) << busy;
    // Another program reading: the rows go, and the commit waits for it past the timeout. On the
    // server a reader holds nothing a deletion waits for: the subject goes at once.
    QTest::newRow("read lock held")
        << Fault(&OtherProgram::holdReadLock) << (OnServer() ? QString() : busy);
    // The answers row refused: the subject's row, already gone, must come back.
    QTest::newRow("answers row refused")
        << Fault([](OtherProgram &other) { return other.refuse("DELETE", u("Answer")); })
        << u("refused");
}

void TestRecords::failedDeletionDeletesNothing()
{
    QFETCH(Fault, fault);
    QFETCH(QString, cause);
    FrmCode *window = openBrowser();
    window->filterByGroup(QStringLiteral("D"));
    const QStringList before = registerRows(m_path);
    QStringList after = before;
    QVERIFY(after.removeOne(QStringLiteral("IDE 6 S5")));
    QVERIFY(after.removeOne(QStringLiteral("Answer 6 S5")));
    window->Text5->setText(QStringLiteral("S5"));

    auto other = std::make_unique<OtherProgram>(m_path);
    QVERIFY(SetBusyTimeout(50));
    QVERIFY(fault(*other));

    DialogHooks::TakeShown();
    DialogHooks::PresetAnswer(true);
    if (cause.isEmpty()) {
        // Both rows go while the other program still looks on.
        QTest::mouseClick(window->Command2, Qt::LeftButton);
        QCOMPARE(ShownTitlesAndTexts(),
                 (QStringList{QStringLiteral("Korvat|") + u(FrmCodeText::SureToDelete),
                              u("پيام|") + u(FrmCodeText::Deleted)}));
        QVERIFY(other->letGo());
        QCOMPARE(registerRows(m_path), after);
        return;
    }
    SeenBox error;
    AnswerNextBox(QMessageBox::Ok, &error);
    QTest::mouseClick(window->Command2, Qt::LeftButton);
    QCOMPARE(error.title, QStringLiteral("Error"));
    QCOMPARE(error.icon, QMessageBox::Warning);
    QCOMPARE(error.direction, Qt::RightToLeft);
    QVERIFY2(error.text.contains(cause), qPrintable(error.text));
    const QStringList shown = ShownTitlesAndTexts();
    QCOMPARE(shown.size(), 2); // the question, then the failure: never "deleted"
    QVERIFY(!shown.join(u'\n').contains(u(FrmCodeText::Deleted)));

    // Nothing deleted; the code stays for another try, and the grid as it was.
    QVERIFY(other->letGo());
    QCOMPARE(registerRows(m_path), before);
    QCOMPARE(window->Text5->text(), QStringLiteral("S5"));
    QCOMPARE(gridCodes(window), codesInFile(m_path, u("Group"), u("D")));

    // With the cause gone the same button deletes both rows.
    other.reset();
    DialogHooks::PresetAnswer(true);
    QTest::mouseClick(window->Command2, Qt::LeftButton);
    QCOMPARE(registerRows(m_path), after);
}

void TestRecords::wayInAndBack_data()
{
    QTest::addColumn<Step>("leave");
    QTest::newRow("exit button") << Step(
        [](FrmCode *window) { QTest::mouseClick(window->Command6, Qt::LeftButton); });
    QTest::newRow("exit button by keyboard") << Step([](FrmCode *window) {
        window->Command6->setFocus(Qt::TabFocusReason);
        QTest::keyClick(window->Command6, Qt::Key_Return);
    });
    QTest::newRow("close box") << Step([](FrmCode *window) { window->close(); });
}

void TestRecords::wayInAndBack()
{
    QFETCH(Step, leave);
    Frm1 *main = Frm1::ShowNew();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    main->Frame8->show();
    QTest::mouseClick(main->Command4, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(VisibleWindows<Frm1>().size(), 0);
    QCOMPARE(VisibleWindows<exitpro>().size(), 0);
    FrmCode *window = OnlyVisible<FrmCode>();
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
    QCOMPARE(gridCodes(window), codesInFile(m_path, QString(), QString()));

    leave(window);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(VisibleWindows<FrmCode>().size(), 0);
    QCOMPARE(VisibleWindows<exitpro>().size(), 0);
    Frm1 *returned = OnlyVisible<Frm1>();
    QVERIFY(returned);
    QVERIFY(!returned->Frame8->isVisible());
    QCOMPARE(returned->Text3, QStringLiteral("2"));
}

void TestRecords::fitsTheScreenUnderEveryTheme_data()
{
    QTest::addColumn<int>("theme");
    for (int theme = 0; theme <= 11; ++theme)
        QTest::addRow("theme %d", theme) << theme;
}

void TestRecords::fitsTheScreenUnderEveryTheme()
{
    QFETCH(int, theme);
    QVERIFY(StoreSetting(QStringLiteral("TH"), QString::number(theme)));
    FrmCode *window = openBrowser();
    window->filterByGroup(QStringLiteral("C"));
    QCOMPARE(Misfit(window), QString());
    QCOMPARE(Clipped(window), QStringList());
    // At least six rows of the grid are in view.
    const int rows = window->DataGrid1->viewport()->height() /
                     window->DataGrid1->verticalHeader()->defaultSectionSize();
    QVERIFY2(rows >= 6, qPrintable(QString::number(rows)));
}

QTEST_MAIN(TestRecords)
#include "test_records.moc"
