// The shared register of a clinic with several PCs, on a PostgreSQL server of the tests' own:
// server.ini read or refused by name, start-up against a server that cannot be reached or will
// not serve, the schema tool, several PCs at once (each a process of its own), and a server that
// stops and comes back.
#include "Answers.h"
#include "Must.h"
#include "OtherProgram.h"
#include "Seed.h"
#include "TestProgramFolder.h"
#include "TestServer.h"
#include "Text.h"
#include "backup/Backup.h"
#include "common/ProgramFolder.h"
#include "data/Backend.h"
#include "data/Cursor.h"
#include "data/Database.h"
#include "data/ServerSettings.h"
#include "register/Register.h"
#include "scoring/ScoringKey.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {
QString writeSettings(const QTemporaryDir &dir, const QString &ini)
{
    const QString path = dir.filePath(u("server.ini"));
    return WriteFile(path, ini.toUtf8()) ? path : QString();
}

// A peer PC: korvat-test-peer on the folder, started and not yet waited for.
QProcess *startPeer(const TestProgramFolder &folder, const QStringList &arguments, QObject *parent)
{
    auto *peer = new QProcess(parent);
    peer->setProcessEnvironment(ProgramEnvironment());
    peer->start(QString::fromUtf8(KORVAT_PEER_EXE), QStringList{folder.path()} + arguments);
    return peer;
}

// The failure the peer's register answered, after it ended; -1 when it did not get that far.
int peerResult(QProcess *peer, QString *output = nullptr)
{
    if (!peer->waitForFinished(60000) || peer->exitCode() != 0)
        return -1;
    const QString said = QString::fromUtf8(peer->readAllStandardOutput());
    if (output)
        *output = said;
    const QRegularExpressionMatch match =
        QRegularExpression(u("^result (\\d+)"), QRegularExpression::MultilineOption).match(said);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QString answersOf(const TestProgramFolder &folder, const QString &code)
{
    return ReadOneFromFile(
               folder.databasePath(),
               u("SELECT %1 FROM \"Answer\" WHERE \"Code\" = ?").arg(AnswersAsOneText(u(","))),
               {code})
        .toString();
}

bool passwordAnswer(const QString &, QString *password)
{
    *password = qEnvironmentVariable("KORVAT_TEST_PASSWORD_ANSWER");
    return !password->isEmpty();
}
} // namespace

class TestServerRegister : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void settingsAreReadOrRefusedByKey_data();
    void settingsAreReadOrRefusedByKey();
    void startupRefusesAServerThatWillNotServe_data();
    void startupRefusesAServerThatWillNotServe();
    void schemaToolBuildsOnceAndRefusesAgain();
    void sameCodeOnTwoPCsAtOnceIsStoredOnce();
    void subjectDeletedOnAnotherPCIsNeverWritten();
    void twoTestsAtOnceKeepTheirOwnAnswers();
    void scoresComeFromOneReadingOfTheAnswers();
    void lockHeldByAnotherPCIsWaitedForABoundedWhile();
    void serverThatStopsAndComesBackLosesNothing();
    void backupIsTheSinglePCFileFromOneSnapshot();
    void restoreReplacesEveryRowOrNone_data();
    void restoreReplacesEveryRowOrNone();
    void bulkSeedingLaysDownSeedSubjectsRows_data();
    void bulkSeedingLaysDownSeedSubjectsRows();
};

void TestServerRegister::initTestCase()
{
    qputenv("KORVAT_TEST_SERVER", "1");
    QVERIFY2(TestServer::Instance().isRunning(), qPrintable(TestServer::Instance().failure()));
}

void TestServerRegister::settingsAreReadOrRefusedByKey_data()
{
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QString>("named"); // in the refusal; empty: read
    QTest::addColumn<QString>("place"); // where the settings say the register is

    QTest::newRow("complete") << u("[server]\nhost=db.clinic\nport=6543\ndatabase=korvat\n"
                                   "user=examiner\nsslmode=verify-full\n")
                              << QString() << u("db.clinic:6543/korvat");
    QTest::newRow("port and sslmode left out")
        << u("[server]\nhost=10.0.0.5\ndatabase=k\nuser=e\n") << QString() << u("10.0.0.5:5432/k");
    QTest::newRow("a service instead")
        << u("[server]\nservice=korvat\n") << QString() << u("service=korvat");
    QTest::newRow("no database") << u("[server]\nhost=h\nuser=e\n") << u("database") << QString();
    QTest::newRow("empty host") << u("[server]\nhost=\ndatabase=k\nuser=e\n") << u("host")
                                << QString();
    QTest::newRow("port not a number")
        << u("[server]\nhost=h\nport=54a\ndatabase=k\nuser=e\n") << u("port") << QString();
    QTest::newRow("port out of range")
        << u("[server]\nhost=h\nport=70000\ndatabase=k\nuser=e\n") << u("port") << QString();
    QTest::newRow("sslmode unknown")
        << u("[server]\nhost=h\ndatabase=k\nuser=e\nsslmode=always\n") << u("sslmode") << QString();
    QTest::newRow("a misspelt key")
        << u("[server]\nhots=h\ndatabase=k\nuser=e\n") << u("hots") << QString();
    QTest::newRow("a key outside the group")
        << u("host=h\n[server]\ndatabase=k\nuser=e\n") << u("host") << QString();
    QTest::newRow("a password written in")
        << u("[server]\nhost=h\ndatabase=k\nuser=e\npassword=x\n") << u("password") << QString();
    QTest::newRow("a list where one host goes")
        << u("[server]\nhost=a,b\ndatabase=k\nuser=e\n") << u("host") << QString();
    QTest::newRow("a service with other words in it")
        << u("[server]\nservice=korvat host=evil\n") << u("service") << QString();
    QTest::newRow("not an INI file at all") << u("\x01\x02 binary") << u("[server]") << QString();
}

void TestServerRegister::settingsAreReadOrRefusedByKey()
{
    QFETCH(QString, ini);
    QFETCH(QString, named);
    QFETCH(QString, place);
    QTemporaryDir dir;
    const QString path = writeSettings(dir, ini);
    ServerSettings settings;
    const Result read = ReadServerSettings(path, &settings);
    if (named.isEmpty()) {
        QCOMPARE(read.description(), QString());
        QCOMPARE(settings.shownPlace(), place);
        return;
    }
    QCOMPARE(read.failure(), Failure::Refused);
    QVERIFY2(read.description().contains(QDir::toNativeSeparators(path)),
             qPrintable(read.description()));
    QVERIFY2(read.description().contains(named), qPrintable(read.description()));
}

void TestServerRegister::startupRefusesAServerThatWillNotServe_data()
{
    QTest::addColumn<QString>("setUp");    // what is done to the folder's database first
    QTest::addColumn<QString>("user");     // who the settings name
    QTest::addColumn<QString>("password"); // what the password box is answered
    QTest::addColumn<int>("failure");
    QTest::addColumn<QString>("says"); // in the message

    const int none = int(Failure::None);
    const int unreachable = int(Failure::Unreachable);
    QTest::newRow("the password asked once, and right")
        << QString() << TestServer::GuardedUser() << TestServer::GuardedPassword() << none
        << QString();
    QTest::newRow("a wrong password") << QString() << TestServer::GuardedUser() << u("wrong")
                                      << unreachable << u("password authentication failed");
    QTest::newRow("the password box cancelled")
        << QString() << TestServer::GuardedUser() << QString() << unreachable << u("گذرواژه");
    QTest::newRow("no server at that place")
        << u("no server") << QString() << QString() << unreachable << u("/no-such-folder:5432");
    QTest::newRow("no such database")
        << u("no database") << QString() << QString() << unreachable << u("does not exist");
    QTest::newRow("a table missing")
        << u("DROP TABLE \"QU\"") << QString() << QString() << int(Failure::NotOurFile) << u("QU");
    QTest::newRow("a field missing") << u("ALTER TABLE \"IDE\" DROP COLUMN \"Kol\"") << QString()
                                     << QString() << int(Failure::NotOurFile) << u("IDE.Kol");
    QTest::newRow("codes not unique")
        << u("ALTER TABLE \"Answer\" DROP CONSTRAINT \"Answer_Code_key\"") << QString() << QString()
        << int(Failure::NotOurFile) << u("Answer.Code UNIQUE");
    QTest::newRow("no row key") << u("ALTER TABLE \"Theme\" DROP COLUMN \"RowNo\"") << QString()
                                << QString() << int(Failure::NotOurFile) << u("Theme.RowNo");
    QTest::newRow("a trigger that would run with every save")
        << u("CREATE FUNCTION f() RETURNS trigger LANGUAGE plpgsql AS $$BEGIN RETURN NEW; "
             "END$$; CREATE TRIGGER rewrite BEFORE UPDATE ON \"IDE\" FOR EACH ROW EXECUTE "
             "FUNCTION f()")
        << QString() << QString() << int(Failure::NotOurFile) << u("rewrite");
    QTest::newRow("a rule that would rewrite saves")
        << u("CREATE RULE quiet AS ON DELETE TO \"Answer\" DO INSTEAD NOTHING") << QString()
        << QString() << int(Failure::NotOurFile) << u("quiet");
    QTest::newRow("the role may not write")
        << u("REVOKE DELETE ON \"Answer\" FROM examiner") << QString() << QString()
        << int(Failure::ReadOnly) << u("DELETE Answer");
}

void TestServerRegister::startupRefusesAServerThatWillNotServe()
{
    QFETCH(QString, setUp);
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(int, failure);
    QFETCH(QString, says);
    TestProgramFolder folder;
    TestServer &server = TestServer::Instance();
    QString ini = server.settingsText(folder.serverDatabase(), user);
    if (setUp == u("no server"))
        ini = ini.replace(server.socketFolder(), u("/no-such-folder"));
    else if (setUp == u("no database"))
        ini = ini.replace(folder.serverDatabase(), u("nobody_here"));
    else if (!setUp.isEmpty())
        QVERIFY2(server.exec(folder.serverDatabase(), setUp), qPrintable(server.failure()));
    QVERIFY(WriteFile(ServerSettingsPath(folder.databasePath()), ini.toUtf8()));
    const QStringList before = EveryRow(folder.databasePath());

    qputenv("KORVAT_TEST_PASSWORD_ANSWER", password.toUtf8());
    SetPasswordAsker(&passwordAnswer);
    const Result opened = OpenDatabase(folder.databasePath(), 500);
    SetPasswordAsker(nullptr);
    QCOMPARE(int(opened.failure()), failure);
    if (failure == int(Failure::None)) {
        QVERIFY(IsServerRegister());
        Cursor statements(u("QU"));
        must(statements.open());
        QCOMPARE(statements.count(), ScoringKey::StatementCount);
        return;
    }
    QVERIFY2(opened.description().contains(says), qPrintable(opened.description()));
    QVERIFY(!IsDatabaseOpen());
    // A refused register is left as it was.
    if (setUp.isEmpty() || !setUp.startsWith(u("no ")))
        QCOMPARE(EveryRow(folder.databasePath()), before);
}

void TestServerRegister::schemaToolBuildsOnceAndRefusesAgain()
{
    TestServer &server = TestServer::Instance();
    const QString database = u("empty_%1").arg(QCoreApplication::applicationPid());
    QVERIFY(server.exec(u("postgres"), u("DROP DATABASE IF EXISTS %1").arg(database)));
    QVERIFY(server.exec(u("postgres"), u("CREATE DATABASE %1").arg(database)));
    QTemporaryDir dir;
    // The cluster's superuser builds the tables, as a clinic's IT person would.
    const QString ini = writeSettings(
        dir, server.settingsText(database).replace(u("user=examiner"), u("user=korvat_admin")));
    auto tool = [&](QString *output) {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(QString::fromUtf8(KORVAT_MKDB_EXE), {u("--server"), ini});
        process.waitForFinished(60000);
        *output = QString::fromUtf8(process.readAll());
        return process.exitCode();
    };
    QString said;
    QCOMPARE(tool(&said), 0);
    QVERIFY2(said.contains(u("GRANT SELECT, INSERT, UPDATE, DELETE ON TABLE \"IDE\", "
                             "\"Answer\", \"Theme\", \"QU\" TO \"examiners\";")),
             qPrintable(said));
    // Read with the server's own command line client.
    QProcess psql;
    psql.start(u("psql"), {u("-h"), server.socketFolder(), u("-U"), u("korvat_admin"), u("-d"),
                           database, u("-Atc"),
                           u("SELECT (SELECT COUNT(*) FROM \"QU\") || '/' || (SELECT \"TH\" "
                             "FROM \"Theme\") || '/' || (SELECT COUNT(*) FROM \"IDE\")")});
    QVERIFY(psql.waitForFinished(30000));
    QCOMPARE(QString::fromUtf8(psql.readAllStandardOutput()).trimmed(), u("56/1/0"));

    // A second run refuses, and changes nothing.
    QVERIFY(server.exec(database, u("INSERT INTO \"IDE\" (\"Code\") VALUES ('kept')")));
    QVERIFY(tool(&said) != 0);
    QVERIFY2(said.contains(u("IDE")), qPrintable(said));
    QCOMPARE(server.read(database, u("SELECT COUNT(*) FROM \"IDE\"")), QVariantList{1});
    QCOMPARE(server.read(database, u("SELECT COUNT(*) FROM \"QU\"")), QVariantList{56});
    QVERIFY(server.exec(u("postgres"), u("DROP DATABASE %1 WITH (FORCE)").arg(database)));
}

void TestServerRegister::sameCodeOnTwoPCsAtOnceIsStoredOnce()
{
    TestProgramFolder folder;
    QTemporaryDir signal;
    const QString go = signal.filePath(u("go"));
    QList<QProcess *> peers;
    for (int i = 0; i < 2; ++i)
        peers << startPeer(folder, {u("register"), u("K-100"), go}, this);
    for (QProcess *peer : std::as_const(peers))
        QVERIFY(peer->waitForStarted());
    QTest::qWait(300); // both have opened the register
    QVERIFY(WriteFile(go, "go"));
    QList<int> results;
    for (QProcess *peer : std::as_const(peers))
        results << peerResult(peer);
    std::sort(results.begin(), results.end());
    QCOMPARE(results, (QList<int>{int(Failure::None), int(Failure::DuplicateCode)}));
    QCOMPARE(CountInFile(folder.databasePath(), u("IDE"), u("K-100")), 1);
    QCOMPARE(CountInFile(folder.databasePath(), u("Answer"), u("K-100")), 1);
}

void TestServerRegister::subjectDeletedOnAnotherPCIsNeverWritten()
{
    TestProgramFolder folder;
    must(OpenDatabase(folder.databasePath()));
    QVERIFY(SeedSubjects(2));
    Cursor details(u("IDE"));
    Cursor answers(u("Answer"));
    SubjectRows rows;
    must(Register::FindSubject(u("S1"), &rows, &details, &answers));
    must(answers.setField(u("9"), u("2")));

    // The other PC deletes the subject, then registers someone new under the code.
    OtherProgram other(folder.databasePath());
    QVERIFY(other.exec(u("DELETE FROM \"IDE\" WHERE \"Code\" = 'S1'")));
    QVERIFY(other.exec(u("DELETE FROM \"Answer\" WHERE \"Code\" = 'S1'")));
    QVERIFY(other.exec(u("INSERT INTO \"IDE\" (\"Code\", \"FName\") VALUES ('S1', 'new')")));
    QVERIFY(other.exec(u("INSERT INTO \"Answer\" (\"Code\") VALUES ('S1')")));
    const QStringList before = EveryRow(folder.databasePath());

    const Result saved = Register::StoreAnswers(answers, details);
    QCOMPARE(saved.failure(), Failure::RowChanged);
    QVERIFY(!saved.description().isEmpty());
    QCOMPARE(EveryRow(folder.databasePath()), before);
    QVERIFY(answers.hasUnsavedChanges());
}

void TestServerRegister::twoTestsAtOnceKeepTheirOwnAnswers()
{
    TestProgramFolder folder;
    must(OpenDatabase(folder.databasePath()));
    QVERIFY(SeedSubjects(1, u("X")));
    OtherProgram other(folder.databasePath());
    for (const char *code : {"A1", "B2"}) {
        QVERIFY(other.exec(u("INSERT INTO \"IDE\" (\"Code\") VALUES ('%1')").arg(u(code))));
        QVERIFY(other.exec(u("INSERT INTO \"Answer\" (\"Code\") VALUES ('%1')").arg(u(code))));
    }
    const QString seeded = answersOf(folder, u("X0"));
    QProcess *first = startPeer(folder, {u("answer"), u("A1"), u("2")}, this);
    QProcess *second = startPeer(folder, {u("answer"), u("B2"), u("4")}, this);
    QCOMPARE(peerResult(first), 0);
    QCOMPARE(peerResult(second), 0);
    QCOMPARE(answersOf(folder, u("A1")), SameOption(2).join(u','));
    QCOMPARE(answersOf(folder, u("B2")), SameOption(4).join(u','));
    QCOMPARE(answersOf(folder, u("X0")), seeded);
}

void TestServerRegister::scoresComeFromOneReadingOfTheAnswers()
{
    TestProgramFolder folder;
    must(OpenDatabase(folder.databasePath()));
    OtherProgram other(folder.databasePath());
    QVERIFY(other.exec(u("INSERT INTO \"IDE\" (\"Code\") VALUES ('T1')")));
    QVERIFY(other.exec(u("INSERT INTO \"Answer\" (\"Code\") VALUES ('T1')")));
    // The two totals a whole set can give; a mix of the two sets gives neither.
    const QString allOnes = ScoringKey::ScoreText(ScoringKey::Compute(SameOption(1)).total);
    const QString allFives = ScoringKey::ScoreText(ScoringKey::Compute(SameOption(5)).total);
    QVERIFY(allOnes != allFives);

    QProcess *answering = startPeer(folder, {u("toggle"), u("T1"), u("3000")}, this);
    QVERIFY(answering->waitForStarted());
    QTest::qWait(300);
    int scored = 0;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 2000) {
        Cursor details(u("IDE"));
        Cursor answers(u("Answer"));
        SubjectRows rows;
        must(Register::FindSubject(u("T1"), &rows, &details, &answers));
        QStringList read;
        for (int n = 1; n <= ScoringKey::StatementCount; ++n)
            read << answers.field(QString::number(n));
        if (read.contains(QString()))
            continue; // not answered yet
        must(Register::StoreScores(details, ScoringKey::Compute(read)));
        const QString total =
            ReadOneFromFile(folder.databasePath(),
                            u("SELECT \"Kol\" FROM \"IDE\" WHERE \"Code\" = 'T1'"))
                .toString();
        QVERIFY2(total == allOnes || total == allFives, qPrintable(total));
        ++scored;
    }
    QString said;
    QCOMPARE(peerResult(answering, &said), 0);
    QVERIFY2(scored > 5 && said.contains(u("rounds")), qPrintable(said));
}

void TestServerRegister::lockHeldByAnotherPCIsWaitedForABoundedWhile()
{
    TestProgramFolder folder;
    must(OpenDatabase(folder.databasePath(), 1500));
    QVERIFY(SeedSubjects(1));
    Cursor details(u("IDE"));
    Cursor answers(u("Answer"));
    SubjectRows rows;
    must(Register::FindSubject(u("S0"), &rows, &details, &answers));
    must(answers.setField(u("3"), u("1")));
    OtherProgram other(folder.databasePath());
    QVERIFY(other.holdWriteLock());
    QElapsedTimer waited;
    waited.start();
    const Result saved = Register::StoreAnswers(answers, details);
    const qint64 ms = waited.elapsed();
    QCOMPARE(saved.failure(), Failure::FileBusy);
    QVERIFY2(ms >= 1400 && ms < 4000, qPrintable(QString::number(ms)));
    QVERIFY(answers.hasUnsavedChanges());
    // Let go, and the same save goes through.
    QVERIFY(other.letGo());
    must(Register::StoreAnswers(answers, details));
    QCOMPARE(ReadOneFromFile(folder.databasePath(),
                             u("SELECT \"3\" FROM \"Answer\" WHERE \"Code\" = 'S0'")),
             QVariant(u("1")));
}

void TestServerRegister::serverThatStopsAndComesBackLosesNothing()
{
    TestServer &server = TestServer::Instance();
    TestProgramFolder folder;
    must(OpenDatabase(folder.databasePath()));
    QVERIFY(SeedSubjects(1));
    Cursor details(u("IDE"));
    Cursor answers(u("Answer"));
    SubjectRows rows;
    must(Register::FindSubject(u("S0"), &rows, &details, &answers));
    const QString before = answersOf(folder, u("S0"));

    // Stopped while the program idles with an answer typed and not yet saved.
    must(answers.setField(u("5"), u("4")));
    QVERIFY2(server.stop(), qPrintable(server.failure()));
    const Result whileDown = Register::StoreAnswers(answers, details);
    QCOMPARE(whileDown.failure(), Failure::Unreachable);
    QVERIFY(answers.hasUnsavedChanges());
    // A read says the same, and the program goes on.
    Cursor other(u("IDE"));
    QCOMPARE(other.open().failure(), Failure::Unreachable);

    // Back again: the next save point reconnects and stores it, once.
    QVERIFY2(server.start(), qPrintable(server.failure()));
    must(Register::StoreAnswers(answers, details));
    QVERIFY(!answers.hasUnsavedChanges());
    QStringList expected = before.split(u',');
    expected[4] = u("4");
    QCOMPARE(answersOf(folder, u("S0")), expected.join(u','));
    QCOMPARE(CountInFile(folder.databasePath(), u("Answer"), u("S0")), 1);

    // Stopped and started again while the program idled: the next save never sees it.
    must(answers.setField(u("6"), u("2")));
    QVERIFY(server.stop() && server.start());
    must(Register::StoreAnswers(answers, details));
    QCOMPARE(answersOf(folder, u("S0")).split(u',').value(5), u("2"));

    // Stopped during a save (one that waits for another PC's lock): said so, kept, stored later.
    must(answers.setField(u("7"), u("1")));
    {
        OtherProgram holder(folder.databasePath());
        QVERIFY(holder.holdWriteLock());
        server.stopAfter(300);
        QCOMPARE(Register::StoreAnswers(answers, details).failure(), Failure::Unreachable);
        QVERIFY(answers.hasUnsavedChanges());
    }
    QTest::qWait(500);
    QVERIFY2(server.start(), qPrintable(server.failure()));
    must(Register::StoreAnswers(answers, details));
    QCOMPARE(answersOf(folder, u("S0")).split(u',').value(6), u("1"));
    QCOMPARE(CountInFile(folder.databasePath(), u("Answer"), u("S0")), 1);
}

void TestServerRegister::backupIsTheSinglePCFileFromOneSnapshot()
{
    TestProgramFolder folder;
    must(OpenDatabase(folder.databasePath()));
    QVERIFY(SeedSubjects(300));
    OtherProgram other(folder.databasePath());
    QVERIFY(other.exec(u("INSERT INTO \"IDE\" (\"Code\") VALUES ('T1')")));
    QVERIFY(other.exec(u("INSERT INTO \"Answer\" (\"Code\") VALUES ('T1')")));
    const QStringList onServer = EveryRowWithoutKeys(folder.databasePath());

    // Another PC stores whole sets of answers all the while.
    QProcess *answering = startPeer(folder, {u("toggle"), u("T1"), u("2000")}, this);
    QVERIFY(answering->waitForStarted());
    QTest::qWait(300);
    QTemporaryDir dir;
    const QString backup = dir.filePath(u("clinic.mdbB"));
    qint64 lastDone = -1;
    must(Backup::BackUpDatabase(DatabaseFilePath(), backup, [&](qint64 done, qint64 total) {
        QVERIFY(done <= total);
        lastDone = done;
    }));
    QCOMPARE(peerResult(answering), 0);
    QVERIFY(lastDone > 600);

    // A whole database of the single-PC format, with the server's rows in their order.
    must(CheckDatabaseFile(backup));
    QStringList inFile = EveryRowWithoutKeys(backup);
    QStringList expected = onServer;
    const auto isT1 = [](const QString &row) { return row.startsWith(u"Answer|'T1'"); };
    inFile.removeIf(isT1);
    expected.removeIf(isT1);
    QCOMPARE(inFile, expected);
    const QString t1 = ReadOneFromFile(backup, u("SELECT \"1\" || \"56\" FROM \"Answer\" WHERE "
                                                 "\"Code\" = 'T1'"))
                           .toString();
    const QString ones = SameOption(1).first() + SameOption(1).last();
    const QString fives = SameOption(5).first() + SameOption(5).last();
    QVERIFY2(t1.isEmpty() || t1 == ones || t1 == fives, qPrintable(t1));

    // It restores on a single PC, as any backup of the file does.
    CloseDatabase();
    qunsetenv("KORVAT_TEST_SERVER");
    {
        TestProgramFolder single;
        must(Backup::RestoreDatabase(backup, single.databasePath()));
        QCOMPARE(EveryRowWithoutKeys(single.databasePath()), EveryRowWithoutKeys(backup));
    }
    qputenv("KORVAT_TEST_SERVER", "1");
}

void TestServerRegister::restoreReplacesEveryRowOrNone_data()
{
    QTest::addColumn<QString>("trouble");
    QTest::addColumn<int>("failure");
    QTest::newRow("restored") << QString() << int(Failure::None);
    QTest::newRow("not a database") << u("not a database") << int(Failure::NotCopied);
    QTest::newRow("the server refuses the last table's rows")
        << u("refuses QU") << int(Failure::Refused);
}

void TestServerRegister::restoreReplacesEveryRowOrNone()
{
    QFETCH(QString, trouble);
    QFETCH(int, failure);
    // A backup of a single PC's file, with subjects of its own.
    QTemporaryDir dir;
    const QString backup = dir.filePath(u("single.mdbB"));
    qunsetenv("KORVAT_TEST_SERVER");
    {
        TestProgramFolder single;
        must(OpenDatabase(single.databasePath()));
        QVERIFY(SeedSubjects(150, u("P")));
        CloseDatabase();
        QVERIFY(QFile::copy(single.databasePath(), backup));
    }
    qputenv("KORVAT_TEST_SERVER", "1");
    if (trouble == u("not a database"))
        QVERIFY(WriteFile(backup, QByteArray(4096, 'x')));

    TestProgramFolder folder;
    must(OpenDatabase(folder.databasePath()));
    QVERIFY(SeedSubjects(20, u("S")));
    OtherProgram other(folder.databasePath());
    if (trouble == u("refuses QU"))
        QVERIFY(other.refuse("INSERT", u("QU")));
    const QStringList before = EveryRowWithoutKeys(folder.databasePath());

    const Result restored = Backup::RestoreDatabase(backup, DatabaseFilePath());
    other.letGo();
    QCOMPARE(int(restored.failure()), failure);
    if (failure != int(Failure::None)) {
        QVERIFY(!restored.description().isEmpty());
        QCOMPARE(EveryRowWithoutKeys(folder.databasePath()), before);
        return;
    }
    QCOMPARE(EveryRowWithoutKeys(folder.databasePath()), EveryRowWithoutKeys(backup));
    // The program's next start opens the restored register, in the backup's order.
    must(OpenDatabase(folder.databasePath()));
    Cursor subjects(u("IDE"));
    must(subjects.open());
    QCOMPARE(subjects.count(), 150);
    QVERIFY(subjects.moveLast());
    QCOMPARE(subjects.field(u("Code")), u("P149"));
}

void TestServerRegister::bulkSeedingLaysDownSeedSubjectsRows_data()
{
    QTest::addColumn<int>("subjects");
    QTest::addColumn<QString>("prefix");
    // Four subjects to a statement.
    QTest::newRow("none") << 0 << u("S");
    QTest::newRow("one") << 1 << u("S");
    QTest::newRow("one short of a statement") << 3 << u("S");
    QTest::newRow("a whole statement") << 4 << u("S");
    QTest::newRow("two statements and one more") << 9 << u("S");
    // What a text array must escape, and the array's own marks.
    QTest::newRow("quotes, backslashes, braces, commas") << 5 << u("a\"b\\c{d},e'f NULL ");
}

void TestServerRegister::bulkSeedingLaysDownSeedSubjectsRows()
{
    QFETCH(int, subjects);
    QFETCH(QString, prefix);
    const QStringList tables{u("IDE"), u("Answer")};
    TestProgramFolder plain;
    must(OpenDatabase(plain.databasePath()));
    QVERIFY(SeedSubjects(subjects, prefix));
    CloseDatabase();
    TestProgramFolder bulk;
    must(OpenDatabase(bulk.databasePath()));
    QVERIFY(SeedSubjectsOnServer(subjects, 4, prefix));
    CloseDatabase();
    const QStringList wanted = EveryRow(plain.databasePath(), tables);
    QCOMPARE(wanted.size(), 2 * subjects);
    QCOMPARE(EveryRow(bulk.databasePath(), tables), wanted);
}

QTEST_GUILESS_MAIN(TestServerRegister)
#include "test_sharedregister.moc"
