// The real program, started as a user starts it: it finds its database in its own folder, never
// in the working folder, and refuses a missing or foreign file without creating one; one program
// runs at a time. And the build lays out the program folder without ever overwriting a user's
// database.
#include "TestProgramFolder.h"
#include "app/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// A program folder with a copy of the built program in it.
QString installProgram(const QString &folder)
{
    const QString exe =
        QDir(folder).filePath(QFileInfo(QString::fromUtf8(KORVAT_PROGRAM_EXE)).fileName());
    QFile::copy(QString::fromUtf8(KORVAT_PROGRAM_EXE), exe);
    QFile::setPermissions(exe, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return exe;
}

void installDatabase(const QString &folder)
{
    QDir(folder).mkpath(QStringLiteral("DBKORVAT"));
    const QString target = QDir(folder).filePath(QStringLiteral("DBKORVAT/DBKorvat.mdb"));
    QFile::copy(DeliveredDatabasePath(), target);
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
}

// The programs these tests start keep their instance lock in a folder of the tests' own, never
// in the user's: a program the user has open does not stop them, and they do not stop it.
QString testLockFolder()
{
    static QTemporaryDir folder;
    return folder.path();
}

// Backdates a file, as if it had been made a while ago.
bool age(const QString &path, int seconds)
{
    QFile file(path);
    return file.open(QIODevice::ReadWrite) &&
           file.setFileTime(QDateTime::currentDateTime().addSecs(-seconds),
                            QFileDevice::FileModificationTime);
}

struct Outcome
{
    bool stillRunning = false;
    QString errorText;
};

// Starts the program offscreen; its main window says on stderr when it is on screen.
bool startProgram(QProcess &process, const QString &exe, const QString &workingFolder)
{
    process.setProgram(exe);
    process.setWorkingDirectory(workingFolder);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("korvat.startup.info=true"));
    // Where the program's SingleInstance::DefaultFolder() lies, on every platform.
    for (const char *name : {"XDG_RUNTIME_DIR", "TMPDIR", "TMP", "TEMP"})
        env.insert(QString::fromLatin1(name), testLockFolder());
    process.setProcessEnvironment(env);
    process.setReadChannel(QProcess::StandardError);
    process.start();
    return process.waitForStarted(10000);
}

// What the program writes on stderr until its main window is shown or it reports a refusal
// (a line naming marker). Generous: a loaded machine or a sanitizer build starts slowly.
QByteArray readUntilShownOrRefused(QProcess &process, const QString &marker)
{
    QElapsedTimer clock;
    clock.start();
    QByteArray err;
    while (clock.elapsed() < 30000 && process.state() == QProcess::Running) {
        process.waitForReadyRead(100);
        err += process.readAllStandardError();
        if (err.contains("main window shown") ||
            (err.contains('\n') && QString::fromUtf8(err).contains(marker)))
            break;
    }
    return err;
}

// Starts the program, waits until it either reports a refusal or shows its main window, then
// stops it.
Outcome runProgram(const QString &exe, const QString &workingFolder,
                   const QString &marker = QStringLiteral("DBKorvat"))
{
    QProcess process;
    Outcome outcome;
    if (!startProgram(process, exe, workingFolder))
        return outcome;
    QByteArray err = readUntilShownOrRefused(process, marker);
    outcome.stillRunning = process.state() == QProcess::Running;
    process.kill();
    process.waitForFinished(5000);
    err += process.readAllStandardError();
    outcome.errorText = QString::fromUtf8(err);
    return outcome;
}
} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void startsOnTheDeliveredDatabase_data();
    void startsOnTheDeliveredDatabase();
    void refusesAMissingDatabaseWithoutCreatingOne();
    void refusesAForeignFileWithoutChangingIt_data();
    void refusesAForeignFileWithoutChangingIt();
    void layingOutTheProgramFolderKeepsTheUsersDatabase();
    void aSecondProgramIsRefused();
    void guard_data();
    void guard();
};

void TestStartup::startsOnTheDeliveredDatabase_data()
{
    // What lies beside the database, left there by a restore the program was killed in (or
    // something else under a name like it), and whether the start removes it.
    QTest::addColumn<QString>("beside");
    QTest::addColumn<bool>("removed");
    QTest::newRow("nothing") << QString() << false;
    QTest::newRow("a restore's copy and its journal") << QStringLiteral("file") << true;
    QTest::newRow("a folder by that name") << QStringLiteral("folder") << false;
    QTest::newRow("a link to the database by that name") << QStringLiteral("link") << false;
}

void TestStartup::startsOnTheDeliveredDatabase()
{
    QFETCH(QString, beside);
    QFETCH(bool, removed);
    QTemporaryDir program;
    QTemporaryDir elsewhere;
    const QString exe = installProgram(program.path());
    installDatabase(program.path());
    const QString db = program.filePath(QStringLiteral("DBKORVAT/DBKorvat.mdb"));
    const QString left = db + QStringLiteral(".restoring");
    if (beside == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(left + QStringLiteral("/inside")));
    else if (beside == QLatin1String("link"))
        QVERIFY(QFile::link(db, left));
    else if (!beside.isEmpty())
        QVERIFY(QFile::copy(db, left) && QFile::copy(db, left + QStringLiteral("-journal")));
    const QByteArray before = FileHash(db);
    // Started from a folder that has no database: the program still finds its own.
    const Outcome outcome = runProgram(exe, elsewhere.path());
    QVERIFY2(outcome.stillRunning, qPrintable(outcome.errorText));
    QVERIFY2(outcome.errorText.contains(QStringLiteral("main window shown")),
             qPrintable(outcome.errorText));
    QVERIFY2(!outcome.errorText.contains(QStringLiteral("DBKorvat")),
             qPrintable(outcome.errorText));
    QVERIFY(!QFileInfo::exists(elsewhere.filePath(QStringLiteral("DBKORVAT"))));
    QCOMPARE(FileHash(db), before);
    QCOMPARE(QFileInfo::exists(left) || QFileInfo(left).isSymLink(), !beside.isEmpty() && !removed);
    QVERIFY(!QFileInfo::exists(left + QStringLiteral("-journal")));
}

void TestStartup::refusesAMissingDatabaseWithoutCreatingOne()
{
    QTemporaryDir program;
    QTemporaryDir working;
    const QString exe = installProgram(program.path());
    // A database in the working folder is not the program's.
    installDatabase(working.path());
    const Outcome outcome = runProgram(exe, working.path());
    const QString expectedPath = QDir::toNativeSeparators(
        QDir(program.path()).filePath(QStringLiteral("DBKORVAT/DBKorvat.mdb")));
    QVERIFY2(outcome.errorText.contains(expectedPath), qPrintable(outcome.errorText));
    QVERIFY(outcome.errorText.contains(QString::fromUtf8("پیدا نشد")));
    QVERIFY(!QFileInfo::exists(QDir(program.path()).filePath(QStringLiteral("DBKORVAT"))));
    QCOMPARE(FileHash(working.filePath(QStringLiteral("DBKORVAT/DBKorvat.mdb"))),
             FileHash(DeliveredDatabasePath()));
}

void TestStartup::refusesAForeignFileWithoutChangingIt_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("said"); // besides the path
    QTest::newRow("not a database") << QStringLiteral("bytes") << QString();
    // The program's own database in every table and field, with a trigger that would delete
    // another subject and write a false total with the first save.
    QTest::newRow("a trigger in it") << QStringLiteral("trigger") << QStringLiteral("false_total");
}

void TestStartup::refusesAForeignFileWithoutChangingIt()
{
    QFETCH(QString, kind);
    QFETCH(QString, said);
    QTemporaryDir program;
    const QString exe = installProgram(program.path());
    QDir(program.path()).mkpath(QStringLiteral("DBKORVAT"));
    const QString path = program.filePath(QStringLiteral("DBKORVAT/DBKorvat.mdb"));
    if (kind == QLatin1String("trigger")) {
        installDatabase(program.path());
        QVERIFY(AddScoreRewritingTrigger(path));
    } else {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("Standard Jet DB, but not really\0\1\2", 34).repeated(100));
    }
    const QByteArray before = FileHash(path);
    const Outcome outcome = runProgram(exe, program.path());
    QVERIFY2(outcome.errorText.contains(QDir::toNativeSeparators(path)) &&
                 outcome.errorText.contains(said),
             qPrintable(outcome.errorText));
    QCOMPARE(FileHash(path), before);
    QCOMPARE(QDir(program.filePath(QStringLiteral("DBKORVAT"))).entryList(QDir::Files).size(), 1);
}

void TestStartup::layingOutTheProgramFolderKeepsTheUsersDatabase()
{
    QTemporaryDir program;
    auto layOut = [&] {
        return QProcess::execute(QString::fromUtf8(KORVAT_CMAKE_COMMAND),
                                 {QStringLiteral("-DSOURCE_DB=") + DeliveredDatabasePath(),
                                  QStringLiteral("-DPROGRAM_DIR=") + program.path(),
                                  QStringLiteral("-P"),
                                  QString::fromUtf8(KORVAT_SOURCE_DIR) +
                                      QStringLiteral("/cmake/LayOutProgramFolder.cmake")});
    };
    const QString db = program.filePath(QStringLiteral("DBKORVAT/DBKorvat.mdb"));
    QCOMPARE(layOut(), 0);
    QCOMPARE(FileHash(db), FileHash(DeliveredDatabasePath()));
    QVERIFY(QFileInfo(program.filePath(QStringLiteral("Back"))).isDir());

    // The user's data since then survives the next build.
    {
        QFile file(db);
        QVERIFY(file.open(QIODevice::Append));
        file.write("user data");
    }
    const QByteArray users = FileHash(db);
    QCOMPARE(layOut(), 0);
    QCOMPARE(FileHash(db), users);
}

void TestStartup::aSecondProgramIsRefused()
{
    // The user's own lock is held, by this test or by a program the user has open.
    SingleInstance users;
    users.acquire();
    QTemporaryDir program;
    const QString exe = installProgram(program.path());
    installDatabase(program.path());
    const QString db = program.filePath(QStringLiteral("DBKORVAT/DBKorvat.mdb"));

    // Once its main window is on screen, the first program holds the lock.
    QProcess first;
    QVERIFY(startProgram(first, exe, program.path()));
    const QByteArray firstErr = readUntilShownOrRefused(first, QStringLiteral("DBKorvat"));
    QVERIFY2(firstErr.contains("main window shown"), firstErr.constData());
    QCOMPARE(first.state(), QProcess::Running);
    const QByteArray before = FileHash(db);

    const QString running = QString::fromUtf8("برنامه در حال اجراست");
    const Outcome second = runProgram(exe, program.path(), running);
    QVERIFY2(second.errorText.contains(running), qPrintable(second.errorText));
    QCOMPARE(first.state(), QProcess::Running); // the running program is not disturbed
    QCOMPARE(FileHash(db), before);

    // A program that died leaves its lock behind; the next start takes it over.
    first.kill();
    QVERIFY(first.waitForFinished(5000));
    const Outcome third = runProgram(exe, program.path(), running);
    QVERIFY2(third.stillRunning, qPrintable(third.errorText));
    QVERIFY2(third.errorText.contains(QStringLiteral("main window shown")),
             qPrintable(third.errorText));
    QVERIFY(!third.errorText.contains(running));
}

void TestStartup::guard_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("reason");
    const auto row = [](const char *state, SingleInstance::Outcome outcome, const char *reason) {
        QTest::newRow(state) << QString::fromLatin1(state) << int(outcome)
                             << QString::fromUtf8(reason);
    };
    using O = SingleInstance::Outcome;
    row("free", O::Guarded, "");
    row("held by a live program", O::AlreadyRunning, "");
    row("empty, left by a power cut", O::Guarded, "");
    row("rubbish, left by a crash", O::Guarded, "");
    row("empty, being written now", O::AlreadyRunning, "");
    row("no such folder", O::Unguarded, SingleInstanceText::NoFolder);
    row("folder is a file", O::Unguarded, SingleInstanceText::NoFolder);
    row("read-only folder", O::Unguarded, SingleInstanceText::NoPermission);
}

void TestStartup::guard()
{
    QFETCH(QString, state);
    QFETCH(int, outcome);
    QFETCH(QString, reason);
    QTemporaryDir root;
    const QString folder =
        state.startsWith(QLatin1String("folder is")) || state.startsWith(QLatin1String("no such"))
            ? root.filePath(QStringLiteral("x"))
            : root.path();
    if (state == QLatin1String("folder is a file"))
        QVERIFY(age(folder, 0));
    SingleInstance other(folder);
    const QString lock = other.lockPath();
    if (state.contains(QLatin1String("left by")) || state.contains(QLatin1String("written"))) {
        QFile file(lock);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(state.startsWith(QLatin1String("rubbish")) ? "\xff\xfe\x01" : "");
        file.close();
        QVERIFY(age(lock, state.contains(QLatin1String("now")) ? 0 : 60));
    }
    if (state.startsWith(QLatin1String("held")))
        QVERIFY(other.acquire() == SingleInstance::Outcome::Guarded);
    if (state.startsWith(QLatin1String("read-only"))) {
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        if (QFileInfo(folder).isWritable())
            QSKIP("This user writes into read-only folders (an administrator?).");
    }
    SingleInstance guard(folder);
    QCOMPARE(int(guard.acquire()), outcome);
    QCOMPARE(guard.failure().isEmpty(), reason.isEmpty());
    QVERIFY(reason.isEmpty() ||
            guard.failure().contains(reason.arg(QDir::toNativeSeparators(folder))));
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QTEST_GUILESS_MAIN(TestStartup)
#include "test_startup.moc"
