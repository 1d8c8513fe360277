// korvat-bench: times the program's everyday operations on a database with few and with many
// subjects, and prints the medians and their ratio. It prints figures; it asserts nothing.
#include "Seed.h"
#include "TestProgramFolder.h"
#include "app/Frm1.h"
#include "common/MemoryTuning.h"
#include "common/ProgramLook.h"
#include "data/Cursor.h"
#include "registration/RegistrationPanel.h"

#include "data/Database.h"
#include "data/Transaction.h"
#include <QComboBox>
#include <QLineEdit>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {
const int Small = 100;
const int Large = 100000;

struct Operation
{
    const char *name;
    int runs;
    // run counts on across rounds; first and last mark the runs of one database session
    std::function<void(int subjects, int run, bool first, bool last)> body;
    // Untimed set-up before each run, when the operation needs one.
    std::function<void(int run)> prepare = nullptr;
};

// The main window a registration runs in; made before the timing starts.
Frm1 *g_window = nullptr;

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Starts a program, waits for its "shown" line on stderr, and stops it. Milliseconds.
double timeToShown(const QString &program, const QString &marker,
                   const QStringList &arguments = QStringList())
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("korvat.startup.info=true"));
    process.setProcessEnvironment(env);
    process.setReadChannel(QProcess::StandardError);
    QElapsedTimer clock;
    clock.start();
    process.start();
    QByteArray err;
    double shown = -1;
    while (process.waitForReadyRead(10000) || process.state() == QProcess::Running) {
        err += process.readAllStandardError();
        if (err.contains(marker.toUtf8())) {
            shown = double(clock.nsecsElapsed()) / 1e6;
            break;
        }
        if (clock.elapsed() > 10000)
            break;
    }
    process.kill();
    process.waitForFinished(5000);
    return shown;
}

// The program in a folder of its own, with the delivered database.
QString installProgram(const QString &folder)
{
    const QString exe = QDir(folder).filePath(QStringLiteral("korvat"));
    QDir(folder).mkpath(QStringLiteral("DBKORVAT"));
    QFile::copy(QString::fromUtf8(KORVAT_PROGRAM_EXE), exe);
    QFile::copy(DeliveredDatabasePath(),
                QDir(folder).filePath(QStringLiteral("DBKORVAT/DBKorvat.mdb")));
    QFile::setPermissions(QDir(folder).filePath(QStringLiteral("DBKORVAT/DBKorvat.mdb")),
                          QFile::ReadOwner | QFile::WriteOwner);
    const QDir skins(QString::fromUtf8(KORVAT_SOURCE_DIR) + QStringLiteral("/resources/skins"));
    for (const QString &skin : skins.entryList({QStringLiteral("*.skn")}))
        QFile::copy(skins.filePath(skin), QDir(folder).filePath(skin));
    return exe;
}

QString peakMemory()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return QStringLiteral("unknown");
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return QString::fromLatin1(line.mid(6).trimmed());
    return QStringLiteral("unknown");
}

QString someCode(int subjects)
{
    return QStringLiteral("S") + QString::number(QRandomGenerator::global()->bounded(subjects));
}

const std::vector<Operation> &operations()
{
    static const std::vector<Operation> list = {
        {"open IDE cursor and count", 200,
         [](int, int, bool, bool) {
             Cursor subjects(QStringLiteral("IDE"));
             subjects.open();
             if (subjects.count() < 0)
                 std::abort();
         }},
        {"filter IDE by code", 500,
         [](int n, int, bool first, bool last) {
             // One window's cursor, opened once, filtered again and again.
             static std::unique_ptr<Cursor> subjects;
             if (first) {
                 subjects = std::make_unique<Cursor>(QStringLiteral("IDE"));
                 subjects->open();
             }
             subjects->filter(QStringLiteral("Code"), someCode(n));
             if (subjects->field(QStringLiteral("Code")).isEmpty())
                 std::abort();
             if (last)
                 subjects.reset();
         }},
        {"create and show Frm1", 40,
         [](int, int, bool, bool) {
             auto *window = new Frm1;
             window->show();
             QCoreApplication::processEvents();
             window->Text3 = QStringLiteral("1"); // leaves quietly
             delete window;
         }},
        {"register a subject (panel)", 40,
         [](int, int run, bool, bool) {
             RegistrationPanel *panel = g_window->registration;
             panel->open();
             panel->Text11->setText(QStringLiteral("reg-") + QString::number(run));
             panel->Text6->setText(QStringLiteral("Bench"));
             panel->Text4->setText(QStringLiteral("Mark"));
             panel->Text5->setText(QStringLiteral("9"));
             panel->Combo1->setCurrentIndex(0);
             panel->Combo2->setCurrentIndex(0);
             panel->Combo3->setCurrentIndex(0);
             panel->Text7->setText(QStringLiteral("x"));
             panel->save();
             // Saving hands over to the confirmation window.
             QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
             for (QWidget *window : QApplication::topLevelWidgets())
                 if (window->objectName() == QLatin1String("Frmskin"))
                     delete window;
         },
         [](int) {
             g_window = new Frm1;
             g_window->show();
         }},
        {"add and save a subject", 200,
         [](int, int run, bool, bool) {
             Cursor subjects(QStringLiteral("IDE"));
             Cursor answers(QStringLiteral("Answer"));
             subjects.open();
             answers.open();
             const QString code = QStringLiteral("bench-") + QString::number(run);
             Transaction transaction;
             answers.add();
             answers.setField(QStringLiteral("Code"), code);
             subjects.add();
             subjects.setField(QStringLiteral("Code"), code);
             subjects.setField(QStringLiteral("FName"), QStringLiteral("Bench"));
             if (!answers.save() || !subjects.save() || !transaction.commit())
                 std::abort();
         }},
    };
    return list;
}
} // namespace

int main(int argc, char *argv[])
{
    TuneMemoryAllocator(); // as the program does
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ApplyProgramLook(app);

    // Both databases are prepared first, then measured in alternating rounds, so that whatever
    // else the machine (and its disk) is doing weighs on both sizes alike.
    const int sizes[] = {Small, Large};
    std::vector<std::unique_ptr<TestProgramFolder>> folders;
    for (int subjects : sizes) {
        folders.push_back(std::make_unique<TestProgramFolder>());
        if (!folders.back()->isValid() || !folders.back()->openDatabase().isEmpty() ||
            !SeedSubjects(subjects)) {
            std::fprintf(stderr, "korvat-bench: cannot prepare a database with %d subjects\n",
                         subjects);
            return 1;
        }
        CloseDatabase();
    }

    const int rounds = 4;
    std::vector<std::vector<std::vector<double>>> times(operations().size(),
                                                        std::vector<std::vector<double>>(2));
    for (int round = 0; round < rounds; ++round) {
        for (int size = 0; size < 2; ++size) {
            OpenDatabase(folders[size]->databasePath());
            for (size_t i = 0; i < operations().size(); ++i) {
                const Operation &operation = operations()[i];
                const int runs = operation.runs / rounds;
                for (int run = 0; run < runs; ++run) {
                    if (operation.prepare)
                        operation.prepare(run);
                    QElapsedTimer clock;
                    clock.start();
                    operation.body(sizes[size], round * runs + run, run == 0, run == runs - 1);
                    times[i][size].push_back(double(clock.nsecsElapsed()) / 1e6);
                }
            }
            CloseDatabase();
        }
    }

    std::printf("%-30s %14s %14s %8s\n", "operation (median)", "N=100", "N=100000", "ratio");
    for (size_t i = 0; i < operations().size(); ++i) {
        const double small = median(times[i][0]);
        const double large = median(times[i][1]);
        std::printf("%-30s %11.3f ms %11.3f ms %8.2f\n", operations()[i].name, small, large,
                    large / small);
    }
    std::printf("peak memory: %s\n", qPrintable(peakMemory()));

    // Start-up of the whole program beside a bare Qt window, both started as processes in
    // alternation, on the same platform plugin as this run.
    QTemporaryDir program;
    const QString korvat = installProgram(program.path());
    const QString bare = QString::fromUtf8(KORVAT_BARE_WINDOW_EXE);
    std::vector<double> korvatTimes;
    std::vector<double> bareTimes;
    std::vector<double> labelTimes;
    for (int run = 0; run < 21; ++run) {
        bareTimes.push_back(timeToShown(bare, QStringLiteral("bare window shown")));
        korvatTimes.push_back(timeToShown(korvat, QStringLiteral("main window shown")));
        labelTimes.push_back(
            timeToShown(bare, QStringLiteral("bare window shown"), {QStringLiteral("--label")}));
    }
    const double bareMedian = median(bareTimes);
    const double korvatMedian = median(korvatTimes);
    const double labelMedian = median(labelTimes);
    std::printf("%-30s %14s %14s %8s\n", "start-up to window shown", "bare Qt", "korvat", "ratio");
    std::printf("%-30s %11.1f ms %11.1f ms %8.2f\n",
                qPrintable(QString::fromLatin1(qgetenv("QT_QPA_PLATFORM"))), bareMedian,
                korvatMedian, korvatMedian / bareMedian);
    // The same window with one line of Persian: the share of the fonts in any start-up.
    std::printf("%-30s %11.1f ms %11.1f ms %8.2f\n", "  bare Qt with a Persian label", labelMedian,
                korvatMedian, korvatMedian / labelMedian);
    return 0;
}
