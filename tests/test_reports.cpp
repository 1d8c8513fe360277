// The reports: the results list and the result sheet, produced as the three print actions
// produce them, checked in the PDF, the CSV and the report the preview holds.
#include "GuiTest.h"
#include "ModalAnswer.h"
#include "OtherProgram.h"
#include "PdfText.h"
#include "Seed.h"
#include "Text.h"
#include "UserInput.h"
#include "Windows.h"
#include "app/ReportButtons.h"
#include "common/Dialogs.h"
#include "common/SolarHijriDate.h"
#include "data/Cursor.h"
#include "data/Database.h"
#include "data/TableModel.h"
#include "records/FrmCode.h"
#include "reports/DataR1.h"
#include "reports/DataRPrint.h"
#include "reports/GroupSummaryReport.h"
#include "reports/ReportActions.h"
#include "reports/ReportPreview.h"
#include "reports/ReportProgress.h"
#include "reports/ReportsText.h"
#include "scoring/FrmkLID.h"
#include "scoring/ScoringKey.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QToolBar>
#include <QtTest>

#include <cmath>
#include <functional>
#include <memory>

namespace {

const QString Detail = QStringLiteral("Section1");

// A subject's IDE row; fields not given stay empty (an unscored subject has no scores).
bool AddSubject(const QHash<QString, QString> &fields)
{
    return AddRow(QStringLiteral("IDE"), fields);
}

// Whether every word of wanted is in text. pdftotext may move punctuation and blanks about in
// right-to-left text, never the letters of a word.
bool HasWords(const QString &text, const QString &wanted)
{
    const QStringList words =
        Fold(wanted).split(QRegularExpression(QStringLiteral("[\\s,،:()]+")), Qt::SkipEmptyParts);
    for (const QString &word : words)
        if (!text.contains(word))
            return false;
    return !words.isEmpty();
}

// What pdfinfo says of a PDF: its page count, title and author, or with meta its XMP.
QString PdfInfo(const QString &path, bool meta = false)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"),
                  meta ? QStringList{QStringLiteral("-meta"), path} : QStringList{path});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

int PdfPages(const QString &path)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(PdfInfo(path));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// Reads CSV the way a spreadsheet program does (RFC 4180).
QVector<QStringList> ParseCsv(QString text)
{
    QVector<QStringList> lines;
    QStringList line;
    QString field;
    bool quoted = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text.at(i + 1) == u'"')
                field += u'"', ++i;
            else if (c == u'"')
                quoted = false;
            else
                field += c;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            line << field;
            field.clear();
        } else if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') {
            line << field;
            lines << line;
            line.clear();
            field.clear();
            ++i;
        } else {
            field += c;
        }
    }
    return lines;
}

QStringList Column(const QVector<QStringList> &table, int column)
{
    QStringList values;
    for (int i = 1; i < table.size(); ++i)
        values << table[i].value(column);
    return values;
}

QStringList Codes(const ReportLayout &report)
{
    QStringList codes;
    for (int row = 0; row < report.rowCount(); ++row)
        codes << report.value(row, QStringLiteral("Code"));
    return codes;
}

// The last preview on screen; nullptr when there is none.
ReportPreview *LastPreview()
{
    const QList<ReportPreview *> shown = VisibleWindows<ReportPreview>();
    return shown.isEmpty() ? nullptr : shown.last();
}

// One of the print actions, as its window calls it: the window's cursor, and the text of the box
// it takes its subject or group from.
using Print = std::function<ReportPreview *(Cursor *subjects, const QString &text)>;
const Print Sheet = [](Cursor *, const QString &code) {
    return PrintSelectedSubject(nullptr, code, QString(), QString());
};
const Print AllSubjects = [](Cursor *subjects, const QString &) {
    return PrintAllSubjects(nullptr, subjects, QString(), QString());
};
const Print ByGroup = [](Cursor *subjects, const QString &group) {
    return PrintByGroup(nullptr, group, subjects, QString(), QString());
};
const Print Summary = [](Cursor *, const QString &group) {
    return PrintGroupSummary(nullptr, group, QString(), QString());
};

// The browser's grid when a print is asked for under another program's lock.
enum class Grid { Whole, FilteredBefore, FilterFailedUnderTheLock };

// One of the reports of the clinic "مرکز نور" in قم, opened for an owner window. Every subject is
// in group B and scored.
using Open = std::function<ReportPreview *(QWidget *owner, Cursor *subjects)>;
// The sheet of subject "a/b:c".
const Open OpenSheet = [](QWidget *owner, Cursor *) {
    return PrintSelectedSubject(owner, QStringLiteral("a/b:c"), u("مرکز نور"), u("قم"));
};
const Open OpenList = [](QWidget *owner, Cursor *subjects) {
    return PrintAllSubjects(owner, subjects, u("مرکز نور"), u("قم"));
};
const Open OpenGroupList = [](QWidget *owner, Cursor *subjects) {
    return subjects->filter(QStringLiteral("Group"), QStringLiteral("B"))
               ? PrintByGroup(owner, QStringLiteral("B"), subjects, u("مرکز نور"), u("قم"))
               : nullptr;
};
const Open OpenSummary = [](QWidget *owner, Cursor *) {
    return PrintGroupSummary(owner, QStringLiteral("B"), u("مرکز نور"), u("قم"));
};
} // namespace

class TestReports : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_gui.beginRun()); }
    void init() { QCOMPARE(m_gui.begin(20), QString()); }
    void cleanup() { m_gui.end(); }

    void rowNumbersStartAtOneEveryTime();
    void listRows_data();
    void listRows();
    void sheetScoreBesideItsCaption_data();
    void sheetScoreBesideItsCaption();
    void sheetShowsOneSubjectReadAtPrintTime();
    void refusals_data();
    void refusals();
    void scoreFirstNoticeStaysTwoSeconds();
    void pdfOfAHundredSubjects();
    void csvRoundTrip_data();
    void csvRoundTrip();
    void failedSaveIsReported();
    void lockedFileIsReported_data();
    void lockedFileIsReported();
    void scoringWindowButtons();
    void previewFitsTheScreen();
    void browserButtons();
    void groupSummary_data();
    void groupSummary();
    void savedFiles_data();
    void savedFiles();
    void previewKeyboardAndLife_data();
    void previewKeyboardAndLife();
    void longListCancelled_data();
    void longListCancelled();

private:
    GuiTest m_gui;
    QTemporaryDir m_out;
};

// KORVAT_REPORTS_OUT=folder keeps a copy of the PDFs the tests write, to look at.
void Keep(const QString &pdf, const QString &name)
{
    const QString folder = qEnvironmentVariable("KORVAT_REPORTS_OUT");
    if (!folder.isEmpty()) {
        QFile::remove(folder + u'/' + name);
        QFile::copy(pdf, folder + u'/' + name);
    }
}

void TestReports::rowNumbersStartAtOneEveryTime()
{
    QVERIFY(SeedSubjects(3));
    Cursor all(QStringLiteral("IDE"));
    QVERIFY(all.open());
    // The preview paints its pages on showing, and again on printing: every list starts at 1.
    for (int production = 0; production < 2; ++production) {
        ReportPreview *preview = PrintAllSubjects(nullptr, &all, u("مرکز"), u("تهران"));
        QVERIFY(preview);
        QVERIFY(preview->isVisible());
        QCoreApplication::processEvents();
        const QString pdf = m_out.filePath(QStringLiteral("rows%1.pdf").arg(production));
        for (int twice = 0; twice < 2; ++twice) {
            QVERIFY(preview->savePdf(pdf));
            // pdftotext gives each line's cells one by one: the row number just before the code.
            QStringList lines = PdfText(pdf).split(u'\n');
            lines.removeAll(QString());
            QStringList numbers;
            for (int i = 1; i < lines.size(); ++i)
                if (QRegularExpression(QStringLiteral("^S\\d$"))
                        .match(lines[i].trimmed())
                        .hasMatch())
                    numbers << lines[i - 1].trimmed();
            QCOMPARE(numbers,
                     (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
            QCOMPARE(Column(preview->report().table(), 0),
                     (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
        }
        preview->close();
    }
}

void TestReports::listRows_data()
{
    QTest::addColumn<QString>("group"); // the group selector's text
    QTest::addColumn<bool>("filtered"); // the browser's grid shows that group only
    QTest::addColumn<QStringList>("codes");

    QTest::newRow("all subjects, unscored too")
        << QString() << false
        << QStringList{QStringLiteral("A1"), QStringLiteral("B1"), QStringLiteral("C1"),
                       QStringLiteral("B2"), QStringLiteral("A2")};
    QTest::newRow("group B") << QStringLiteral("B") << true
                             << QStringList{QStringLiteral("B1"), QStringLiteral("B2")};
    QTest::newRow("after a deletion the grid is whole")
        << QStringLiteral("B") << false
        << QStringList{QStringLiteral("A1"), QStringLiteral("B1"), QStringLiteral("C1"),
                       QStringLiteral("B2"), QStringLiteral("A2")};
    QTest::newRow("a group nobody is in") << QStringLiteral("G") << true << QStringList{};
}

void TestReports::listRows()
{
    QFETCH(QString, group);
    QFETCH(bool, filtered);
    QFETCH(QStringList, codes);

    const QStringList stored{QStringLiteral("A1"), QStringLiteral("B1"), QStringLiteral("C1"),
                             QStringLiteral("B2"), QStringLiteral("A2")};
    for (const QString &code : stored) {
        QHash<QString, QString> fields{{QStringLiteral("Code"), code},
                                       {QStringLiteral("Group"), code.left(1)}};
        if (code != QStringLiteral("C1")) // C1 has not been scored yet
            fields.insert(QStringLiteral("Kol"), QStringLiteral("140"));
        QVERIFY(AddSubject(fields));
    }
    Cursor subjects(QStringLiteral("IDE"));
    QVERIFY(subjects.open());
    if (filtered)
        QVERIFY(subjects.filter(QStringLiteral("Group"), group));

    const QString name = u("مرکز مشاوره 'آفتاب'"), address = u("خیابان ولیعصر، پلاک ۱۲");
    ReportPreview *preview = group.isEmpty()
                                 ? PrintAllSubjects(nullptr, &subjects, name, address)
                                 : PrintByGroup(nullptr, group, &subjects, name, address);
    QVERIFY(preview);
    QVERIFY(!preview->isModal());
    // What the preview shows stays as it was read, whatever the browser's filter does next.
    QVERIFY(subjects.filter(QStringLiteral("Group"), QStringLiteral("A")));
    QCOMPARE(Codes(preview->report()), codes);
    QCOMPARE(preview->report().caption(QStringLiteral("Section4"), QStringLiteral("Label9")), name);
    QCOMPARE(preview->report().caption(QStringLiteral("Section5"), QStringLiteral("Label14")),
             address);

    const QString pdf = m_out.filePath(QStringLiteral("list.pdf"));
    QVERIFY(preview->savePdf(pdf));
    const QString text = PdfText(pdf);
    QVERIFY2(HasWords(text, name) && HasWords(text, address), qPrintable(text));
    QVERIFY(text.indexOf(Fold(u("آفتاب"))) < text.indexOf(Fold(u("ولیعصر"))));
    for (const QString &code : stored)
        QCOMPARE(text.contains(code), codes.contains(code));
}

void TestReports::sheetScoreBesideItsCaption_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("value");

    QTest::newRow("code") << u("کد") << QStringLiteral("N'71");
    QTest::newRow("group, not the first name") << u("گروه") << QStringLiteral("D");
    QTest::newRow("age") << u("سن") << QStringLiteral("12");
    QTest::newRow("gender") << u("جنس") << u("زن");
    QTest::newRow("marital status") << u("تاهل") << u("مجرد");
    QTest::newRow("education") << u("تحصيلات") << u("ششم ابتدايي");
    QTest::newRow("BPosetive") << u("مهارت اجتماعي مناسب") << QStringLiteral("61");
    QTest::newRow("neyaz") << u("برتري طلبي اطمينان زياد به خود داشتن") << QStringLiteral("17");
    QTest::newRow("Conterlo") << u("رفتارهاي  غير اجتماعي") << QStringLiteral("30");
    QTest::newRow("self") << u("ارتباط با همسالان") << QStringLiteral("25");
    QTest::newRow("Etminan") << u("پرخاشگري و رفتارهاي تکانشي") << QStringLiteral("33");
    QTest::newRow("Kol") << u("کل") << QStringLiteral("166");
    QTest::newRow("address") << u("آدرس") << u("شیراز، خیابان زند");
}

void TestReports::sheetScoreBesideItsCaption()
{
    QFETCH(QString, caption);
    QFETCH(QString, value);

    QVERIFY(AddSubject({{QStringLiteral("Code"), QStringLiteral("N'71")},
                        {QStringLiteral("FName"), u("مینا")},
                        {QStringLiteral("Group"), QStringLiteral("D")},
                        {QStringLiteral("Sen"), QStringLiteral("12")},
                        {QStringLiteral("Jens"), u("زن")},
                        {QStringLiteral("Taahol"), u("مجرد")},
                        {QStringLiteral("Tahsil"), u("ششم ابتدايي")},
                        {QStringLiteral("BPosetive"), QStringLiteral("61")},
                        {QStringLiteral("Conterlo"), QStringLiteral("30")},
                        {QStringLiteral("Etminan"), QStringLiteral("33")},
                        {QStringLiteral("neyaz"), QStringLiteral("17")},
                        {QStringLiteral("self"), QStringLiteral("25")},
                        {QStringLiteral("Kol"), QStringLiteral("166")}}));
    ReportPreview *preview =
        PrintSelectedSubject(nullptr, QStringLiteral("N'71"), u("مرکز"), u("شیراز، خیابان زند"));
    QVERIFY(preview);
    const ReportLayout &sheet = preview->report();
    QCOMPARE(sheet.rowCount(), 1);

    const QString pdf = m_out.filePath(QStringLiteral("sheet.pdf"));
    QVERIFY(preview->savePdf(pdf));
    QCOMPARE(PdfPages(pdf), 1);
    Keep(pdf, QStringLiteral("sheet.pdf"));

    // On the page: the value's nearest caption is its own, on its right, on the same line. The
    // first place of each is the slots' (the profile chart under them repeats captions and
    // scores).
    const QVector<PdfPlace> values = PdfFind(pdf, value);
    QVERIFY2(!values.isEmpty(), qPrintable(PdfText(pdf)));
    const QRectF shown = values.first().box;
    auto gap = [](const QRectF &a, const QRectF &b) {
        const qreal dx = qMax<qreal>(0, qMax(a.left() - b.right(), b.left() - a.right()));
        const qreal dy = qMax<qreal>(0, qMax(a.top() - b.bottom(), b.top() - a.bottom()));
        return std::hypot(dx, dy);
    };
    QString nearest;
    qreal nearestGap = 1e9;
    QRectF own;
    for (const char *other : {"کد", "گروه", "سن", "جنس", "تاهل", "تحصيلات", "مهارت اجتماعي مناسب",
                              "برتري طلبي اطمينان زياد به خود داشتن", "رفتارهاي  غير اجتماعي",
                              "ارتباط با همسالان", "پرخاشگري و رفتارهاي تکانشي", "کل", "آدرس"}) {
        const QVector<PdfPlace> places = PdfFind(pdf, u(other));
        QVERIFY2(!places.isEmpty(), other);
        if (u(other) == caption)
            own = places.first().box;
        if (gap(shown, places.first().box) < nearestGap) {
            nearestGap = gap(shown, places.first().box);
            nearest = u(other);
        }
    }
    QCOMPARE(nearest, caption);
    QVERIFY(own.left() >= shown.right() && own.top() < shown.bottom() &&
            own.bottom() > shown.top());
}

void TestReports::sheetShowsOneSubjectReadAtPrintTime()
{
    QVERIFY(AddSubject({{QStringLiteral("Code"), QStringLiteral("P1")},
                        {QStringLiteral("FName"), u("علی")},
                        {QStringLiteral("Group"), QStringLiteral("A")},
                        {QStringLiteral("neyaz"), QStringLiteral("20")}}));
    QVERIFY(AddSubject({{QStringLiteral("Code"), QStringLiteral("P2")},
                        {QStringLiteral("FName"), u("رضا")},
                        {QStringLiteral("Group"), QStringLiteral("C")},
                        {QStringLiteral("neyaz"), QStringLiteral("9")}}));
    // P1 was scored; then scoring P2 was refused: the sheet is P1's, all of it.
    ReportPreview *preview =
        PrintSelectedSubject(nullptr, QStringLiteral("P1"), QString(), QString());
    QVERIFY(preview);
    QCOMPARE(preview->report().caption(Detail, QStringLiteral("Label15")), QStringLiteral("P1"));
    QCOMPARE(preview->report().caption(Detail, QStringLiteral("Label16")), QStringLiteral("A"));
    QCOMPARE(preview->report().caption(Detail, QStringLiteral("Label24")), QStringLiteral("20"));
    // A second print of the same report object shows the new subject, and the first preview
    // keeps its own.
    ReportPreview *second =
        PrintSelectedSubject(nullptr, QStringLiteral("P2"), QString(), QString());
    QVERIFY(second);
    QCOMPARE(second->report().caption(Detail, QStringLiteral("Label24")), QStringLiteral("9"));
    QCOMPARE(preview->report().caption(Detail, QStringLiteral("Label24")), QStringLiteral("20"));
}

void TestReports::refusals_data()
{
    QTest::addColumn<Print>("print");
    QTest::addColumn<QString>("text"); // what the caller's box held
    QTest::addColumn<QString>("message");

    QTest::newRow("sheet, nothing scored") << Sheet << QString() << ReportsText::ScoreFirst();
    QTest::newRow("sheet, subject deleted since")
        << Sheet << QStringLiteral("gone") << ReportsText::NoSuchSubject();
    QTest::newRow("sheet, code differs by a blank")
        << Sheet << QStringLiteral("S0 ") << ReportsText::NoSuchSubject();
    QTest::newRow("group list, no group") << ByGroup << QString() << ReportsText::ChooseGroup();
}

void TestReports::refusals()
{
    QFETCH(Print, print);
    QFETCH(QString, text);
    QFETCH(QString, message);

    QVERIFY(SeedSubjects(1));
    Cursor subjects(QStringLiteral("IDE"));
    QVERIFY(subjects.open());
    QVERIFY(!print(&subjects, text));
    QCOMPARE(ShownTexts(), QStringList{message});
}

void TestReports::scoreFirstNoticeStaysTwoSeconds()
{
    DialogHooks::SetTimedDelay(-1);
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!PrintSelectedSubject(nullptr, QString(), QString(), QString()));
    const qint64 shown = timer.elapsed();
    DialogHooks::SetTimedDelay(20);
    QVERIFY2(shown >= 1900 && shown < 3500, qPrintable(QString::number(shown)));
}

void TestReports::pdfOfAHundredSubjects()
{
    QVERIFY(SeedSubjects(100));
    Cursor all(QStringLiteral("IDE"));
    QVERIFY(all.open());
    ReportPreview *preview = PrintAllSubjects(nullptr, &all, u("کلینیک نمونه"), u("اصفهان"));
    QVERIFY(preview);
    const QString pdf = m_out.filePath(QStringLiteral("hundred.pdf"));
    QVERIFY(preview->savePdf(pdf));
    // 20 lines fit under the report header on the first page, 23 on every other.
    QCOMPARE(preview->report().pageCount(), 5);
    QCOMPARE(PdfPages(pdf), 5);
    Keep(pdf, QStringLiteral("list.pdf"));
    const QString text = PdfText(pdf);
    QStringList wanted{ReportsText::ListTitle().simplified(),
                       u("کلینیک نمونه"),
                       u("اصفهان"),
                       QStringLiteral("S0"),
                       QStringLiteral("S99"),
                       u("صفحه 5 از 5")};
    for (int i = 1; i <= 13; ++i)
        wanted << preview->report()
                      .caption(QStringLiteral("Section2"), QStringLiteral("Head%1").arg(i))
                      .split(u' ')
                      .first();
    for (const QString &piece : wanted)
        QVERIFY2(HasWords(text, piece), qPrintable(piece));
}

void TestReports::csvRoundTrip_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("age");
    QTest::addColumn<QString>("cells"); // code and age as the spreadsheet reads them, "|" between
    QTest::newRow("Persian") << u("کد-۱۲ آزمودنی") << QStringLiteral("12") << u("کد-۱۲ آزمودنی|12");
    QTest::newRow("apostrophe") << QStringLiteral("O'Brien") << QString()
                                << QStringLiteral("O'Brien|");
    QTest::newRow("comma and quotes")
        << QStringLiteral("a,\"b\",c") << QString() << QStringLiteral("a,\"b\",c|");
    QTest::newRow("line break") << QStringLiteral("first\r\nsecond") << QString()
                                << QStringLiteral("first\r\nsecond|");
    QTest::newRow("leading blank") << QStringLiteral(" 7") << QString() << QStringLiteral(" 7|");
    QTest::newRow("right-to-left mark")
        << QString(QChar(0x200F)) + u("۱۲") << QString() << QString(QChar(0x200F)) + u("۱۲|");
    QTest::newRow("ten thousand characters")
        << QString(10000, u'ک') << QString() << QString(10000, u'ک') + u'|';
    // What a spreadsheet would run as a formula is text behind an apostrophe.
    QTest::newRow("formula") << QStringLiteral("=HYPERLINK(\"http://x.example\",\"a\")")
                             << QStringLiteral("=1+1")
                             << QStringLiteral("'=HYPERLINK(\"http://x.example\",\"a\")|'=1+1");
    QTest::newRow("plus, minus, at")
        << QStringLiteral("+cmd|' /C calc'!A0") << QStringLiteral("-2+3")
        << QStringLiteral("'+cmd|' /C calc'!A0|'-2+3");
    QTest::newRow("at") << QStringLiteral("@SUM(A1:A9)") << QString()
                        << QStringLiteral("'@SUM(A1:A9)|");
    QTest::newRow("tab and carriage return")
        << QStringLiteral("\t=1") << QStringLiteral("\r=2") << QStringLiteral("'\t=1|'\r=2");
    QTest::newRow("a negative age stays a number")
        << QStringLiteral("N1") << QStringLiteral("-5") << QStringLiteral("N1|-5");
}

void TestReports::csvRoundTrip()
{
    QFETCH(QString, code);
    QFETCH(QString, age);
    QFETCH(QString, cells);
    QVERIFY(AddSubject({{QStringLiteral("Code"), code},
                        {QStringLiteral("Group"), QStringLiteral("E")},
                        {QStringLiteral("Sen"), age},
                        {QStringLiteral("Tahsil"), u("دیپلم، ریاضی")}}));
    Cursor all(QStringLiteral("IDE"));
    QVERIFY(all.open());
    ReportPreview *preview = PrintAllSubjects(nullptr, &all, QString(), QString());
    QVERIFY(preview);
    QVERIFY(preview->saveCsvAction());
    const QString path = m_out.filePath(QStringLiteral("list.csv"));
    QVERIFY(preview->saveCsv(path));
    const QByteArray bytes = ReadFile(path);
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    const QVector<QStringList> table = ParseCsv(QString::fromUtf8(bytes.mid(3)));
    QCOMPARE(table.size(), 2);
    QCOMPARE(table[0].size(), 13);
    QCOMPARE(table[0].first(), ReportsText::RowCaption());
    QCOMPARE(table[0].last(), ScoringKey::Subscales().last().listCaption);
    QCOMPARE(table[1][0], QStringLiteral("1"));
    const int bar = int(cells.lastIndexOf(u'|'));
    QCOMPARE(table[1][1], cells.left(bar));
    QCOMPARE(table[1][3], cells.mid(bar + 1));
    QCOMPARE(table[1][2], QStringLiteral("E"));
    QCOMPARE(table[1][6], u("دیپلم، ریاضی"));
    // On paper a cell keeps to its column: a long code is cut short with an ellipsis.
    const QString pdf = m_out.filePath(QStringLiteral("list.pdf"));
    QVERIFY(preview->savePdf(pdf));
    QCOMPARE(PdfPages(pdf), 1);
    QCOMPARE(PdfText(pdf).contains(QString(40, u'ک')), false);
}

void TestReports::failedSaveIsReported()
{
    QVERIFY(SeedSubjects(2));
    Cursor all(QStringLiteral("IDE"));
    QVERIFY(all.open());
    ReportPreview *preview = PrintAllSubjects(nullptr, &all, QString(), QString());
    QVERIFY(preview);
    const QString path = m_out.filePath(QStringLiteral("no-such-folder/list.pdf"));
    SeenBox pdfBox;
    SeenBox csvBox;
    AnswerNextBox(QMessageBox::Ok, &pdfBox);
    QVERIFY(!preview->savePdf(path));
    AnswerNextBox(QMessageBox::Ok, &csvBox);
    QVERIFY(!preview->saveCsv(m_out.filePath(QStringLiteral("no-such-folder/list.csv"))));
    QVERIFY2(!csvBox.text.isEmpty(), "no box said the CSV was not saved");
    QVERIFY(pdfBox.text.startsWith(ReportsText::SaveFailed()));
    QVERIFY(pdfBox.text.contains(QDir::toNativeSeparators(path)));
    QVERIFY(!QFileInfo::exists(path));
}

void TestReports::lockedFileIsReported_data()
{
    QTest::addColumn<Print>("print");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Grid>("grid");
    QTest::newRow("result sheet") << Sheet << u("S1") << Grid::Whole;
    QTest::newRow("list of all subjects") << AllSubjects << QString() << Grid::Whole;
    QTest::newRow("list of a group") << ByGroup << u("B") << Grid::FilteredBefore;
    QTest::newRow("group summary") << Summary << QString() << Grid::Whole;
    QTest::newRow("list of a group whose filter failed")
        << ByGroup << u("B") << Grid::FilterFailedUnderTheLock;
}

// Another program writing the file past the busy timeout: a message that says the rows could not
// be read because the file is busy, never a list that lacks them.
void TestReports::lockedFileIsReported()
{
    QFETCH(Print, print);
    QFETCH(QString, text);
    QFETCH(Grid, grid);
    QVERIFY(SeedSubjects(30));
    Cursor subjects(QStringLiteral("IDE"));
    QVERIFY(subjects.open());
    if (grid == Grid::FilteredBefore)
        QVERIFY(subjects.filter(QStringLiteral("Group"), QStringLiteral("B")));

    ReportPreview *preview = nullptr;
    QList<SeenBox> shown;
    {
        OtherProgram other(m_gui.databasePath());
        QVERIFY(SetBusyTimeout(50));
        QVERIFY(other.holdExclusiveLock());
        // The grid's filter fails under the lock and leaves the grid empty; the print must not
        // pass that emptiness off as the group's list.
        if (grid == Grid::FilterFailedUnderTheLock)
            QVERIFY(!subjects.filter(QStringLiteral("Group"), QStringLiteral("B")));
        const BoxAnswerer answerer(QMessageBox::Ok);
        preview = print(&subjects, text);
        shown = answerer.seen();
    }
    QVERIFY(!preview);
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.first().text.startsWith(ReportsText::ReadFailed() + u'\n'),
             qPrintable(shown.first().text));
    const QSqlError locked(QString(), QStringLiteral("database is locked"),
                           QSqlError::StatementError, QStringLiteral("5"));
    QVERIFY2(shown.first().text.endsWith(ReadFailure(locked).description()),
             qPrintable(shown.first().text));
}

// On a laptop's screen (run at 100 % and 125 %) the preview is whole, its title bar on screen,
// and its save buttons are on its tool bar, not folded away.
void TestReports::previewFitsTheScreen()
{
    QVERIFY(SeedSubjects(3));
    Cursor all(QStringLiteral("IDE"));
    QVERIFY(all.open());
    ReportPreview *preview = PrintAllSubjects(nullptr, &all, QString(), QString());
    QVERIFY(preview);
    QVERIFY(QTest::qWaitForWindowExposed(preview));
    QCOMPARE(Misfit(preview), QString());
    QToolBar *bar = preview->findChild<QToolBar *>();
    QVERIFY(bar);
    for (QAction *action : {preview->savePdfAction(), preview->saveCsvAction()}) {
        QWidget *button = bar->widgetForAction(action);
        QVERIFY(button && button->isVisible());
        QVERIFY(bar->rect().contains(button->geometry()));
    }
}

// The scoring window's two print buttons, as the program connects them.
void TestReports::scoringWindowButtons()
{
    QVERIFY(SeedSubjects(3));
    QVERIFY(StoreSetting(QStringLiteral("Name"), u("مرکز نور")));
    QVERIFY(StoreSetting(QStringLiteral("Adress"), u("قم، بلوار امین")));
    auto *window = new FrmkLID;
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    std::unique_ptr<FrmkLID> owned(window);
    ConnectReportButtons(window);
    window->show();

    auto previews = [] { return VisibleWindows<ReportPreview>(); };
    // The list first: it reads the scores stored after the window opened, S1's included.
    DialogHooks::PresetAnswer(QStringLiteral("S1"));
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    QCOMPARE(window->scoredCode(), QStringLiteral("S1"));
    {
        Cursor ide(QStringLiteral("IDE"));
        QVERIFY(ide.open() && ide.filter(QStringLiteral("Code"), QStringLiteral("S1")) &&
                ide.setField(QStringLiteral("Kol"), QStringLiteral("999")) && ide.save());
    }
    DialogHooks::TakeShown();
    QTest::mouseClick(window->Command3, Qt::LeftButton);
    QCOMPARE(previews().size(), 1);
    const ReportLayout &list = previews().first()->report();
    QCOMPARE(Codes(list),
             (QStringList{QStringLiteral("S0"), QStringLiteral("S1"), QStringLiteral("S2")}));
    QCOMPARE(list.value(1, QStringLiteral("Kol")), QStringLiteral("999"));
    QCOMPARE(list.caption(QStringLiteral("Section4"), QStringLiteral("Label9")), u("مرکز نور"));
    previews().first()->close();

    // The sheet shows what the window shows under the same captions.
    DialogHooks::PresetAnswer(QStringLiteral("S2"));
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    QTest::mouseClick(window->Command6, Qt::LeftButton);
    QCOMPARE(previews().size(), 1);
    const ReportLayout &sheet = previews().first()->report();
    const std::pair<QString, QLineEdit *> shownBoxes[] = {
        {QStringLiteral("Label15"), window->Text15}, {QStringLiteral("Label19"), window->Text6},
        {QStringLiteral("Label23"), window->Text2},  {QStringLiteral("Label24"), window->Text17},
        {QStringLiteral("Label25"), window->Text4},  {QStringLiteral("Label26"), window->Text18},
        {QStringLiteral("Label27"), window->Text14}, {QStringLiteral("Label28"), window->Txt6}};
    for (const auto &box : shownBoxes)
        QCOMPARE(sheet.caption(Detail, box.first), box.second->text());
    QCOMPARE(sheet.caption(Detail, QStringLiteral("Label29")), u("قم، بلوار امین"));
    QCOMPARE(window->scoredCode(), QString());
    DialogHooks::TakeShown();
    // A second print without a new scoring: the notice, and no second sheet.
    QTest::mouseClick(window->Command6, Qt::LeftButton);
    QCOMPARE(ShownTexts(), QStringList{ReportsText::ScoreFirst()});
    QCOMPARE(previews().size(), 1);
}

// The browser's print by group and group summary, as the program connects them.
void TestReports::browserButtons()
{
    for (const QString &code :
         {QStringLiteral("A1"), QStringLiteral("B1"), QStringLiteral("B2"), QStringLiteral("C1")})
        QVERIFY(AddSubject({{QStringLiteral("Code"), code},
                            {QStringLiteral("Group"), code.left(1)},
                            {QStringLiteral("Kol"), QStringLiteral("120")},
                            {QStringLiteral("BPosetive"), QStringLiteral("50")},
                            {QStringLiteral("Conterlo"), QStringLiteral("20")},
                            {QStringLiteral("Etminan"), QStringLiteral("20")},
                            {QStringLiteral("neyaz"), QStringLiteral("15")},
                            {QStringLiteral("self"), QStringLiteral("15")}}));
    QVERIFY(StoreSetting(QStringLiteral("Name"), u("مرکز نور")));
    QVERIFY(StoreSetting(QStringLiteral("Adress"), u("کرج")));
    auto *window = new FrmCode;
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    std::unique_ptr<FrmCode> owned(window);
    ConnectReportButtons(window);
    window->show();

    // No group chosen: the notice, and no list.
    DialogHooks::TakeShown();
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    QCOMPARE(ShownTexts(), QStringList{ReportsText::ChooseGroup()});
    QVERIFY(!LastPreview());

    window->Combo3->setCurrentText(QStringLiteral("B"));
    window->filterByGroup(QStringLiteral("B"));
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    QVERIFY(LastPreview());
    QCOMPARE(Codes(LastPreview()->report()),
             (QStringList{QStringLiteral("B1"), QStringLiteral("B2")}));
    QCOMPARE(LastPreview()->report().caption(QStringLiteral("Section4"), QStringLiteral("Label9")),
             u("مرکز نور"));
    QCOMPARE(LastPreview()->report().caption(QStringLiteral("Section5"), QStringLiteral("Label14")),
             u("کرج"));
    LastPreview()->close();

    // After a deletion the grid lists everyone again while the selector keeps "B".
    QVERIFY(window->subjects()->reread());
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    QVERIFY(LastPreview());
    QCOMPARE(Codes(LastPreview()->report()),
             (QStringList{QStringLiteral("A1"), QStringLiteral("B1"), QStringLiteral("B2"),
                          QStringLiteral("C1")}));
    LastPreview()->close();

    QTest::mouseClick(window->Command7, Qt::LeftButton);
    QVERIFY(LastPreview());
    QCOMPARE(LastPreview()->report().caption(QStringLiteral("Section4"), QStringLiteral("Label4")),
             ReportsText::GroupLine().arg(QStringLiteral("B")));
    QCOMPARE(LastPreview()->report().table().at(6).mid(1, 2),
             (QStringList{QStringLiteral("2"), QStringLiteral("120.00")}));
}

void TestReports::groupSummary_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QStringList>(
        "first"); // BPosetive: scale, n, mean, sd, lowest, highest, unscored
    QTest::addColumn<QStringList>("total");
    QTest::addColumn<QString>("message");

    const QString bpositive = ScoringKey::Subscales().first().listCaption;
    QTest::newRow("three scored, one not") << QStringLiteral("B")
                                           << QStringList{bpositive,
                                                          QStringLiteral("3"),
                                                          QStringLiteral("60.00"),
                                                          QStringLiteral("10.00"),
                                                          QStringLiteral("50"),
                                                          QStringLiteral("70"),
                                                          QStringLiteral("1")}
                                           << QStringList{u("کل"),
                                                          QStringLiteral("3"),
                                                          QStringLiteral("113.33"),
                                                          QStringLiteral("15.28"),
                                                          QStringLiteral("100"),
                                                          QStringLiteral("130"),
                                                          QStringLiteral("1")}
                                           << QString();
    QTest::newRow("a group of one") << QStringLiteral("C")
                                    << QStringList{bpositive,
                                                   QStringLiteral("1"),
                                                   QStringLiteral("45.00"),
                                                   u("—"),
                                                   QStringLiteral("45"),
                                                   QStringLiteral("45"),
                                                   QStringLiteral("0")}
                                    << QStringList{u("کل"),
                                                   QStringLiteral("1"),
                                                   QStringLiteral("90.00"),
                                                   u("—"),
                                                   QStringLiteral("90"),
                                                   QStringLiteral("90"),
                                                   QStringLiteral("0")}
                                    << QString();
    QTest::newRow("every subject") << QString()
                                   << QStringList{bpositive,
                                                  QStringLiteral("5"),
                                                  QStringLiteral("55.00"),
                                                  QStringLiteral("10.00"),
                                                  QStringLiteral("45"),
                                                  QStringLiteral("70"),
                                                  QStringLiteral("2")}
                                   << QStringList{u("کل"),
                                                  QStringLiteral("5"),
                                                  QStringLiteral("106.00"),
                                                  QStringLiteral("15.17"),
                                                  QStringLiteral("90"),
                                                  QStringLiteral("130"),
                                                  QStringLiteral("2")}
                                   << QString();
    QTest::newRow("an apostrophe, matched exactly") << QStringLiteral("B'x")
                                                    << QStringList{bpositive,
                                                                   QStringLiteral("1"),
                                                                   QStringLiteral("50.00"),
                                                                   u("—"),
                                                                   QStringLiteral("50"),
                                                                   QStringLiteral("50"),
                                                                   QStringLiteral("0")}
                                                    << QStringList{u("کل"),
                                                                   QStringLiteral("1"),
                                                                   QStringLiteral("100.00"),
                                                                   u("—"),
                                                                   QStringLiteral("100"),
                                                                   QStringLiteral("100"),
                                                                   QStringLiteral("0")}
                                                    << QString();
    QTest::newRow("nobody scored") << QStringLiteral("D") << QStringList() << QStringList()
                                   << ReportsText::NoneScoredInGroup().arg(QStringLiteral("D"));
    QTest::newRow("nobody at all") << QStringLiteral("G") << QStringList() << QStringList()
                                   << ReportsText::NoneScoredInGroup().arg(QStringLiteral("G"));
}

void TestReports::groupSummary()
{
    QFETCH(QString, group);
    QFETCH(QStringList, first);
    QFETCH(QStringList, total);
    QFETCH(QString, message);

    // Group, BPosetive, Kol; the other subscales follow BPosetive (not summarised here).
    const QStringList subjects[] = {
        {QStringLiteral("B"), QStringLiteral("50"), QStringLiteral("100")},
        {QStringLiteral("B"), QStringLiteral("60"), QStringLiteral("110")},
        {QStringLiteral("B"), QStringLiteral("70"), QStringLiteral("130")},
        {QStringLiteral("B"), QString(), QString()},
        {QStringLiteral("C"), QStringLiteral("45"), QStringLiteral("90")},
        {QStringLiteral("D"), QString(), QString()},
        {QStringLiteral("B'x"), QStringLiteral("50"), QStringLiteral("100")}};
    int n = 0;
    for (const QStringList &subject : subjects) {
        QHash<QString, QString> fields{{QStringLiteral("Code"), QStringLiteral("G%1").arg(++n)},
                                       {QStringLiteral("Group"), subject[0]}};
        if (!subject[1].isEmpty())
            for (const QString &field :
                 {QStringLiteral("BPosetive"), QStringLiteral("Conterlo"),
                  QStringLiteral("Etminan"), QStringLiteral("neyaz"), QStringLiteral("self")})
                fields.insert(field, subject[1]);
        fields.insert(QStringLiteral("Kol"), subject[2]);
        QVERIFY(AddSubject(fields));
    }
    // "every subject" counts the unscored of B and D; B'x is a group of its own.
    SeenBox shown;
    if (!message.isEmpty())
        AnswerNextBox(QMessageBox::Ok, &shown);
    ReportPreview *preview = PrintGroupSummary(nullptr, group, u("مرکز"), u("تبریز"));
    if (!message.isEmpty()) {
        QVERIFY(!preview);
        QCOMPARE(shown.text, message);
        QCOMPARE(ShownTexts(), QStringList{message}); // one box, and only one
        return;
    }
    QVERIFY(preview);
    const QVector<QStringList> table = preview->report().table();
    QCOMPARE(table.size(), 7);
    QCOMPARE(table[1], first);
    QCOMPARE(table[6], total);

    // The CSV holds the same figures, Persian captions and all.
    const QString path = m_out.filePath(QStringLiteral("summary.csv"));
    QVERIFY(preview->saveCsv(path));
    const QByteArray bytes = ReadFile(path);
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    QCOMPARE(ParseCsv(QString::fromUtf8(bytes.mid(3))), table);
    if (group == QStringLiteral("B")) {
        const QString pdf = m_out.filePath(QStringLiteral("summary.pdf"));
        QVERIFY(preview->savePdf(pdf));
        Keep(pdf, QStringLiteral("summary.pdf"));
        QVERIFY(HasWords(PdfText(pdf), ReportsText::SummaryTitle()));
    }
}

bool AddScoredSubjects(const QStringList &codes)
{
    for (const QString &code : codes)
        if (!AddSubject({{QStringLiteral("Code"), code},
                         {QStringLiteral("Group"), QStringLiteral("B")},
                         {QStringLiteral("BPosetive"), QStringLiteral("50")},
                         {QStringLiteral("Conterlo"), QStringLiteral("20")},
                         {QStringLiteral("Etminan"), QStringLiteral("20")},
                         {QStringLiteral("neyaz"), QStringLiteral("15")},
                         {QStringLiteral("self"), QStringLiteral("15")},
                         {QStringLiteral("Kol"), QStringLiteral("120")}}))
            return false;
    return true;
}

void TestReports::savedFiles_data()
{
    QTest::addColumn<Open>("open");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("what"); // made safe for a file name
    QTest::addColumn<QString>("title");

    QTest::newRow("result sheet, a code with / and :")
        << OpenSheet << ReportsText::SheetFileName() << QStringLiteral("a_b_c")
        << ReportsText::SheetTitle();
    QTest::newRow("list of all") << OpenList << ReportsText::ListFileName() << u("همه")
                                 << ReportsText::ListTitle().trimmed();
    QTest::newRow("list of a group") << OpenGroupList << ReportsText::ListFileName() << u("گروه B")
                                     << ReportsText::ListTitle().trimmed();
    QTest::newRow("summary of a group") << OpenSummary << ReportsText::SummaryFileName()
                                        << u("گروه B") << ReportsText::SummaryTitle();
}

// The name a save offers says what the report is and when, and its PDF is described as the
// report, for the archive.
void TestReports::savedFiles()
{
    QFETCH(Open, open);
    QFETCH(QString, kind);
    QFETCH(QString, what);
    QFETCH(QString, title);
    QVERIFY(AddScoredSubjects({QStringLiteral("a/b:c"), QStringLiteral("x")}));
    Cursor subjects(QStringLiteral("IDE"));
    QVERIFY(subjects.open());
    ReportPreview *preview = open(nullptr, &subjects);
    QVERIFY(preview);
    const QString today = SolarHijriDateText(QDate::currentDate(), 0).replace(u'/', u'-');
    QCOMPARE(preview->report().documentInfo().fileName,
             kind + QStringLiteral(" - ") + what + QStringLiteral(" - ") + today);

    const QString pdf = m_out.filePath(QStringLiteral("saved.pdf"));
    QVERIFY(preview->savePdf(pdf));
    const QString info = PdfInfo(pdf);
    QVERIFY2(info.contains(QStringLiteral("Title:           ") + title + u'\n'), qPrintable(info));
    QVERIFY2(info.contains(u("Author:          مرکز نور\n")), qPrintable(info));
    QVERIFY2(info.contains(QStringLiteral("Creator:         Korvat\n")), qPrintable(info));
    const QString xmp = PdfInfo(pdf, true);
    QVERIFY2(xmp.contains(QStringLiteral("pdfaid:part=\"1\"")) &&
                 xmp.contains(u("<rdf:li>مرکز نور</rdf:li>")),
             qPrintable(xmp));
    QVERIFY(PdfText(pdf).size() > 0); // still a PDF a reader takes, after the author went in
}

void TestReports::previewKeyboardAndLife_data()
{
    QTest::addColumn<Open>("open");
    QTest::addColumn<QString>("afterSaves"); // where Tab goes after the PDF's save button
    QTest::newRow("result sheet") << OpenSheet << QStringLiteral("pageNumber");
    QTest::newRow("results list") << OpenList << QStringLiteral("saveCsvButton");
    QTest::newRow("group summary") << OpenSummary << QStringLiteral("saveCsvButton");
}

// Every preview prints and saves from the keyboard, and stays when the window that opened it
// closes, until the user closes it.
void TestReports::previewKeyboardAndLife()
{
    QFETCH(Open, open);
    QFETCH(QString, afterSaves);
    QVERIFY(AddScoredSubjects({QStringLiteral("a/b:c")}));
    Cursor subjects(QStringLiteral("IDE"));
    QVERIFY(subjects.open());
    auto *owner = new QWidget;
    owner->show();
    QPointer<ReportPreview> preview = open(owner, &subjects);
    QVERIFY(preview);
    QVERIFY(QTest::qWaitForWindowExposed(preview));
    preview->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(preview));

    // Tab from the print button through page setup and the saves.
    QCOMPARE(ReachedByTab(4),
             (QStringList{QStringLiteral("printButton"), QStringLiteral("pageSetupButton"),
                          QStringLiteral("savePdfButton"), afterSaves}));
    // Enter on the focused save button, and Ctrl+S anywhere, offer to save the PDF under the
    // report's own name.
    for (const bool shortcut : {false, true}) {
        DialogHooks::TakeShown();
        DialogHooks::PresetAnswer(QString()); // the user cancels the file box
        if (shortcut) {
            preview->findChild<QWidget *>(QStringLiteral("pageNumber"))->setFocus();
            QTest::keyClick(preview, Qt::Key_S, Qt::ControlModifier);
        } else {
            QWidget *button = preview->toolBar()->widgetForAction(preview->savePdfAction());
            button->setFocus();
            QTest::keyClick(button, Qt::Key_Return);
        }
        const QList<DialogHooks::Shown> asked = DialogHooks::TakeShown();
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked.first().title, ReportsText::SavePdf());
        QVERIFY2(asked.first().text.endsWith(u'/' + preview->report().documentInfo().fileName +
                                             QStringLiteral(".pdf")),
                 qPrintable(asked.first().text));
    }
    QCOMPARE(preview->printAction()->shortcut(), QKeySequence(QKeySequence::Print));

    // The window that opened it goes; the preview stays.
    delete owner;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(preview && preview->isVisible());
    // Escape closes it, and it is deleted.
    QTest::keyClick(preview, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!preview);
}

void TestReports::longListCancelled_data()
{
    QTest::addColumn<bool>("saving"); // cancelled while saving the PDF, else while reading
    QTest::newRow("reading the rows") << false;
    QTest::newRow("drawing the PDF") << true;
}

// A long list shows its progress and can be cancelled: no preview, no file, no message; and the
// window's cursor keeps no more rows than it had.
void TestReports::longListCancelled()
{
    QFETCH(bool, saving);
    // Enough rows that reading them takes a few turns of the event loop.
    QVERIFY(SeedSubjects(saving ? 3000 : 20000));
    Cursor all(QStringLiteral("IDE"));
    QVERIFY(all.open());
    const int held = all.model()->rowCount();
    ReportProgress::SetShowAfter(0);
    bool cancelled = false;
    auto cancel = [&cancelled](QWidget *box) {
        if (auto *progress = qobject_cast<QProgressDialog *>(box)) {
            progress->cancel();
            cancelled = true;
        }
    };
    if (!saving)
        AnswerNextModal(cancel);
    ReportPreview *preview = PrintAllSubjects(nullptr, &all, QString(), QString());
    ReportProgress::SetShowAfter(saving ? 0 : -1);
    if (!saving) {
        QVERIFY(cancelled);
        QVERIFY(!preview);
        QCOMPARE(ShownTexts(), QStringList());
        return;
    }
    QVERIFY(preview);
    QCOMPARE(preview->report().rowCount(), 3000);
    QCOMPARE(all.model()->rowCount(), held);
    const QString pdf = m_out.filePath(QStringLiteral("cancelled.pdf"));
    AnswerNextModal(cancel);
    QVERIFY(!preview->savePdf(pdf));
    ReportProgress::SetShowAfter(-1);
    QVERIFY(cancelled);
    QVERIFY(!QFileInfo::exists(pdf));
    QCOMPARE(ShownTexts(), QStringList());
}

QTEST_MAIN(TestReports)
#include "test_reports.moc"
