// Backing the database up and restoring it: the copy routine against a hostile world, and the
// backup window driven as a user drives it.
#include "GuiTest.h"
#include "ModalAnswer.h"
#include "OtherProgram.h"
#include "Seed.h"
#include "Text.h"
#include "TmpfsMount.h"
#include "UserInput.h"
#include "Windows.h"
#include "backup/Backup.h"
#include "common/Dialogs.h"
#include "common/ProgramFolder.h"
#include "data/Database.h"
#include "safety/Frmbackup.h"

#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSqlQuery>
#include <QtTest>

#include <functional>

namespace {

// Bytes that differ from place to place, so that a chunk in the wrong place shows.
QByteArray patterned(qint64 size, char seed = 1)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (qint64 i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + seed) % 251);
    return bytes;
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

QStringList codesIn(const QString &database)
{
    QStringList codes;
    for (const QVariant &code :
         ReadFromFile(database, QStringLiteral("SELECT \"Code\" FROM \"IDE\" ORDER BY rowid")))
        codes << code.toString();
    return codes;
}

bool run(const QString &sql)
{
    QSqlQuery query;
    return query.exec(sql);
}

// Presses a button while every message box that comes up is answered with its first button;
// returns what the boxes said, each as its title and text, and their icons in *icons.
QStringList pressAndAnswer(QPushButton *button, QList<QMessageBox::Icon> *icons = nullptr)
{
    const BoxAnswerer answerer;
    DialogHooks::TakeShown();
    QTest::mouseClick(button, Qt::LeftButton);
    QStringList said;
    for (const DialogHooks::Shown &shown : DialogHooks::TakeShown()) {
        said << shown.title + u'|' + shown.text;
        if (icons)
            *icons << shown.icon;
    }
    return said;
}

QString said(const char *title, const QString &text)
{
    return u(title) + u'|' + text;
}

// What another program holds on the database while a backup is taken.
using Hold = std::function<bool(OtherProgram &)>;
// Lays down the file a restore is asked to take, given a good backup's bytes.
using MakeFile = std::function<bool(const QString &path, const QByteArray &backup)>;

// The overwrite question, and how it is answered.
enum class Replace { NotAsked, No, Yes };
} // namespace

class TestBackup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_gui.beginRun()); }
    void init() { QCOMPARE(m_gui.begin(), QString()); }
    void cleanup()
    {
        Frmbackup::SetClock({});
        m_gui.end();
    }

    void copyGoesInChunks_data();
    void copyGoesInChunks();
    void eventsAreServedBetweenChunks();
    void failedCopyLeavesTheDestination_data();
    void failedCopyLeavesTheDestination();
    void fullOrReadOnlyDiskLeavesTheDestination_data();
    void fullOrReadOnlyDiskLeavesTheDestination();
    void backupWhileAnotherProgramWrites_data();
    void backupWhileAnotherProgramWrites();
    void backupNeverGoesOverTheDatabase_data();
    void backupNeverGoesOverTheDatabase();
    void restoreRefusesWhatIsNotOurs_data();
    void restoreRefusesWhatIsNotOurs();
    void restoreBringsBackTheBackup();

    void windowBacksUp_data();
    void windowBacksUp();
    void windowRestores_data();
    void windowRestores();
    void windowNameFollowsTheClock();
    void windowWaitsWhileCopying();
    void windowByKeyboard();
    void windowFitsTheScreen_data();
    void windowFitsTheScreen();

private:
    QString back(const QString &name) const { return QDir(BackupFolderPath()).filePath(name); }
    GuiTest m_gui;
};

void TestBackup::copyGoesInChunks_data()
{
    QTest::addColumn<qint64>("size");
    QTest::addColumn<qint64>("oldSize"); // -1: no old file
    QTest::addColumn<QList<qint64>>("steps");
    QTest::newRow("empty") << qint64(0) << qint64(-1) << QList<qint64>{};
    QTest::newRow("empty over an old file") << qint64(0) << qint64(9000) << QList<qint64>{};
    QTest::newRow("one byte") << qint64(1) << qint64(-1) << QList<qint64>{1};
    QTest::newRow("one chunk") << qint64(4048) << qint64(-1) << QList<qint64>{4048};
    QTest::newRow("a chunk and a byte") << qint64(4049) << qint64(-1) << QList<qint64>{4048, 4049};
    QTest::newRow("two chunks over a larger old file")
        << qint64(8096) << qint64(20000) << QList<qint64>{4048, 8096};
    QTest::newRow("two chunks over a smaller old file")
        << qint64(8097) << qint64(10) << QList<qint64>{4048, 8096, 8097};
}

void TestBackup::copyGoesInChunks()
{
    QFETCH(qint64, size);
    QFETCH(qint64, oldSize);
    QFETCH(QList<qint64>, steps);
    const QString source = m_gui.folder().path() + QStringLiteral("/source.bin");
    const QString destination = back(u("copy.mdbB"));
    QVERIFY(WriteFile(source, patterned(size)));
    if (oldSize >= 0)
        QVERIFY(WriteFile(destination, patterned(oldSize, 9)));
    QList<qint64> seen;
    const Result copied =
        Backup::CopyDatabaseFile(source, destination, [&](qint64 copied, qint64 total) {
            QCOMPARE(total, size);
            seen << copied;
        });
    QVERIFY2(copied, qPrintable(copied.description()));
    QCOMPARE(seen, steps);
    QCOMPARE(ReadFile(destination), patterned(size));
    QCOMPARE(filesIn(BackupFolderPath()), QStringList{u("copy.mdbB")});
}

void TestBackup::eventsAreServedBetweenChunks()
{
    const QString source = m_gui.folder().path() + QStringLiteral("/source.bin");
    QVERIFY(WriteFile(source, patterned(40 * Backup::ChunkSize)));
    int ticks = 0;
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(0);
    QList<int> ticksAt;
    QVERIFY(Backup::CopyDatabaseFile(source, back(u("copy.mdbB")),
                                     [&](qint64, qint64) { ticksAt << ticks; }));
    // A timer due at once runs before each chunk, not only when the copy is over.
    QCOMPARE(ticksAt.size(), 40);
    QVERIFY2(ticksAt.first() >= 1 && ticksAt.last() >= 40, qPrintable(QString::number(ticks)));
}

void TestBackup::failedCopyLeavesTheDestination_data()
{
    QTest::addColumn<QString>("source");      // under the program folder
    QTest::addColumn<QString>("destination"); // under the program folder
    QTest::addColumn<bool>("oldFile");
    QTest::addColumn<QString>("said");
    QTest::newRow("missing source") << u("gone.mdbB") << u("Back/new.mdbB") << false << u("gone");
    QTest::newRow("missing source, old backup")
        << u("gone.mdbB") << u("Back/old.mdbB") << true << u("gone");
    QTest::newRow("source is a folder") << u("Back") << u("Back/old.mdbB") << true << u("Back");
    QTest::newRow("destination is a folder")
        << u("source.bin") << u("DBKORVAT") << false << u("DBKORVAT");
    QTest::newRow("destination folder missing")
        << u("source.bin") << u("nowhere/new.mdbB") << false << u("nowhere");
}

void TestBackup::failedCopyLeavesTheDestination()
{
    QFETCH(QString, source);
    QFETCH(QString, destination);
    QFETCH(bool, oldFile);
    QFETCH(QString, said);
    const QDir folder(m_gui.folder().path());
    QVERIFY(WriteFile(folder.filePath(u("source.bin")), patterned(10000)));
    if (oldFile)
        QVERIFY(WriteFile(folder.filePath(destination), patterned(30000, 5)));
    const QStringList before = filesIn(QFileInfo(folder.filePath(destination)).absolutePath());
    const Result copied =
        Backup::CopyDatabaseFile(folder.filePath(source), folder.filePath(destination));
    QCOMPARE(copied.failure(), Failure::NotCopied);
    const QString failure = copied.description();
    QVERIFY2(failure.contains(said), qPrintable(failure));
    QCOMPARE(filesIn(QFileInfo(folder.filePath(destination)).absolutePath()), before);
    if (oldFile)
        QCOMPARE(ReadFile(folder.filePath(destination)), patterned(30000, 5));
}

void TestBackup::fullOrReadOnlyDiskLeavesTheDestination_data()
{
    QTest::addColumn<bool>("restore");
    QTest::addColumn<bool>("readOnly");
    QTest::newRow("backup, disk full half-way") << false << false;
    QTest::newRow("backup, read-only folder") << false << true;
    QTest::newRow("restore, disk full half-way") << true << false;
    QTest::newRow("restore, read-only folder") << true << true;
}

void TestBackup::fullOrReadOnlyDiskLeavesTheDestination()
{
    QFETCH(bool, restore);
    QFETCH(bool, readOnly);
    // A database of some 2.5 MB, and a small disk holding the backup folder or the database.
    QVERIFY(SeedSubjects(4000));
    const QString database = m_gui.databasePath();
    const QString backup = m_gui.folder().path() + QStringLiteral("/backup.mdbB");
    QVERIFY(Backup::BackUpDatabase(database, backup));
    CloseDatabase();
    // The disk holds an old backup, or the database, as delivered.
    const QString disk = restore ? QFileInfo(database).absolutePath() : BackupFolderPath();
    const QString kept = restore ? database : back(u("old.mdbB"));
    const QByteArray old = ReadFile(DeliveredDatabasePath());
    TmpfsMount mount(disk, u("1m"));
    SKIP_UNLESS_MOUNTED(mount);
    QVERIFY(WriteFile(kept, old));
    if (readOnly)
        QVERIFY(mount.remountReadOnly());
    else
        QVERIFY(QStorageInfo(disk).bytesAvailable() < QFileInfo(backup).size());
    if (restore && !readOnly)
        QCOMPARE(OpenDatabase(database).description(), QString());

    QList<qint64> steps;
    const auto progress = [&steps](qint64 copied, qint64) { steps << copied; };
    const Result copied = restore ? Backup::RestoreDatabase(backup, database, progress)
                                  : Backup::BackUpDatabase(database, kept, progress);
    QCOMPARE(copied.failure(), Failure::NotCopied);
    const QString failure = copied.description();
    // Half-way means half-way: the full disk stopped a copy that had begun.
    QVERIFY(readOnly ? steps.isEmpty() : !steps.isEmpty());
    QVERIFY2(failure.contains(readOnly ? QDir::toNativeSeparators(disk) : u("جای خالی دیسک")),
             qPrintable(failure));
    QVERIFY2(failure.contains(restore ? u("پایگاه داده دست نخورد") : u("فایل قبلی دست نخورد")),
             qPrintable(failure));
    QCOMPARE(ReadFile(kept), old);
    QCOMPARE(filesIn(disk), QStringList{QFileInfo(kept).fileName()});
    QCOMPARE(IsDatabaseOpen(), restore && !readOnly);
    CloseDatabase();
}

void TestBackup::backupWhileAnotherProgramWrites_data()
{
    QTest::addColumn<Hold>("hold"); // none: the other program tries to write while copying
    QTest::addColumn<bool>("made");
    QTest::newRow("a write begun, not committed") << Hold(&OtherProgram::holdWriteLock) << true;
    QTest::newRow("a write being committed") << Hold(&OtherProgram::holdExclusiveLock) << false;
    QTest::newRow("a write tried while copying") << Hold() << true;
}

void TestBackup::backupWhileAnotherProgramWrites()
{
    QFETCH(Hold, hold);
    QFETCH(bool, made);
    QVERIFY(SeedSubjects(20));
    const QString database = m_gui.databasePath();
    const QByteArray committed = ReadFile(database);
    OtherProgram other(database, 0);
    if (hold) {
        QVERIFY(hold(other));
        QVERIFY(other.exec(QStringLiteral("DELETE FROM \"IDE\"")));
    }
    bool refused = false;
    const auto tryWriting = [&](qint64, qint64) {
        refused = refused || !other.exec(QStringLiteral("DELETE FROM \"IDE\""));
    };
    const QString destination = back(u("copy.mdbB"));
    const Result backedUp = Backup::BackUpDatabase(
        database, destination, hold ? nullptr : Backup::Progress(tryWriting), 200);
    QCOMPARE(backedUp.failure(), made ? Failure::None : Failure::Refused);
    const QString failure = backedUp.description();
    QCOMPARE(refused, !hold);
    if (made) {
        // What was committed, and nothing of the write still under way.
        QCOMPARE(ReadFile(destination), committed);
        QCOMPARE(codesIn(destination).size(), 20);
    } else {
        QVERIFY2(failure.contains(u("برنامه‌ی دیگری")), qPrintable(failure));
        QVERIFY(!QFileInfo::exists(destination));
    }
    QCOMPARE(filesIn(BackupFolderPath()), made ? QStringList{u("copy.mdbB")} : QStringList());
}

void TestBackup::backupNeverGoesOverTheDatabase_data()
{
    QTest::addColumn<QString>("destination"); // under the program folder
    QTest::addColumn<QString>("linkTo");      // what the destination links to; empty: no link
    QTest::addColumn<bool>("refused");
    const QString none;
    QTest::newRow("the database") << u("DBKORVAT/DBKorvat.mdb") << none << true;
    QTest::newRow("the database, by another way")
        << u("Back/../DBKORVAT/dbkorvat.mdb") << none << true;
    QTest::newRow("its journal") << u("DBKORVAT/DBKorvat.mdb-journal") << none << true;
    QTest::newRow("its WAL file") << u("DBKORVAT/DBKorvat.mdb-wal") << none << true;
    QTest::newRow("its shared-memory file") << u("DBKORVAT/DBKORVAT.MDB-SHM") << none << true;
    QTest::newRow("a link to its journal, not there yet")
        << u("Back/x.mdbB") << u("DBKORVAT/DBKorvat.mdb-journal") << true;
    // Names that only begin like the database's are the user's to choose.
    QTest::newRow("beside it, a backup's name") << u("DBKORVAT/DBKorvat.mdbB") << none << false;
    QTest::newRow("beside it, a copy's name") << u("DBKORVAT/DBKorvat.mdb.bak") << none << false;
}

void TestBackup::backupNeverGoesOverTheDatabase()
{
    QFETCH(QString, destination);
    QFETCH(QString, linkTo);
    QFETCH(bool, refused);
    const QDir folder(m_gui.folder().path());
    if (!linkTo.isEmpty())
        QVERIFY(QFile::link(folder.filePath(linkTo), folder.filePath(destination)));
    const QString database = m_gui.databasePath();
    const QByteArray before = ReadFile(database);
    QStringList files = filesIn(QFileInfo(database).absolutePath());
    const Result backedUp = Backup::BackUpDatabase(database, folder.filePath(destination));
    QCOMPARE(backedUp.failure(), refused ? Failure::Refused : Failure::None);
    const QString failure = backedUp.description();
    QVERIFY2(!refused || failure.contains(u("روی خود پایگاه داده")), qPrintable(failure));
    if (!refused) {
        QCOMPARE(ReadFile(folder.filePath(destination)), before);
        files << QFileInfo(destination).fileName();
    }
    QCOMPARE(filesIn(QFileInfo(database).absolutePath()), files);
    QCOMPARE(ReadFile(database), before);
}

void TestBackup::restoreRefusesWhatIsNotOurs_data()
{
    QTest::addColumn<QString>("name"); // in the backup folder
    QTest::addColumn<MakeFile>("make");
    QTest::addColumn<QString>("said");
    const QString notOurs =
        u("نسخه‌ی پشتیبان پایگاه داده‌ی این برنامه نیست");
    QTest::newRow("missing file") << u("missing.mdbB")
                                  << MakeFile(
                                         [](const QString &, const QByteArray &) { return true; })
                                  << u("missing.mdbB");
    QTest::newRow("text file") << u("text.mdbB")
                               << MakeFile([](const QString &path, const QByteArray &) {
                                      return WriteFile(path, "Korvat backup\r\n");
                                  })
                               << notOurs;
    QTest::newRow("picture") << u("png.mdbB")
                             << MakeFile([](const QString &path, const QByteArray &) {
                                    QImage picture(64, 64, QImage::Format_RGB32);
                                    picture.fill(Qt::darkCyan);
                                    return picture.save(path, "PNG");
                                })
                             << notOurs;
    QTest::newRow("empty file") << u("empty.mdbB")
                                << MakeFile([](const QString &path, const QByteArray &) {
                                       return WriteFile(path, QByteArray());
                                   })
                                << notOurs;
    QTest::newRow("backup cut short")
        << u("truncated.mdbB") << MakeFile([](const QString &path, const QByteArray &backup) {
               return WriteFile(path, backup.left(backup.size() / 2));
           })
        << notOurs;
    QTest::newRow("backup with a damaged page")
        << u("damaged.mdbB") << MakeFile([](const QString &path, QByteArray backup) {
               backup.replace(backup.size() / 2, 4096, QByteArray(4096, '\x5a'));
               return WriteFile(path, backup);
           })
        << notOurs;
    QTest::newRow("database of another program")
        << u("foreign.mdbB") << MakeFile([](const QString &path, const QByteArray &) {
               return OtherProgram(path).exec(
                   QStringLiteral("CREATE TABLE patients (name TEXT, born TEXT)"));
           })
        << u("IDE");
    QTest::newRow("codes not unique")
        << u("duplicates.mdbB") << MakeFile([](const QString &path, const QByteArray &backup) {
               if (!WriteFile(path, backup))
                   return false;
               OtherProgram other(path);
               return other.exec(QStringLiteral("ALTER TABLE \"Answer\" RENAME TO \"Old\"")) &&
                      other.exec(
                          QStringLiteral("CREATE TABLE \"Answer\" AS SELECT * FROM \"Old\"")) &&
                      other.exec(QStringLiteral("DROP TABLE \"Old\""));
           })
        << u("Answer.Code UNIQUE");
    QTest::newRow("a trigger that rewrites the scores")
        << u("trigger.mdbB") << MakeFile([](const QString &path, const QByteArray &backup) {
               return WriteFile(path, backup) && AddScoreRewritingTrigger(path);
           })
        << u("false_total");
}

void TestBackup::restoreRefusesWhatIsNotOurs()
{
    QFETCH(QString, name);
    QFETCH(MakeFile, make);
    QFETCH(QString, said);
    QVERIFY(SeedSubjects(400));
    const QString database = m_gui.databasePath();
    const QString source = back(name);
    const QString good = m_gui.folder().path() + QStringLiteral("/good.mdbB");
    QVERIFY(Backup::BackUpDatabase(database, good));
    QVERIFY(make(source, ReadFile(good)));
    const QByteArray sourceBefore = ReadFile(source);
    const QByteArray before = ReadFile(database);
    const QStringList files = filesIn(QFileInfo(database).absolutePath());

    const Result restored = Backup::RestoreDatabase(source, database);
    QCOMPARE(restored.failure(), Failure::NotCopied);
    const QString failure = restored.description();
    QVERIFY2(failure.contains(said) && failure.endsWith(u("پایگاه داده دست نخورد.")),
             qPrintable(failure));
    QCOMPARE(ReadFile(database), before);
    QCOMPARE(filesIn(QFileInfo(database).absolutePath()), files);
    QCOMPARE(ReadFile(source), sourceBefore); // the user's file is only read
    QVERIFY(IsDatabaseOpen());
    QCOMPARE(QSqlQuery(QStringLiteral("SELECT COUNT(*) FROM \"IDE\"")).next(), true);
}

void TestBackup::restoreBringsBackTheBackup()
{
    QVERIFY(SeedSubjects(30));
    const QString database = m_gui.databasePath();
    const QString backup = back(u("backup.mdbB"));
    QVERIFY(Backup::BackUpDatabase(database, backup));
    const QStringList backedUp = codesIn(database);
    QVERIFY(run(QStringLiteral("DELETE FROM \"IDE\" WHERE \"Code\" = 'S3'")));
    QVERIFY(StoreSetting(QStringLiteral("Name"), QStringLiteral("changed")));
    QVERIFY(SeedSubjects(5, QStringLiteral("after-")));
    QVERIFY(codesIn(database) != backedUp);

    const Result restored = Backup::RestoreDatabase(backup, database);
    QVERIFY2(restored, qPrintable(restored.description()));
    QVERIFY(!IsDatabaseOpen()); // let go of before the file was replaced
    QCOMPARE(ReadFile(database), ReadFile(backup));
    QCOMPARE(filesIn(QFileInfo(database).absolutePath()), QStringList{u("DBKorvat.mdb")});
    // The next start opens the restored data.
    QCOMPARE(m_gui.folder().openDatabase(), QString());
    QCOMPARE(codesIn(database), backedUp);
    QCOMPARE(ReadFromFile(database, QStringLiteral("SELECT \"Name\" FROM \"Theme\"")).value(0),
             QVariant(QString()));
}

void TestBackup::windowBacksUp_data()
{
    QTest::addColumn<QString>("typed");   // "*": the backup folder
    QTest::addColumn<bool>("inDialog");   // typed into Qt's own save dialog, else into the box
    QTest::addColumn<QString>("written"); // in the backup folder; empty: nothing
    QTest::addColumn<QString>("refusal"); // part of the box that refuses the name at once
    QTest::addColumn<int>("oldSize");     // of an old backup there before; -1: none
    QTest::addColumn<Replace>("question");
    const QString none;
    QTest::newRow("nothing typed") << u("") << false << none << none << -1 << Replace::NotAsked;
    QTest::newRow("blanks only") << u("   ") << false << none << none << -1 << Replace::NotAsked;
    QTest::newRow("new file") << u("*/new.mdbB") << false << u("new.mdbB") << none << -1
                              << Replace::NotAsked;
    QTest::newRow("bare name, into the backup folder")
        << u("بيمارستان.mdbB") << false << u("بيمارستان.mdbB") << none << -1 << Replace::NotAsked;
    QTest::newRow("larger old backup, replaced")
        << u("*/old.mdbB") << false << u("old.mdbB") << none << 900000 << Replace::Yes;
    QTest::newRow("old backup kept")
        << u("*/old.mdbB") << false << none << none << 100 << Replace::No;
    QTest::newRow("path in quotes")
        << u("\"*/new.mdbB\" ") << false << u("new.mdbB") << none << -1 << Replace::NotAsked;
    QTest::newRow("typed without the extension")
        << u("new") << false << u("new.mdbB") << none << -1 << Replace::NotAsked;
    QTest::newRow("the offered name, its extension deleted in the dialog")
        << u("در تاريخ1393.7.15 ساعت)9.05)") << true << u("در تاريخ1393.7.15 ساعت)9.05).mdbB")
        << none << -1 << Replace::NotAsked;
    QTest::newRow("an old backup chosen in the dialog, asked once")
        << u("old.mdbB") << true << u("old.mdbB") << none << 100 << Replace::Yes;
    QTest::newRow("the database, refused before any question")
        << u("*/../DBKORVAT/DBKorvat.mdb") << false << none << u("روی خود پایگاه داده") << -1
        << Replace::NotAsked;
    QTest::newRow("a folder") << u("*/../DBKORVAT") << false << none
                              << u("DBKORVAT\u2069 فایل نیست") << -1 << Replace::NotAsked;
    QTest::newRow("a named pipe") << u("*/../pipe") << false << none << u("pipe\u2069 فایل نیست")
                                  << -1 << Replace::NotAsked;
    QTest::newRow("a device") << u("/dev/null") << false << none << u("null\u2069 فایل نیست") << -1
                              << Replace::NotAsked;
}

void TestBackup::windowBacksUp()
{
    QFETCH(QString, typed);
    QFETCH(bool, inDialog);
    QFETCH(QString, written);
    QFETCH(QString, refusal);
    QFETCH(int, oldSize);
    QFETCH(Replace, question);
    typed.replace(u("*"), BackupFolderPath());
    const QString old = back(u("old.mdbB"));
    if (oldSize >= 0)
        QVERIFY(WriteFile(old, patterned(oldSize)));
    else
        QVERIFY(QDir(BackupFolderPath()).removeRecursively()); // made again when needed
    // A named pipe in the program folder, for a name that leads to it.
    const QString pipe = QDir(m_gui.folder().path()).filePath(u("pipe"));
    if (QProcess::execute(u("mkfifo"), {pipe}) != 0)
        QSKIP("no mkfifo here");
    Frmbackup *window = Frmbackup::ShowNew();
    if (inDialog) {
        // Typed into Qt's own dialog, which is to ask nothing itself: a box it shows is counted.
        int dialogAsked = 0;
        AnswerNextModal([&](QWidget *dialog) {
            dialog->findChild<QLineEdit *>(u("fileNameEdit"))->setText(typed);
            AnswerNextModal(
                [&dialogAsked](QWidget *box) {
                    ++dialogAsked;
                    if (auto *question = qobject_cast<QMessageBox *>(box))
                        question->button(QMessageBox::Yes)->click();
                },
                300);
            QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
        });
        QTest::mouseClick(window->b1, Qt::LeftButton);
        QTest::qWait(400);
        QCOMPARE(dialogAsked, 0);
        QCOMPARE(window->Text1->text(), QDir::toNativeSeparators(back(written)));
    } else {
        window->Text1->setText(typed);
    }
    if (question != Replace::NotAsked)
        DialogHooks::PresetAnswer(question == Replace::Yes);

    QList<QMessageBox::Icon> icons;
    const QStringList shown = pressAndAnswer(window->VisualButtonEx2, &icons);
    QStringList expected;
    if (question != Replace::NotAsked)
        expected << said("Korvat", u(FrmbackupText::Replace));
    if (!refusal.isEmpty()) {
        // One box, before any question, plain and without an icon.
        QVERIFY2(shown.size() == 1 && shown.first().startsWith(u("Error|")) &&
                     shown.first().contains(refusal),
                 qPrintable(shown.join(u("\n"))));
        QCOMPARE(icons, QList<QMessageBox::Icon>{QMessageBox::NoIcon});
    } else if (typed.trimmed().isEmpty()) {
        expected << said(FrmbackupText::ErrorTitle, u(FrmbackupText::EmptyBackupPath));
    } else if (written.isEmpty()) {
        expected << said("Korvat", u(FrmbackupText::NotBackedUp));
    } else {
        expected << said("Korvat", u(FrmbackupText::BackedUp));
    }
    if (refusal.isEmpty())
        QCOMPARE(shown, expected);
    QCOMPARE(m_gui.programEnded(), !written.isEmpty());
    QVERIFY(!written.isEmpty() || window->isVisible());
    if (!written.isEmpty())
        QCOMPARE(ReadFile(back(written)), ReadFile(m_gui.databasePath()));
    if (oldSize >= 0 && written.isEmpty())
        QCOMPARE(ReadFile(old), patterned(oldSize));
    QStringList files = written.isEmpty() ? QStringList() : QStringList{written};
    if (oldSize >= 0 && written != QStringLiteral("old.mdbB"))
        files << u("old.mdbB");
    QCOMPARE(filesIn(BackupFolderPath()), files);
    QCOMPARE(QFileInfo::exists(BackupFolderPath()), !files.isEmpty());
    QVERIFY(QFileInfo::exists(pipe) && !QFileInfo(pipe).isFile()); // still the pipe
}

void TestBackup::windowRestores_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("held"); // another program holds the database meanwhile
    QTest::newRow("nothing typed") << u("") << false << u(FrmbackupText::EmptyRestorePath) << false;
    QTest::newRow("No") << u("backup.mdbB") << false << u(FrmbackupText::NotRestored) << false;
    QTest::newRow("Yes") << u("backup.mdbB") << true << u(FrmbackupText::Restored) << false;
    QTest::newRow("Yes, not a backup")
        << u("notes.mdbB") << true << u(FrmbackupText::CopyFailed) + u("\n") << false;
    // Not the copy: the backup is copied and checked, the database is not to be had.
    QTest::newRow("Yes, the database held by another program")
        << u("backup.mdbB") << true << u("دست نخورد.") + u(FrmbackupText::CloseOtherWindows)
        << true;
}

void TestBackup::windowRestores()
{
    QFETCH(QString, source);
    QFETCH(bool, answer);
    QFETCH(QString, message);
    QFETCH(bool, held);
    QVERIFY(SeedSubjects(10));
    const QString database = m_gui.databasePath();
    QVERIFY(Backup::BackUpDatabase(database, back(u("backup.mdbB"))));
    QVERIFY(WriteFile(back(u("notes.mdbB")), "not a database"));
    QVERIFY(SeedSubjects(10, u("later-")));
    const QByteArray before = ReadFile(database);
    OtherProgram other(database, 0);
    if (held)
        QVERIFY(other.holdWriteLock());
    if (!source.isEmpty())
        DialogHooks::PresetAnswer(answer);
    Frmbackup *window = Frmbackup::ShowNew();
    window->Text2->setText(source);

    QList<QMessageBox::Icon> icons;
    const QStringList shown = pressAndAnswer(window->VisualButtonEx3, &icons);
    QVERIFY2(shown.last().contains(message), qPrintable(shown.join(u("\n"))));
    if (held) // titled, marked and ended as the window's other failures are
        QVERIFY(shown.last().startsWith(u(FrmbackupText::ErrorTitle) + u("|")) &&
                shown.last().endsWith(message) && icons.last() == QMessageBox::Warning);
    if (!source.isEmpty())
        QCOMPARE(shown.first(), said("Korvat", u(FrmbackupText::AskRestore)));
    const bool restored = message == u(FrmbackupText::Restored);
    QCOMPARE(m_gui.programEnded(), restored);
    QVERIFY(restored || window->isVisible());
    QCOMPARE(ReadFile(database), restored ? ReadFile(back(u("backup.mdbB"))) : before);
    // Given back to the program's windows unless the program is ending.
    QCOMPARE(IsDatabaseOpen(), !restored);
    QCOMPARE(filesIn(QFileInfo(database).absolutePath()), QStringList{u("DBKorvat.mdb")});
}

void TestBackup::windowNameFollowsTheClock()
{
    // Opened at 9.05 on 7 October 2014; the dialog is opened just after midnight.
    QDateTime clock(QDate(2014, 10, 7), QTime(9, 5));
    Frmbackup::SetClock([&clock] { return clock; });
    Frmbackup *window = Frmbackup::ShowNew();
    QCOMPARE(window->windowTitle(), u("Back up ...  Reastor"));
    QCOMPARE(window->Label1->text(), u("1393.7.15"));
    QCOMPARE(window->Label2->text(), u("9.05"));
    clock = QDateTime(QDate(2014, 10, 8), QTime(0, 1));
    QTRY_COMPARE_WITH_TIMEOUT(window->Label2->text(), u("0.01"), 2500);
    QCOMPARE(window->Label1->text(), u("1393.7.15"));
    QVERIFY(!QFileInfo::exists(BackupFolderPath()) || QDir(BackupFolderPath()).removeRecursively());

    DialogHooks::TakeShown();
    DialogHooks::PresetAnswer(QString()); // cancelled
    QTest::mouseClick(window->b1, Qt::LeftButton);
    QCOMPARE(DialogHooks::TakeShown().value(0).text, back(u("در تاريخ1393.7.15 ساعت)0.01).mdbB")));
    QVERIFY(QFileInfo(BackupFolderPath()).isDir()); // made when missing
    QCOMPARE(window->Text1->text(), QString());
    // Qt's own dialog offers that name, in the backup folder, and shows backup files.
    QString offered;
    AnswerNextModal([&offered](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        QVERIFY(dialog);
        offered = QDir(dialog->directory())
                      .filePath(dialog->findChild<QLineEdit *>(u("fileNameEdit"))->text());
        QCOMPARE(dialog->nameFilters(), QStringList{u("Database Backup (*.mdbB)")});
        dialog->reject();
    });
    QTest::mouseClick(window->b1, Qt::LeftButton);
    QCOMPARE(offered, back(u("در تاريخ1393.7.15 ساعت)0.01).mdbB")));
    QCOMPARE(window->Text1->text(), QString());
    DialogHooks::PresetAnswer(u("/media/usb/a.mdbB"));
    QTest::mouseClick(window->b1, Qt::LeftButton);
    QCOMPARE(window->Text1->text(), QDir::toNativeSeparators(u("/media/usb/a.mdbB")));
    DialogHooks::PresetAnswer(u("/media/usb/b.mdbB"));
    QTest::mouseClick(window->b2, Qt::LeftButton);
    QCOMPARE(DialogHooks::TakeShown().last().text, BackupFolderPath());
    QCOMPARE(window->Text2->text(), QDir::toNativeSeparators(u("/media/usb/b.mdbB")));
}

void TestBackup::windowWaitsWhileCopying()
{
    QVERIFY(run(QStringLiteral("CREATE TABLE pad (b)")));
    QVERIFY(run(QStringLiteral("INSERT INTO pad VALUES (zeroblob(6000000))")));
    Frmbackup *window = Frmbackup::ShowNew();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    window->Text1->setText(back(u("big.mdbB")));
    QStringList during;
    QTimer watcher;
    connect(&watcher, &QTimer::timeout, window, [&] {
        if (!window->isCopying() || !during.isEmpty())
            return;
        window->close();
        QTest::keyClick(window->Text1, Qt::Key_A);
        for (QWidget *widget : window->findChildren<QPushButton *>())
            if (widget->isVisible() && widget->isEnabled())
                during << widget->objectName();
        during << QString::number(window->isVisible()) << QString::number(m_gui.programEnded())
               << QString::number(window->ProgressBar1->isVisible()) << window->Text1->text();
    });
    watcher.start(0);
    const QStringList shown = pressAndAnswer(window->VisualButtonEx2);
    QCOMPARE(during, (QStringList{u("1"), u("0"), u("1"), back(u("big.mdbB"))}));
    QCOMPARE(shown, QStringList{said("Korvat", u(FrmbackupText::BackedUp))});
    QCOMPARE(ReadFile(back(u("big.mdbB"))), ReadFile(m_gui.databasePath()));
}

void TestBackup::windowByKeyboard()
{
    Frmbackup *window = Frmbackup::ShowNew();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QCOMPARE(TabRound(window->Text1, 20),
             (QStringList{u("Text1"), u("b1"), u("VisualButtonEx2"), u("Text2"), u("b2"),
                          u("VisualButtonEx3"), u("Command3"), u("Command1")}));
    // Escape never clears what was typed; Enter on the help button opens the help, Escape
    // leaves it.
    QTest::keyClicks(window->Text1, u("D:/backups/x.mdbB"));
    QTest::keyClick(window->Text1, Qt::Key_Escape);
    QCOMPARE(window->Text1->text(), u("D:/backups/x.mdbB"));
    QTest::keyClick(window->Command3, Qt::Key_Return);
    QVERIFY(window->Frame1->isVisible() && !window->Command3->isVisible());
    QVERIFY(window->Text4->toPlainText().endsWith(u("موفق و پيروز باشيد")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!window->Frame1->isVisible());
    QCOMPARE(QApplication::focusWidget(), window->Command3);
    QVERIFY(!m_gui.programEnded());
    QTest::keyClick(window->Command1, Qt::Key_Return);
    QVERIFY(m_gui.programEnded());
}

void TestBackup::windowFitsTheScreen_data()
{
    QTest::addColumn<int>("theme");
    for (int theme : {1, 3, 6, 11})
        QTest::newRow(qPrintable(QString::number(theme))) << theme;
}

void TestBackup::windowFitsTheScreen()
{
    QFETCH(int, theme);
    QVERIFY(StoreSetting(QStringLiteral("TH"), QString::number(theme)));
    Frmbackup *window = Frmbackup::ShowNew();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(Misfit(window), QString());
    window->ProgressBar1->show();
    QCOMPARE(Clipped(window), QStringList());
    window->showHelp();
    QCoreApplication::processEvents();
    QCOMPARE(Misfit(window), QString());
    QCOMPARE(Clipped(window), QStringList());
    // The help reads whole lines: none is broken by the panel's width.
    QCOMPARE(window->Text4->document()->lineCount(), window->Text4->document()->blockCount());
}

QTEST_MAIN(TestBackup)
#include "test_backup.moc"
