// korvat-bench: times the program's everyday operations on a database of 100 and one of 100,000
// subjects, warm and each once in a fresh process with the file dropped from the system's cache;
// times the program's start to its first painted frame beside a bare Qt window; and reads the
// program's resident memory idle at its main window. It prints each figure's minimum, median and
// maximum and the targets, met or missed. It asserts no time, but anything that fails (a start, a
// save, a filter that finds the wrong row) stops it with an error, never with a number.
//
//   korvat-bench                                  the whole run
//   korvat-bench --only KEY[,KEY...]              those operations, warm and fresh, and no start-up
//   korvat-bench --server [--only KEY[,KEY...]]   the operations on the file beside the shared
//                                                 register on a PostgreSQL server of its own, and
//                                                 four examiners at once there (KEY "examiners")
//   korvat-bench --one KEY --db PATH --subjects N one run of one operation, for the whole run
//   korvat-bench --reports                        the results list to PDF only
//   korvat-bench --report --db PATH --subjects N  one such run, for the two above
//   korvat-bench --preview --db PATH --subjects N the list through its preview, for --reports
#include "Answers.h"
#include "Figures.h"
#include "FileCache.h"
#include "ProgramStart.h"
#include "Seed.h"
#include "TestProgramFolder.h"
#include "TestServer.h"
#include "VirtualDisplay.h"

#include "administration/FrmTest.h"

#include "app/Frm1.h"
#include "app/SingleInstance.h"
#include "appearance/Frmskin.h"
#include "backup/Backup.h"
#include "common/Dialogs.h"
#include "common/MemoryTuning.h"
#include "common/ProgramFolder.h"
#include "common/ProgramLook.h"
#include "data/Cursor.h"
#include "data/Database.h"
#include "data/ServerBackend.h"
#include "records/FrmCode.h"
#include "registration/RegistrationPanel.h"
#include "reports/DataRPrint.h"
#include "reports/ReportActions.h"
#include "reports/ReportPreview.h"
#include "scoring/FrmkLID.h"
#include "scoring/FrmkLIDText.h"
#include "scoring/ScoringKey.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QStringListModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {
const int Sizes[] = {100, 100000};
const int WarmRounds = 4;
const int FreshRuns = 9;
const int StartRounds = 21;
const int StartTimeoutMs = 30000;
// How long the program sits idle at its main window before its memory is read.
const int IdleMs = 300;

// Ratio of the large database's median to the small one's, at most.
const double RatioTarget = 1.5;
const double AddSaveTargetMs = 10;
const double AddSaveGrowthTargetKib = 5 * 1024;
const double PeakTargetMib = 300;
// The subject browser at N=100000: its grid's first screen, and its name lists, in ms.
const double BrowserScreenTargetMs = 100;
const double NameListsTargetMs = 300;
// What the test window does at a key or a click, at N=100000.
const double TestWindowTargetMs = 30;
const char *const TestWindowKeys[] = {"next", "progress", "unanswered"};

// The operations asked for with --only; empty: all of them.
QStringList g_only;

// Whatever fails stops the run; main() reports it and exits with an error.
struct BenchFailure
{
    QString what;
};

void need(bool condition, const QString &what)
{
    if (!condition)
        throw BenchFailure{what};
}

// A program folder whose database holds `subjects` seeded subjects, closed again for a child.
std::unique_ptr<TestProgramFolder> seededFolder(int subjects)
{
    auto folder = std::make_unique<TestProgramFolder>();
    need(folder->isValid(), QStringLiteral("no temporary program folder"));
    const QString refusal = folder->openDatabase();
    need(refusal.isEmpty(), QStringLiteral("opening the database: ") + refusal);
    need(SeedSubjects(subjects), QStringLiteral("seeding %1 subjects failed").arg(subjects));
    CloseDatabase();
    return folder;
}

// Runs this program again with `arguments` and returns what it printed; a child that did not
// end well stops the run, named by `what`.
QByteArray runChild(const QStringList &arguments, int timeoutMs, const QString &what)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), arguments);
    const bool finished = child.waitForFinished(timeoutMs);
    const QByteArray out = child.readAllStandardOutput();
    const QByteArray err = child.readAllStandardError().trimmed();
    need(finished && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
         QStringLiteral("%1: %2").arg(what, err.isEmpty() ? child.errorString()
                                                          : QString::fromUtf8(err)));
    return out;
}

// The figures a child printed on one line, `count` of them, or the run stops.
QStringList childFields(const QByteArray &out, int count, const QString &what)
{
    const QStringList fields = QString::fromUtf8(out).simplified().split(u' ');
    need(fields.size() == count, QStringLiteral("%1: %2 figures expected, it printed \"%3\"")
                                     .arg(what)
                                     .arg(count)
                                     .arg(QString::fromUtf8(out.trimmed())));
    return fields;
}

// For the outcome of a cursor call: its error is read only once the call has run.
void needDone(const Result &done, const QString &what)
{
    if (!done)
        throw BenchFailure{what + QStringLiteral(": ") +
                           (done.description().isEmpty()
                                ? QStringLiteral("failed, with no error given")
                                : done.description())};
}

// For a cursor's move, which says only whether there was a row: the cursor tells why not.
void needDone(bool done, const Cursor &cursor, const QString &what)
{
    if (!done)
        needDone(cursor.lastError().ok() ? Result::Failed(Failure::Other, QString())
                                         : cursor.lastError(),
                 what);
}

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// One run of one operation on one database.
struct Run
{
    int subjects = 0;
    QString database;
    QString tag; // unique among all runs on this file
    QRandomGenerator *pick = nullptr;
    std::unique_ptr<Cursor> cursor;
    int expected = -1;  // the seeded subject the operation should come to
    QString code;       // the code the operation writes
    QStringList shown;  // the current row's fields, as a window shows them
    qint64 number = -1; // a count, or whether a table is empty
    QPointer<Frm1> window;
    QPointer<FrmCode> browser;
    QPointer<FrmkLID> scoring;
    std::unique_ptr<FrmTest> test;
    QList<int> blanked; // statements whose answers the run took away, to put back

    ~Run()
    {
        test.reset();
        cursor.reset();
        delete scoring;
        if (window) {
            window->Text3 = QStringLiteral("1"); // leaves without the exit dialog
            delete window;
        }
        delete browser.data(); // deleted, not closed: no main window comes back
    }
};

struct Operation
{
    const char *key; // for --one
    const char *name;
    int warmRuns;
    bool targeted;                      // the large/small ratio has a target
    std::function<void(Run &)> prepare; // untimed: what a window has done before the user acts
    std::function<void(Run &)> timed;
    std::function<void(Run &)> check; // untimed: the result is right; tidies up
};

QStringList shownRow(const Cursor &cursor)
{
    QStringList row;
    for (const QString &field : Schema::Fields(cursor.table()))
        row << cursor.field(field);
    return row;
}

QString groupOf(int i)
{
    return QString(QLatin1Char(char('A' + i % 7)));
}

// The fields that tell seeded subjects apart, out of a row of IDE.
QString identity(const QStringList &row)
{
    const QStringList fields = Schema::Fields(QStringLiteral("IDE"));
    QStringList parts;
    for (const char *field : {"Code", "FName", "LName", "Group", "Date"})
        parts << row.value(fields.indexOf(QLatin1String(field)));
    return parts.join(QStringLiteral(" | "));
}

void needSeeded(const QStringList &row, int i, const QString &what)
{
    const QString expected = QStringList{QStringLiteral("S%1").arg(i), SeedFirstName(i),
                                         SeedLastName(i), groupOf(i), SeedDate(i % 50)}
                                 .join(QStringLiteral(" | "));
    need(identity(row) == expected,
         QStringLiteral("%1 came to \"%2\" instead of \"%3\"").arg(what, identity(row), expected));
}

void openCursor(Run &run, const QString &table = QStringLiteral("IDE"))
{
    run.cursor = std::make_unique<Cursor>(table);
    // The message is made only on failure: this runs inside timed parts.
    if (const Result opened = run.cursor->open(); !opened)
        needDone(opened, QStringLiteral("opening ") + table);
}

void filterBy(Run &run, const char *field, const QString &value)
{
    if (const Result filtered = run.cursor->filter(QLatin1String(field), value); !filtered)
        needDone(filtered,
                 QStringLiteral("filtering by %1 = \"%2\"").arg(QLatin1String(field), value));
}

// The connections readBack() opened to servers, by name.
QStringList g_readers;

// What the register holds, read as another program would, beside the program's own connection
// and its cursors: a file through a connection of its own (ReadFromFile); a server through a
// second connection of this process, signed in as the program is (the tests' own reader signs in
// as the cluster's owner, whom only the process that started the server knows). The first column
// of every row; a read the server refuses stops the run.
QVariantList readBack(const QString &database, const QString &sql,
                      const QVariantList &values = QVariantList())
{
    if (ServerDatabaseOf(database).isEmpty())
        return ReadFromFile(database, sql, values);
    const QString name = QStringLiteral("bench-read-") + database;
    if (!g_readers.contains(name)) {
        needDone(OpenSecondServerConnection(ServerSettingsPath(database), name),
                 QStringLiteral("connecting to read the server back"));
        g_readers << name;
    }
    QSqlQuery query(QSqlDatabase::database(name, false));
    query.setForwardOnly(true);
    bool done = query.prepare(sql);
    for (const QVariant &value : values)
        query.addBindValue(value);
    done = done && query.exec();
    need(done,
         QStringLiteral("reading the server back: %1: %2").arg(sql, query.lastError().text()));
    QVariantList result;
    while (query.next())
        result << query.value(0);
    return result;
}

void closeReaders()
{
    for (const QString &name : std::as_const(g_readers)) {
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
    }
    g_readers.clear();
}

qint64 countInFile(const Run &run, const QString &sql, const QString &value = QString())
{
    const QVariantList result =
        readBack(run.database, sql, value.isNull() ? QVariantList() : QVariantList{value});
    need(result.size() == 1, QStringLiteral("reading the file back: %1").arg(sql));
    return result.value(0).toLongLong();
}

QString answerInFile(const Run &run, int statement)
{
    return readBack(
               run.database,
               QStringLiteral("SELECT \"%1\" FROM \"Answer\" WHERE \"Code\" = ?").arg(statement),
               {run.code})
        .value(0)
        .toString();
}

// A subject's 56 stored answers, "|" between them.
QString answersInFile(const QString &database, const QString &code)
{
    return readBack(database,
                    QStringLiteral("SELECT %1 FROM \"Answer\" WHERE \"Code\" = ?")
                        .arg(AnswersAsOneText(QStringLiteral("|"))),
                    {code})
        .value(0)
        .toString();
}

// The six scores stored for a subject, "|" between them.
QString scoresInFile(const QString &database, const QString &code)
{
    QStringList fields;
    for (const char *field : {"BPosetive", "Conterlo", "Etminan", "neyaz", "self", "Kol"})
        fields << QStringLiteral("coalesce(\"%1\", '')").arg(QLatin1String(field));
    return readBack(database,
                    QStringLiteral("SELECT %1 FROM \"IDE\" WHERE \"Code\" = ?")
                        .arg(fields.join(QStringLiteral(" || '|' || "))),
                    {code})
        .value(0)
        .toString();
}

// The six scores that answers ("|" between them) give, as they are stored.
QString scoresOf(const QString &answers)
{
    const ScoringKey::Scores scores = ScoringKey::Compute(answers.split(u'|'));
    QStringList texts;
    for (double score : scores.subscale)
        texts << ScoringKey::ScoreText(score);
    texts << ScoringKey::ScoreText(scores.total);
    return texts.join(u'|');
}

// Writes answers of a subject in the file, as another window would have.
void writeAnswers(const Run &run, const QList<int> &statements, const QList<QString> &values)
{
    Cursor answers(QStringLiteral("Answer"));
    needDone(answers.filter(QStringLiteral("Code"), run.code),
             QStringLiteral("finding ") + run.code);
    for (int i = 0; i < statements.size(); ++i)
        needDone(answers.setField(QString::number(statements[i]), values[i]),
                 QStringLiteral("setting an answer of ") + run.code);
    needDone(answers.save(), QStringLiteral("writing the answers of ") + run.code);
}

// The test window of a seeded subject, started, on statement 1; with blanks, that many answers
// after statement 1 taken away first (and put back when the run ends).
void openTest(Run &run, int blanks = 0)
{
    const int subject = int(run.pick->bounded(run.subjects));
    run.code = QStringLiteral("S%1").arg(subject);
    QList<int> statements;
    while (statements.size() < blanks) {
        const int n = 2 + int(run.pick->bounded(ScoringKey::StatementCount - 1));
        if (!statements.contains(n))
            statements << n;
    }
    std::sort(statements.begin(), statements.end());
    if (blanks) {
        QList<QString> values;
        for (int n : statements)
            values << answerInFile(run, n);
        writeAnswers(run, statements, QList<QString>(blanks));
        run.blanked = statements;
        run.shown = values;
    }
    run.test = std::make_unique<FrmTest>();
    need(run.test->FilterToSubject(nullptr, run.code),
         QStringLiteral("the test window found no ") + run.code);
    run.test->show();
    run.test->Command1Click();
    QCoreApplication::processEvents();
}

// A filter operation: the window's cursor is open; the user filters and sees the first row.
Operation filterOperation(const char *key, const char *name, const char *field,
                          std::function<int(const Run &)> pickSubject,
                          std::function<QString(int)> valueOf)
{
    return {key,
            name,
            200,
            true,
            [pickSubject](Run &run) {
                run.expected = pickSubject(run);
                openCursor(run);
            },
            [field, valueOf](Run &run) {
                filterBy(run, field, valueOf(run.expected));
                run.shown = shownRow(*run.cursor);
            },
            [field](Run &run) {
                needSeeded(run.shown, run.expected,
                           QStringLiteral("the filter by %1").arg(QLatin1String(field)));
            }};
}

// The most memory this process has held resident (VmHWM), in KiB; -1 where the system does not
// tell.
qint64 peakResidentKib()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:") && line.endsWith("kB"))
            return line.mid(6).chopped(2).trimmed().toLongLong();
    return -1;
}

// The subject browser on screen: its grid has read and painted its first screen of rows.
void showFirstScreen(FrmCode &browser)
{
    // As the event loop would: the view lays itself out, finds room for more rows and reads
    // them, a step a pass, until its rows stop growing.
    const QAbstractItemModel *model = browser.DataGrid1->model();
    int rows = -1;
    for (int pass = 0; pass < 50 && (pass < 3 || rows != model->rowCount()); ++pass) {
        rows = model->rowCount();
        QCoreApplication::processEvents();
    }
    browser.DataGrid1->viewport()->repaint();
}

void openBrowser(Run &run)
{
    run.browser = new FrmCode;
    run.browser->show();
    showFirstScreen(*run.browser);
}

// The grid's first screen: full (as far as the filter has rows), read lazily, and every row of
// it right; the first row is the seeded subject the operation should come to.
void needFirstScreen(const Run &run, const char *field, const QString &value, const QString &what)
{
    const QTableView *grid = run.browser->DataGrid1;
    const QAbstractItemModel *model = grid->model();
    const Cursor &subjects = *run.browser->subjects();
    const int rows = model->rowCount();
    const int screen = grid->viewport()->height() / grid->verticalHeader()->defaultSectionSize();
    need(rows >= qMin(screen, subjects.count()) && rows <= 1024,
         QStringLiteral("%1: the grid holds %2 rows for a screen of %3")
             .arg(what)
             .arg(rows)
             .arg(screen));
    // Unfiltered (no field), row r is seeded subject r; subjects other operations added follow.
    const int column = subjects.fieldIndex(field ? QLatin1String(field) : QStringLiteral("Code"));
    for (int row = 0; row < (field ? rows : qMin(rows, run.subjects)); ++row) {
        const QString wanted = field ? value : QStringLiteral("S%1").arg(row);
        need(model->index(row, column).data().toString() == wanted,
             QStringLiteral("%1: row %2 of the grid is not %3").arg(what).arg(row).arg(wanted));
    }
    const QString first =
        model->index(0, subjects.fieldIndex(QStringLiteral("Code"))).data().toString();
    need(first == QStringLiteral("S%1").arg(run.expected),
         QStringLiteral("%1: the grid begins with %2, not S%3").arg(what, first).arg(run.expected));
}

// The browser is open; the user picks a group or a last name, and sees the grid's first screen.
Operation browserOperation(const char *key, const char *name, const char *field,
                           std::function<int(const Run &)> pickSubject,
                           std::function<QString(int)> valueOf)
{
    return {key,
            name,
            100,
            false, // its target is a time, not a ratio
            [pickSubject](Run &run) {
                run.expected = pickSubject(run);
                openBrowser(run);
            },
            [field, valueOf](Run &run) {
                const QString value = valueOf(run.expected);
                if (QLatin1String(field) == QStringLiteral("Group"))
                    run.browser->filterByGroup(value);
                else
                    run.browser->filterByLName(value);
                showFirstScreen(*run.browser);
            },
            [field, valueOf](Run &run) {
                needFirstScreen(
                    run, field, valueOf(run.expected),
                    QStringLiteral("the browser's filter by %1").arg(QLatin1String(field)));
            }};
}

const std::vector<Operation> &operations()
{
    static const std::vector<Operation> list = {
        {"count", "count a whole table", 40, false, nullptr,
         [](Run &run) {
             openCursor(run);
             run.number = run.cursor->count();
         },
         [](Run &run) {
             const qint64 inFile = countInFile(run, QStringLiteral("SELECT COUNT(*) FROM \"IDE\""));
             need(run.number == inFile,
                  QStringLiteral("the count gave %1 of %2 rows").arg(run.number).arg(inFile));
         }},
        {"empty", "test a table for emptiness", 200, true, nullptr,
         [](Run &run) {
             openCursor(run);
             run.number = run.cursor->isEmpty() ? 1 : 0;
         },
         [](Run &run) { need(run.number == 0, QStringLiteral("a full table tested empty")); }},
        filterOperation(
            "code", "filter by code", "Code",
            [](const Run &run) { return int(run.pick->bounded(run.subjects)); },
            [](int i) { return QStringLiteral("S%1").arg(i); }),
        // The first of a last name's subjects is the subject with that number: 250 names.
        filterOperation(
            "lname", "filter by last name", "LName",
            [](const Run &run) { return int(run.pick->bounded(qMin(run.subjects, 250))); },
            [](int i) { return SeedLastName(i); }),
        filterOperation(
            "date", "filter by date", "Date",
            [](const Run &run) { return int(run.pick->bounded(50)); },
            [](int i) { return SeedDate(i); }),
        filterOperation(
            "group", "filter by group", "Group",
            [](const Run &run) { return int(run.pick->bounded(7)); },
            [](int i) { return groupOf(i); }),
        {"add", "add, save, read back, save again", 100, true,
         [](Run &run) {
             openCursor(run);
             run.code = QStringLiteral("bench-") + run.tag;
         },
         [](Run &run) {
             Cursor &subjects = *run.cursor;
             const QString saving = QStringLiteral("saving a new subject");
             needDone(subjects.add(), saving);
             needDone(subjects.setField(QStringLiteral("Code"), run.code), saving);
             needDone(subjects.setField(QStringLiteral("FName"), QStringLiteral("Bench")), saving);
             needDone(subjects.setField(QStringLiteral("LName"), QStringLiteral("Added")), saving);
             needDone(subjects.setField(QStringLiteral("Date"), QStringLiteral("1402/12/29")),
                      saving);
             needDone(subjects.save(), saving);
             filterBy(run, "Code", run.code);
             run.shown = shownRow(subjects);
             needDone(subjects.setField(QStringLiteral("LName"), QStringLiteral("Saved again")),
                      QStringLiteral("saving it again"));
             needDone(subjects.save(), QStringLiteral("saving it again"));
         },
         [](Run &run) {
             const QString read = identity(run.shown);
             need(read.startsWith(run.code + QStringLiteral(" | Bench | Added")),
                  QStringLiteral("the subject saved read back as \"%1\"").arg(read));
             const QVariantList inFile = readBack(
                 run.database, QStringLiteral("SELECT \"LName\" FROM \"IDE\" WHERE \"Code\" = ?"),
                 {run.code});
             need(inFile == QVariantList{QStringLiteral("Saved again")},
                  QStringLiteral("the file holds %1 row(s) for %2 after the second save")
                      .arg(inFile.size())
                      .arg(run.code));
         }},
        {"last", "move to the last row of a date filter", 200, true,
         [](Run &run) {
             run.expected = int(run.pick->bounded(50));
             openCursor(run);
             filterBy(run, "Date", SeedDate(run.expected));
         },
         [](Run &run) {
             needDone(run.cursor->moveLast(), *run.cursor,
                      QStringLiteral("moving to the last row"));
             run.shown = shownRow(*run.cursor);
         },
         [](Run &run) {
             const int day = run.expected;
             needSeeded(run.shown, day + 50 * ((run.subjects - 1 - day) / 50),
                        QStringLiteral("moving to the last row of a date"));
             need(run.cursor->count() == run.subjects / 50,
                  QStringLiteral("a date holds %1 rows, not %2")
                      .arg(run.cursor->count())
                      .arg(run.subjects / 50));
         }},
        {"register", "register a subject (panel)", 40, true,
         [](Run &run) {
             run.window = new Frm1;
             run.window->show();
             QCoreApplication::processEvents();
             run.code = QStringLiteral("reg-") + run.tag;
         },
         [](Run &run) {
             RegistrationPanel *panel = run.window->registration;
             panel->open();
             panel->Text11->setText(run.code);
             panel->Text6->setText(text("آزمون"));
             panel->Text4->setText(text("سنجه"));
             panel->Text5->setText(QStringLiteral("9"));
             panel->Combo1->setCurrentIndex(0);
             panel->Combo2->setCurrentIndex(0);
             panel->Combo3->setCurrentIndex(0);
             panel->Text7->setText(text("سوم دبستان"));
             panel->save();
         },
         [](Run &run) {
             // Saved, the panel hands over to the confirmation window and the main window goes.
             QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
             bool confirmed = false;
             for (QWidget *window : QApplication::topLevelWidgets()) {
                 if (qobject_cast<Frmskin *>(window)) {
                     confirmed = confirmed || window->isVisible();
                     delete window;
                 }
             }
             need(confirmed && !run.window,
                  QStringLiteral("the registration did not hand over to the confirmation"));
             for (const char *table : {"IDE", "Answer"})
                 need(countInFile(run,
                                  QStringLiteral("SELECT COUNT(*) FROM \"%1\" WHERE \"Code\" = ?")
                                      .arg(QLatin1String(table)),
                                  run.code) == 1,
                      QStringLiteral("the registration left no %1 row for %2")
                          .arg(QLatin1String(table), run.code));
         }},
        {"score", "score a subject (scoring window)", 40, true,
         [](Run &run) {
             run.scoring = new FrmkLID;
             run.scoring->show();
             QCoreApplication::processEvents();
             run.expected = int(run.pick->bounded(run.subjects));
             run.code = QStringLiteral("S%1").arg(run.expected);
         },
         [](Run &run) {
             DialogHooks::PresetAnswer(run.code);
             run.scoring->scoreSubject();
             run.shown.clear();
             for (const DialogHooks::Shown &box : DialogHooks::TakeShown())
                 run.shown << box.text;
         },
         [](Run &run) {
             need(run.shown.value(1) == text(FrmkLIDText::Saved) && run.shown.size() == 2,
                  QStringLiteral("scoring %1 said \"%2\"")
                      .arg(run.code, run.shown.mid(1).join(u'|')));
             const QString stored = scoresInFile(run.database, run.code);
             const QString expected = scoresOf(answersInFile(run.database, run.code));
             need(stored == expected,
                  QStringLiteral("%1 stored %2 instead of %3").arg(run.code, stored, expected));
         }},
        {"next", "answer, then next statement (test)", 200, true,
         [](Run &run) {
             openTest(run);
             // A statement before the last, whose stored answer the click will change.
             run.number = 1 + run.pick->bounded(ScoringKey::StatementCount - 1);
             run.test->Text6->setText(QString::number(run.number));
         },
         [](Run &run) {
             FrmTest &test = *run.test;
             const int checked = test.Option1->group()->checkedId();
             const int option = checked > 0 ? checked % ScoringKey::OptionCount + 1 : 1;
             run.shown = QStringList{QString::number(option)};
             test.Option1->group()->button(option)->click();
             test.CmdNextClick();
         },
         [](Run &run) {
             const int n = int(run.number);
             const QString stored = answerInFile(run, n);
             const QString wanted = ScoringKey::StoredAnswer(run.shown.value(0).toInt(), n);
             need(stored == wanted, QStringLiteral("statement %1 of %2 holds \"%3\", not \"%4\"")
                                        .arg(n)
                                        .arg(run.code, stored, wanted));
             need(run.test->Frame2->title() == QString::number(n + 1),
                  QStringLiteral("the next statement after %1 is %2")
                      .arg(n)
                      .arg(run.test->Frame2->title()));
         }},
        {"progress", "count answered statements (test)", 200, true,
         [](Run &run) { openTest(run, 3); },
         [](Run &run) { run.number = run.test->AnsweredCount(); },
         [](Run &run) {
             writeAnswers(run, run.blanked, run.shown);
             need(run.number == ScoringKey::StatementCount - 3,
                  QStringLiteral("%1 answered of 53").arg(run.number));
         }},
        {"unanswered", "next unanswered statement (test)", 200, true,
         [](Run &run) { openTest(run, 3); }, [](Run &run) { run.test->CmdUnansweredClick(); },
         [](Run &run) {
             writeAnswers(run, run.blanked, run.shown);
             need(run.test->Text6->text() == QString::number(run.blanked.first()),
                  QStringLiteral("the next unanswered statement after 1 came to %1, not %2")
                      .arg(run.test->Text6->text())
                      .arg(run.blanked.first()));
         }},
        {"browser", "open the subject browser", 40, false, nullptr,
         [](Run &run) {
             run.expected = 0;
             openBrowser(run);
         },
         [](Run &run) {
             need(run.browser->isVisible() && !run.browser->subjects()->isFiltered(),
                  QStringLiteral("the browser is not on screen, unfiltered"));
             needFirstScreen(run, nullptr, QString(), QStringLiteral("the browser opened"));
         }},
        browserOperation(
            "browsergroup", "the browser's filter by group", "Group",
            [](const Run &run) { return int(run.pick->bounded(7)); },
            [](int i) { return groupOf(i); }),
        browserOperation(
            "browserlname", "the browser's filter by last name", "LName",
            [](const Run &run) { return int(run.pick->bounded(qMin(run.subjects, 250))); },
            [](int i) { return SeedLastName(i); }),
        {"lookups", "fill the browser's two name lists", 40, false,
         [](Run &run) { run.browser = new FrmCode; },
         [](Run &run) { run.browser->fillNameLists(); },
         [](Run &run) {
             const qint64 first = countInFile(
                 run, QStringLiteral(
                          "SELECT COUNT(DISTINCT \"FName\") FROM \"IDE\" WHERE \"FName\" <> ''"));
             const qint64 last = countInFile(
                 run, QStringLiteral(
                          "SELECT COUNT(DISTINCT \"LName\") FROM \"IDE\" WHERE \"LName\" <> ''"));
             need(run.browser->fNames->rowCount() == first &&
                      run.browser->lNames->rowCount() == last,
                  QStringLiteral("the name lists hold %1 and %2 names, not %3 and %4")
                      .arg(run.browser->fNames->rowCount())
                      .arg(run.browser->lNames->rowCount())
                      .arg(first)
                      .arg(last));
         }},
        {"frm1", "create and show the main window", 40, true, nullptr,
         [](Run &run) {
             run.window = new Frm1;
             run.window->show();
             QCoreApplication::processEvents();
         },
         [](Run &run) {
             need(run.window && run.window->isVisible() && !run.window->Adodc2->isEmpty(),
                  QStringLiteral("the main window is not on screen with its subjects"));
         }},
    };
    return list;
}

bool chosen(const Operation &operation)
{
    return g_only.isEmpty() || g_only.contains(QLatin1String(operation.key));
}

const Operation *operationByKey(const QString &key)
{
    for (const Operation &operation : operations())
        if (key == QLatin1String(operation.key))
            return &operation;
    return nullptr;
}

// A message box in the middle of an operation is a failure (a refused save, a missing field).
// Boxes are recorded, and closed so that the run can go on to say so.
void watchForBoxes()
{
    DialogHooks::Enable();
    DialogHooks::SetTimedDelay(0);
    auto *closer = new QTimer(qApp);
    QObject::connect(closer, &QTimer::timeout, closer, [] {
        if (QWidget *box = QApplication::activeModalWidget())
            box->close();
    });
    closer->start(100);
}

void needNoBoxes(const Operation &operation)
{
    const QList<DialogHooks::Shown> shown = DialogHooks::TakeShown();
    need(shown.isEmpty(),
         QStringLiteral("%1: the program said \"%2\"")
             .arg(QLatin1String(operation.name), shown.isEmpty() ? QString() : shown.first().text));
}

// One run of the operation: set-up, the timed part, the check. Milliseconds.
double runOnce(const Operation &operation, Run &run,
               const std::function<void()> &beforeTiming = nullptr,
               const std::function<void()> &afterTiming = nullptr)
{
    if (operation.prepare)
        operation.prepare(run);
    needNoBoxes(operation);
    if (beforeTiming)
        beforeTiming();
    QElapsedTimer clock;
    clock.start();
    operation.timed(run);
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    if (afterTiming)
        afterTiming();
    // A box first: it says why the result is wrong.
    needNoBoxes(operation);
    operation.check(run);
    return ms;
}

// The folder whose DBKORVAT/ holds the file: the program folder, for the skins.
QString programFolderOf(const QString &database)
{
    return QFileInfo(database).dir().absoluteFilePath(QStringLiteral(".."));
}

// --one: a process of its own for one run, with the file dropped from the system's cache just
// before the timed part. Prints the figures on stdout.
int runInFreshProcess(const QString &key, const QString &database, int subjects)
{
    const Operation *operation = operationByKey(key);
    need(operation, QStringLiteral("no operation \"%1\"").arg(key));
    SetProgramFolder(programFolderOf(database));
    needDone(OpenDatabase(database), QStringLiteral("opening the database"));
    watchForBoxes();
    ChildFigures figures;
    qint64 before = 0;
    double ms = 0;
    {
        Run run;
        run.subjects = subjects;
        run.database = database;
        run.tag = QStringLiteral("p%1-%2")
                      .arg(QCoreApplication::applicationPid())
                      .arg(QDateTime::currentMSecsSinceEpoch());
        run.pick = QRandomGenerator::global();
        ms = runOnce(
            *operation, run,
            [&] {
                // After the set-up, which the program would have done long before: only what
                // it holds in its own memory is warm.
                QString why;
                if (!DropFromCache(database, &why))
                    figures.cacheNote = why;
                figures.cachedShare = CachedShare(database);
                before = ResidentKib();
            },
            [&] { figures.growthKib = ResidentKib() - before; });
    }
    figures.ms = ms;
    closeReaders();
    CloseDatabase();
    std::fputs(FormatChildFigures(figures).constData(), stdout);
    return 0;
}

struct Figures
{
    std::vector<double> small;
    std::vector<double> large;
    std::vector<double> &at(int size) { return size == 0 ? small : large; }
};

int g_met = 0;
int g_missed = 0;

QString verdict(double value, Bound bound, double limit)
{
    const bool met = Meets(value, bound, limit);
    ++(met ? g_met : g_missed);
    return met ? QStringLiteral("met") : QStringLiteral("MISSED");
}

QString spreadText(const Spread &spread, int decimals)
{
    return QStringLiteral("%1 / %2 / %3")
        .arg(spread.min, 0, 'f', decimals)
        .arg(spread.median, 0, 'f', decimals)
        .arg(spread.max, 0, 'f', decimals);
}

void printLine(QString line)
{
    while (line.endsWith(u' '))
        line.chop(1);
    std::printf("%s\n", qUtf8Printable(line));
    std::fflush(stdout);
}

void printHeading(const QString &heading)
{
    printLine(QString());
    printLine(heading);
}

// One row of an operations table: both sizes, their ratio and the ratio's target.
void printOperationRow(const Operation &operation, const Figures &figures, int decimals = 3)
{
    const Spread small = SpreadOf(figures.small);
    const Spread large = SpreadOf(figures.large);
    const double ratio = large.median / small.median;
    const QString target = operation.targeted ? QStringLiteral("<= %1  %2")
                                                    .arg(RatioTarget)
                                                    .arg(verdict(ratio, Bound::AtMost, RatioTarget))
                                              : QStringLiteral("shown, not targeted");
    printLine(QStringLiteral("%1 %2 %3 %4  %5")
                  .arg(QLatin1String(operation.name), -38)
                  .arg(spreadText(small, decimals), 28)
                  .arg(spreadText(large, decimals), 30)
                  .arg(ratio, 7, 'f', 3)
                  .arg(target));
}

void printOperationHeader()
{
    printLine(QStringLiteral("%1 %2 %3 %4  %5")
                  .arg(QStringLiteral("operation (ms)"), -38)
                  .arg(QStringLiteral("N=100 min / median / max"), 28)
                  .arg(QStringLiteral("N=100000 min / median / max"), 30)
                  .arg(QStringLiteral("ratio"), 7)
                  .arg(QStringLiteral("target for the ratio")));
}

void printAddSaveTarget(const char *how, const Figures &figures)
{
    const double median = SpreadOf(figures.large).median;
    printLine(QStringLiteral("  %1 add, save, read back, save again at N=100000: median %2 ms, "
                             "target < %3 ms  %4")
                  .arg(QLatin1String(how))
                  .arg(median, 0, 'f', 3)
                  .arg(AddSaveTargetMs)
                  .arg(verdict(median, Bound::Under, AddSaveTargetMs)));
}

// The test window's own target: each of its operations at N=100000 under a fixed time.
void printTestWindowTargets(const char *how, const std::vector<Figures> &figures)
{
    for (const char *key : TestWindowKeys) {
        const Operation *operation = operationByKey(QLatin1String(key));
        if (!chosen(*operation))
            continue;
        const double median = SpreadOf(figures[size_t(operation - &operations()[0])].large).median;
        printLine(QStringLiteral("  %1 %2 at N=100000: median %3 ms, target < %4 ms  %5")
                      .arg(QLatin1String(how), QLatin1String(operation->name))
                      .arg(median, 0, 'f', 3)
                      .arg(TestWindowTargetMs)
                      .arg(verdict(median, Bound::Under, TestWindowTargetMs)));
    }
}

void printBrowserTargets(const char *how, const std::vector<Figures> &figures)
{
    for (const char *key : {"browser", "browsergroup", "browserlname", "lookups"})
        if (!chosen(*operationByKey(QLatin1String(key))))
            return;
    auto median = [&figures](const char *key) {
        return SpreadOf(
                   figures[size_t(operationByKey(QLatin1String(key)) - &operations()[0])].large)
            .median;
    };
    QStringList screens;
    for (const auto &[key, label] : {std::pair{"browser", "open"},
                                     {"browsergroup", "by group"},
                                     {"browserlname", "by last name"}}) {
        const double ms = median(key);
        screens << QStringLiteral("%1 %2 ms %3")
                       .arg(QLatin1String(label))
                       .arg(ms, 0, 'f', 3)
                       .arg(verdict(ms, Bound::Under, BrowserScreenTargetMs));
    }
    const double lists = median("lookups");
    printLine(QStringLiteral("  %1 subject browser at N=100000, medians: the grid's first screen "
                             "(target < %2 ms): %3; the name lists %4 ms (target < %5 ms) %6")
                  .arg(QLatin1String(how))
                  .arg(BrowserScreenTargetMs)
                  .arg(screens.join(QStringLiteral(", ")))
                  .arg(lists, 0, 'f', 3)
                  .arg(NameListsTargetMs)
                  .arg(verdict(lists, Bound::Under, NameListsTargetMs)));
}

// The registers of one kind (the file, or the server), seeded with Sizes[0] and Sizes[1]
// subjects.
using Registers = std::vector<std::unique_ptr<TestProgramFolder>>;

// Warm: in this process, each database opened once a round and every operation run again and
// again on it; the sizes (and the kinds of register) take turns, so whatever else the machine
// does weighs on all alike. The figures of each kind, by operation.
std::vector<std::vector<Figures>> measureWarm(const std::vector<const Registers *> &kinds)
{
    std::vector<std::vector<Figures>> figures(kinds.size(),
                                              std::vector<Figures>(operations().size()));
    QRandomGenerator pick(20240611);
    int serial = 0;
    const int places = int(kinds.size()) * 2;
    for (int round = 0; round < WarmRounds; ++round) {
        for (int turn = 0; turn < places; ++turn) {
            const int place = (round + turn) % places;
            const size_t kind = size_t(place / 2);
            const int size = place % 2;
            const TestProgramFolder &folder = *(*kinds[kind])[size_t(size)];
            SetProgramFolder(folder.path());
            needDone(OpenDatabase(folder.databasePath()), QStringLiteral("opening the database"));
            for (size_t i = 0; i < operations().size(); ++i) {
                const Operation &operation = operations()[i];
                if (!chosen(operation))
                    continue;
                for (int r = 0; r < operation.warmRuns / WarmRounds; ++r) {
                    Run run;
                    run.subjects = Sizes[size];
                    run.database = folder.databasePath();
                    run.tag = QStringLiteral("w%1").arg(++serial);
                    run.pick = &pick;
                    figures[kind][i].at(size).push_back(runOnce(operation, run));
                }
            }
            CloseDatabase();
        }
    }
    return figures;
}

struct FreshFigures
{
    std::vector<Figures> times;
    std::vector<Figures> growthKib;
    double cachedAfterDrop = 0; // the most any run found left in the cache
    bool cacheUnknown = false;  // some run could not tell
    QString cacheNote;
};

// Fresh: every run in a process of its own (this program again, with --one); the sizes (and the
// kinds of register) take turns. The figures of each kind.
std::vector<FreshFigures> measureFresh(const std::vector<const Registers *> &kinds)
{
    std::vector<FreshFigures> all(kinds.size());
    for (FreshFigures &fresh : all) {
        fresh.times.resize(operations().size());
        fresh.growthKib.resize(operations().size());
    }
    const int places = int(kinds.size()) * 2;
    for (int r = 0; r < FreshRuns; ++r) {
        for (size_t i = 0; i < operations().size(); ++i) {
            if (!chosen(operations()[i]))
                continue;
            for (int turn = 0; turn < places; ++turn) {
                const int place = (r + int(i) + turn) % places;
                FreshFigures &fresh = all[size_t(place / 2)];
                const int size = place % 2;
                const QString database = (*kinds[size_t(place / 2)])[size_t(size)]->databasePath();
                const QString name = QLatin1String(operations()[i].name);
                // The child drops the file again after its set-up; this drop makes its start cold.
                DropFromCache(database);
                const QString what = QStringLiteral("%1 with %2 subjects, in a fresh process")
                                         .arg(name)
                                         .arg(Sizes[size]);
                const QByteArray out =
                    runChild({QStringLiteral("--one"), QLatin1String(operations()[i].key),
                              QStringLiteral("--db"), database, QStringLiteral("--subjects"),
                              QString::number(Sizes[size])},
                             120000, what);
                ChildFigures figures;
                QString why;
                need(ParseChildFigures(out, &figures, &why), what + QStringLiteral(": ") + why);
                fresh.times[i].at(size).push_back(figures.ms);
                fresh.growthKib[i].at(size).push_back(double(figures.growthKib));
                if (figures.cachedShare < 0)
                    fresh.cacheUnknown = true;
                fresh.cachedAfterDrop = qMax(fresh.cachedAfterDrop, figures.cachedShare);
                if (!figures.cacheNote.isEmpty())
                    fresh.cacheNote = figures.cacheNote;
            }
        }
    }
    return all;
}

// Copying a database file: the backup as the backup window makes it (a read transaction on the
// file, chunks of 4048 bytes with the window's events handled before each, a temporary file
// written to the disk and renamed into place), beside a plain cp of the same file into the same
// folder, and beside cp followed by sync of the copy, which waits for the disk as the backup does.
// The restore (copy beside the database, integrity and schema check, rename) is timed as well.
const int CopyRounds = 5;
const double CopyThroughputTarget = 0.5; // of cp's, at least
const double CopyGapTargetMs = 50;       // between two turns of the event loop, at most

struct CopyFigures
{
    QString label;
    qint64 bytes = 0;
    std::vector<double> ours;
    std::vector<double> plain;
    std::vector<double> synced;
    std::vector<double> restore;
    double longestGapMs = 0;        // over every backup
    double longestRestoreGapMs = 0; // over every restore
};

// The file's bytes as a hash, to check a copy with.
QByteArray hashOf(const QString &path)
{
    const QByteArray hash = FileHash(path);
    need(!hash.isEmpty(), QStringLiteral("cannot read %1").arg(path));
    return hash;
}

// Runs a program to its end; milliseconds.
double timedProgram(const QString &program, const QStringList &arguments)
{
    QProcess process;
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    const bool finished = process.waitForFinished(600000);
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    need(finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
         QStringLiteral("%1 %2: %3")
             .arg(program, arguments.join(u' '),
                  QString::fromLocal8Bit(process.readAllStandardError())));
    return ms;
}

// Times one call with the event loop turning (as the backup window's would): milliseconds, and
// the longest wait between two turns into *gap.
double timedWithEvents(const std::function<int()> &call, double *gap)
{
    QElapsedTimer sinceTurn;
    QTimer turns;
    QObject::connect(&turns, &QTimer::timeout, [&] {
        *gap = qMax(*gap, double(sinceTurn.nsecsElapsed()) / 1e6);
        sinceTurn.start();
    });
    turns.start(0);
    QElapsedTimer clock;
    clock.start();
    sinceTurn.start();
    need(call() == 1, QStringLiteral("the copy failed"));
    *gap = qMax(*gap, double(sinceTurn.nsecsElapsed()) / 1e6);
    return double(clock.nsecsElapsed()) / 1e6;
}

// cold: the source dropped from the system's cache before each run.
CopyFigures measureCopy(const QString &label, const QString &database, bool cold)
{
    CopyFigures figures;
    figures.label = label;
    figures.bytes = QFileInfo(database).size();
    const QByteArray expected = hashOf(database);
    const QString destination =
        QFileInfo(database).dir().absoluteFilePath(QStringLiteral("../Back/bench-copy.mdbB"));
    const QString cp = QStandardPaths::findExecutable(QStringLiteral("cp"));
    const QString sync = QStandardPaths::findExecutable(QStringLiteral("sync"));
    need(!cp.isEmpty() && !sync.isEmpty(), QStringLiteral("no cp and sync to compare with"));
    QString failure;
    for (int round = 0; round < CopyRounds; ++round) {
        for (int turn = 0; turn < 3; ++turn) {
            const int way = (round + turn) % 3;
            QFile::remove(destination);
            if (cold)
                DropFromCache(database);
            if (way == 0) {
                figures.ours.push_back(timedWithEvents(
                    [&] {
                        const Result made = Backup::BackUpDatabase(database, destination);
                        failure =
                            made.ok() ? QString() : QStringLiteral("failed. ") + made.description();
                        return int(made.ok());
                    },
                    &figures.longestGapMs));
                need(failure.isEmpty(), QStringLiteral("backing up %1: %2").arg(label, failure));
            } else if (way == 1) {
                figures.plain.push_back(timedProgram(cp, {database, destination}));
            } else {
                figures.synced.push_back(timedProgram(cp, {database, destination}) +
                                         timedProgram(sync, {destination}));
            }
            need(hashOf(destination) == expected,
                 QStringLiteral("the copy of %1 differs from the file").arg(label));
        }
        // The copy made last goes back in the database's place: the same bytes again.
        if (cold)
            DropFromCache(destination);
        figures.restore.push_back(timedWithEvents(
            [&] {
                const Result restored = Backup::RestoreDatabase(destination, database);
                failure =
                    restored.ok() ? QString() : QStringLiteral("failed. ") + restored.description();
                return int(restored.ok());
            },
            &figures.longestRestoreGapMs));
        need(failure.isEmpty() && hashOf(database) == expected,
             QStringLiteral("restoring %1: %2").arg(label, failure));
    }
    QFile::remove(destination);
    return figures;
}

// A database of about bytes: a copy of source with a table of random bytes added.
QString paddedDatabase(const TestProgramFolder &folder, const QString &source, qint64 bytes)
{
    need(folder.replaceDatabase(source), QStringLiteral("cannot copy %1").arg(source));
    const QString refusal = folder.openDatabase();
    need(refusal.isEmpty(), QStringLiteral("opening the database: ") + refusal);
    {
        QSqlQuery query;
        const qint64 block = 8 * 1024 * 1024;
        bool ok = query.exec(QStringLiteral("CREATE TABLE bench_pad (b BLOB)"));
        for (qint64 size = QFileInfo(source).size(); ok && size < bytes; size += block)
            ok = query.exec(QStringLiteral("INSERT INTO bench_pad VALUES (randomblob(%1))")
                                .arg(qMin(block, bytes - size)));
        need(ok, QStringLiteral("padding the database: ") + query.lastError().text());
    }
    CloseDatabase();
    return folder.databasePath();
}

QString withThroughput(const Spread &spread, qint64 bytes)
{
    const double mib = double(bytes) / (1024 * 1024);
    return spreadText(spread, 1) +
           QStringLiteral(" (%1 MiB/s)").arg(mib / spread.median * 1000, 0, 'f', 0);
}

void printCopyFigures(const CopyFigures &figures, bool targeted)
{
    const Spread ours = SpreadOf(figures.ours);
    const Spread plain = SpreadOf(figures.plain);
    const Spread synced = SpreadOf(figures.synced);
    printLine(QStringLiteral("%1 %2 %3 %4 %5")
                  .arg(figures.label, -16)
                  .arg(double(figures.bytes) / (1024 * 1024), 6, 'f', 1)
                  .arg(withThroughput(ours, figures.bytes), 36)
                  .arg(withThroughput(plain, figures.bytes), 36)
                  .arg(withThroughput(synced, figures.bytes), 36));
    // Throughput is bytes over time: the ratio of throughputs is that of the times, upside down.
    const double share = plain.median / ours.median;
    printLine(QStringLiteral("  backup's throughput against cp's %1, against cp + sync's %2; "
                             "longest wait between two turns of the event loop %3 ms")
                  .arg(share, 0, 'f', 2)
                  .arg(synced.median / ours.median, 0, 'f', 2)
                  .arg(figures.longestGapMs, 0, 'f', 1));
    printLine(QStringLiteral("  restore %1 ms; longest wait between two turns of the event loop "
                             "%2 ms")
                  .arg(spreadText(SpreadOf(figures.restore), 1))
                  .arg(figures.longestRestoreGapMs, 0, 'f', 1));
    if (targeted) {
        // At least the target: its negative at most the target's negative.
        printLine(QStringLiteral("  throughput against cp's >= %1  %2; events served at least "
                                 "every %3 ms  %4")
                      .arg(CopyThroughputTarget)
                      .arg(verdict(-share, Bound::AtMost, -CopyThroughputTarget))
                      .arg(CopyGapTargetMs)
                      .arg(verdict(figures.longestGapMs, Bound::AtMost, CopyGapTargetMs)));
    }
}

struct Platform
{
    QString name = QStringLiteral("offscreen");
    QString display;
    QString note;
};

// xcb on the display at hand, or on an Xvfb of our own; offscreen when neither works, and said so.
Platform choosePlatform(VirtualDisplay &xvfb, const QProcessEnvironment &base)
{
    Platform platform;
    QString display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty()) {
        const QString server = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (server.isEmpty()) {
            platform.note = QStringLiteral("no display and no Xvfb");
            return platform;
        }
        if (!xvfb.start(server)) {
            platform.note = QStringLiteral("Xvfb did not start: ") + xvfb.failure();
            return platform;
        }
        display = xvfb.name();
        platform.note = QStringLiteral("on an Xvfb of its own, %1, 1366x768x24").arg(display);
    } else {
        platform.note = QStringLiteral("on the display at hand, %1").arg(display);
    }
    // The yardstick must come up there; if even it cannot, the platform is not usable here.
    QProcessEnvironment env = base;
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("DISPLAY"), display);
    ProgramStart probe;
    probe.setEnvironment(env);
    if (probe.run(QString::fromUtf8(KORVAT_BARE_WINDOW_EXE), {}, "bare window painted",
                  StartTimeoutMs) != ProgramStart::Outcome::Reached) {
        platform.note = QStringLiteral("xcb unusable (%1)").arg(probe.failure());
        return platform;
    }
    platform.name = QStringLiteral("xcb");
    platform.display = display;
    return platform;
}

// The results list to PDF: its rows read from the cursor, every page drawn, the file written.
// Each run in a process of its own (--report), so that its peak memory is the report's.
const int ReportSizes[] = {1000, 10000};
const int ReportRuns = 5;
const double ReportTargetMs = 10000;
const double ReportPeakTargetMib = 500;
const double ReportGrowthTarget = 1.3;
const double SummaryTargetMs = 2000;

// The most resident memory this process has had (VmHWM), in KiB; -1 where that cannot be told.
qint64 PeakKib()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

int renderListInFreshProcess(const QString &database, int subjects)
{
    SetProgramFolder(programFolderOf(database));
    needDone(OpenDatabase(database), QStringLiteral("opening the database"));
    QTemporaryDir out;
    need(out.isValid(), QStringLiteral("no folder for the PDF"));
    const QString pdf = out.filePath(QStringLiteral("list.pdf"));
    QElapsedTimer clock;
    clock.start();
    Cursor all(QStringLiteral("IDE"));
    needDone(all.open(), QStringLiteral("opening IDE"));
    DataRPrint &list = DataRPrint::Report();
    list.setCaption(QStringLiteral("Section4"), QStringLiteral("Label9"), text("مرکز مشاوره"));
    list.setCaption(QStringLiteral("Section5"), QStringLiteral("Label14"), text("تهران"));
    list.setDataSource(&all);
    ReportLayout frozen = list;
    QString error;
    need(list.freeze(&frozen, &error), QStringLiteral("reading the rows: ") + error);
    need(frozen.writePdf(pdf, &error), QStringLiteral("writing the PDF: ") + error);
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    need(frozen.rowCount() == subjects,
         QStringLiteral("the list holds %1 of %2 subjects").arg(frozen.rowCount()).arg(subjects));
    const QStringList last = frozen.table().last();
    need(last.value(0) == QString::number(subjects) &&
             last.value(1) == QStringLiteral("S%1").arg(subjects - 1),
         QStringLiteral("the list's last line is \"%1\"").arg(last.join(u' ')));
    need(QFileInfo(pdf).size() > 0, QStringLiteral("the PDF is empty"));
    const qint64 peak = PeakKib();
    const qint64 bytes = QFileInfo(pdf).size();

    // The group summary of every subject, read, summed up and written as PDF the same way.
    clock.restart();
    ReportLayout summary = list;
    bool noneScored = false;
    need(BuildGroupSummary(QString(), QString(), QString(), &summary, &error, &noneScored),
         QStringLiteral("the group summary: ") + error);
    need(summary.writePdf(pdf, &error), QStringLiteral("writing the summary: ") + error);
    const double summaryMs = double(clock.nsecsElapsed()) / 1e6;
    CloseDatabase();
    std::printf("%.3f %lld %d %lld %.3f\n", ms, peak, frozen.pageCount(), bytes, summaryMs);
    return 0;
}

// The results list as the user gets it: the print action opens the preview, its first page is
// painted, the PDF is saved from it, and the preview is closed, while the window's cursor that it
// was printed from stays (as the scoring window's does). Prints the time to the painted preview,
// the time to the PDF, the peak resident memory, and the resident memory before the print and
// after the preview has gone, in ms and KiB.
int previewListInFreshProcess(const QString &database, int subjects)
{
    SetProgramFolder(programFolderOf(database));
    needDone(OpenDatabase(database), QStringLiteral("opening the database"));
    QTemporaryDir out;
    need(out.isValid(), QStringLiteral("no folder for the PDF"));
    const QString pdf = out.filePath(QStringLiteral("list.pdf"));
    Cursor all(QStringLiteral("IDE"));
    needDone(all.open(), QStringLiteral("opening IDE"));
    const qint64 before = ResidentKib();
    // The longest the event loop went unserved (the window frozen) while the list was built and
    // saved: a timer's longest gap between two of its turns.
    QElapsedTimer turn;
    qint64 stallNs = 0;
    QTimer served;
    served.setInterval(10);
    QObject::connect(&served, &QTimer::timeout, [&] {
        stallNs = qMax(stallNs, turn.nsecsElapsed());
        turn.restart();
    });
    served.start();
    turn.start();
    QElapsedTimer clock;
    clock.start();
    QPointer<ReportPreview> preview =
        PrintAllSubjects(nullptr, &all, text("مرکز مشاوره"), text("تهران"));
    need(preview, QStringLiteral("the preview did not open"));
    preview->grab(); // its first page, painted
    const double previewMs = double(clock.nsecsElapsed()) / 1e6;
    QCoreApplication::processEvents(); // the user's turn between the two
    need(preview->report().rowCount() == subjects,
         QStringLiteral("the preview holds %1 of %2 subjects")
             .arg(preview->report().rowCount())
             .arg(subjects));
    clock.restart();
    need(preview->savePdf(pdf), QStringLiteral("saving the PDF from the preview"));
    const double pdfMs = double(clock.nsecsElapsed()) / 1e6;
    QFile written(pdf);
    need(written.open(QIODevice::ReadOnly) && written.size() > 0 &&
             (written.seek(written.size() - 6), written.readAll().contains("%%EOF")),
         QStringLiteral("the PDF saved from the preview is not whole"));
    stallNs = qMax(stallNs, turn.nsecsElapsed());
    served.stop();
    const qint64 peak = PeakKib();
    preview->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    need(!preview, QStringLiteral("the closed preview is still there"));
    const qint64 after = ResidentKib();
    CloseDatabase();
    std::printf("%.3f %.3f %lld %lld %lld %.3f\n", previewMs, pdfMs, peak, before, after,
                double(stallNs) / 1e6);
    return 0;
}

void measureReports()
{
    printHeading(QStringLiteral("Results list to PDF: rows read, pages drawn, file written; each "
                                "run in a process of its own (%1 runs)")
                     .arg(ReportRuns));
    printLine(QStringLiteral("%1 %2 %3 %4 %5")
                  .arg(QStringLiteral("subjects"), -10)
                  .arg(QStringLiteral("ms min / median / max"), 30)
                  .arg(QStringLiteral("ms per 1000 rows"), 18)
                  .arg(QStringLiteral("peak MiB (median)"), 18)
                  .arg(QStringLiteral("pages, PDF size")));
    double perThousand[2] = {};
    for (int size = 0; size < 2; ++size) {
        const int subjects = ReportSizes[size];
        const auto folder = seededFolder(subjects);
        std::vector<double> ms, peakMib, summaryMs;
        QString pages;
        for (int r = 0; r < ReportRuns; ++r) {
            const QString what = QStringLiteral("the results list of %1 subjects").arg(subjects);
            const QStringList out =
                childFields(runChild({QStringLiteral("--report"), QStringLiteral("--db"),
                                      folder->databasePath(), QStringLiteral("--subjects"),
                                      QString::number(subjects)},
                                     300000, what),
                            5, what);
            ms.push_back(out[0].toDouble());
            summaryMs.push_back(out[4].toDouble());
            if (out[1].toLongLong() > 0)
                peakMib.push_back(out[1].toDouble() / 1024);
            pages = QStringLiteral("%1 pages, %2 KiB").arg(out[2]).arg(out[3].toLongLong() / 1024);
        }
        const Spread spread = SpreadOf(ms);
        perThousand[size] = spread.median / (subjects / 1000.0);
        const double peak = peakMib.empty() ? -1 : SpreadOf(peakMib).median;
        printLine(
            QStringLiteral("%1 %2 %3 %4 %5")
                .arg(subjects, -10)
                .arg(spreadText(spread, 1), 30)
                .arg(perThousand[size], 18, 'f', 1)
                .arg(peak < 0 ? QStringLiteral("not measured") : QString::number(peak, 'f', 1), 18)
                .arg(pages));
        printLine(QStringLiteral("  group summary of all %1 subjects to PDF (ms): %2")
                      .arg(subjects)
                      .arg(spreadText(SpreadOf(summaryMs), 1)));
        if (size == 1) {
            printLine(
                QStringLiteral("  %1 subjects, group summary: median %2 ms, target < %3 ms  %4")
                    .arg(subjects)
                    .arg(SpreadOf(summaryMs).median, 0, 'f', 1)
                    .arg(SummaryTargetMs)
                    .arg(verdict(SpreadOf(summaryMs).median, Bound::Under, SummaryTargetMs)));
            printLine(QStringLiteral("  %1 subjects: median %2 ms, target < %3 ms  %4")
                          .arg(subjects)
                          .arg(spread.median, 0, 'f', 1)
                          .arg(ReportTargetMs)
                          .arg(verdict(spread.median, Bound::Under, ReportTargetMs)));
            if (peak >= 0)
                printLine(QStringLiteral("  %1 subjects: peak memory %2 MiB, target < %3 MiB  %4")
                              .arg(subjects)
                              .arg(peak, 0, 'f', 1)
                              .arg(ReportPeakTargetMib)
                              .arg(verdict(peak, Bound::Under, ReportPeakTargetMib)));
        }
    }
    const double growth = perThousand[1] / perThousand[0];
    printLine(QStringLiteral("  time per 1000 rows, %1 subjects to %2: ratio %3, target <= %4  %5")
                  .arg(ReportSizes[1])
                  .arg(ReportSizes[0])
                  .arg(growth, 0, 'f', 3)
                  .arg(ReportGrowthTarget)
                  .arg(verdict(growth, Bound::AtMost, ReportGrowthTarget)));
}

// The results list through its preview, as the user gets it; each run in a process of its own.
const int PreviewSizes[] = {1000, 100000};
const int PreviewRuns = 3;
const double PreviewStallTargetMs = 200;
const double PreviewKeptTargetMib = 50;

void measurePreviews()
{
    printHeading(QStringLiteral("Results list through its preview: opened and painted, saved as "
                                "PDF, closed; each run in a process of its own (%1 runs)")
                     .arg(PreviewRuns));
    printLine(QStringLiteral("%1 %2 %3 %4 %5 %6")
                  .arg(QStringLiteral("subjects"), -10)
                  .arg(QStringLiteral("to preview, ms"), 24)
                  .arg(QStringLiteral("to PDF, ms"), 24)
                  .arg(QStringLiteral("peak MiB"), 10)
                  .arg(QStringLiteral("kept MiB"), 10)
                  .arg(QStringLiteral("longest stall, ms"), 18));
    for (const int subjects : PreviewSizes) {
        const auto folder = seededFolder(subjects);
        std::vector<double> previewMs, pdfMs, peakMib, keptMib, stallMs;
        for (int r = 0; r < PreviewRuns; ++r) {
            const QString what = QStringLiteral("the preview of %1 subjects").arg(subjects);
            const QStringList out =
                childFields(runChild({QStringLiteral("--preview"), QStringLiteral("--db"),
                                      folder->databasePath(), QStringLiteral("--subjects"),
                                      QString::number(subjects)},
                                     600000, what),
                            6, what);
            previewMs.push_back(out[0].toDouble());
            pdfMs.push_back(out[1].toDouble());
            peakMib.push_back(out[2].toDouble() / 1024);
            keptMib.push_back((out[4].toDouble() - out[3].toDouble()) / 1024);
            stallMs.push_back(out[5].toDouble());
        }
        const double peak = SpreadOf(peakMib).median, kept = SpreadOf(keptMib).median,
                     stall = SpreadOf(stallMs).median;
        printLine(QStringLiteral("%1 %2 %3 %4 %5 %6")
                      .arg(subjects, -10)
                      .arg(spreadText(SpreadOf(previewMs), 1), 24)
                      .arg(spreadText(SpreadOf(pdfMs), 1), 24)
                      .arg(peak, 10, 'f', 1)
                      .arg(kept, 10, 'f', 1)
                      .arg(stall, 18, 'f', 1));
        if (subjects == PreviewSizes[1]) {
            printLine(QStringLiteral("  %1 subjects: peak memory %2 MiB, target < %3 MiB  %4")
                          .arg(subjects)
                          .arg(peak, 0, 'f', 1)
                          .arg(ReportPeakTargetMib)
                          .arg(verdict(peak, Bound::Under, ReportPeakTargetMib)));
            printLine(QStringLiteral("  %1 subjects: kept after the preview closed %2 MiB, "
                                     "target < %3 MiB  %4")
                          .arg(subjects)
                          .arg(kept, 0, 'f', 1)
                          .arg(PreviewKeptTargetMib)
                          .arg(verdict(kept, Bound::Under, PreviewKeptTargetMib)));
            printLine(QStringLiteral("  %1 subjects: longest stall %2 ms, target < %3 ms  %4")
                          .arg(subjects)
                          .arg(stall, 0, 'f', 1)
                          .arg(PreviewStallTargetMs)
                          .arg(verdict(stall, Bound::Under, PreviewStallTargetMs)));
        }
    }
}

struct Starter
{
    QString label;
    QString program;
    QStringList arguments;
    QByteArray marker;
    std::vector<double> ms;
    std::vector<double> residentKib;
};

int runAll()
{
    QElapsedTimer whole;
    whole.start();
    printLine(
        QStringLiteral("korvat-bench: %1 and %2 subjects, seeded alike (names, groups, dates, "
                       "answers)")
            .arg(Sizes[0])
            .arg(Sizes[1]));

    Registers folders;
    QStringList seeding;
    for (int subjects : Sizes) {
        QElapsedTimer clock;
        clock.start();
        folders.push_back(seededFolder(subjects));
        seeding
            << QStringLiteral("%1 in %2 s").arg(subjects).arg(clock.elapsed() / 1000.0, 0, 'f', 1);
    }
    printLine(QStringLiteral("databases in %1 (seeded: %2)")
                  .arg(QDir::tempPath(), seeding.join(QStringLiteral(", "))));

    // Operations, warm.
    watchForBoxes();
    const std::vector<Figures> warm = measureWarm({&folders}).front();
    printHeading(QStringLiteral("Operations, warm: in one process (windows offscreen), %1 rounds "
                                "alternating the sizes, a database opened once a round")
                     .arg(WarmRounds));
    printOperationHeader();
    for (size_t i = 0; i < operations().size(); ++i)
        if (chosen(operations()[i]))
            printOperationRow(operations()[i], warm[i]);
    const size_t addSave = size_t(operationByKey(QStringLiteral("add")) - &operations()[0]);
    if (chosen(operations()[addSave]))
        printAddSaveTarget("warm", warm[addSave]);
    printTestWindowTargets("warm", warm);
    printBrowserTargets("warm", warm);
    if (const qint64 peak = peakResidentKib(); peak > 0)
        printLine(QStringLiteral("  peak resident memory of this process so far (seeding, every "
                                 "operation, both sizes): %1 MiB; target < %2 MiB  %3")
                      .arg(peak / 1024.0, 0, 'f', 1)
                      .arg(PeakTargetMib)
                      .arg(verdict(peak / 1024.0, Bound::Under, PeakTargetMib)));
    if (g_only.isEmpty())
        printLine(QStringLiteral(
            "  a filter reads a first page of at most 2 rows at either size (with 100 "
            "subjects a last name holds 1 subject and a date 2); moving to the last "
            "row of a filter is one query at either size"));

    // Operations, fresh.
    const FreshFigures fresh = measureFresh({&folders}).front();
    printHeading(QStringLiteral("Operations, fresh: each run in a process of its own (%1 runs "
                                "each), the file dropped from the system's cache before the timed "
                                "part")
                     .arg(FreshRuns));
    if (!fresh.cacheNote.isEmpty())
        printLine(QStringLiteral("  the file could NOT be dropped from the cache: ") +
                  fresh.cacheNote);
    else if (fresh.cacheUnknown)
        printLine(QStringLiteral("  whether the drop emptied the cache cannot be told here"));
    else
        printLine(QStringLiteral("  left in the cache after each drop: at most %1 % of the file")
                      .arg(fresh.cachedAfterDrop * 100, 0, 'f', 1));
    printOperationHeader();
    for (size_t i = 0; i < operations().size(); ++i)
        if (chosen(operations()[i]))
            printOperationRow(operations()[i], fresh.times[i]);
    printTestWindowTargets("fresh", fresh.times);
    printBrowserTargets("fresh", fresh.times);
    if (!g_only.isEmpty()) {
        printHeading(QStringLiteral("Targets: %1 met, %2 missed. Operations %3 only: %4 s.")
                         .arg(g_met)
                         .arg(g_missed)
                         .arg(g_only.join(u','))
                         .arg(whole.elapsed() / 1000.0, 0, 'f', 0));
        return 0;
    }
    printAddSaveTarget("fresh", fresh.times[addSave]);
    {
        const Figures &growth = fresh.growthKib[addSave];
        const Spread large = SpreadOf(growth.large);
        printLine(QStringLiteral("  resident memory growth over add, save, read back, save again "
                                 "(KiB): N=100 %1, N=100000 %2; target < %3 KiB  %4")
                      .arg(spreadText(SpreadOf(growth.small), 0), spreadText(large, 0))
                      .arg(AddSaveGrowthTargetKib)
                      .arg(verdict(large.median, Bound::Under, AddSaveGrowthTargetKib)));
    }

    measureReports();

    // Copying the database file: the backup beside cp.
    {
        watchForBoxes();
        TestProgramFolder large;
        need(large.isValid(), QStringLiteral("no temporary program folder"));
        const QString big = paddedDatabase(large, folders[1]->databasePath(), 200LL * 1024 * 1024);
        const struct
        {
            QString label;
            QString path;
            bool targeted;
        } files[] = {
            {QStringLiteral("100 subjects"), folders[0]->databasePath(), false},
            {QStringLiteral("100000 subjects"), folders[1]->databasePath(), false},
            {QStringLiteral("200 MB"), big, true},
        };
        for (const bool cold : {false, true}) {
            printHeading(QStringLiteral("Database file copy, %1: the backup (read transaction, "
                                        "4048-byte chunks, events between them, temporary file "
                                        "synced and renamed) beside cp, and cp + sync, into the "
                                        "same folder; %2 runs each, in turn; then the restore")
                             .arg(cold ? QStringLiteral("cold (file dropped from the cache)")
                                       : QStringLiteral("warm"))
                             .arg(CopyRounds));
            printLine(QStringLiteral("%1 %2 %3 %4 %5")
                          .arg(QStringLiteral("file (ms)"), -16)
                          .arg(QStringLiteral("MiB"), 6)
                          .arg(QStringLiteral("backup min / median / max"), 36)
                          .arg(QStringLiteral("cp min / median / max"), 36)
                          .arg(QStringLiteral("cp + sync min / median / max"), 36));
            for (const auto &file : files)
                printCopyFigures(measureCopy(file.label, file.path, cold), file.targeted);
        }
        needNoBoxes(Operation{"copy", "copying the database file", 0, false, {}, {}, {}});
    }

    // Start-up and memory at rest: the real program in its folder, beside the bare window.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("korvat.startup.info=true"));
    // The programs' instance lock in a folder of ours: a program the user has open does not stop
    // them, and a program stopped here leaves nothing in the user's folder.
    QTemporaryDir locks;
    need(locks.isValid(), QStringLiteral("no folder for the instance lock"));
    for (const char *name : {"XDG_RUNTIME_DIR", "TMPDIR", "TMP", "TEMP"})
        env.insert(QString::fromLatin1(name), locks.path());
    VirtualDisplay xvfb;
    const Platform platform = choosePlatform(xvfb, env);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform.name);
    if (!platform.display.isEmpty())
        env.insert(QStringLiteral("DISPLAY"), platform.display);

    const QString bare = QString::fromUtf8(KORVAT_BARE_WINDOW_EXE);
    std::vector<Starter> starters = {
        {QStringLiteral("bare Qt window"), bare, {}, "bare window painted", {}, {}},
        {QStringLiteral("bare Qt window, one Persian label"),
         bare,
         {QStringLiteral("--label")},
         "bare window painted",
         {},
         {}},
    };
    for (size_t size = 0; size < folders.size(); ++size) {
        const QString exe = QDir(folders[size]->path()).filePath(QStringLiteral("korvat"));
        need(QFile::copy(QString::fromUtf8(KORVAT_PROGRAM_EXE), exe),
             QStringLiteral("cannot lay out the program in ") + folders[size]->path());
        starters.push_back({QStringLiteral("korvat, %1 subjects").arg(Sizes[size]),
                            exe,
                            {},
                            "main window painted",
                            {},
                            {}});
    }
    const QString lockFile = SingleInstance(locks.path()).lockPath();
    for (int round = 0; round < StartRounds; ++round) {
        for (size_t turn = 0; turn < starters.size(); ++turn) {
            Starter &starter = starters[(size_t(round) + turn) % starters.size()];
            ProgramStart start;
            start.setEnvironment(env);
            need(start.run(starter.program, starter.arguments, starter.marker, StartTimeoutMs) ==
                     ProgramStart::Outcome::Reached,
                 QStringLiteral("start of %1: %2").arg(starter.label, start.failure()));
            starter.ms.push_back(start.milliseconds());
            QThread::msleep(IdleMs);
            const qint64 resident = ResidentKib(start.processId());
            need(start.isRunning(),
                 QStringLiteral("%1 ended at its main window: %2")
                     .arg(starter.label, QString::fromUtf8(start.standardError().right(400))));
            if (resident > 0)
                starter.residentKib.push_back(double(resident));
            start.stop();
            // A stopped program leaves its lock; the next start is a first one, not a takeover.
            QFile::remove(lockFile);
        }
    }

    printHeading(QStringLiteral("Start-up to the first painted frame: %1 %2; %3 rounds, the "
                                "programs in turn")
                     .arg(platform.name, platform.note)
                     .arg(StartRounds));
    if (platform.name != QStringLiteral("xcb"))
        printLine(QStringLiteral("  OFFSCREEN: the start-up target is for xcb; the verdicts "
                                 "below are offscreen figures"));
    const double bareMedian = SpreadOf(starters[0].ms).median;
    printLine(QStringLiteral("%1 %2 %3  %4")
                  .arg(QStringLiteral("program (ms)"), -38)
                  .arg(QStringLiteral("min / median / max"), 28)
                  .arg(QStringLiteral("to bare"), 8)
                  .arg(QStringLiteral("target")));
    for (size_t i = 0; i < starters.size(); ++i) {
        const Spread spread = SpreadOf(starters[i].ms);
        const double ratio = spread.median / bareMedian;
        QString target;
        if (i >= 2)
            target = QStringLiteral("<= %1  %2")
                         .arg(RatioTarget)
                         .arg(verdict(ratio, Bound::AtMost, RatioTarget));
        else if (i == 1)
            target = QStringLiteral("shown: what the fonts cost");
        printLine(QStringLiteral("%1 %2 %3  %4")
                      .arg(starters[i].label, -38)
                      .arg(spreadText(spread, 1), 28)
                      .arg(ratio, 8, 'f', 3)
                      .arg(target));
    }

    printHeading(QStringLiteral("Resident memory idle at the main window, %1 ms after its first "
                                "frame (%2, VmRSS)")
                     .arg(IdleMs)
                     .arg(platform.name));
    if (starters[0].residentKib.empty()) {
        printLine(QStringLiteral("  not measured: this system does not tell a process's resident "
                                 "memory"));
    } else {
        printLine(QStringLiteral("%1 %2")
                      .arg(QStringLiteral("program (MiB)"), -38)
                      .arg(QStringLiteral("min / median / max"), 28));
        for (const Starter &starter : starters) {
            std::vector<double> mib;
            for (double kib : starter.residentKib)
                mib.push_back(kib / 1024);
            printLine(QStringLiteral("%1 %2")
                          .arg(starter.label, -38)
                          .arg(spreadText(SpreadOf(mib), 1), 28));
        }
        const double small = SpreadOf(starters[2].residentKib).median;
        const double large = SpreadOf(starters[3].residentKib).median;
        // Rounded first, so that a difference of nothing does not print as -0.0.
        const double more = std::round((large - small) / 1024 * 10) / 10 + 0.0;
        printLine(QStringLiteral("  100000 subjects less 100: %1 MiB (ratio of medians %2)")
                      .arg(more, 0, 'f', 1)
                      .arg(large / small, 0, 'f', 2));
    }

    printHeading(QStringLiteral("Targets: %1 met, %2 missed. Whole run: %3 s.")
                     .arg(g_met)
                     .arg(g_missed)
                     .arg(whole.elapsed() / 1000.0, 0, 'f', 0));
    return 0;
}
// --server: the same operations on the shared register of a clinic's PCs, a PostgreSQL server
// (a cluster of the benchmark's own: see TestServer), beside the file; then four examiners on it
// at once, each in a process of its own.
const int BulkRows = 10000; // seeded subjects to an INSERT on the server
// The bulk seeding is checked on this many subjects, BulkCheckRows to a statement: two whole
// statements and a shorter one.
const int BulkCheckSubjects = 1077;
const int BulkCheckRows = 500;
const int Examiners = 4;
const double ExaminersNextTargetMs = 50; // the 95th percentile of their saves

bool examinersChosen()
{
    return g_only.isEmpty() || g_only.contains(QStringLiteral("examiners"));
}

bool operationsChosen()
{
    for (const Operation &operation : operations())
        if (chosen(operation))
            return true;
    return false;
}

// The time the plain run targets an operation at N=100000 with; 0 for none.
double timeTargetOf(const Operation &operation)
{
    const QLatin1String key(operation.key);
    if (key == QLatin1String("add"))
        return AddSaveTargetMs;
    for (const char *test : TestWindowKeys)
        if (key == QLatin1String(test))
            return TestWindowTargetMs;
    for (const char *screen : {"browser", "browsergroup", "browserlname"})
        if (key == QLatin1String(screen))
            return BrowserScreenTargetMs;
    if (key == QLatin1String("lookups"))
        return NameListsTargetMs;
    return 0;
}

// Whether the operation is something a user does: all but the count of a whole table, which only
// a report makes (for its progress), and which grows with the table on either register.
bool userAction(const Operation &operation)
{
    return QLatin1String(operation.key) != QLatin1String("count");
}

// A program folder whose server.ini names a fresh database of its own on the server, with the
// program's tables and nothing else.
std::unique_ptr<TestProgramFolder> serverFolder()
{
    // A test program folder makes its server database while the tests' switch is on.
    qputenv("KORVAT_TEST_SERVER", "1");
    auto folder = std::make_unique<TestProgramFolder>();
    qunsetenv("KORVAT_TEST_SERVER");
    need(folder->isValid() && !folder->serverDatabase().isEmpty(),
         QStringLiteral("no database on the server: ") + TestServer::Instance().failure());
    return folder;
}

// Seeds the server's register through the program's own connection, in one transaction: with
// SeedSubjects (a statement a row; rowsPerStatement 0), or its rows rowsPerStatement to a
// statement. Then brings the server's
// planner figures and visibility map up to date, as its autovacuum has long since done on a
// register that grew to this size.
// The seconds each step took into *seedingS and *vacuumS, where given.
std::unique_ptr<TestProgramFolder> seededServerFolder(int subjects, int rowsPerStatement,
                                                      double *seedingS = nullptr,
                                                      double *vacuumS = nullptr)
{
    auto folder = serverFolder();
    QElapsedTimer clock;
    clock.start();
    const QString refusal = folder->openDatabase();
    need(refusal.isEmpty(), QStringLiteral("opening the server's register: ") + refusal);
    need(rowsPerStatement ? SeedSubjectsOnServer(subjects, rowsPerStatement)
                          : SeedSubjects(subjects),
         QStringLiteral("seeding %1 subjects on the server failed: %2")
             .arg(subjects)
             .arg(QSqlDatabase::database().lastError().text()));
    CloseDatabase();
    if (seedingS)
        *seedingS = clock.restart() / 1000.0;
    need(TestServer::Instance().exec(folder->serverDatabase(), QStringLiteral("VACUUM ANALYZE")),
         QStringLiteral("VACUUM ANALYZE: ") + TestServer::Instance().failure());
    if (vacuumS)
        *vacuumS = clock.elapsed() / 1000.0;
    return folder;
}

// The bulk seeding lays down exactly SeedSubjects's rows, in the same stored order.
void checkBulkSeeding()
{
    const auto plain = seededServerFolder(BulkCheckSubjects, 0);
    const auto bulk = seededServerFolder(BulkCheckSubjects, BulkCheckRows);
    const QStringList tables{QStringLiteral("IDE"), QStringLiteral("Answer")};
    const QStringList wanted = EveryRow(plain->databasePath(), tables);
    const QStringList got = EveryRow(bulk->databasePath(), tables);
    need(wanted.size() == 2 * BulkCheckSubjects, QStringLiteral("SeedSubjects left %1 rows of %2")
                                                     .arg(wanted.size())
                                                     .arg(2 * BulkCheckSubjects));
    for (int i = 0; i < qMax(wanted.size(), got.size()); ++i)
        need(wanted.value(i) == got.value(i),
             QStringLiteral("the bulk seeding differs from SeedSubjects at row %1: \"%2\" instead "
                            "of \"%3\"")
                 .arg(i)
                 .arg(got.value(i), wanted.value(i)));
    printLine(QStringLiteral("  the bulk seeding (each field's values as one array, unnest()) "
                             "checked against SeedSubjects on %1 subjects, %2 to an INSERT: every "
                             "field of every row, in the same stored order")
                  .arg(BulkCheckSubjects)
                  .arg(BulkCheckRows));
}

QString cell(const QString &text, int width)
{
    return QStringLiteral("%1").arg(text, width);
}

void printServerHeader()
{
    printLine(QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8  %9")
                  .arg(QStringLiteral("operation (ms)"), -38)
                  .arg(QStringLiteral("file 100"), 9)
                  .arg(QStringLiteral("file 100000"), 11)
                  .arg(QStringLiteral("ratio"), 6)
                  .arg(QStringLiteral("server N=100 min / median / max"), 32)
                  .arg(QStringLiteral("server N=100000 min / median / max"), 36)
                  .arg(QStringLiteral("to file"), 8)
                  .arg(QStringLiteral("ratio"), 7)
                  .arg(QStringLiteral("ratio <= %1      at N=100000").arg(RatioTarget)));
}

// One operation on both registers: the file's medians and ratio, the server's figures, its
// median at N=100000 against the file's, its ratio and the targets.
void printServerRow(const Operation &operation, const Figures &file, const Figures &server)
{
    const Spread fileSmall = SpreadOf(file.small);
    const Spread fileLarge = SpreadOf(file.large);
    const Spread small = SpreadOf(server.small);
    const Spread large = SpreadOf(server.large);
    const double ratio = large.median / small.median;
    const QString ratioVerdict = userAction(operation) ? verdict(ratio, Bound::AtMost, RatioTarget)
                                                       : QStringLiteral("(a report's)");
    const double limit = timeTargetOf(operation);
    const QString timeVerdict = limit > 0 ? QStringLiteral("< %1 ms %2")
                                                .arg(limit)
                                                .arg(verdict(large.median, Bound::Under, limit))
                                          : QString();
    printLine(QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8  %9")
                  .arg(QLatin1String(operation.name), -38)
                  .arg(fileSmall.median, 9, 'f', 3)
                  .arg(fileLarge.median, 11, 'f', 3)
                  .arg(fileLarge.median / fileSmall.median, 6, 'f', 2)
                  .arg(spreadText(small, 3), 32)
                  .arg(spreadText(large, 3), 36)
                  .arg(QStringLiteral("%1x").arg(large.median / fileLarge.median, 0, 'f', 1), 8)
                  .arg(ratio, 7, 'f', 3)
                  .arg(cell(ratioVerdict, -16) + timeVerdict));
}

// Four examiners at once on the server's register, each another PC (korvat-test-peer): each
// registers a subject, answers its 56 statements with an option of its own (a save each) and
// scores it. Then every answer and score is read back from the server.
void runExaminers(const TestProgramFolder &folder, int subjects)
{
    printHeading(QStringLiteral("%1 examiners at once on the server's register of %2 subjects: "
                                "each a process of its own (korvat-test-peer) that registers a "
                                "subject, answers its 56 statements (a save each) and scores it; "
                                "all four connect, then begin together")
                     .arg(Examiners)
                     .arg(subjects));
    const QString database = folder.databasePath();
    const QString countSql = QStringLiteral("SELECT COUNT(*) FROM \"IDE\"");
    const qint64 before = readBack(database, countSql).value(0).toLongLong();
    QTemporaryDir signal;
    need(signal.isValid(), QStringLiteral("no folder for the examiners' signal"));
    const QString go = signal.filePath(QStringLiteral("go"));

    std::vector<std::unique_ptr<QProcess>> peers;
    std::vector<QByteArray> outputs(Examiners);
    auto codeOf = [](int k) { return QStringLiteral("exam-%1").arg(k + 1); };
    auto optionOf = [](int k) { return 1 + k % ScoringKey::OptionCount; };
    auto said = [&](int k) {
        return QStringLiteral("examiner %1: %2 %3")
            .arg(codeOf(k), QString::fromUtf8(outputs[size_t(k)].trimmed().right(300)),
                 QString::fromUtf8(peers[size_t(k)]->readAllStandardError().trimmed().right(300)));
    };
    for (int k = 0; k < Examiners; ++k) {
        peers.push_back(std::make_unique<QProcess>());
        peers.back()->setProcessEnvironment(ProgramEnvironment());
        peers.back()->start(QString::fromUtf8(KORVAT_PEER_EXE),
                            {folder.path(), QStringLiteral("examiner"), codeOf(k),
                             QString::number(optionOf(k)), go});
    }
    for (int k = 0; k < Examiners; ++k) {
        QProcess &peer = *peers[size_t(k)];
        QByteArray &out = outputs[size_t(k)];
        QDeadlineTimer deadline(60000);
        while (!out.contains("ready\n")) {
            need(peer.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))),
                 said(k) + QStringLiteral(" (it did not connect)"));
            out += peer.readAllStandardOutput();
        }
    }
    QElapsedTimer clock;
    clock.start();
    need(WriteFile(go, QByteArray()), QStringLiteral("cannot signal the examiners"));

    std::vector<double> every;
    QStringList each;
    for (int k = 0; k < Examiners; ++k) {
        QProcess &peer = *peers[size_t(k)];
        const bool finished = peer.waitForFinished(300000);
        outputs[size_t(k)] += peer.readAllStandardOutput();
        need(finished && peer.exitStatus() == QProcess::NormalExit && peer.exitCode() == 0,
             said(k));
        PeerOutput parsed;
        QString why;
        need(ParsePeerOutput(outputs[size_t(k)], &parsed, &why), said(k) + u' ' + why);
        need(parsed.failure == 0, QStringLiteral("examiner %1: the register answered %2 %3")
                                      .arg(codeOf(k))
                                      .arg(parsed.failure)
                                      .arg(parsed.description));
        need(int(parsed.nextMs.size()) == ScoringKey::StatementCount,
             QStringLiteral("examiner %1 saved %2 answers, not %3")
                 .arg(codeOf(k))
                 .arg(parsed.nextMs.size())
                 .arg(ScoringKey::StatementCount));
        const Spread spread = SpreadOf(parsed.nextMs);
        each << QStringLiteral("%1 (option %2) %3")
                    .arg(codeOf(k))
                    .arg(optionOf(k))
                    .arg(spreadText(spread, 2));
        every.insert(every.end(), parsed.nextMs.begin(), parsed.nextMs.end());
    }
    const double wholeMs = double(clock.elapsed());

    const Spread spread = SpreadOf(every);
    const double p95 = PercentileOf(every, 95);
    printLine(QStringLiteral("  each examiner's saves, min / median / max (ms): ") +
              each.join(QStringLiteral("; ")));
    printLine(QStringLiteral("  answer and next statement across the four: %1 saves, median %2 "
                             "ms, 95th percentile %3 ms, max %4 ms; all four done in %5 ms")
                  .arg(every.size())
                  .arg(spread.median, 0, 'f', 3)
                  .arg(p95, 0, 'f', 3)
                  .arg(spread.max, 0, 'f', 3)
                  .arg(wholeMs, 0, 'f', 0));
    printLine(QStringLiteral("  95th percentile %1 ms, target < %2 ms  %3")
                  .arg(p95, 0, 'f', 3)
                  .arg(ExaminersNextTargetMs)
                  .arg(verdict(p95, Bound::Under, ExaminersNextTargetMs)));

    // What the server holds now: a lost or misplaced answer fails the run.
    for (int k = 0; k < Examiners; ++k) {
        const QString code = codeOf(k);
        for (const char *table : {"IDE", "Answer"})
            need(readBack(database,
                          QStringLiteral("SELECT COUNT(*) FROM \"%1\" WHERE \"Code\" = ?")
                              .arg(QLatin1String(table)),
                          {code})
                         .value(0)
                         .toInt() == 1,
                 QStringLiteral("the server holds no single %1 row for %2")
                     .arg(QLatin1String(table), code));
        QStringList wanted;
        for (int n = 1; n <= ScoringKey::StatementCount; ++n)
            wanted << ScoringKey::StoredAnswer(optionOf(k), n);
        const QStringList stored = answersInFile(database, code).split(u'|');
        for (int n = 1; n <= ScoringKey::StatementCount; ++n)
            need(stored.value(n - 1) == wanted.value(n - 1),
                 QStringLiteral("statement %1 of %2 holds \"%3\", not \"%4\" (option %5)")
                     .arg(n)
                     .arg(code, stored.value(n - 1), wanted.value(n - 1))
                     .arg(optionOf(k)));
        const QString scores = scoresInFile(database, code);
        need(scores == scoresOf(wanted.join(u'|')),
             QStringLiteral("%1 stored the scores %2, not %3")
                 .arg(code, scores, scoresOf(wanted.join(u'|'))));
    }
    const qint64 after = readBack(database, countSql).value(0).toLongLong();
    need(after == before + Examiners, QStringLiteral("the register holds %1 subjects, not %2")
                                          .arg(after)
                                          .arg(before + Examiners));
    printLine(QStringLiteral("  read back from the server: each of the four subjects holds its 56 "
                             "answers as its option gives them and its six scores; the register "
                             "holds %1 subjects, four more than before")
                  .arg(after));
}

int runServer()
{
    QElapsedTimer whole;
    whole.start();
    qunsetenv("KORVAT_TEST_SERVER"); // the file's registers are files
    TestServer &server = TestServer::Instance();
    need(server.isRunning(), QStringLiteral("the server did not start: ") + server.failure());
    const QString version =
        server.read(QStringLiteral("postgres"), QStringLiteral("SHOW server_version"))
            .value(0)
            .toString();
    printLine(QStringLiteral("korvat-bench --server: the file beside the shared register on "
                             "PostgreSQL %1, a cluster of the benchmark's own on a Unix socket "
                             "in %2 (fsync off: the server's disk is not timed), the program "
                             "connected as the examiners' role; %3 and %4 subjects seeded alike")
                  .arg(version, server.socketFolder())
                  .arg(Sizes[0])
                  .arg(Sizes[1]));
    checkBulkSeeding();

    const bool operationsToo = operationsChosen();
    Registers files;
    Registers servers;
    QStringList seeding;
    for (int size = 0; size < 2; ++size) {
        const int subjects = Sizes[size];
        QElapsedTimer clock;
        if (operationsToo) {
            clock.start();
            files.push_back(seededFolder(subjects));
            seeding << QStringLiteral("file %1 in %2 s")
                           .arg(subjects)
                           .arg(clock.elapsed() / 1000.0, 0, 'f', 1);
        }
        if (operationsToo || size == 1) {
            double seedingS = 0;
            double vacuumS = 0;
            servers.push_back(seededServerFolder(subjects, BulkRows, &seedingS, &vacuumS));
            seeding << QStringLiteral("server %1 in %2 s + %3 s")
                           .arg(subjects)
                           .arg(seedingS, 0, 'f', 1)
                           .arg(vacuumS, 0, 'f', 1);
        }
    }
    printLine(QStringLiteral("  seeded (the server in one transaction through the program's "
                             "connection, %1 subjects to an INSERT, each field's values as one "
                             "array; + VACUUM ANALYZE): %2")
                  .arg(BulkRows)
                  .arg(seeding.join(QStringLiteral(", "))));

    if (operationsToo) {
        watchForBoxes();
        const std::vector<std::vector<Figures>> warm = measureWarm({&files, &servers});
        printHeading(QStringLiteral("Operations, warm: in one process (windows offscreen), %1 "
                                    "rounds, the sizes and the registers in turn, a register "
                                    "opened once a round; the file's medians, the server's "
                                    "figures, the server's median at N=100000 to the file's")
                         .arg(WarmRounds));
        printServerHeader();
        for (size_t i = 0; i < operations().size(); ++i)
            if (chosen(operations()[i]))
                printServerRow(operations()[i], warm[0][i], warm[1][i]);

        const std::vector<FreshFigures> fresh = measureFresh({&files, &servers});
        printHeading(QStringLiteral("Operations, fresh: each run in a process of its own, "
                                    "connecting anew (%1 runs each); the file dropped from the "
                                    "system's cache before the timed part; the server's own "
                                    "cache kept, as a clinic's server in use keeps it")
                         .arg(FreshRuns));
        printLine(QStringLiteral("  on the server a process of its own is a new session of the "
                                 "server's too: a statement's first run in a session can be slower "
                                 "than its next ones, which a program pays once a start"));
        if (!fresh[0].cacheNote.isEmpty())
            printLine(QStringLiteral("  the file could NOT be dropped from the cache: ") +
                      fresh[0].cacheNote);
        else if (!fresh[0].cacheUnknown)
            printLine(
                QStringLiteral("  left in the cache after each drop: at most %1 % of the file")
                    .arg(fresh[0].cachedAfterDrop * 100, 0, 'f', 1));
        printServerHeader();
        for (size_t i = 0; i < operations().size(); ++i)
            if (chosen(operations()[i]))
                printServerRow(operations()[i], fresh[0].times[i], fresh[1].times[i]);
    }

    if (examinersChosen())
        runExaminers(*servers.back(), Sizes[1]);
    closeReaders();
    printHeading(
        QStringLiteral("Targets: %1 met, %2 missed. Server run%3: %4 s.")
            .arg(g_met)
            .arg(g_missed)
            .arg(g_only.isEmpty() ? QString() : QStringLiteral(", %1 only").arg(g_only.join(u',')))
            .arg(whole.elapsed() / 1000.0, 0, 'f', 0));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    TuneMemoryAllocator(); // as the program does
    // Windows made in this process (the main window, the registration) are drawn offscreen;
    // start-up is timed in programs of their own, on the platform chosen for it.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ApplyProgramLook(app);
    LoadQtTranslation();

    const QStringList arguments = app.arguments();
    try {
        if (arguments.value(1) == QStringLiteral("--reports")) {
            measureReports();
            measurePreviews();
            printHeading(QStringLiteral("Targets: %1 met, %2 missed.").arg(g_met).arg(g_missed));
            return 0;
        }
        if (arguments.value(1) == QStringLiteral("--report")) {
            const int n =
                arguments.value(arguments.indexOf(QStringLiteral("--subjects")) + 1).toInt();
            need(arguments.value(2) == QStringLiteral("--db") && n > 0,
                 QStringLiteral("--report needs --db PATH and --subjects N"));
            return renderListInFreshProcess(arguments.value(3), n);
        }
        if (arguments.value(1) == QStringLiteral("--preview")) {
            const int n =
                arguments.value(arguments.indexOf(QStringLiteral("--subjects")) + 1).toInt();
            need(arguments.value(2) == QStringLiteral("--db") && n > 0,
                 QStringLiteral("--preview needs --db PATH and --subjects N"));
            return previewListInFreshProcess(arguments.value(3), n);
        }
        const int one = arguments.indexOf(QStringLiteral("--one"));
        if (one < 0) {
            bool server = false;
            bool understood = true;
            for (int i = 1; i < arguments.size(); ++i) {
                if (arguments.at(i) == QStringLiteral("--server") && !server)
                    server = true;
                else if (arguments.at(i) == QStringLiteral("--only") && g_only.isEmpty() &&
                         i + 1 < arguments.size())
                    g_only = arguments.at(++i).split(u',');
                else
                    understood = false;
            }
            if (!understood) {
                std::fprintf(stderr,
                             "usage: korvat-bench [--server] [--only KEY[,KEY...]] | --reports | "
                             "--one KEY --db PATH --subjects N\n");
                return 2;
            }
            for (const QString &key : std::as_const(g_only))
                need(operationByKey(key) || (server && key == QStringLiteral("examiners")),
                     QStringLiteral("no operation \"%1\"").arg(key));
            return server ? runServer() : runAll();
        }
        const int db = arguments.indexOf(QStringLiteral("--db"));
        const int subjects = arguments.indexOf(QStringLiteral("--subjects"));
        bool ok = false;
        const int n = arguments.value(subjects + 1).toInt(&ok);
        need(db > 0 && subjects > 0 && ok && n > 0 && !arguments.value(one + 1).isEmpty(),
             QStringLiteral("--one needs KEY, --db PATH and --subjects N"));
        return runInFreshProcess(arguments.value(one + 1), arguments.value(db + 1), n);
    } catch (const BenchFailure &failure) {
        std::fflush(stdout);
        std::fprintf(stderr, "korvat-bench: FAILED: %s\n", qUtf8Printable(failure.what));
        return 1;
    }
}
