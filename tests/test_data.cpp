// The database file as delivered, the cursors over it, transactions and the start-up checks; on a
// server run the same on the server's database, but for the cases about the file alone.
#include "OnServer.h"
#include "OtherProgram.h"
#include "Seed.h"
#include "TestProgramFolder.h"
#include "Text.h"
#include "TmpfsMount.h"
#include "common/Text.h"
#include "data/Cursor.h"
#include "data/Database.h"
#include "data/DatabaseText.h"
#include "data/ServerSettings.h"
#include "data/SubjectRows.h"
#include "data/Transaction.h"

#include "data/TableModel.h"
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTimer>

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

QStringList names(std::initializer_list<const char *> list)
{
    QStringList result;
    for (const char *name : list)
        result << QString::fromUtf8(name);
    return result;
}

// Registers a subject the way the program does: an Answer row with the trimmed code, an IDE row
// with the code as typed.
bool addSubject(Cursor &subjects, Cursor &answers, const QString &code)
{
    return answers.add() && answers.setField(QStringLiteral("Code"), code.trimmed()) &&
           answers.save() && subjects.add() && subjects.setField(QStringLiteral("Code"), code) &&
           subjects.save();
}

// Lays down what stands at the database's path.
using Lay = std::function<bool(const QString &path)>;
// A copy of the delivered database, changed by another program's statements (on a server run the
// folder's server database, which is such a copy already).
Lay editedCopy(const QStringList &statements)
{
    return [statements](const QString &path) {
        if (!OnServer() && (!QFile::copy(DeliveredDatabasePath(), path) ||
                            !QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner)))
            return false;
        OtherProgram other(path);
        for (const QString &sql : statements)
            if (!other.exec(sql))
                return false;
        return true;
    };
}
// The same table, rebuilt without its unique code.
QStringList withoutUniqueCode(const QString &table)
{
    return {QStringLiteral("CREATE TABLE copied AS SELECT * FROM \"%1\"").arg(table),
            QStringLiteral("DROP TABLE \"%1\"").arg(table),
            QStringLiteral("ALTER TABLE copied RENAME TO \"%1\"").arg(table)};
}

// What another program holds on the file.
using Hold = std::function<bool(OtherProgram &)>;

// One operation on a cursor over the large register, checked against its file.
using Operation = std::function<void(Cursor &subjects, const QString &path)>;
} // namespace

class TestData : public QObject
{
    Q_OBJECT

private slots:
    void deliveredSchema_data();
    void deliveredSchema();
    void deliveredContent();
    void deliveredConnectionSettings();

    void duplicateCodeRefused_data();
    void duplicateCodeRefused();
    void filterMatchesExactly_data();
    void filterMatchesExactly();
    void countIsExactWithoutLoadingTheTable();
    void rereadDropsUnsavedChanges();
    void newAnswerRowIsEmpty();
    void saveKeepsTheCurrentRow();
    void deleteRemovesTheRowFromTheFile();
    void emptyCursorRefusesQuietly();

    void transactionIsAllOrNothing();
    void nestedTransactionFailureRollsBackTheWhole();

    void startupRefusesBadFiles_data();
    void startupRefusesBadFiles();

    void initTestCase();
    void unstorableTextIsRefused_data();
    void unstorableTextIsRefused();
    void subjectRowsAreFoundByOneRule_data();
    void subjectRowsAreFoundByOneRule();
    void commitSurvivesAPowerCut_data();
    void commitSurvivesAPowerCut();
    void fileReplacedByAnotherProgramIsSaidSo();
    void saveWaitsForAnotherProgramServingEvents_data();
    void saveWaitsForAnotherProgramServingEvents();
    void rowChangedByAnotherProgramIsNeverWritten_data();
    void rowChangedByAnotherProgramIsNeverWritten();
    void largeRegisterIsNeverReadWhole_data();
    void largeRegisterIsNeverReadWhole();
    void countsFollowTheFilter();
    void missingIndexesAreAddedAndNothingElseChanges();
    void fileInUseIsNotCalledDamaged_data();
    void fileInUseIsNotCalledDamaged();
    void readOnlyFolderIsRefused();
    void busyFileIsNotAMissingTable();

private:
    // A register of 100,000 subjects, built once for the whole run; each case works on a copy.
    std::unique_ptr<TestProgramFolder> m_large;
};

void TestData::deliveredSchema_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QStringList>("uniqueFields");

    QStringList answerFields{QStringLiteral("Code")};
    for (int i = 1; i <= 56; ++i)
        answerFields << QString::number(i);
    QTest::newRow("IDE") << u("IDE")
                         << names({"Code", "FName", "LName", "Sen", "Jens", "Taahol", "Tahsil",
                                   "Group", "Date", "Time", "BPosetive", "Conterlo", "Etminan",
                                   "neyaz", "self", "Kol"})
                         << names({"Code"});
    QTest::newRow("Answer") << u("Answer") << answerFields << names({"Code"});
    QTest::newRow("Theme") << u("Theme") << names({"TH", "Name", "Adress"}) << QStringList();
    QTest::newRow("QU") << u("QU") << names({"ID", "QUs"}) << QStringList();
}

void TestData::deliveredSchema()
{
    QFETCH(QString, table);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, uniqueFields);
    const QString db = DeliveredDatabasePath();

    QStringList names;
    for (const QVariant &name :
         ReadFromFile(db, QStringLiteral("SELECT name FROM pragma_table_info(?)"), {table}))
        names << name.toString();
    QCOMPARE(names, fields);
    const QVariantList types =
        ReadFromFile(db, QStringLiteral("SELECT DISTINCT type FROM pragma_table_info(?)"), {table});
    QCOMPARE(types, QVariantList{QStringLiteral("TEXT")});

    QStringList unique;
    for (const QVariant &name :
         ReadFromFile(db,
                      QStringLiteral("SELECT ii.name FROM pragma_index_list(?1) il, "
                                     "pragma_index_info(il.name) ii WHERE il.\"unique\" = 1"),
                      {table}))
        unique << name.toString();
    QCOMPARE(unique, uniqueFields);
}

void TestData::deliveredContent()
{
    const QString db = DeliveredDatabasePath();
    const QVariantList ids =
        ReadFromFile(db, QStringLiteral("SELECT \"ID\" FROM \"QU\" ORDER BY rowid"));
    QCOMPARE(ids.size(), 56);
    for (int i = 0; i < 56; ++i)
        QCOMPARE(ids.at(i).toString(), QString::number(i + 1));

    const QVariantList statements =
        ReadFromFile(db, QStringLiteral("SELECT \"QUs\" FROM \"QU\" ORDER BY rowid"));
    QSet<QString> distinct;
    for (const QVariant &statement : statements) {
        const QString text = statement.toString();
        QVERIFY2(text.startsWith(u("من ")), qPrintable(text));
        QVERIFY2(text == text.trimmed() && text.size() > 8, qPrintable(text));
        distinct.insert(text);
    }
    QCOMPARE(distinct.size(), 56);

    const QVariantList theme = ReadFromFile(
        db, QStringLiteral("SELECT \"TH\" || '|' || \"Name\" || '|' || \"Adress\" FROM \"Theme\""));
    QCOMPARE(theme, QVariantList{QStringLiteral("1||")});
    QCOMPARE(ReadFromFile(db, QStringLiteral("SELECT COUNT(*) FROM \"IDE\"")).value(0).toInt(), 0);
    QCOMPARE(ReadFromFile(db, QStringLiteral("SELECT COUNT(*) FROM \"Answer\"")).value(0).toInt(),
             0);
    QCOMPARE(ReadFromFile(db, QStringLiteral("PRAGMA journal_mode")).value(0).toString(),
             QStringLiteral("delete"));
}

void TestData::deliveredConnectionSettings()
{
    FILE_ONLY("the journal and sync modes of the file's connection");
    TestProgramFolder folder;
    QVERIFY(folder.isValid());
    QCOMPARE(folder.openDatabase(), QString());
    QSqlQuery query;
    QVERIFY(query.exec(QStringLiteral("PRAGMA journal_mode")) && query.next());
    QCOMPARE(query.value(0).toString(), QStringLiteral("delete"));
    QVERIFY(query.exec(QStringLiteral("PRAGMA synchronous")) && query.next());
    QCOMPARE(query.value(0).toInt(), 3); // EXTRA: FULL, and the folder synced after a commit
}

void TestData::duplicateCodeRefused_data()
{
    QTest::addColumn<QString>("table");
    QTest::newRow("IDE") << u("IDE");
    QTest::newRow("Answer") << u("Answer");
}

void TestData::duplicateCodeRefused()
{
    QFETCH(QString, table);
    TestProgramFolder folder;
    QCOMPARE(folder.openDatabase(), QString());
    Cursor cursor(table);
    QVERIFY(cursor.open());
    QVERIFY(cursor.add());
    QVERIFY(cursor.setField(QStringLiteral("Code"), QStringLiteral("K-1")));
    QVERIFY(cursor.save());

    QVERIFY(cursor.add());
    QVERIFY(cursor.setField(QStringLiteral("Code"), QStringLiteral("K-1")));
    QVERIFY(!cursor.save());
    QVERIFY(cursor.lastErrorIsDuplicate());
    QCOMPARE(CountInFile(folder.databasePath(), table, QStringLiteral("K-1")), 1);

    // The refused row stays in the cursor, so the user can correct the code and save again.
    QVERIFY(cursor.hasUnsavedChanges());
    QVERIFY(cursor.setField(QStringLiteral("Code"), QStringLiteral("K-2")));
    QVERIFY(cursor.save());
    QCOMPARE(CountInFile(folder.databasePath(), table, QStringLiteral("K-2")), 1);
    QCOMPARE(cursor.count(), 2);
}

void TestData::filterMatchesExactly_data()
{
    QTest::addColumn<QString>("wanted");
    QTest::addColumn<int>("matches");

    QTest::newRow("plain") << u("abc") << 1;
    QTest::newRow("trailing blank") << u("abc ") << 0;
    QTest::newRow("leading blank") << u(" abc") << 0;
    QTest::newRow("other case") << u("ABC") << 0;
    QTest::newRow("stored with blanks") << u("  padded  ") << 1;
    QTest::newRow("apostrophe") << u("O'Brien") << 1;
    QTest::newRow("lone apostrophe") << u("'") << 1;
    QTest::newRow("quotes") << u("\"q\"") << 1;
    QTest::newRow("percent") << u("50%") << 1;
    QTest::newRow("percent is no wildcard") << u("5%") << 0;
    QTest::newRow("underscore") << u("a_b") << 1;
    QTest::newRow("underscore is no wildcard") << u("a_c") << 0;
    QTest::newRow("backslash") << u("back\\slash") << 1;
    QTest::newRow("rtl marks") << u("\u200Fکد\u200F ۱۲") << 1;
    QTest::newRow("without the marks") << u("کد ۱۲") << 0;
    QTest::newRow("embedding marks") << u("\u202Bx\u202C") << 1;
    QTest::newRow("injection") << u("x' OR '1'='1") << 0;
    QTest::newRow("stored injection text") << u("y' OR 'a'='a") << 1;
    QTest::newRow("10000 characters") << QString(10000, u'z') << 1;
    QTest::newRow("9999 characters") << QString(9999, u'z') << 0;
    // The server's text cannot hold a NUL (see unstorableTextIsRefused): never stored there, and
    // so never found.
    QTest::newRow("nul inside") << QString::fromUtf8("nul\0code", 8) << (OnServer() ? 0 : 1);
    QTest::newRow("cut at the nul") << u("nul") << 0;
    // No stored text can hold a lone surrogate: such a filter finds nothing, and says no error.
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << 0;
    QTest::newRow("lone surrogate inside") << u("nul") + QChar(0xDC00) << 0;
}

void TestData::filterMatchesExactly()
{
    QFETCH(QString, wanted);
    QFETCH(int, matches);
    TestProgramFolder folder;
    QCOMPARE(folder.openDatabase(), QString());
    Cursor subjects(QStringLiteral("IDE"));
    Cursor answers(QStringLiteral("Answer"));
    QVERIFY(subjects.open() && answers.open());
    const QStringList stored = {QStringLiteral("abc"),
                                QStringLiteral("  padded  "),
                                QStringLiteral("O'Brien"),
                                QStringLiteral("'"),
                                QStringLiteral("\"q\""),
                                QStringLiteral("50%"),
                                QStringLiteral("500"),
                                QStringLiteral("a_b"),
                                QStringLiteral("back\\slash"),
                                u("\u200Fکد\u200F ۱۲"),
                                u("\u202Bx\u202C"),
                                QStringLiteral("y' OR 'a'='a"),
                                QString(10000, u'z'),
                                QString::fromUtf8("nul\0code", 8)};
    for (const QString &code : stored) {
        // The server's text cannot hold a NUL (see unstorableTextIsRefused): not stored there.
        if (OnServer() && code.contains(QChar(u'\0')))
            continue;
        QVERIFY2(addSubject(subjects, answers, code),
                 qPrintable(subjects.lastError().description()));
    }

    QVERIFY(subjects.filter(QStringLiteral("Code"), wanted));
    QCOMPARE(subjects.count(), matches);
    if (matches)
        QCOMPARE(subjects.field(QStringLiteral("Code")), wanted);
    else
        QCOMPARE(subjects.currentRow(), -1);

    // The answers row carries the trimmed code and is found by it.
    QVERIFY(answers.filter(QStringLiteral("Code"), wanted.trimmed()));
    QCOMPARE(answers.count(), matches ? 1 : answers.count());
    if (matches)
        QCOMPARE(answers.field(QStringLiteral("Code")), wanted.trimmed());

    // And the file holds exactly what was typed. The server cannot even be asked about a text
    // with a NUL: it holds nothing like it, not even cut at the NUL.
    if (OnServer() && wanted.contains(QChar(u'\0')))
        QCOMPARE(ReadOneFromFile(
                     folder.databasePath(),
                     QStringLiteral("SELECT COUNT(*) FROM \"IDE\" WHERE \"Code\" LIKE 'nul%'"))
                     .toInt(),
                 0);
    else
        QCOMPARE(CountInFile(folder.databasePath(), QStringLiteral("IDE"), wanted), matches);
}

void TestData::countIsExactWithoutLoadingTheTable()
{
    TestProgramFolder folder;
    QCOMPARE(folder.openDatabase(), QString());
    QVERIFY(SeedSubjects(1234));
    Cursor subjects(QStringLiteral("IDE"));
    QVERIFY(subjects.open());
    QCOMPARE(subjects.count(), 1234);
    QVERIFY2(subjects.model()->rowCount() < 1234, "the whole table was loaded to count it");

    QVERIFY(subjects.add());
    QCOMPARE(subjects.count(), 1235);
    QCOMPARE(subjects.currentRow(), 1234);

    QVERIFY(subjects.filter(QStringLiteral("Group"), QStringLiteral("C")));
    QCOMPARE(subjects.count(),
             ReadFromFile(folder.databasePath(),
                          QStringLiteral("SELECT COUNT(*) FROM \"IDE\" WHERE \"Group\" = 'C'"))
                 .value(0)
                 .toInt());
    QVERIFY(subjects.filter(QStringLiteral("Group"), QStringLiteral("H")));
    QCOMPARE(subjects.count(), 0);
    QVERIFY(subjects.isEmpty());

    // Walking the whole cursor visits exactly count() rows.
    QVERIFY(subjects.reread());
    int visited = 0;
    while (subjects.moveTo(visited))
        ++visited;
    QCOMPARE(visited, 1234);
}

void TestData::rereadDropsUnsavedChanges()
{
    TestProgramFolder folder;
    QCOMPARE(folder.openDatabase(), QString());
    QVERIFY(SeedSubjects(3));
    Cursor subjects(QStringLiteral("IDE"));
    QVERIFY(subjects.open());
    QVERIFY(subjects.filter(QStringLiteral("Code"), QStringLiteral("S1")));
    QVERIFY(subjects.setField(QStringLiteral("FName"), QStringLiteral("changed")));
    QVERIFY(subjects.add());
    QVERIFY(subjects.setField(QStringLiteral("Code"), QStringLiteral("new")));
    QVERIFY(subjects.hasUnsavedChanges());

    QVERIFY(subjects.reread());
    QVERIFY(!subjects.isFiltered());
    QVERIFY(!subjects.hasUnsavedChanges());
    QCOMPARE(subjects.count(), 3);
    QCOMPARE(subjects.currentRow(), 0);
    QCOMPARE(subjects.field(QStringLiteral("Code")), QStringLiteral("S0"));
    QVERIFY(subjects.save()); // nothing left to write
    QCOMPARE(CountInFile(folder.databasePath(), QStringLiteral("IDE"), QStringLiteral("new")), 0);
    QCOMPARE(ReadFromFile(folder.databasePath(),
                          QStringLiteral("SELECT \"FName\" FROM \"IDE\" WHERE \"Code\" = 'S1'")),
             QVariantList{SeedFirstName(1)});
}

void TestData::newAnswerRowIsEmpty()
{
    TestProgramFolder folder;
    QCOMPARE(folder.openDatabase(), QString());
    Cursor answers(QStringLiteral("Answer"));
    QVERIFY(answers.open());
    QVERIFY(answers.add());
    QVERIFY(answers.setField(QStringLiteral("Code"), QStringLiteral("A7")));
    QVERIFY(answers.save());
    QVERIFY(answers.filter(QStringLiteral("Code"), QStringLiteral("A7")));
    for (int i = 1; i <= 56; ++i)
        QVERIFY2(answers.field(QString::number(i)).isEmpty(), qPrintable(QString::number(i)));
    // And the file holds nothing in any of the 56 fields either.
    QStringList empty;
    for (int i = 1; i <= 56; ++i)
        empty << QStringLiteral("\"%1\" IS NULL").arg(i);
    QCOMPARE(
        ReadFromFile(folder.databasePath(),
                     QStringLiteral("SELECT COUNT(*) FROM \"Answer\" WHERE \"Code\" = 'A7' AND ") +
                         empty.join(QStringLiteral(" AND "))),
        QVariantList{1});
}

void TestData::saveKeepsTheCurrentRow()
{
    TestProgramFolder folder;
    QCOMPARE(folder.openDatabase(), QString());
    QVERIFY(SeedSubjects(1000));
    Cursor subjects(QStringLiteral("IDE"));
    QVERIFY(subjects.open());

    // An edited row keeps its place, even one far beyond the rows fetched at first.
    QVERIFY(subjects.moveTo(700));
    QVERIFY(subjects.setField(QStringLiteral("LName"), QStringLiteral("edited")));
    QVERIFY(subjects.save());
    QCOMPARE(subjects.currentRow(), 700);
    QCOMPARE(subjects.field(QStringLiteral("Code")), QStringLiteral("S700"));
    QCOMPARE(subjects.field(QStringLiteral("LName")), QStringLiteral("edited"));

    // A saved new row is current, at the end of the stored order.
    QVERIFY(subjects.add());
    QVERIFY(subjects.setField(QStringLiteral("Code"), QStringLiteral("last")));
    QVERIFY(subjects.save());
    QCOMPARE(subjects.currentRow(), 1000);
    QCOMPARE(subjects.field(QStringLiteral("Code")), QStringLiteral("last"));
    QVERIFY(subjects.setField(QStringLiteral("FName"), QStringLiteral("again")));
    QVERIFY(subjects.save());
    QCOMPARE(ReadFromFile(folder.databasePath(),
                          QStringLiteral("SELECT \"FName\" FROM \"IDE\" WHERE \"Code\" = 'last'")),
             QVariantList{QStringLiteral("again")});
    QCOMPARE(subjects.count(), 1001);
}

void TestData::deleteRemovesTheRowFromTheFile()
{
    TestProgramFolder folder;
    QCOMPARE(folder.openDatabase(), QString());
    QVERIFY(SeedSubjects(5));
    Cursor subjects(QStringLiteral("IDE"));
    QVERIFY(subjects.open());
    QVERIFY(subjects.moveTo(4));
    QVERIFY(subjects.deleteCurrent());
    QCOMPARE(subjects.count(), 4);
    QCOMPARE(subjects.currentRow(), 3);
    QCOMPARE(CountInFile(folder.databasePath(), QStringLiteral("IDE"), QStringLiteral("S4")), 0);

    QVERIFY(subjects.filter(QStringLiteral("Code"), QStringLiteral("S2")));
    QVERIFY(subjects.deleteCurrent());
    QCOMPARE(subjects.count(), 0);
    QCOMPARE(subjects.currentRow(), -1);
    QVERIFY(!subjects.deleteCurrent());
    QCOMPARE(ReadFromFile(folder.databasePath(), QStringLiteral("SELECT COUNT(*) FROM \"IDE\""))
                 .value(0)
                 .toInt(),
             3);
}

void TestData::emptyCursorRefusesQuietly()
{
    TestProgramFolder folder;
    QCOMPARE(folder.openDatabase(), QString());
    Cursor subjects(QStringLiteral("IDE"));
    QVERIFY(subjects.open());
    QCOMPARE(subjects.count(), 0);
    QCOMPARE(subjects.currentRow(), -1);
    QCOMPARE(subjects.field(QStringLiteral("Code")), QString());
    QVERIFY(!subjects.setField(QStringLiteral("Code"), QStringLiteral("x")));
    QVERIFY(!subjects.moveTo(0));
    QVERIFY(!subjects.filter(QStringLiteral("NoSuchField"), QStringLiteral("x")));
    QVERIFY(subjects.add());
    QVERIFY(!subjects.setField(QStringLiteral("NoSuchField"), QStringLiteral("x")));

    Cursor missing(QStringLiteral("NoSuchTable"));
    QVERIFY(!missing.open());
    QCOMPARE(missing.count(), 0);
}

void TestData::transactionIsAllOrNothing()
{
    TestProgramFolder folder;
    QCOMPARE(folder.openDatabase(), QString());
    QVERIFY(SeedSubjects(2));
    Cursor subjects(QStringLiteral("IDE"));
    Cursor answers(QStringLiteral("Answer"));
    QVERIFY(subjects.open() && answers.open());

    {
        // The answers row goes in, then the subject row is refused: neither stays.
        Transaction transaction;
        QVERIFY(answers.add());
        QVERIFY(answers.setField(QStringLiteral("Code"), QStringLiteral("T1")));
        QVERIFY(answers.save());
        QVERIFY(subjects.add());
        QVERIFY(subjects.setField(QStringLiteral("Code"), QStringLiteral("S0")));
        QVERIFY(!subjects.save());
        QVERIFY(!transaction.commit());
    }
    QCOMPARE(CountInFile(folder.databasePath(), QStringLiteral("Answer"), QStringLiteral("T1")), 0);
    // Both rows are unsaved again, as they were typed: nothing is lost, nothing moved elsewhere.
    QVERIFY(answers.hasUnsavedChanges());
    QCOMPARE(answers.count(), 3);
    QCOMPARE(answers.field(QStringLiteral("Code")), QStringLiteral("T1"));
    QVERIFY(subjects.hasUnsavedChanges());
    QCOMPARE(subjects.field(QStringLiteral("Code")), QStringLiteral("S0"));

    {
        // Corrected, the same rows go through whole.
        Transaction transaction;
        QVERIFY(answers.save());
        QVERIFY(subjects.setField(QStringLiteral("Code"), QStringLiteral("T1")));
        QVERIFY(subjects.save());
        QVERIFY(transaction.commit());
    }
    QCOMPARE(CountInFile(folder.databasePath(), QStringLiteral("Answer"), QStringLiteral("T1")), 1);
    QCOMPARE(CountInFile(folder.databasePath(), QStringLiteral("IDE"), QStringLiteral("T1")), 1);

    {
        // Without commit nothing stays, even when every write went through.
        Transaction transaction;
        QVERIFY(answers.add());
        QVERIFY(answers.setField(QStringLiteral("Code"), QStringLiteral("T2")));
        QVERIFY(answers.save());
    }
    QCOMPARE(CountInFile(folder.databasePath(), QStringLiteral("Answer"), QStringLiteral("T2")), 0);
    QCOMPARE(answers.count(), 4);
    QVERIFY(answers.hasUnsavedChanges());
    answers.revert();
    QCOMPARE(answers.count(), 3);
    QVERIFY(!answers.hasUnsavedChanges());
}

void TestData::nestedTransactionFailureRollsBackTheWhole()
{
    TestProgramFolder folder;
    QCOMPARE(folder.openDatabase(), QString());
    Cursor answers(QStringLiteral("Answer"));
    QVERIFY(answers.open());
    {
        Transaction outer;
        QVERIFY(answers.add());
        QVERIFY(answers.setField(QStringLiteral("Code"), QStringLiteral("N1")));
        QVERIFY(answers.save());
        {
            Transaction inner; // abandoned without commit
        }
        QVERIFY(Transaction::IsRunning());
        QVERIFY(!outer.commit());
    }
    QVERIFY(!Transaction::IsRunning());
    QCOMPARE(CountInFile(folder.databasePath(), QStringLiteral("Answer"), QStringLiteral("N1")), 0);

    // And a later transaction starts clean.
    Transaction next;
    QVERIFY(answers.add());
    QVERIFY(answers.setField(QStringLiteral("Code"), QStringLiteral("N2")));
    QVERIFY(answers.save());
    QVERIFY(next.commit());
    QCOMPARE(CountInFile(folder.databasePath(), QStringLiteral("Answer"), QStringLiteral("N2")), 1);
}

void TestData::startupRefusesBadFiles_data()
{
    QTest::addColumn<Lay>("lay");
    QTest::addColumn<QString>("said");    // besides the path
    QTest::addColumn<int>("files");       // in the database's folder, before and after
    QTest::addColumn<bool>("fileItself"); // about what stands at the file's path
    const auto written = [](const QByteArray &content) {
        return Lay([content](const QString &path) { return WriteFile(path, content); });
    };
    QTest::newRow("missing file") << Lay([](const QString &) { return true; }) << QString() << 0
                                  << true;
    QTest::newRow("a folder in its place")
        << Lay([](const QString &path) { return QDir().mkpath(path); }) << QString() << 0 << true;
    QTest::newRow("a text file") << written(QByteArray("Korvat subjects, exported\n").repeated(200))
                                 << QString() << 1 << true;
    QTest::newRow("an empty file") << written(QByteArray()) << QString() << 1 << true;
    QTest::newRow("another program's database")
        << editedCopy({u("DROP TABLE \"IDE\""), u("DROP TABLE \"Answer\""),
                       u("CREATE TABLE invoices (id INTEGER, total REAL)")})
        << QString() << 1 << false;
    QTest::newRow("a table missing")
        << editedCopy({u("DROP TABLE \"QU\"")}) << u("QU") << 1 << false;
    QTest::newRow("a field missing") << editedCopy({u("ALTER TABLE \"Answer\" DROP COLUMN \"56\"")})
                                     << u("Answer.56") << 1 << false;
    QTest::newRow("codes of subjects not unique")
        << editedCopy(withoutUniqueCode(u("IDE"))) << u("IDE.Code UNIQUE") << 1 << false;
    QTest::newRow("codes of answers not unique")
        << editedCopy(withoutUniqueCode(u("Answer"))) << u("Answer.Code UNIQUE") << 1 << false;
    // Whole in every table and field, with a trigger that would run with the first save.
    QTest::newRow("a trigger in it") << Lay([](const QString &path) {
        return editedCopy({})(path) && OtherProgram(path).refuse("UPDATE", u("IDE"));
    }) << u("refuse") << 1 << false;
}

void TestData::startupRefusesBadFiles()
{
    QFETCH(Lay, lay);
    QFETCH(QString, said);
    QFETCH(int, files);
    QFETCH(bool, fileItself);
    if (fileItself)
        FILE_ONLY("what stands at the database file's path");
    TestProgramFolder folder;
    const QString path = folder.databasePath();
    QFile::remove(path);
    QVERIFY(lay(path));
    const bool exists = QFileInfo::exists(path);
    const QByteArray before = FileHash(path);
    const QStringList rowsBefore = EveryRow(path);

    // On the server the message names the server's place rather than the path.
    const QString message = OpenDatabase(path).description();
    QVERIFY(!message.isEmpty());
    QVERIFY2(message.contains(folder.shownPlace()), qPrintable(message));
    QVERIFY(!IsDatabaseOpen());
    QVERIFY2(message.contains(said), qPrintable(message));

    // Nothing created, nothing changed. On the server the folder holds server.ini alone.
    QCOMPARE(QFileInfo::exists(path), exists);
    QCOMPARE(FileHash(path), before);
    QCOMPARE(EveryRow(path), rowsBefore);
    QCOMPARE(QDir(folder.path() + QStringLiteral("/DBKORVAT")).entryList(QDir::Files).size(),
             OnServer() ? 1 : files);
}

namespace {
// The fields of IDE that lead an index, the row key's own aside.
QStringList indexedFields(const QString &path)
{
    const QString sql =
        OnServer() ? QStringLiteral("SELECT a.attname FROM pg_index i JOIN pg_class c ON c.oid = "
                                    "i.indrelid JOIN pg_attribute a ON a.attrelid = c.oid AND "
                                    "a.attnum = i.indkey[0] WHERE c.relname = 'IDE' AND NOT "
                                    "i.indisprimary ORDER BY a.attname")
                   : QStringLiteral("SELECT ii.name FROM pragma_index_list('IDE') il, "
                                    "pragma_index_info(il.name) ii ORDER BY ii.name");
    QStringList fields;
    for (const QVariant &field : ReadFromFile(path, sql))
        fields << field.toString();
    return fields;
}
} // namespace

void TestData::initTestCase()
{
    // Seeded once, in one transaction: on a server run in a database of its own on the server,
    // which each case copies as the server copies a database, whole, the way a file is copied.
    m_large = std::make_unique<TestProgramFolder>();
    QVERIFY(m_large->isValid());
    QCOMPARE(m_large->openDatabase(), QString());
    QVERIFY(SeedSubjects(100000));
    CloseDatabase();
}

void TestData::unstorableTextIsRefused_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("refused");
    // Pasted from a broken source: half of a surrogate pair.
    QTest::newRow("a lone surrogate") << u("K") + QChar(0xD83D) + u("1") << true;
    // The file keeps a NUL as any other character; the server's text cannot hold one.
    QTest::newRow("a NUL") << u("K") + QChar(u'\0') + u("1") << OnServer();
}

void TestData::unstorableTextIsRefused()
{
    QFETCH(QString, code);
    QFETCH(bool, refused);
    TestProgramFolder folder;
    QCOMPARE(folder.openDatabase(), QString());
    Cursor subjects(QStringLiteral("IDE"));
    QVERIFY(subjects.open());
    QVERIFY(subjects.add());
    QVERIFY(subjects.setField(QStringLiteral("Code"), code));
    if (!refused) {
        QVERIFY2(subjects.save(), qPrintable(subjects.lastError().description()));
        QCOMPARE(CountInFile(folder.databasePath(), QStringLiteral("IDE"), code), 1);
        QCOMPARE(CountInFile(folder.databasePath(), QStringLiteral("IDE")), 1);
        return;
    }
    QVERIFY(!subjects.save());
    QVERIFY(subjects.lastError().is(Failure::InvalidText)); // ours, not an SQL error
    QVERIFY(!subjects.lastError().description().isEmpty());
    QVERIFY(subjects.hasUnsavedChanges());
    QCOMPARE(ReadFromFile(folder.databasePath(), QStringLiteral("SELECT COUNT(*) FROM \"IDE\"")),
             QVariantList{0});
    // Mended, it goes in.
    QVERIFY(subjects.setField(QStringLiteral("Code"), u("K1")));
    QVERIFY(subjects.save());
    QCOMPARE(CountInFile(folder.databasePath(), QStringLiteral("IDE"), u("K1")), 1);
}

void TestData::subjectRowsAreFoundByOneRule_data()
{
    QTest::addColumn<QStringList>("details"); // the codes in IDE
    QTest::addColumn<QStringList>("answers"); // the codes in Answer
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("found"); // "details code|answers code", "-" for a row not found
    const QStringList none;
    QTest::newRow("exact") << QStringList{u("K7")} << QStringList{u("K7")} << u("K7") << u("K7|K7");
    QTest::newRow("registered with blanks, typed bare")
        << QStringList{u(" K7 ")} << QStringList{u("K7")} << u("K7") << u(" K7 |K7");
    QTest::newRow("registered with blanks, typed so")
        << QStringList{u(" K7 ")} << QStringList{u("K7")} << u(" K7 ") << u(" K7 |K7");
    QTest::newRow("a blank typed is not trimmed")
        << QStringList{u("K7")} << QStringList{u("K7")} << u("K7 ") << u("-|-");
    QTest::newRow("stored in Persian digits, typed in Latin")
        << QStringList{u("۳۰۰۲")} << QStringList{u("۳۰۰۲")} << u("3002") << u("۳۰۰۲|۳۰۰۲");
    QTest::newRow("stored in Latin, typed in Arabic-Indic")
        << QStringList{u("K-12")} << QStringList{u("K-12")} << u("K-١٢") << u("K-12|K-12");
    QTest::newRow("Persian digits and blanks")
        << QStringList{u(" ۷ ")} << QStringList{u("۷")} << u("7") << u(" ۷ |۷");
    QTest::newRow("the exact code before the other digits")
        << QStringList{u("3002"), u("۳۰۰۲")} << QStringList{u("3002"), u("۳۰۰۲")} << u("۳۰۰۲")
        << u("۳۰۰۲|۳۰۰۲");
    QTest::newRow("the other digits twice: no guess")
        << QStringList{u("۳۰۰۲"), u("٣٠٠٢")} << QStringList{u("۳۰۰۲"), u("٣٠٠٢")} << u("3002")
        << u("-|-");
    QTest::newRow("answers without details")
        << none << QStringList{u("K7")} << u("K7") << u("-|K7");
    QTest::newRow("details without answers")
        << QStringList{u("K7")} << none << u("K7") << u("K7|-");
    // The bare code's answers belong to the subject registered under the bare code.
    QTest::newRow("the trimmed answers are another subject's")
        << QStringList{u(" K8 "), u("K8")} << QStringList{u("K8")} << u(" K8 ") << u(" K8 |-");
    QTest::newRow("two details rows come to the same code")
        << QStringList{u(" K9"), u("K9 ")} << QStringList{u("K9")} << u("K9") << u("-|K9");
    QTest::newRow("quotes and pattern signs")
        << QStringList{u(" a'b_%\"")} << QStringList{u("a'b_%\"")} << u("a'b_%\"")
        << u(" a'b_%\"|a'b_%\"");
    QTest::newRow("nobody") << QStringList{u("K1")} << QStringList{u("K1")} << u("K2") << u("-|-");
}

void TestData::subjectRowsAreFoundByOneRule()
{
    QFETCH(QStringList, details);
    QFETCH(QStringList, answers);
    QFETCH(QString, typed);
    QFETCH(QString, found);
    TestProgramFolder folder;
    QCOMPARE(folder.openDatabase(), QString());
    for (const auto &[table, codes] :
         {std::pair{u("IDE"), details}, std::pair{u("Answer"), answers}}) {
        Cursor rows(table);
        for (const QString &code : codes)
            QVERIFY(rows.add() && rows.setField(QStringLiteral("Code"), code) && rows.save());
    }
    SubjectRows rows;
    QVERIFY(rows.find(typed));
    QCOMPARE((rows.hasDetails ? rows.detailsCode : u("-")) + u("|") +
                 (rows.hasAnswers ? rows.answersCode : u("-")),
             found);
    // A cursor filtered by what was found holds exactly that row, or none.
    Cursor subject(QStringLiteral("IDE"));
    QVERIFY(subject.filter(QStringLiteral("Code"), rows.detailsFilter()));
    QCOMPARE(subject.isEmpty(), !rows.hasDetails);
}

void TestData::commitSurvivesAPowerCut_data()
{
    QTest::addColumn<bool>("twoRows"); // a registration's two rows, or one answer
    QTest::newRow("an answer") << false;
    QTest::newRow("a registration") << true;
}

void TestData::commitSurvivesAPowerCut()
{
    QFETCH(bool, twoRows);
    FILE_ONLY("the file's disk as a power cut leaves it");
    QTemporaryDir base;
    QVERIFY(base.isValid());
    const QString image = base.filePath(QStringLiteral("disk.img"));
    QString cut = base.filePath(QStringLiteral("cut.img"));
    {
        LoopDisk disk(image, base.filePath(QStringLiteral("disk")), 16);
        SKIP_UNLESS_MOUNTED(disk);
        const QString path = base.filePath(QStringLiteral("disk/DBKorvat.mdb"));
        QVERIFY(QFile::copy(DeliveredDatabasePath(), path));
        QCOMPARE(OpenDatabase(path).description(), QString());
        QVERIFY(SeedSubjects(3));
        Cursor answers(QStringLiteral("Answer"));
        QVERIFY(answers.filter(QStringLiteral("Code"), u("S1")));
        Cursor subjects(QStringLiteral("IDE"));
        QVERIFY(subjects.open());
        // Everything so far on the disk, as after a quiet while.
        QProcess::execute(QStringLiteral("sync"), {});

        QVERIFY(answers.setField(QStringLiteral("1"), u("9")));
        if (twoRows) {
            Transaction transaction;
            QVERIFY(subjects.add() && subjects.setField(QStringLiteral("Code"), u("N1")));
            QVERIFY(answers.save() && subjects.save() && transaction.commit());
        } else {
            QVERIFY(answers.save());
        }
        // The power goes the moment the save has said it is done.
        QVERIFY(QFile::copy(image, cut));
        CloseDatabase();
    }
    LoopDisk after(cut, base.filePath(QStringLiteral("after")));
    QVERIFY(after.isMounted());
    // The next start on that disk: a journal left behind would be played back now.
    const QString path = base.filePath(QStringLiteral("after/DBKorvat.mdb"));
    QCOMPARE(
        ReadFromFile(path, QStringLiteral("SELECT \"1\" FROM \"Answer\" WHERE \"Code\" = 'S1'")),
        QVariantList{u("9")});
    QCOMPARE(CountInFile(path, QStringLiteral("IDE"), u("N1")), twoRows ? 1 : 0);
    QVERIFY(!QFile::exists(path + QStringLiteral("-journal")));
}

void TestData::fileReplacedByAnotherProgramIsSaidSo()
{
    FILE_ONLY("a new file renamed into the database file's place");
    TestProgramFolder folder;
    QCOMPARE(folder.openDatabase(), QString());
    QVERIFY(SeedSubjects(2));
    Cursor answers(QStringLiteral("Answer"));
    QVERIFY(answers.filter(QStringLiteral("Code"), u("S1")));
    // Another copy of the program restores a backup: a whole new file renamed into the place of
    // this one's.
    const QString path = folder.databasePath();
    const QString restored = path + QStringLiteral(".restoring");
    QVERIFY(QFile::copy(path, restored));
    QVERIFY(std::rename(QFile::encodeName(restored).constData(),
                        QFile::encodeName(path).constData()) == 0);

    QVERIFY(answers.setField(QStringLiteral("1"), u("2")));
    QVERIFY(!answers.save());
    const QString said = answers.lastError().description();
    QVERIFY2(said.contains(u("جایگزین")), qPrintable(said));
    QVERIFY2(!said.contains(u("فقط‌خواندنی")), qPrintable(said));
    QVERIFY(answers.hasUnsavedChanges()); // what is on screen stays
}

void TestData::saveWaitsForAnotherProgramServingEvents_data()
{
    QTest::addColumn<Hold>("hold");      // the lock the other program holds
    QTest::addColumn<int>("releasedMs"); // when it lets go; -1: not before the busy limit
    QTest::addColumn<bool>("saved");
    const Hold write = &OtherProgram::holdWriteLock;
    const Hold read = &OtherProgram::holdReadLock;
    QTest::newRow("a write lock, let go") << write << 300 << true;
    QTest::newRow("a read lock the commit waits for, let go") << read << 300 << true;
    QTest::newRow("a write lock past the limit") << write << -1 << false;
    // On the server a reader holds nothing a commit waits for: the save goes through at once.
    QTest::newRow("a read lock past the limit") << read << -1 << OnServer();
}

namespace {
QStringList waitsSeen;
void noteWait(bool waiting)
{
    waitsSeen << (waiting ? u("waiting") : u("done"));
}
} // namespace

void TestData::saveWaitsForAnotherProgramServingEvents()
{
    QFETCH(Hold, hold);
    QFETCH(int, releasedMs);
    QFETCH(bool, saved);
    const int limitMs = 800;
    TestProgramFolder folder;
    QCOMPARE(OpenDatabase(folder.databasePath(), limitMs).description(), QString());
    QVERIFY(SeedSubjects(2));
    Cursor answers(QStringLiteral("Answer"));
    QVERIFY(answers.filter(QStringLiteral("Code"), u("S1")));
    const QString before = answers.field(QStringLiteral("1"));
    QVERIFY(answers.setField(QStringLiteral("1"), u("2")));

    auto other = std::make_unique<OtherProgram>(folder.databasePath());
    QVERIFY(hold(*other));
    // Timers run while the save waits: the program's windows keep being drawn.
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
    ticker.start(50);
    if (releasedMs >= 0)
        QVERIFY2(other->letGoAfter(releasedMs), qPrintable(other->lastError()));
    waitsSeen.clear();
    Transaction::SetWaitObserver(&noteWait);
    QElapsedTimer clock;
    clock.start();
    const bool ok = bool(answers.save());
    const qint64 took = clock.elapsed();
    Transaction::SetWaitObserver(nullptr);
    other.reset();

    QCOMPARE(ok, saved);
    if (OnServer()) {
        // There each statement waits for the lock itself, up to the busy limit, rather than in
        // slices with the events served between them: nobody is told of a wait.
        QCOMPARE(waitsSeen, QStringList());
    } else {
        QCOMPARE(waitsSeen, (QStringList{u("waiting"), u("done")}));
        QVERIFY2(ticks >= 3, qPrintable(QString::number(ticks)));
    }
    if (saved) {
        QVERIFY(took < limitMs);
    } else {
        // Bounded: the busy message once the limit has passed, and nothing written.
        QVERIFY(took >= limitMs && took < limitMs + 1000);
        QVERIFY(answers.lastError().is(Failure::FileBusy));
        QVERIFY(answers.lastError().description().contains(u("برنامه‌ی دیگری")));
        QVERIFY(answers.hasUnsavedChanges());
    }
    QCOMPARE(ReadFromFile(folder.databasePath(),
                          QStringLiteral("SELECT \"1\" FROM \"Answer\" WHERE \"Code\" = 'S1'")),
             QVariantList{saved ? u("2") : before});
}

void TestData::rowChangedByAnotherProgramIsNeverWritten_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("other"); // what the other program does meanwhile
    QTest::addColumn<QString>("field");     // then this program edits it and saves
    QTest::addColumn<QString>("shown");     // the field read back beside each code
    QTest::addColumn<QStringList>("after"); // the table in the file at the end
    const QString s0 = u("S0:") + SeedFirstName(0);
    const QString s2 = u("S2:") + SeedFirstName(2);
    // A file rebuilt by a repair tool numbers its rows anew; on the server the number is given by
    // hand, over the one the server would give.
    const QString renumbered =
        u("INSERT INTO \"IDE\" (%1, \"Code\", \"FName\") %2VALUES (2, 'S9', 'other')")
            .arg(RowKey(), OnServer() ? u("OVERRIDING SYSTEM VALUE ") : QString());
    QTest::newRow("another subject renumbered into its place")
        << u("IDE") << u("S1")
        << QStringList{u("DELETE FROM \"IDE\" WHERE \"Code\" = 'S1'"), renumbered} << u("FName")
        << u("FName") << QStringList{s0, u("S9:other"), s2};
    // The last row deleted and a new person registered under the same code: the file gives the
    // new row the same rowid (the server a new one).
    QTest::newRow("last subject replaced under the same code")
        << u("IDE") << u("S2")
        << QStringList{u("DELETE FROM \"IDE\" WHERE \"Code\" = 'S2'"),
                       u("INSERT INTO \"IDE\" (\"Code\", \"FName\") VALUES ('S2', 'new')")}
        << u("FName") << u("FName") << QStringList{s0, u("S1:") + SeedFirstName(1), u("S2:new")};
    QTest::newRow("last answers replaced under the same code")
        << u("Answer") << u("S2")
        << QStringList{u("DELETE FROM \"Answer\" WHERE \"Code\" = 'S2'"),
                       u("INSERT INTO \"Answer\" (\"Code\") VALUES ('S2')")}
        << u("1") << u("1") << QStringList{u("S0:3"), u("S1:4"), u("S2:")}; // as seeded
    QTest::newRow("one other field changed")
        << u("IDE") << u("S1")
        << QStringList{u("UPDATE \"IDE\" SET \"Sen\" = '99' WHERE \"Code\" = 'S1'")} << u("FName")
        << u("FName") << QStringList{s0, u("S1:") + SeedFirstName(1), s2};
}

void TestData::rowChangedByAnotherProgramIsNeverWritten()
{
    QFETCH(QString, table);
    QFETCH(QString, code);
    QFETCH(QStringList, other);
    QFETCH(QString, field);
    QFETCH(QString, shown);
    QFETCH(QStringList, after);
    TestProgramFolder folder;
    QCOMPARE(folder.openDatabase(), QString());
    QVERIFY(SeedSubjects(3));
    Cursor rows(table);
    QVERIFY(rows.filter(QStringLiteral("Code"), code));
    {
        OtherProgram second(folder.databasePath());
        for (const QString &sql : other)
            QVERIFY2(second.exec(sql), qPrintable(second.lastError()));
    }

    QVERIFY(rows.setField(field, u("edited")));
    QVERIFY(!rows.save());
    QVERIFY(rows.lastError().is(Failure::RowChanged));
    QVERIFY(rows.lastError().description().contains(u("برنامه‌ی دیگری")));
    QVERIFY(rows.hasUnsavedChanges()); // kept in the window, never written elsewhere
    QVERIFY(!rows.deleteCurrent());
    QStringList inFile;
    for (const QVariant &row :
         ReadFromFile(folder.databasePath(),
                      QStringLiteral("SELECT \"Code\" || ':' || coalesce(\"%1\", '') FROM \"%2\" "
                                     "ORDER BY %3")
                          .arg(shown, table, RowKey())))
        inFile << row.toString();
    QCOMPARE(inFile, after);
}

void TestData::largeRegisterIsNeverReadWhole_data()
{
    QTest::addColumn<Operation>("operation");
    QTest::newRow("add, save, read back, save again") << Operation(
        [](Cursor &subjects, const QString &path) {
            QVERIFY(subjects.add());
            QVERIFY(subjects.setField(QStringLiteral("Code"), u("new")));
            QVERIFY(subjects.setField(QStringLiteral("FName"), u("first")));
            QVERIFY(subjects.save());
            QCOMPARE(subjects.field(QStringLiteral("Code")), u("new"));
            QCOMPARE(subjects.field(QStringLiteral("FName")), u("first"));
            QVERIFY(subjects.setField(QStringLiteral("FName"), u("again")));
            QVERIFY(subjects.save());
            QCOMPARE(ReadFromFile(path, QStringLiteral("SELECT \"FName\" FROM \"IDE\" WHERE %1 = "
                                                       "(SELECT MAX(%1) FROM \"IDE\")")
                                            .arg(RowKey())),
                     QVariantList{u("again")});
            QCOMPARE(CountInFile(path, QStringLiteral("IDE"), u("new")), 1);
        });
    QTest::newRow("last row of a 2,000-row filter")
        << Operation([](Cursor &subjects, const QString &path) {
               const QString date = SeedDate(7);
               QVERIFY(subjects.filter(QStringLiteral("Date"), date));
               QVERIFY(subjects.moveLast());
               const QVariantList last = ReadFromFile(
                   path,
                   QStringLiteral("SELECT \"Code\" FROM \"IDE\" WHERE \"Date\" = ? ORDER BY %1 "
                                  "DESC LIMIT 1")
                       .arg(RowKey()),
                   {date});
               QCOMPARE(subjects.field(QStringLiteral("Code")), last.value(0).toString());
               QCOMPARE(subjects.currentRow(), 1999);
               QCOMPARE(subjects.count(), 2000);
           });
    QTest::newRow("first, next and last of a group")
        << Operation([](Cursor &subjects, const QString &) {
               QVERIFY(subjects.filter(QStringLiteral("Group"), u("C")));
               QVERIFY(subjects.moveFirst());
               QCOMPARE(subjects.field(QStringLiteral("Code")), u("S2"));
               QVERIFY(subjects.moveNext());
               QCOMPARE(subjects.field(QStringLiteral("Code")), u("S9"));
               QVERIFY(subjects.moveLast());
               QCOMPARE(subjects.field(QStringLiteral("Code")), u("S99997"));
               QVERIFY(!subjects.moveNext());
           });
    QTest::newRow("edit a subject found by code") << Operation([](Cursor &subjects,
                                                                  const QString &path) {
        QVERIFY(subjects.filter(QStringLiteral("Code"), u("S54321")));
        QVERIFY(subjects.setField(QStringLiteral("Kol"), u("140")));
        QVERIFY(subjects.save());
        QCOMPARE(ReadFromFile(path,
                              QStringLiteral("SELECT \"Code\" FROM \"IDE\" WHERE \"Kol\" = '140'")),
                 QVariantList{u("S54321")});
    });
    QTest::newRow("delete a subject found by code")
        << Operation([](Cursor &subjects, const QString &path) {
               QVERIFY(subjects.filter(QStringLiteral("Code"), u("S4")));
               QVERIFY(subjects.deleteCurrent());
               QCOMPARE(subjects.currentRow(), -1);
               QCOMPARE(CountInFile(path, QStringLiteral("IDE"), u("S4")), 0);
               QVERIFY(subjects.reread());
               QVERIFY(subjects.moveTo(4));
               QCOMPARE(subjects.field(QStringLiteral("Code")), u("S5"));
           });
    QTest::newRow("open, test for emptiness") << Operation([](Cursor &subjects, const QString &) {
        QVERIFY(!subjects.isEmpty());
        QVERIFY(subjects.filter(QStringLiteral("Code"), u("S100000")));
        QVERIFY(subjects.isEmpty());
    });
}

void TestData::largeRegisterIsNeverReadWhole()
{
    QFETCH(Operation, operation);
    TestProgramFolder folder;
    QVERIFY(folder.replaceDatabase(m_large->databasePath()));
    QCOMPARE(folder.openDatabase(), QString());
    Cursor subjects(QStringLiteral("IDE"));
    QVERIFY(subjects.open());
    operation(subjects, folder.databasePath());
    if (QTest::currentTestFailed())
        return;
    // What the cursor read from the file: a handful of rows, never the register.
    QVERIFY2(subjects.model()->rowCount() <= 10,
             qPrintable(QString::number(subjects.model()->rowCount())));
}

void TestData::countsFollowTheFilter()
{
    TestProgramFolder folder;
    QVERIFY(folder.replaceDatabase(m_large->databasePath()));
    QCOMPARE(folder.openDatabase(), QString());
    const QString path = folder.databasePath();
    auto inFile = [&](const QString &where) {
        return ReadFromFile(path, QStringLiteral("SELECT COUNT(*) FROM \"IDE\" ") + where)
            .value(0)
            .toInt();
    };
    Cursor subjects(QStringLiteral("IDE"));
    QVERIFY(subjects.open());
    QVERIFY(subjects.filter(QStringLiteral("LName"), u("nobody")));
    QCOMPARE(subjects.count(), 0);
    QCOMPARE(subjects.currentRow(), -1);
    QVERIFY(subjects.filter(QStringLiteral("Group"), u("D")));
    QCOMPARE(subjects.count(), inFile(QStringLiteral("WHERE \"Group\" = 'D'")));
    QVERIFY(subjects.add()); // an unsaved row counts as the cursor's
    QCOMPARE(subjects.count(), inFile(QStringLiteral("WHERE \"Group\" = 'D'")) + 1);
    QVERIFY(subjects.filter(QStringLiteral("LName"), SeedLastName(5)));
    QCOMPARE(subjects.count(),
             inFile(QStringLiteral("WHERE \"LName\" = '") + SeedLastName(5) + QStringLiteral("'")));
    QVERIFY(subjects.reread());
    QCOMPARE(subjects.count(), 100000);
    QVERIFY(subjects.model()->rowCount() <= 10);
}

void TestData::missingIndexesAreAddedAndNothingElseChanges()
{
    TestProgramFolder folder;
    QCOMPARE(folder.openDatabase(), QString());
    QVERIFY(SeedSubjects(300));
    CloseDatabase();
    const QString path = folder.databasePath();
    {
        // A database from before the indexes (on the server, the tables' owner drops them).
        OtherProgram other(path);
        for (const char *index : {"IDE_LName", "IDE_FName", "IDE_Date", "IDE_Group"})
            QVERIFY2(other.exec(QStringLiteral("DROP INDEX \"%1\"").arg(QLatin1String(index))),
                     qPrintable(other.lastError()));
    }
    QCOMPARE(indexedFields(path), QStringList{u("Code")});
    const QStringList before = EveryRow(path);
    QCOMPARE(before.size(), 300 + 300 + 1 + 56);

    if (OnServer()) {
        // The examiners' role may not add an index: the register opens without them, as it is.
        QCOMPARE(folder.openDatabase(), QString());
        CloseDatabase();
        QCOMPARE(indexedFields(path), QStringList{u("Code")});
        QCOMPARE(EveryRow(path), before);
        // The tables' owner may.
        QVERIFY(WriteFile(ServerSettingsPath(path),
                          TestServer::Instance()
                              .settingsText(folder.serverDatabase(), TestServer::AdminUser())
                              .toUtf8()));
    }

    QCOMPARE(folder.openDatabase(), QString());
    CloseDatabase();
    QCOMPARE(indexedFields(path),
             (QStringList{u("Code"), u("Date"), u("FName"), u("Group"), u("LName")}));
    QCOMPARE(EveryRow(path), before);
}

void TestData::fileInUseIsNotCalledDamaged_data()
{
    QTest::addColumn<Hold>("hold");
    QTest::addColumn<bool>("fileItself"); // a mode of the file
    QTest::newRow("another program's exclusive transaction")
        << Hold(&OtherProgram::holdExclusiveLock) << false;
    // Reading: committed data may sit in the side file that a copy of the .mdb misses.
    QTest::newRow("another program reads it in WAL mode") << Hold([](OtherProgram &other) {
        return other.firstValue(QStringLiteral("PRAGMA journal_mode = WAL")) == u("wal") &&
               other.holdReadLock();
    }) << true;
}

void TestData::fileInUseIsNotCalledDamaged()
{
    QFETCH(Hold, hold);
    QFETCH(bool, fileItself);
    if (fileItself)
        FILE_ONLY("the file's journal mode");
    TestProgramFolder folder;
    const QString path = folder.databasePath();
    {
        OtherProgram other(path);
        QVERIFY(hold(other));
        const QByteArray before = FileHash(path);

        const QString message = OpenDatabase(path, 100).description();
        if (OnServer()) {
            // The start reads the server's catalogue alone, which another PC's lock on the
            // tables never holds up: the register opens, and a window that reads it while the
            // lock is held hears that it is busy.
            QCOMPARE(message, QString());
            Cursor subjects(u("IDE"));
            QVERIFY(!subjects.open());
            QVERIFY(subjects.lastError().is(Failure::FileBusy));
            CloseDatabase();
        } else {
            QVERIFY2(message.contains(folder.shownPlace()), qPrintable(message));
            QVERIFY2(message.contains(u("برنامه‌ی دیگری")), qPrintable(message));
            QVERIFY(!IsDatabaseOpen());
        }
        QCOMPARE(FileHash(path), before);
    }
    // Once the other program has let go, the file opens as it is.
    QCOMPARE(folder.openDatabase(), QString());
}

void TestData::readOnlyFolderIsRefused()
{
    FILE_ONLY("the file's folder on a read-only file system");
    // The database folder on a read-only file system, the file itself writable: only the folder
    // stands in the way of the journal every save makes.
    TestProgramFolder folder;
    const QString path = folder.databasePath();
    const QString writable = folder.path() + QStringLiteral("/writable.mdb");
    QVERIFY(QFile::copy(path, writable));
    const QString dbFolder = QFileInfo(path).absolutePath();
    TmpfsMount mount(dbFolder, u("1m"));
    SKIP_UNLESS_MOUNTED(mount);
    QFile placeholder(path);
    QVERIFY(placeholder.open(QIODevice::WriteOnly));
    placeholder.close();
    QVERIFY(mount.remountReadOnly());
    BindMount file(writable, path);
    QVERIFY(file.isMounted());
    QVERIFY(QFileInfo(path).isWritable());
    const QByteArray before = FileHash(path);

    const QString message = OpenDatabase(path).description();
    QVERIFY2(message.contains(QDir::toNativeSeparators(dbFolder)), qPrintable(message));
    QVERIFY(!IsDatabaseOpen());
    QCOMPARE(FileHash(path), before);
}

QTEST_GUILESS_MAIN(TestData)
#include "test_data.moc"

void TestData::busyFileIsNotAMissingTable()
{
    // A window opening while another program holds the file hears that the file is busy.
    TestProgramFolder folder;
    QCOMPARE(OpenDatabase(folder.databasePath(), 100).description(), QString());
    {
        OtherProgram other(folder.databasePath());
        QVERIFY(other.holdExclusiveLock());
        Cursor busy(u("IDE"));
        QVERIFY(!busy.open());
        QVERIFY(busy.lastError().is(Failure::FileBusy));
        QCOMPARE(busy.lastError().description(), text(DatabaseText::ReadBusy));
    }
    Cursor later(u("IDE"));
    QVERIFY(later.open());
}
