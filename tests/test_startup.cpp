// The real program, started as a user starts it: it finds its database in its own folder, never
// in the working folder, and refuses a missing or foreign file without creating one; one program
// runs at a time. And the build lays out the program folder without ever overwriting a user's
// database.
#include "TestProgramFolder.h"
#include "TmpfsMount.h"
#include "app/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

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
    QProcessEnvironment env = ProgramEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
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

// Lays down what lies beside the database at path.
using Lay = std::function<bool(const QString &database, const QString &beside)>;

// The lock folder as another program left it.
enum class Lock {
    Free,
    HeldByALiveProgram,
    LeftEmpty,    // by a power cut
    LeftRubbish,  // by a crash
    BeingWritten, // empty, and new
    NoSuchFolder,
    FolderIsAFile,
    ReadOnlyFolder
};
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
    QTest::addColumn<Lay>("lay"); // none: nothing beside it
    QTest::addColumn<bool>("removed");
    QTest::newRow("nothing") << Lay() << false;
    QTest::newRow("a restore's copy and its journal")
        << Lay([](const QString &db, const QString &left) {
               return QFile::copy(db, left) && QFile::copy(db, left + QStringLiteral("-journal"));
           })
        << true;
    QTest::newRow("a folder by that name") << Lay([](const QString &, const QString &left) {
        return QDir().mkpath(left + QStringLiteral("/inside"));
    }) << false;
    QTest::newRow("a link to the database by that name")
        << Lay([](const QString &db, const QString &left) { return QFile::link(db, left); })
        << false;
}

void TestStartup::startsOnTheDeliveredDatabase()
{
    QFETCH(Lay, lay);
    QFETCH(bool, removed);
    QTemporaryDir program;
    QTemporaryDir elsewhere;
    const QString exe = InstallProgram(program.path());
    QVERIFY(InstallDatabase(program.path()));
    const QString db = program.filePath(QStringLiteral("DBKORVAT/DBKorvat.mdb"));
    const QString left = db + QStringLiteral(".restoring");
    if (lay)
        QVERIFY(lay(db, left));
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
    QCOMPARE(QFileInfo::exists(left) || QFileInfo(left).isSymLink(), lay && !removed);
    QVERIFY(!QFileInfo::exists(left + QStringLiteral("-journal")));
}

void TestStartup::refusesAMissingDatabaseWithoutCreatingOne()
{
    QTemporaryDir program;
    QTemporaryDir working;
    const QString exe = InstallProgram(program.path());
    // A database in the working folder is not the program's.
    QVERIFY(InstallDatabase(working.path()));
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
    QTest::addColumn<Lay>("lay");      // the file in the program folder
    QTest::addColumn<QString>("said"); // besides the path
    QTest::newRow("not a database") << Lay([](const QString &path, const QString &) {
        return WriteFile(path,
                         QByteArray("Standard Jet DB, but not really\0\1\2", 34).repeated(100));
    }) << QString();
    // The program's own database in every table and field, with a trigger that would delete
    // another subject and write a false total with the first save.
    QTest::newRow("a trigger in it") << Lay([](const QString &path, const QString &program) {
        return InstallDatabase(program) && AddScoreRewritingTrigger(path);
    }) << QStringLiteral("false_total");
}

void TestStartup::refusesAForeignFileWithoutChangingIt()
{
    QFETCH(Lay, lay);
    QFETCH(QString, said);
    QTemporaryDir program;
    const QString exe = InstallProgram(program.path());
    QDir(program.path()).mkpath(QStringLiteral("DBKORVAT"));
    const QString path = program.filePath(QStringLiteral("DBKORVAT/DBKorvat.mdb"));
    QVERIFY(lay(path, program.path()));
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
    const QString exe = InstallProgram(program.path());
    QVERIFY(InstallDatabase(program.path()));
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
    QTest::addColumn<Lock>("state");
    QTest::addColumn<SingleInstance::Outcome>("outcome");
    QTest::addColumn<QString>("reason");
    const auto row = [](const char *tag, Lock state, SingleInstance::Outcome outcome,
                        const char *reason) {
        QTest::newRow(tag) << state << outcome << QString::fromUtf8(reason);
    };
    using O = SingleInstance::Outcome;
    row("free", Lock::Free, O::Guarded, "");
    row("held by a live program", Lock::HeldByALiveProgram, O::AlreadyRunning, "");
    row("empty, left by a power cut", Lock::LeftEmpty, O::Guarded, "");
    row("rubbish, left by a crash", Lock::LeftRubbish, O::Guarded, "");
    row("empty, being written now", Lock::BeingWritten, O::AlreadyRunning, "");
    row("no such folder", Lock::NoSuchFolder, O::Unguarded, SingleInstanceText::NoFolder);
    row("folder is a file", Lock::FolderIsAFile, O::Unguarded, SingleInstanceText::NoFolder);
    row("read-only folder", Lock::ReadOnlyFolder, O::Unguarded, SingleInstanceText::NoPermission);
}

void TestStartup::guard()
{
    QFETCH(Lock, state);
    QFETCH(SingleInstance::Outcome, outcome);
    QFETCH(QString, reason);
    QTemporaryDir root;
    const QString folder = state == Lock::NoSuchFolder || state == Lock::FolderIsAFile
                               ? root.filePath(QStringLiteral("x"))
                               : root.path();
    SingleInstance other(folder);
    const QString lock = other.lockPath();
    // A lock file another program left, made seconds ago.
    auto leave = [&lock](const QByteArray &content, int seconds) {
        return WriteFile(lock, content) && age(lock, seconds);
    };
    std::unique_ptr<ReadOnlyFolder> readOnly;
    switch (state) {
    case Lock::Free:
    case Lock::NoSuchFolder:
        break;
    case Lock::HeldByALiveProgram:
        QVERIFY(other.acquire() == SingleInstance::Outcome::Guarded);
        break;
    case Lock::LeftEmpty:
        QVERIFY(leave(QByteArray(), 60));
        break;
    case Lock::LeftRubbish:
        QVERIFY(leave("\xff\xfe\x01", 60));
        break;
    case Lock::BeingWritten:
        QVERIFY(leave(QByteArray(), 0));
        break;
    case Lock::FolderIsAFile:
        QVERIFY(age(folder, 0));
        break;
    case Lock::ReadOnlyFolder:
        readOnly = std::make_unique<ReadOnlyFolder>(folder);
        if (!readOnly->isReadOnly())
            QSKIP("This user writes into read-only folders, and may mount no file system.");
        break;
    }
    SingleInstance guard(folder);
    QCOMPARE(guard.acquire(), outcome);
    QCOMPARE(guard.failure().isEmpty(), reason.isEmpty());
    QVERIFY(reason.isEmpty() ||
            guard.failure().contains(reason.arg(QDir::toNativeSeparators(folder))));
}

QTEST_GUILESS_MAIN(TestStartup)
#include "test_startup.moc"
