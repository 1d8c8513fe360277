// The benchmark's own parts: timing a program's start to its first painted frame, and telling a
// start that fails from one that succeeds; the figures it prints; the resident memory it reads;
// and dropping a file from the system's cache before a fresh-process run.
#include "Figures.h"
#include "FileCache.h"
#include "ProgramStart.h"
#include "TestProgramFolder.h"
#include "VirtualDisplay.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

using Outcome = ProgramStart::Outcome;
Q_DECLARE_METATYPE(Outcome)

namespace {
const QByteArray BarePainted = "bare window painted";

QString bareWindow()
{
    return QString::fromUtf8(KORVAT_BARE_WINDOW_EXE);
}

QProcessEnvironment environmentOn(const QString &platform)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!platform.isEmpty())
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    return env;
}

// The program alone in a folder, with no database beside it: it refuses to start.
QString programWithoutDatabase()
{
    static QTemporaryDir folder;
    static const QString exe = InstallProgram(folder.path());
    return exe;
}

// The program in a folder of its own with the delivered database: it comes up.
QString programWithDatabase()
{
    static QTemporaryDir folder;
    static const QString exe =
        InstallDatabase(folder.path()) ? InstallProgram(folder.path()) : QString();
    return exe;
}

// A shell line run as a stand-in program.
QStringList shell(const char *line)
{
    return {QStringLiteral("-c"), QString::fromLatin1(line)};
}
} // namespace

class TestBench : public QObject
{
    Q_OBJECT

private slots:
    void start_data();
    void start();
    void startOnAVirtualDisplay();
    void spread_data();
    void spread();
    void bounds_data();
    void bounds();
    void residentFromStatus_data();
    void residentFromStatus();
    void residentOfALiveProcess();
    void childFigures_data();
    void childFigures();
    void percentile_data();
    void percentile();
    void peerOutput_data();
    void peerOutput();
    void dropFromCache_data();
    void dropFromCache();
};

void TestBench::start_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("platform");
    QTest::addColumn<int>("timeoutMs");
    QTest::addColumn<Outcome>("outcome");
    // Found in what failure() says; for Reached, failure() must be empty.
    QTest::addColumn<QString>("says");

    const QString sh = QStringLiteral("/bin/sh");
    QTest::newRow("never shows a window")
        << QStringLiteral("/bin/sleep") << QStringList{QStringLiteral("30")} << QString() << 600
        << Outcome::TimedOut << QStringLiteral("within 600 ms");
    QTest::newRow("exits with an error at once")
        << QStringLiteral("/bin/false") << QStringList() << QString() << 10000 << Outcome::Exited
        << QStringLiteral("exited with code 1");
    QTest::newRow("exits cleanly without a window")
        << QStringLiteral("/bin/true") << QStringList() << QString() << 10000 << Outcome::Exited
        << QStringLiteral("exited with code 0");
    QTest::newRow("crashes") << sh << shell("echo dying >&2; kill -SEGV $$") << QString() << 10000
                             << Outcome::Exited << QStringLiteral("crashed");
    QTest::newRow("does not exist")
        << QStringLiteral("/nonexistent/korvat") << QStringList() << QString() << 10000
        << Outcome::NotStarted << QStringLiteral("could not be started");
    QTest::newRow("says it on stdout, not stderr")
        << sh << shell("echo 'bare window painted'; sleep 30") << QString() << 600
        << Outcome::TimedOut << QStringLiteral("within 600 ms");
    QTest::newRow("shown but never painted")
        << sh << shell("echo 'bare window shown' >&2; sleep 30") << QString() << 600
        << Outcome::TimedOut << QStringLiteral("bare window shown");
    QTest::newRow("says it in two writes")
        << sh << shell("printf 'bare window pa' >&2; sleep 0.3; echo 'inted' >&2; sleep 30")
        << QString() << 10000 << Outcome::Reached << QString();
    QTest::newRow("bare window") << bareWindow() << QStringList() << QStringLiteral("offscreen")
                                 << 30000 << Outcome::Reached << QString();
    QTest::newRow("bare window with a label")
        << bareWindow() << QStringList{QStringLiteral("--label")} << QStringLiteral("offscreen")
        << 30000 << Outcome::Reached << QString();
    QTest::newRow("bare window on a platform that is not there")
        << bareWindow() << QStringList() << QStringLiteral("no-such-platform") << 30000
        << Outcome::Exited << QStringLiteral("no-such-platform");
    QTest::newRow("the program with its database")
        << programWithDatabase() << QStringList() << QStringLiteral("offscreen") << 30000
        << Outcome::Reached << QString();
    // It says why on stderr and waits for its message box to be read: never a painted window.
    QTest::newRow("the program refusing a missing database")
        << programWithoutDatabase() << QStringList() << QStringLiteral("offscreen") << 8000
        << Outcome::TimedOut << QStringLiteral("DBKorvat.mdb");
}

void TestBench::start()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(QString, platform);
    QFETCH(int, timeoutMs);
    QFETCH(Outcome, outcome);
    QFETCH(QString, says);
    if (program.startsWith(QStringLiteral("/bin/")) && !QFile::exists(program))
        QSKIP("This system has no such program.");

    ProgramStart start;
    start.setEnvironment(ProgramEnvironment(environmentOn(platform)));
    QElapsedTimer clock;
    clock.start();
    const QByteArray marker =
        program.endsWith(QStringLiteral("korvat")) ? "main window painted" : BarePainted;
    const Outcome got = start.run(program, arguments, marker, timeoutMs);
    const qint64 took = clock.elapsed();
    QVERIFY2(got == outcome,
             qPrintable(ProgramStart::OutcomeName(got) + QStringLiteral(": ") + start.failure()));
    if (outcome == Outcome::Reached) {
        QVERIFY2(start.failure().isEmpty(), qPrintable(start.failure()));
        QVERIFY(start.milliseconds() > 0);
        QVERIFY(start.milliseconds() <= double(took) + 1);
        // Timed at the marker, with the program still there to be looked at.
        QVERIFY(start.isRunning());
        QVERIFY(start.processId() > 0);
        start.stop();
        QVERIFY(!start.isRunning());
        QCOMPARE(start.processId(), qint64(0));
    } else {
        QVERIFY2(start.failure().contains(says), qPrintable(start.failure()));
        // Whatever it was doing, the program is gone, and nobody waited for it to finish.
        QVERIFY(!start.isRunning());
        QVERIFY2(took < 20000, qPrintable(QString::number(took)));
    }
}

void TestBench::startOnAVirtualDisplay()
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty())
        QSKIP("No Xvfb here.");
    QString name;
    {
        VirtualDisplay display;
        QVERIFY2(display.start(xvfb), qPrintable(display.failure()));
        name = display.name();
        QVERIFY2(name.startsWith(u':'), qPrintable(name));
        // A second one, asked for the same display, takes another.
        VirtualDisplay second;
        QVERIFY2(second.start(xvfb, name.mid(1).toInt()), qPrintable(second.failure()));
        QVERIFY2(second.name() != name, qPrintable(second.name()));
        QProcessEnvironment env = environmentOn(QStringLiteral("xcb"));
        env.insert(QStringLiteral("DISPLAY"), name);
        ProgramStart start;
        start.setEnvironment(env);
        const Outcome got = start.run(bareWindow(), {}, BarePainted, 30000);
        QVERIFY2(got == Outcome::Reached, qPrintable(start.failure()));
    }
    // The server went with its object: a window on it now fails to start.
    QProcessEnvironment env = environmentOn(QStringLiteral("xcb"));
    env.insert(QStringLiteral("DISPLAY"), name);
    ProgramStart start;
    start.setEnvironment(env);
    QCOMPARE(start.run(bareWindow(), {}, BarePainted, 30000), Outcome::Exited);
}

void TestBench::spread_data()
{
    QTest::addColumn<std::vector<double>>("values");
    QTest::addColumn<int>("count");
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("median");
    QTest::addColumn<double>("max");
    QTest::newRow("none") << std::vector<double>{} << 0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("one") << std::vector<double>{4.5} << 1 << 4.5 << 4.5 << 4.5;
    QTest::newRow("odd, unsorted") << std::vector<double>{9, 1, 5, 3, 7} << 5 << 1.0 << 5.0 << 9.0;
    QTest::newRow("even: mean of the middle two")
        << std::vector<double>{10, 2, 4, 40} << 4 << 2.0 << 7.0 << 40.0;
    QTest::newRow("one slow outlier")
        << std::vector<double>{1, 1, 1, 1000} << 4 << 1.0 << 1.0 << 1000.0;
}

void TestBench::spread()
{
    QFETCH(std::vector<double>, values);
    QFETCH(int, count);
    QFETCH(double, min);
    QFETCH(double, median);
    QFETCH(double, max);
    const Spread spread = SpreadOf(values);
    QCOMPARE(spread.count, count);
    QCOMPARE(spread.min, min);
    QCOMPARE(spread.median, median);
    QCOMPARE(spread.max, max);
}

void TestBench::bounds_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("bound");
    QTest::addColumn<double>("limit");
    QTest::addColumn<bool>("met");
    const int atMost = int(Bound::AtMost);
    const int under = int(Bound::Under);
    QTest::newRow("at most: on the limit") << 1.5 << atMost << 1.5 << true;
    QTest::newRow("at most: just over") << 1.5001 << atMost << 1.5 << false;
    QTest::newRow("under: on the limit") << 10.0 << under << 10.0 << false;
    QTest::newRow("under: just below") << 9.999 << under << 10.0 << true;
    QTest::newRow("no figure") << std::numeric_limits<double>::quiet_NaN() << atMost << 1.5
                               << false;
    QTest::newRow("endless") << std::numeric_limits<double>::infinity() << under << 10.0 << false;
}

void TestBench::bounds()
{
    QFETCH(double, value);
    QFETCH(int, bound);
    QFETCH(double, limit);
    QFETCH(bool, met);
    QCOMPARE(Meets(value, Bound(bound), limit), met);
}

void TestBench::residentFromStatus_data()
{
    QTest::addColumn<QByteArray>("status");
    QTest::addColumn<qint64>("kib");
    const QByteArray head = "Name:\tkorvat\nUmask:\t0022\nState:\tS (sleeping)\n";
    QTest::newRow("as Linux writes it")
        << head +
               "VmPeak:\t  912340 kB\nVmHWM:\t   98876 kB\nVmRSS:\t   61232 kB\nRssAnon:\t 20 kB\n"
        << qint64(61232);
    // The peak comes first in the file; it is not the memory held now.
    QTest::newRow("peak before resident")
        << QByteArray("VmHWM:\t 5000 kB\nVmRSS:\t 1200 kB\n") << qint64(1200);
    QTest::newRow("last line, no newline") << QByteArray("VmRSS:\t 77 kB") << qint64(77);
    QTest::newRow("no resident line") << head + "VmHWM:\t 5000 kB\n" << qint64(-1);
    QTest::newRow("no unit") << QByteArray("VmRSS:\t 1200\n") << qint64(-1);
    QTest::newRow("not a number") << QByteArray("VmRSS:\t twelve kB\n") << qint64(-1);
    QTest::newRow("empty") << QByteArray() << qint64(-1);
}

void TestBench::residentFromStatus()
{
    QFETCH(QByteArray, status);
    QFETCH(qint64, kib);
    QCOMPARE(ResidentKibFromStatus(status), kib);
}

void TestBench::residentOfALiveProcess()
{
#if !defined(Q_OS_LINUX)
    QSKIP("Only Linux tells a process's resident memory this way.");
#else
    const qint64 before = ResidentKib();
    QVERIFY(before > 0);
    // 64 MiB touched page by page is resident.
    std::vector<char> block(64 << 20);
    std::memset(block.data(), 1, block.size());
    const qint64 after = ResidentKib(QCoreApplication::applicationPid());
    QVERIFY2(after - before > 48 * 1024,
             qPrintable(QStringLiteral("%1 -> %2").arg(before).arg(after)));
    QVERIFY(block[block.size() / 2] == 1);
    QCOMPARE(ResidentKib(std::numeric_limits<int>::max()), qint64(-1));
#endif
}

void TestBench::childFigures_data()
{
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("ms");
    QTest::addColumn<qint64>("growthKib");
    ChildFigures figures;
    figures.ms = 2.5;
    figures.growthKib = 1344;
    figures.cachedShare = 0;
    QTest::newRow("as a run writes it")
        << FormatChildFigures(figures) << true << 2.5 << qint64(1344);
    QTest::newRow("among other lines")
        << QByteArray("QStandardPaths: some warning\nms=0.0150\ngrowth-kib=-8\n") << true << 0.015
        << qint64(-8);
    QTest::newRow("no time") << QByteArray("growth-kib=12\n") << false << 0.0 << qint64(0);
    QTest::newRow("nothing") << QByteArray() << false << 0.0 << qint64(0);
    // A failure marked as -1 must never be taken for a time.
    QTest::newRow("minus one") << QByteArray("ms=-1\n") << false << 0.0 << qint64(0);
    QTest::newRow("not a number") << QByteArray("ms=nan\n") << false << 0.0 << qint64(0);
    QTest::newRow("words") << QByteArray("ms=fast\n") << false << 0.0 << qint64(0);
    QTest::newRow("memory not a number")
        << QByteArray("ms=1.0\ngrowth-kib=lots\n") << false << 0.0 << qint64(0);
}

void TestBench::childFigures()
{
    QFETCH(QByteArray, out);
    QFETCH(bool, ok);
    QFETCH(double, ms);
    QFETCH(qint64, growthKib);
    ChildFigures figures;
    figures.ms = 99;
    QString why;
    QCOMPARE(ParseChildFigures(out, &figures, &why), ok);
    if (ok) {
        QCOMPARE(figures.ms, ms);
        QCOMPARE(figures.growthKib, growthKib);
        QVERIFY(why.isEmpty());
    } else {
        QCOMPARE(figures.ms, 99.0); // left as it was
        QVERIFY(!why.isEmpty());
    }
}

void TestBench::percentile_data()
{
    QTest::addColumn<std::vector<double>>("values");
    QTest::addColumn<double>("percent");
    QTest::addColumn<double>("value");
    std::vector<double> hundred;
    for (int i = 100; i >= 1; --i)
        hundred.push_back(i);
    QTest::newRow("95th of 1 to 100, unsorted") << hundred << 95.0 << 95.0;
    // 224 saves: rank 212.8, rounded up to the 213th.
    std::vector<double> saves(224);
    for (size_t i = 0; i < saves.size(); ++i)
        saves[i] = double(i + 1);
    QTest::newRow("95th of 224") << saves << 95.0 << 213.0;
    QTest::newRow("95th of 4: the largest") << std::vector<double>{3, 1, 4, 2} << 95.0 << 4.0;
    QTest::newRow("50th of 4: the lower middle one")
        << std::vector<double>{3, 1, 4, 2} << 50.0 << 2.0;
    QTest::newRow("0th: the smallest") << std::vector<double>{7, 5} << 0.0 << 5.0;
    QTest::newRow("100th: the largest") << std::vector<double>{7, 5} << 100.0 << 7.0;
    QTest::newRow("one") << std::vector<double>{2.5} << 95.0 << 2.5;
}

void TestBench::percentile()
{
    QFETCH(std::vector<double>, values);
    QFETCH(double, percent);
    QFETCH(double, value);
    QCOMPARE(PercentileOf(values, percent), value);
    QVERIFY(std::isnan(PercentileOf({}, 95)));
}

void TestBench::peerOutput_data()
{
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("saves");
    QTest::addColumn<int>("failure");
    QTest::newRow("as a peer prints it")
        << QByteArray("ready\nnext 1.250\nnext 3.500\nresult 0 \n") << true << 2 << 0;
    QTest::newRow("the register refused")
        << QByteArray("next 1.0\nresult 6 a Persian reason\n") << true << 1 << 6;
    QTest::newRow("no save at all") << QByteArray("result 0\n") << true << 0 << 0;
    // A peer that died half-way: its saves so far are no result.
    QTest::newRow("no result") << QByteArray("ready\nnext 1.0\nnext 2.0\n") << false << 0 << 0;
    QTest::newRow("a save after the result")
        << QByteArray("result 0\nnext 1.0\n") << false << 0 << 0;
    QTest::newRow("not a time") << QByteArray("next soon\nresult 0\n") << false << 0 << 0;
    QTest::newRow("a negative time") << QByteArray("next -1\nresult 0\n") << false << 0 << 0;
    QTest::newRow("not a failure") << QByteArray("next 1.0\nresult x\n") << false << 0 << 0;
    QTest::newRow("nothing") << QByteArray() << false << 0 << 0;
}

void TestBench::peerOutput()
{
    QFETCH(QByteArray, out);
    QFETCH(bool, ok);
    QFETCH(int, saves);
    QFETCH(int, failure);
    PeerOutput peer;
    QString why;
    QCOMPARE(ParsePeerOutput(out, &peer, &why), ok);
    QCOMPARE(why.isEmpty(), ok);
    if (!ok)
        return;
    QCOMPARE(int(peer.nextMs.size()), saves);
    QCOMPARE(peer.failure, failure);
    if (saves == 2)
        QCOMPARE(peer.nextMs, (std::vector<double>{1.25, 3.5}));
}

void TestBench::dropFromCache_data()
{
    QTest::addColumn<bool>("exists");
    QTest::newRow("a file just written") << true;
    QTest::newRow("no such file") << false;
}

void TestBench::dropFromCache()
{
    QFETCH(bool, exists);
#if !defined(Q_OS_LINUX)
    QString why;
    QVERIFY(!DropFromCache(QStringLiteral("x"), &why));
    QVERIFY(!why.isEmpty());
    QCOMPARE(CachedShare(QStringLiteral("x")), -1.0);
#else
    // Beside the build, where the benchmark's databases are: a disk, not memory.
    QTemporaryDir folder(QDir::currentPath() + QStringLiteral("/cache-XXXXXX"));
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("pages"));
    QString why;
    if (!exists) {
        QVERIFY(!DropFromCache(path, &why));
        QVERIFY(why.contains(QStringLiteral("open")));
        QCOMPARE(CachedShare(path), -1.0);
        return;
    }
    if (QStorageInfo(folder.path()).fileSystemType() == "tmpfs")
        QSKIP("The build folder is in memory (tmpfs): nothing can be dropped there.");
    QVERIFY(WriteFile(path, QByteArray(8 << 20, 'k')));
    QCOMPARE(ReadFile(path).size(), 8 << 20);
    QVERIFY2(CachedShare(path) > 0.9, qPrintable(QString::number(CachedShare(path))));
    QVERIFY2(DropFromCache(path, &why), qPrintable(why));
    QVERIFY2(CachedShare(path) < 0.1, qPrintable(QString::number(CachedShare(path))));
    // And the file is still whole.
    QCOMPARE(ReadFile(path), QByteArray(8 << 20, 'k'));
#endif
}

QTEST_GUILESS_MAIN(TestBench)
#include "test_bench.moc"
