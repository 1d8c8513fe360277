// The register's operations, each against the database itself (the file, or on a server run the
// server's): what is written, that writes which belong together are all there or none, and that a
// refused one says why and leaves the database and the window's cursors as they were.
#include "Must.h"
#include "OtherProgram.h"
#include "Seed.h"
#include "TestProgramFolder.h"
#include "Text.h"
#include "data/Cursor.h"
#include "data/Database.h"
#include "register/Register.h"
#include "scoring/ScoringKey.h"

#include <QTest>

#include <QUuid>
#include <functional>

namespace {

// What another program does to the file meanwhile.
enum class Meanwhile {
    Nothing,
    HoldsTheFile,    // holds a write lock past the busy limit
    ReplacesSubject, // deletes the subject and registers someone new under its code
};

// Runs a register operation while the other program holds the file, where meanwhile says so.
Result during(OtherProgram &other, Meanwhile meanwhile, const std::function<Result()> &operation)
{
    if (meanwhile == Meanwhile::HoldsTheFile && !other.holdExclusiveLock())
        return Result::Failed(Failure::Other, QStringLiteral("the other program took no lock"));
    const Result result = operation();
    other.letGo();
    return result;
}

// The program's view of the file opened with a short busy limit, so that a held file fails fast.
const int BusyLimitMs = 150;

QVariantList column(const TestProgramFolder &folder, const char *sql)
{
    return ReadFromFile(folder.databasePath(), QString::fromUtf8(sql));
}

// Everything the register holds, as "nothing changed" compares it: the file's bytes (on a server
// run they stay as installed, and the rows say it all) and every row of every table.
QStringList stored(const TestProgramFolder &folder)
{
    return QStringList{QString::fromLatin1(FileHash(folder.databasePath()).toHex())} +
           EveryRow(folder.databasePath());
}
} // namespace

Q_DECLARE_METATYPE(Meanwhile)
Q_DECLARE_METATYPE(Failure)

class TestRegister : public QObject
{
    Q_OBJECT

private slots:
    void registersBothRowsOrNeither_data();
    void registersBothRowsOrNeither();
    void deletesBothRowsOrNeither_data();
    void deletesBothRowsOrNeither();
    void storesScoresFromTheAnswersRead_data();
    void storesScoresFromTheAnswersRead();
    void storesAnswersOnlyForTheSubjectRead_data();
    void storesAnswersOnlyForTheSubjectRead();
    void nameListIsEveryNameOnceInPersianOrder();
};

void TestRegister::registersBothRowsOrNeither_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<Meanwhile>("meanwhile");
    QTest::addColumn<Failure>("failure");
    QTest::addColumn<QString>("answersCode"); // Answer.Code stored, when registered

    QTest::newRow("a new code") << u("K7") << Meanwhile::Nothing << Failure::None << u("K7");
    QTest::newRow("blanks around the code: kept in IDE, trimmed in Answer")
        << u("  K7 ") << Meanwhile::Nothing << Failure::None << u("K7");
    QTest::newRow("a code registered already")
        << u("S0") << Meanwhile::Nothing << Failure::DuplicateCode << QString();
    QTest::newRow("the file held by another program")
        << u("K7") << Meanwhile::HoldsTheFile << Failure::FileBusy << QString();
}

void TestRegister::registersBothRowsOrNeither()
{
    QFETCH(QString, code);
    QFETCH(Meanwhile, meanwhile);
    QFETCH(Failure, failure);
    QFETCH(QString, answersCode);

    TestProgramFolder folder;
    must(OpenDatabase(folder.databasePath(), BusyLimitMs));
    QVERIFY(SeedSubjects(1));
    const QStringList before = stored(folder);
    Cursor subjects(u("IDE"));
    Cursor answers(u("Answer"));
    Cursor::OpenEach({&subjects, &answers});
    must(subjects.add());
    must(subjects.setField(u("Code"), code));
    must(subjects.setField(u("FName"), u("سارا")));

    OtherProgram other(folder.databasePath());
    const Result registered = during(
        other, meanwhile, [&] { return Register::RegisterSubject(subjects, answers, code); });

    QCOMPARE(registered.failure(), failure);
    if (failure != Failure::None) {
        QVERIFY(!registered.description().isEmpty());
        QCOMPARE(stored(folder), before);
        // What was typed stays for the next try, which then goes through.
        QVERIFY(subjects.hasUnsavedChanges());
        QVERIFY(!answers.hasUnsavedChanges());
        if (failure == Failure::FileBusy)
            QVERIFY(Register::RegisterSubject(subjects, answers, code));
        return;
    }
    QCOMPARE(ReadFromFile(folder.databasePath(),
                          u("SELECT \"FName\" FROM \"IDE\" WHERE \"Code\" = ?"), {code}),
             QVariantList{u("سارا")});
    QCOMPARE(ReadFromFile(folder.databasePath(),
                          u("SELECT COUNT(*) FROM \"Answer\" WHERE \"Code\" = ? AND \"1\" IS NULL"),
                          {answersCode}),
             QVariantList{1});
}

void TestRegister::deletesBothRowsOrNeither_data()
{
    QTest::addColumn<bool>("withAnswers");
    QTest::addColumn<Meanwhile>("meanwhile");

    QTest::newRow("both rows") << true << Meanwhile::Nothing;
    QTest::newRow("a subject without an answers row") << false << Meanwhile::Nothing;
    QTest::newRow("the file held by another program") << true << Meanwhile::HoldsTheFile;
}

void TestRegister::deletesBothRowsOrNeither()
{
    QFETCH(bool, withAnswers);
    QFETCH(Meanwhile, meanwhile);

    TestProgramFolder folder;
    must(OpenDatabase(folder.databasePath(), BusyLimitMs));
    QVERIFY(SeedSubjects(3));
    if (!withAnswers)
        QVERIFY(OtherProgram(folder.databasePath())
                    .exec(u("DELETE FROM \"Answer\" WHERE \"Code\" = 'S1'")));
    const QStringList before = stored(folder);

    Cursor details(u("IDE"));
    Cursor answers(u("Answer"));
    SubjectRows rows;
    must(Register::FindSubject(u("S1"), &rows, &details, &answers));
    QCOMPARE(rows.hasAnswers, withAnswers);

    OtherProgram other(folder.databasePath());
    const Result deleted =
        during(other, meanwhile, [&] { return Register::DeleteSubject(details, answers); });

    if (meanwhile == Meanwhile::HoldsTheFile) {
        QCOMPARE(deleted.failure(), Failure::FileBusy);
        QCOMPARE(stored(folder), before);
        return;
    }
    QVERIFY2(deleted, qPrintable(deleted.description()));
    QCOMPARE(column(folder, "SELECT \"Code\" FROM \"IDE\" ORDER BY \"Code\""),
             (QVariantList{u("S0"), u("S2")}));
    QCOMPARE(column(folder, "SELECT \"Code\" FROM \"Answer\" ORDER BY \"Code\""),
             (QVariantList{u("S0"), u("S2")}));
}

void TestRegister::storesScoresFromTheAnswersRead_data()
{
    QTest::addColumn<Meanwhile>("meanwhile");
    QTest::newRow("stored") << Meanwhile::Nothing;
    QTest::newRow("the file held by another program") << Meanwhile::HoldsTheFile;
}

void TestRegister::storesScoresFromTheAnswersRead()
{
    QFETCH(Meanwhile, meanwhile);

    TestProgramFolder folder;
    must(OpenDatabase(folder.databasePath(), BusyLimitMs));
    QVERIFY(SeedSubjects(2));
    const QStringList before = stored(folder);
    const QVariantList otherBefore =
        column(folder, "SELECT \"Kol\" || '/' || \"self\" FROM \"IDE\" WHERE \"Code\" = 'S0'");
    Cursor details(u("IDE"));
    Cursor answers(u("Answer"));
    SubjectRows rows;
    must(Register::FindSubject(u("S1"), &rows, &details, &answers));
    QStringList given;
    for (int n = 1; n <= ScoringKey::StatementCount; ++n)
        given << answers.field(QString::number(n));
    const ScoringKey::Scores scores = ScoringKey::Compute(given);

    OtherProgram other(folder.databasePath());
    const Result result =
        during(other, meanwhile, [&] { return Register::StoreScores(details, scores); });

    if (meanwhile == Meanwhile::HoldsTheFile) {
        QCOMPARE(result.failure(), Failure::FileBusy);
        QCOMPARE(stored(folder), before);
        return;
    }
    QVERIFY2(result, qPrintable(result.description()));
    QVariantList expected;
    for (int i = 0; i < 5; ++i)
        expected << ScoringKey::ScoreText(scores.subscale[i]);
    expected << ScoringKey::ScoreText(scores.total);
    QVariantList inFile;
    for (const ScoringKey::Subscale &subscale : ScoringKey::Subscales())
        inFile << ReadFromFile(
            folder.databasePath(),
            u("SELECT %1 FROM \"IDE\" WHERE \"Code\" = 'S1'").arg(QuotedName(subscale.field)));
    inFile << ReadFromFile(folder.databasePath(),
                           u("SELECT \"Kol\" FROM \"IDE\" WHERE \"Code\" = 'S1'"));
    QCOMPARE(inFile, expected);
    // The other subject's row is untouched.
    QCOMPARE(column(folder, "SELECT \"Kol\" || '/' || \"self\" FROM \"IDE\" WHERE \"Code\" = 'S0'"),
             otherBefore);
}

void TestRegister::storesAnswersOnlyForTheSubjectRead_data()
{
    QTest::addColumn<Meanwhile>("meanwhile");
    QTest::addColumn<Failure>("failure");
    QTest::newRow("the subject read") << Meanwhile::Nothing << Failure::None;
    QTest::newRow("the subject replaced under its code")
        << Meanwhile::ReplacesSubject << Failure::RowChanged;
    QTest::newRow("the file held by another program")
        << Meanwhile::HoldsTheFile << Failure::FileBusy;
}

void TestRegister::storesAnswersOnlyForTheSubjectRead()
{
    QFETCH(Meanwhile, meanwhile);
    QFETCH(Failure, failure);

    TestProgramFolder folder;
    must(OpenDatabase(folder.databasePath(), BusyLimitMs));
    QVERIFY(SeedSubjects(2));
    // A subject not yet answered, in the last rows of their tables: a new person registered
    // anew under the code takes their places, with an answers row just like it.
    OtherProgram other(folder.databasePath());
    QVERIFY(other.exec(u("INSERT INTO \"IDE\" (\"Code\", \"FName\") VALUES ('N1', 'old')")));
    QVERIFY(other.exec(u("INSERT INTO \"Answer\" (\"Code\") VALUES ('N1')")));
    Cursor details(u("IDE"));
    Cursor answers(u("Answer"));
    SubjectRows rows;
    must(Register::FindSubject(u("N1"), &rows, &details, &answers));
    const QString typed = u("3");
    must(answers.setField(u("7"), typed));

    if (meanwhile == Meanwhile::ReplacesSubject) {
        QVERIFY(other.exec(u("DELETE FROM \"IDE\" WHERE \"Code\" = 'N1'")));
        QVERIFY(other.exec(u("DELETE FROM \"Answer\" WHERE \"Code\" = 'N1'")));
        QVERIFY(other.exec(u("INSERT INTO \"IDE\" (\"Code\", \"FName\") VALUES ('N1', 'new')")));
        QVERIFY(other.exec(u("INSERT INTO \"Answer\" (\"Code\") VALUES ('N1')")));
    }
    const QStringList before = stored(folder);
    const Result saved =
        during(other, meanwhile, [&] { return Register::StoreAnswers(answers, details); });

    QCOMPARE(saved.failure(), failure);
    if (failure != Failure::None) {
        QCOMPARE(stored(folder), before);
        QVERIFY(answers.hasUnsavedChanges()); // kept in the window
        return;
    }
    QCOMPARE(column(folder, "SELECT \"7\" FROM \"Answer\" WHERE \"Code\" = 'N1'"),
             QVariantList{typed});
}

void TestRegister::nameListIsEveryNameOnceInPersianOrder()
{
    TestProgramFolder folder;
    must(OpenDatabase(folder.databasePath()));
    OtherProgram other(folder.databasePath());
    for (const char *name : {"کاظمی", "", "بهرامی", "پارسا", "کاظمی", "Adams", "باقری"})
        QVERIFY(other.exec(u("INSERT INTO \"IDE\" (\"Code\", \"LName\") VALUES ('%1', '%2')")
                               .arg(QUuid::createUuid().toString(), u(name))));
    QStringList names;
    must(Register::ReadNameList(u("LName"), &names));
    QCOMPARE(names, (QStringList{u("باقری"), u("بهرامی"), u("پارسا"), u("کاظمی"), u("Adams")}));

    // Spellings that differ only by a blank, a letter form, a joiner or a null field are each
    // read once, and the null and empty fields not at all, however the engine steps through
    // the values.
    const char *const spellings[] = {" ", "کاظمی ", "كاظمي", "\u200c", " کاظمی", "کاظمی"};
    for (const char *name : spellings)
        QVERIFY(other.exec(u("INSERT INTO \"IDE\" (\"Code\", \"LName\") VALUES ('%1', '%2')")
                               .arg(QUuid::createUuid().toString(), u(name))));
    QVERIFY(other.exec(u("INSERT INTO \"IDE\" (\"Code\") VALUES ('no name')")));
    must(Register::ReadNameList(u("LName"), &names));
    QStringList expected{u("باقری"), u("بهرامی"), u("پارسا"), u("Adams")};
    for (const char *name : spellings)
        expected << u(name);
    expected.removeDuplicates();
    std::sort(expected.begin(), expected.end());
    std::sort(names.begin(), names.end());
    QCOMPARE(names, expected);
}

QTEST_GUILESS_MAIN(TestRegister)
#include "test_register.moc"
