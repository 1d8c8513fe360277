// The database file as delivered, the cursors over it, transactions and the start-up checks.
#include "Seed.h"
#include "TestProgramFolder.h"
#include "data/Cursor.h"
#include "data/Database.h"
#include "data/Transaction.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlTableModel>
#include <QtTest>

namespace {
QString u(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

QStringList names(std::initializer_list<const char *> list)
{
    QStringList result;
    for (const char *name : list)
        result << QString::fromUtf8(name);
    return result;
}

int countInFile(const QString &path, const QString &table, const QString &code)
{
    return ReadFromFile(path,
                        QStringLiteral("SELECT COUNT(*) FROM \"%1\" WHERE \"Code\" = ?").arg(table),
                        {code})
        .value(0, -1)
        .toInt();
}

// Registers a subject the way the program does: an Answer row with the trimmed code, an IDE row
// with the code as typed.
bool addSubject(Cursor &subjects, Cursor &answers, const QString &code)
{
    return answers.add() && answers.setField(QStringLiteral("Code"), code.trimmed()) &&
           answers.save() && subjects.add() && subjects.setField(QStringLiteral("Code"), code) &&
           subjects.save();
}
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
    TestProgramFolder folder;
    QVERIFY(folder.isValid());
    QCOMPARE(folder.openDatabase(), QString());
    QSqlQuery query;
    QVERIFY(query.exec(QStringLiteral("PRAGMA journal_mode")) && query.next());
    QCOMPARE(query.value(0).toString(), QStringLiteral("delete"));
    QVERIFY(query.exec(QStringLiteral("PRAGMA synchronous")) && query.next());
    QCOMPARE(query.value(0).toInt(), 2); // FULL
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
    QCOMPARE(countInFile(folder.databasePath(), table, QStringLiteral("K-1")), 1);

    // The refused row stays in the cursor, so the user can correct the code and save again.
    QVERIFY(cursor.hasUnsavedChanges());
    QVERIFY(cursor.setField(QStringLiteral("Code"), QStringLiteral("K-2")));
    QVERIFY(cursor.save());
    QCOMPARE(countInFile(folder.databasePath(), table, QStringLiteral("K-2")), 1);
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
    QTest::newRow("10000 characters") << QString(10000, QLatin1Char('z')) << 1;
    QTest::newRow("9999 characters") << QString(9999, QLatin1Char('z')) << 0;
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
                                QString(10000, QLatin1Char('z'))};
    for (const QString &code : stored)
        QVERIFY2(addSubject(subjects, answers, code), qPrintable(subjects.lastError().text()));

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

    // And the file holds exactly what was typed.
    QCOMPARE(countInFile(folder.databasePath(), QStringLiteral("IDE"), wanted), matches);
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
    QCOMPARE(subjects.currentRow(), subjects.model()->rowCount() - 1);

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
    QCOMPARE(countInFile(folder.databasePath(), QStringLiteral("IDE"), QStringLiteral("new")), 0);
    QCOMPARE(ReadFromFile(folder.databasePath(),
                          QStringLiteral("SELECT \"FName\" FROM \"IDE\" WHERE \"Code\" = 'S1'")),
             QVariantList{u("آزمودنی")});
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
    const QVariantList filled = ReadFromFile(
        folder.databasePath(),
        QStringLiteral("SELECT COUNT(*) FROM pragma_table_info('Answer') WHERE name <> 'Code'"));
    QCOMPARE(filled.value(0).toInt(), 56);
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
    QCOMPARE(countInFile(folder.databasePath(), QStringLiteral("IDE"), QStringLiteral("S4")), 0);

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
    QCOMPARE(countInFile(folder.databasePath(), QStringLiteral("Answer"), QStringLiteral("T1")), 0);
    QCOMPARE(answers.count(), 2);
    QVERIFY(!answers.hasUnsavedChanges());
    QVERIFY(subjects.hasUnsavedChanges()); // the refused row, kept for correction

    {
        // Corrected, the same sequence goes through whole.
        Transaction transaction;
        QVERIFY(answers.add());
        QVERIFY(answers.setField(QStringLiteral("Code"), QStringLiteral("T1")));
        QVERIFY(answers.save());
        QVERIFY(subjects.setField(QStringLiteral("Code"), QStringLiteral("T1")));
        QVERIFY(subjects.save());
        QVERIFY(transaction.commit());
    }
    QCOMPARE(countInFile(folder.databasePath(), QStringLiteral("Answer"), QStringLiteral("T1")), 1);
    QCOMPARE(countInFile(folder.databasePath(), QStringLiteral("IDE"), QStringLiteral("T1")), 1);

    {
        // Without commit nothing stays, even when every write went through.
        Transaction transaction;
        QVERIFY(answers.add());
        QVERIFY(answers.setField(QStringLiteral("Code"), QStringLiteral("T2")));
        QVERIFY(answers.save());
    }
    QCOMPARE(countInFile(folder.databasePath(), QStringLiteral("Answer"), QStringLiteral("T2")), 0);
    QCOMPARE(answers.count(), 3);
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
    QCOMPARE(countInFile(folder.databasePath(), QStringLiteral("Answer"), QStringLiteral("N1")), 0);

    // And a later transaction starts clean.
    Transaction next;
    QVERIFY(answers.add());
    QVERIFY(answers.setField(QStringLiteral("Code"), QStringLiteral("N2")));
    QVERIFY(answers.save());
    QVERIFY(next.commit());
    QCOMPARE(countInFile(folder.databasePath(), QStringLiteral("Answer"), QStringLiteral("N2")), 1);
}

void TestData::startupRefusesBadFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing file") << u("missing");
    QTest::newRow("a folder in its place") << u("folder");
    QTest::newRow("a text file") << u("text");
    QTest::newRow("an empty file") << u("empty");
    QTest::newRow("another program's database") << u("foreign");
    QTest::newRow("a table missing") << u("no-QU");
    QTest::newRow("a field missing") << u("no-56");
}

void TestData::startupRefusesBadFiles()
{
    QFETCH(QString, kind);
    TestProgramFolder folder;
    const QString path = folder.databasePath();
    QFile::remove(path);
    if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(path));
    } else if (kind == QLatin1String("text") || kind == QLatin1String("empty")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        if (kind == QLatin1String("text"))
            file.write(QByteArray("Korvat subjects, exported\n").repeated(200));
    } else if (kind != QLatin1String("missing")) {
        QVERIFY(QFile::copy(DeliveredDatabasePath(), path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("x"));
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery query(db);
        if (kind == QLatin1String("foreign")) {
            QVERIFY(query.exec(QStringLiteral("DROP TABLE \"IDE\"")));
            QVERIFY(query.exec(QStringLiteral("DROP TABLE \"Answer\"")));
            QVERIFY(query.exec(QStringLiteral("CREATE TABLE invoices (id INTEGER, total REAL)")));
        } else if (kind == QLatin1String("no-QU")) {
            QVERIFY(query.exec(QStringLiteral("DROP TABLE \"QU\"")));
        } else {
            QVERIFY(query.exec(QStringLiteral("ALTER TABLE \"Answer\" DROP COLUMN \"56\"")));
        }
        query.finish();
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("x"));
    }
    const QByteArray before = FileHash(path);

    const QString message = OpenDatabase(path);
    QVERIFY(!message.isEmpty());
    QVERIFY2(message.contains(QDir::toNativeSeparators(path)), qPrintable(message));
    QVERIFY(!IsDatabaseOpen());
    if (kind == QLatin1String("no-QU"))
        QVERIFY2(message.contains(QStringLiteral("QU")), qPrintable(message));
    if (kind == QLatin1String("no-56"))
        QVERIFY2(message.contains(QStringLiteral("Answer.56")), qPrintable(message));

    // Nothing created, nothing changed.
    QCOMPARE(QFileInfo::exists(path), kind != QLatin1String("missing"));
    QCOMPARE(FileHash(path), before);
    QCOMPARE(QDir(folder.path() + QStringLiteral("/DBKORVAT")).entryList(QDir::Files).size(),
             kind == QLatin1String("missing") || kind == QLatin1String("folder") ? 0 : 1);
}

QTEST_GUILESS_MAIN(TestData)
#include "test_data.moc"
