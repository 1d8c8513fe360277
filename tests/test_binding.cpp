// Widgets bound to the fields of a cursor's current row.
#include "Seed.h"
#include "TestProgramFolder.h"
#include "common/FieldBinder.h"
#include "data/Cursor.h"

#include "data/TableModel.h"
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

namespace {
// The register with a code and a name box bound to it, as a window holds them.
struct CodeAndName
{
    TestProgramFolder folder;
    // A cursor works on the connection open when it is made.
    bool connected = folder.openDatabase().isEmpty();
    Cursor subjects{QStringLiteral("IDE")};
    FieldBinder binder{&subjects};
    QLineEdit code;
    QLineEdit name;

    bool open(int seeded)
    {
        if (!connected || (seeded && !SeedSubjects(seeded)))
            return false;
        binder.bind(&code, QStringLiteral("Code"));
        binder.bind(&name, QStringLiteral("FName"));
        return bool(subjects.open());
    }
};
} // namespace

class TestBinding : public QObject
{
    Q_OBJECT

private slots:
    void widgetsFollowTheCurrentRow();
    void typedTextIsSavedToTheFile();
    void newRowSavedIntoALargeTableCanBeEditedAgain();
    void refusedSaveKeepsWhatWasTyped();
    void rebindShowsAnotherField();
    void boxesMoveToAnotherCursor_data();
    void boxesMoveToAnotherCursor();
};

void TestBinding::widgetsFollowTheCurrentRow()
{
    TestProgramFolder folder;
    QCOMPARE(folder.openDatabase(), QString());
    QVERIFY(SeedSubjects(3));
    Cursor subjects(QStringLiteral("IDE"));
    FieldBinder binder(&subjects);
    QLineEdit code;
    QLabel group;
    QComboBox gender;
    gender.addItems({QString::fromUtf8("مرد"), QString::fromUtf8("زن")});
    binder.bind(&code, QStringLiteral("Code"));
    binder.bind(&group, QStringLiteral("Group"));
    binder.bind(&gender, QStringLiteral("Jens"));
    QVERIFY(subjects.open());
    QCOMPARE(code.text(), QStringLiteral("S0"));
    QCOMPARE(group.text(), QStringLiteral("A"));
    QCOMPARE(gender.currentText(), QString::fromUtf8("مرد"));

    QVERIFY(subjects.moveTo(2));
    QCOMPARE(code.text(), QStringLiteral("S2"));
    QCOMPARE(group.text(), QStringLiteral("C"));

    QVERIFY(subjects.filter(QStringLiteral("Code"), QStringLiteral("S1")));
    QCOMPARE(code.text(), QStringLiteral("S1"));
    QCOMPARE(gender.currentText(), QString::fromUtf8("زن"));

    QVERIFY(subjects.filter(QStringLiteral("Code"), QStringLiteral("none")));
    QCOMPARE(code.text(), QString());
    QCOMPARE(group.text(), QString());
    QCOMPARE(gender.currentIndex(), -1);
}

void TestBinding::typedTextIsSavedToTheFile()
{
    CodeAndName form;
    QVERIFY(form.open(0));
    QVERIFY(form.subjects.add());
    QCOMPARE(form.code.text(), QString());
    QTest::keyClicks(&form.code, QStringLiteral(" O'Neil\\50% "));
    form.name.setText(QString::fromUtf8("\u200Fمریم"));
    QVERIFY(form.subjects.save());
    QCOMPARE(
        ReadFromFile(form.folder.databasePath(), QStringLiteral("SELECT \"Code\" FROM \"IDE\"")),
        QVariantList{QStringLiteral(" O'Neil\\50% ")});
    QCOMPARE(
        ReadFromFile(form.folder.databasePath(), QStringLiteral("SELECT \"FName\" FROM \"IDE\"")),
        QVariantList{QString::fromUtf8("\u200Fمریم")});
}

void TestBinding::newRowSavedIntoALargeTableCanBeEditedAgain()
{
    CodeAndName form;
    QVERIFY(form.open(2000));
    QVERIFY(form.subjects.add());
    form.code.setText(QStringLiteral("fresh"));
    form.name.setText(QStringLiteral("first"));
    QVERIFY(form.subjects.save());
    // Saving did not fetch the table to find the new row, and the widgets still show it.
    QVERIFY(form.subjects.model()->rowCount() < 2000);
    QCOMPARE(form.code.text(), QStringLiteral("fresh"));

    form.name.setText(QStringLiteral("second"));
    QVERIFY(form.subjects.save());
    QCOMPARE(form.name.text(), QStringLiteral("second"));
    QCOMPARE(ReadFromFile(form.folder.databasePath(),
                          QStringLiteral("SELECT \"FName\" FROM \"IDE\" WHERE \"Code\" = 'fresh'")),
             QVariantList{QStringLiteral("second")});
    QCOMPARE(form.subjects.count(), 2001);
}

void TestBinding::refusedSaveKeepsWhatWasTyped()
{
    CodeAndName form;
    QVERIFY(form.open(1));
    QVERIFY(form.subjects.add());
    form.code.setText(QStringLiteral("S0"));
    form.name.setText(QStringLiteral("typed"));
    QVERIFY(!form.subjects.save());
    QCOMPARE(form.code.text(), QStringLiteral("S0"));
    QCOMPARE(form.name.text(), QStringLiteral("typed"));

    form.code.setText(QStringLiteral("S9"));
    QVERIFY(form.subjects.save());
    QCOMPARE(ReadFromFile(form.folder.databasePath(),
                          QStringLiteral("SELECT \"FName\" FROM \"IDE\" WHERE \"Code\" = 'S9'")),
             QVariantList{QStringLiteral("typed")});
}

void TestBinding::rebindShowsAnotherField()
{
    TestProgramFolder folder;
    QCOMPARE(folder.openDatabase(), QString());
    QVERIFY(SeedSubjects(1));
    Cursor answers(QStringLiteral("Answer"));
    FieldBinder binder(&answers);
    QLineEdit answer;
    QVERIFY(answers.open());
    const QString first = answers.field(QStringLiteral("1"));
    const QString second = answers.field(QStringLiteral("2"));
    QVERIFY(first != second);
    binder.bind(&answer, QStringLiteral("1"));
    QCOMPARE(answer.text(), first);
    binder.rebind(&answer, QStringLiteral("2"));
    QCOMPARE(binder.boundField(&answer), QStringLiteral("2"));
    QCOMPARE(answer.text(), second);

    answer.setText(QStringLiteral("5"));
    QVERIFY(answers.save());
    QCOMPARE(ReadFromFile(folder.databasePath(),
                          QStringLiteral("SELECT \"1\" || '|' || \"2\" FROM \"Answer\"")),
             QVariantList{first + QStringLiteral("|5")});
}

void TestBinding::boxesMoveToAnotherCursor_data()
{
    QTest::addColumn<QString>("to");    // the code the other cursor is filtered to
    QTest::addColumn<bool>("bound");    // the boxes are bound to it, else to no cursor at all
    QTest::addColumn<QString>("shown"); // the code the boxes show then: the row they write into
    QTest::addColumn<QString>("typed"); // typed into the name box before the move
    const QString s2 = QStringLiteral("S2");
    QTest::newRow("to a subject, nothing typed") << s2 << true << s2 << QString();
    QTest::newRow("to a subject, a name typed") << s2 << true << s2 << QStringLiteral("typed");
    QTest::newRow("to a cursor with no row")
        << QStringLiteral("none") << true << QString() << QStringLiteral("typed");
    QTest::newRow("to no cursor") << s2 << false << QString() << QStringLiteral("typed");
}

void TestBinding::boxesMoveToAnotherCursor()
{
    QFETCH(QString, to);
    QFETCH(bool, bound);
    QFETCH(QString, shown);
    QFETCH(QString, typed);
    CodeAndName form;
    QVERIFY(form.open(3));
    Cursor other(QStringLiteral("IDE"));
    QVERIFY(other.filter(QStringLiteral("Code"), to));
    if (!typed.isEmpty())
        form.name.setText(typed);
    form.binder.setCursor(bound ? &other : nullptr);

    // The boxes show the other cursor's row, or nothing; what was typed stayed with the first.
    QCOMPARE(form.code.text(), shown);
    QCOMPARE(form.subjects.field(QStringLiteral("FName")),
             typed.isEmpty() ? SeedFirstName(0) : typed);
    // Typing now writes into the other cursor's row only, and each save stores its own row.
    form.name.setText(QStringLiteral("after"));
    QVERIFY(form.subjects.save());
    QVERIFY(other.save());
    QCOMPARE(ReadFromFile(form.folder.databasePath(),
                          QStringLiteral("SELECT \"FName\" FROM \"IDE\" ORDER BY rowid")),
             (QVariantList{typed.isEmpty() ? SeedFirstName(0) : typed, SeedFirstName(1),
                           shown.isEmpty() ? SeedFirstName(2) : QStringLiteral("after")}));
}

QTEST_MAIN(TestBinding)
#include "test_binding.moc"
