// The questionnaire introduction and the About window.
#include "GuiTest.h"
#include "ModalAnswer.h"
#include "Seed.h"
#include "Text.h"
#include "Windows.h"
#include "app/Frm1.h"
#include "common/ProgramEnd.h"
#include "common/ProgramLook.h"
#include "common/Skin.h"
#include "data/Cursor.h"
#include "info/About.h"
#include "info/Frmravansanji.h"
#include "registration/RegistrationPanel.h"
#include "scoring/ScoringKey.h"

#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include <cstdio>
#include <functional>

namespace {

// An About window on screen, its timers stopped so that a test steps them itself.
About *openAbout()
{
    auto *about = new About;
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->show();
    for (QTimer *timer : {about->Timer1, about->Timer10, about->Timer3})
        timer->stop();
    return about;
}

QList<QLabel *> creditLabels(const About *about)
{
    return {about->Label1, about->Label2, about->Label3, about->Label4};
}

// The colour a label's text is drawn in now.
QColor textColour(QLabel *label)
{
    label->ensurePolished();
    return label->palette().color(label->foregroundRole());
}

// The numbers a text names, in order, in Persian or Latin digits.
QList<int> numbersIn(const QString &text)
{
    QList<int> numbers;
    int value = -1;
    for (const QChar c : text + u' ') {
        const int digit = c.digitValue();
        if (digit >= 0) {
            value = (value < 0 ? 0 : value * 10) + digit;
        } else if (value >= 0) {
            numbers << value;
            value = -1;
        }
    }
    return numbers;
}

// Run as a child process: opens About twice, three colour changes each time, and prints the
// colours Label3 showed.
int printLabel3Colours(int argc, char **argv)
{
    QApplication app(argc, argv);
    ApplyProgramLook(app);
    for (int opening = 0; opening < 2; ++opening) {
        About *about = openAbout();
        for (int tick = 0; tick < 3; ++tick) {
            about->changeColours();
            const QColor colour = textColour(about->Label3);
            std::printf("%d,%d,%d\n", colour.red(), colour.green(), colour.blue());
        }
        about->close();
    }
    return 0;
}

// How the user leaves a window shown modally.
using Leave = std::function<void(QWidget *)>;
Leave key(Qt::Key key)
{
    return [key](QWidget *window) {
        QTest::keyClick(window->focusWidget() ? window->focusWidget() : window, key);
    };
}

using MakeWindow = std::function<QWidget *()>;
} // namespace

class TestInfo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_gui.beginRun()); }
    void init() { QCOMPARE(m_gui.begin(), QString()); }
    void cleanup() { m_gui.end(); }

    void creditsScrollInTurn_data();
    void creditsScrollInTurn();
    void reopeningStartsAfreshButLabel1sColoursGoOn();
    void label1TakesTheConsoleColoursInTurn_data();
    void label1TakesTheConsoleColoursInTurn();
    void label3ColoursAreTheSameInEveryRun();
    void sentenceAssemblesIntoPlainWords();

    void introductionShowsItsTexts_data();
    void introductionShowsItsTexts();
    void introductionSaysWhatTheScaleIs();
    void openedFromTheMainWindow_data();
    void openedFromTheMainWindow();
    void windowsFitTheScreen_data();
    void windowsFitTheScreen();

private:
    GuiTest m_gui;
};

void TestInfo::creditsScrollInTurn_data()
{
    QTest::addColumn<int>("recycled"); // the how-manieth line to go back to the bottom
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("indexAfter");
    QTest::newRow("the first brings the e-mail line") << 1 << u("Label1") << 4 << 5;
    QTest::newRow("the fourth brings empty slot 7") << 4 << u("Label4") << 7 << 8;
    QTest::newRow("the fifth brings slot 8 and the index starts again")
        << 5 << u("Label1") << 8 << 0;
    QTest::newRow("after the reset: slot 0") << 6 << u("Label2") << 0 << 1;
    QTest::newRow("the second round brings slot 4 again") << 10 << u("Label2") << 4 << 5;
}

void TestInfo::creditsScrollInTurn()
{
    QFETCH(int, recycled);
    QFETCH(QString, label);
    QFETCH(int, slot);
    QFETCH(int, indexAfter);
    About *about = openAbout();
    const QList<QLabel *> labels = creditLabels(about);
    int seen = 0;
    for (int tick = 0; tick < 5000 && seen < recycled; ++tick) {
        QList<int> before;
        for (QLabel *line : labels)
            before << about->topOf(line);
        about->scrollCredits();
        int back = 0;
        for (int i = 0; i < labels.size(); ++i) {
            const int now = about->topOf(labels[i]);
            if (now == before[i] - 15)
                continue;
            // Gone back: to 1500 twips above the outer height, then up one step with the rest.
            QVERIFY2(before[i] <= 1000, qPrintable(labels[i]->objectName()));
            QCOMPARE(now, about->outerHeight() - 1500 - 15);
            ++back;
            if (++seen == recycled) {
                QCOMPARE(labels[i]->objectName(), label);
                QCOMPARE(labels[i]->text(), about->CreditLines.at(slot));
                QCOMPARE(int(about->CreditIndex), indexAfter);
            }
        }
        QVERIFY(back <= 1); // one line per tick at most
    }
    QCOMPARE(seen, recycled);
}

void TestInfo::reopeningStartsAfreshButLabel1sColoursGoOn()
{
    About *about = new About;
    about->show();
    QCOMPARE(about->windowTitle(), QStringLiteral("about"));
    QCOMPARE(about->Command1->text(), u("خروج"));
    // Every animation runs from the opening on.
    QCOMPARE(about->Timer1->interval(), 700);
    QCOMPARE(about->Timer10->interval(), 55);
    QCOMPARE(about->Timer3->interval(), 1);
    for (QTimer *timer : {about->Timer1, about->Timer10, about->Timer3}) {
        QVERIFY(timer->isActive());
        timer->stop();
    }
    QList<int> tops;
    for (QLabel *line : creditLabels(about))
        tops << about->topOf(line);
    const QString stored = about->Text1->text();

    for (int tick = 0; tick < 120; ++tick)
        about->scrollCredits();
    for (int tick = 0; tick < 40; ++tick)
        about->assembleSentence();
    for (int tick = 0; tick < 3; ++tick)
        about->changeColours();
    const int step = About::ColorStep;
    QVERIFY(about->Text1->text() != stored);
    QTest::mouseClick(about->Command1, Qt::LeftButton);
    QVERIFY(!about->isVisible());
    delete about;

    about = openAbout();
    const QStringList lines = about->CreditLines;
    QCOMPARE(lines.size(), 11);
    QCOMPARE(lines.at(0), u("نام نرم افزار:"));
    QCOMPARE(lines.at(1), u(" نرم افزار مقياس مهارتهاي اجتماعي کورات"));
    QVERIFY(lines.at(2).startsWith(u("برنامه نويس: ")));
    QVERIFY(lines.at(3).startsWith(u("تلفن : ")) && lines.at(3).endsWith(u' '));
    QVERIFY(lines.at(4).startsWith(u(" ايميل : ")) && lines.at(4).endsWith(QStringLiteral("  ")));
    QVERIFY(lines.at(5).startsWith(u(" وب سايت : ")));
    QVERIFY(lines.at(6).startsWith(u("فروشگاه : ")));
    for (int slot = 7; slot <= 10; ++slot)
        QVERIFY(lines.at(slot).isEmpty());
    QList<int> topsAgain;
    QStringList shown;
    for (QLabel *line : creditLabels(about)) {
        topsAgain << about->topOf(line);
        shown << line->text();
    }
    QCOMPARE(topsAgain, tops);
    QCOMPARE(shown, lines.mid(0, 4));
    QCOMPARE(int(about->CreditIndex), 4);
    QCOMPARE(about->Text1->text(), stored);
    QCOMPARE(about->FindText, QStringLiteral(" "));
    QCOMPARE(about->ReplaceText, QString());
    // The colour cycle goes on where it stopped.
    QCOMPARE(int(About::ColorStep), step);
    about->changeColours();
    QCOMPARE(textColour(about->Label1), About::ConsoleColour(step > 15 ? 0 : step));
}

void TestInfo::label1TakesTheConsoleColoursInTurn_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<QList<QColor>>("colours");
    const QColor black(0, 0, 0);
    const QColor green(0, 128, 0);
    const QColor red(128, 0, 0);
    QTest::newRow("black, green, red") << 0 << QList<QColor>{black, green, red};
    QTest::newRow("brown-yellow, grey, light green")
        << 6 << QList<QColor>{{128, 128, 0}, {128, 128, 128}, {0, 255, 0}};
    QTest::newRow("light red, yellow, then black again")
        << 12 << QList<QColor>{{255, 0, 0}, {255, 255, 0}, black};
    QTest::newRow("15 is still a colour") << 15 << QList<QColor>{{255, 255, 255}, black, green};
    QTest::newRow("past 15 starts at black") << 16 << QList<QColor>{black, green, red};
}

void TestInfo::label1TakesTheConsoleColoursInTurn()
{
    QFETCH(int, step);
    QFETCH(QList<QColor>, colours);
    About *about = openAbout();
    About::ColorStep = qint16(step);
    QList<QColor> shown;
    for (int tick = 0; tick < colours.size(); ++tick) {
        about->changeColours();
        shown << textColour(about->Label1);
    }
    QCOMPARE(shown, colours);
}

void TestInfo::label3ColoursAreTheSameInEveryRun()
{
    QStringList runs;
    for (int run = 0; run < 2; ++run) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--label3-colours")});
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitCode(), 0);
        runs << QString::fromLatin1(child.readAllStandardOutput());
    }
    QCOMPARE(runs.at(1), runs.at(0));
    const QStringList colours = runs.at(0).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(colours.size(), 6);
    // std::minstd_rand with its default seed: the first numbers are fixed by the C++ standard.
    QCOMPARE(colours.at(0), QStringLiteral("0,22,153"));
    QCOMPARE(colours.at(1), QStringLiteral("227,247,48"));
    // Opening the window again goes on with the sequence; it does not start it over.
    QCOMPARE(colours.at(3), QStringLiteral("190,23,143"));
}

void TestInfo::sentenceAssemblesIntoPlainWords()
{
    const QString plain = QStringLiteral("Korvat was designed and written by Dara Farzin");
    QString joined = plain;
    joined.replace(u' ', u'.');

    auto *about = new About;
    about->Timer1->stop();
    about->Timer10->stop();
    // Timer3 stays on, but without an event loop it never fires: the test ticks for it.
    const QString stored = about->Text1->text();
    // Its letters stand 5 to 20 blanks apart, a point in place of each space.
    const QStringList letters = stored.split(u' ', Qt::SkipEmptyParts);
    QCOMPARE(letters.join(QString()), joined);
    static const QRegularExpression gap(QStringLiteral("[^ ]( +)(?=[^ ])"));
    int blanks = 0;
    for (auto match = gap.globalMatch(stored); match.hasNext();) {
        const int run = int(match.next().capturedLength(1));
        QVERIFY2(run >= 5 && run <= 20, qPrintable(QString::number(run)));
        blanks += run;
    }
    QCOMPARE(blanks, int(stored.count(u' ')));

    int ticks = 0;
    bool sawJoined = false;
    while (about->Timer3->isActive() && ticks < 20000) {
        about->assembleSentence();
        ++ticks;
        sawJoined = sawJoined || about->Text1->text() == joined;
    }
    QVERIFY(sawJoined); // first the letters close up into words joined by points
    QCOMPARE(about->Text1->text(), plain);
    // One blank, then one point, per tick, and one tick at each of the two turns.
    QCOMPARE(ticks, blanks + int(plain.count(u' ')) + 2);
    about->assembleSentence();
    QCOMPARE(about->Text1->text(), plain);
    delete about;
}

void TestInfo::introductionShowsItsTexts_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("skinFile");
    QTest::newRow("light theme 1") << u("1") << u("chizh.skn");
    QTest::newRow("dark theme 3, with blanks") << u(" 3 ") << u("galaxy.skn");
    QTest::newRow("0: no skin") << u("0") << QString();
    QTest::newRow("not a number: no skin") << u("abc") << QString();
}

void TestInfo::introductionShowsItsTexts()
{
    QFETCH(QString, stored);
    QFETCH(QString, skinFile);
    QVERIFY(StoreSetting(QStringLiteral("TH"), stored));
    auto *window = new Frmravansanji;
    window->setAttribute(Qt::WA_DeleteOnClose);
    QVERIFY(ShowOnScreen(window));
    QCOMPARE(window->Skin1->loadedFile(), skinFile);
    QCOMPARE(window->styleSheet().isEmpty(), skinFile.isEmpty());
    QCOMPARE(window->windowTitle(), u("معرفي پرسشنامه"));
    QCOMPARE(window->SkinLabel2->text(), u("راهنماي مقياس مهارتهاي اجتماعي کورات"));
    QVERIFY(window->SkinLabel4->text().startsWith(u("مقياس مهارتهاي اجتماعي کورات\n")));
    QVERIFY(
        window->SkinLabel5->text().startsWith(u("بررسي اعتبار و پايايي مقياس مهارتهاي اجتماعي\n")));
    QCOMPARE(window->Command1->text(), u("خروج"));

    // However small the window, the texts are whole: the page scrolls to the end of each.
    for (const QSize size : {window->size(), window->minimumSize()}) {
        window->resize(size);
        QCoreApplication::processEvents();
        for (SkinLabel *label : {window->SkinLabel2, window->SkinLabel4, window->SkinLabel5})
            QVERIFY(label->isVisible());
        QCOMPARE(Clipped(window), QStringList());
        QScrollBar *bar = window->Texts->verticalScrollBar();
        const int pageEnd = window->SkinLabel5->geometry().bottom();
        QVERIFY(bar->maximum() + window->Texts->viewport()->height() > pageEnd);
        QVERIFY(window->SkinLabel5->width() <= window->Texts->viewport()->width());
    }
    QVERIFY(window->Texts->verticalScrollBar()->maximum() > 0);
}

void TestInfo::introductionSaysWhatTheScaleIs()
{
    QList<int> direct;
    for (int statement = 1; statement <= ScoringKey::StatementCount; ++statement)
        if (ScoringKey::IsDirect(statement))
            direct << statement;
    QCOMPARE(direct.size(), 22);
    // Ages 4 to 18; 62 statements, then 56; answered from 1 (never) to 5 (always); the direct
    // statements; how the direct and the reversed ones are scored.
    const QList<int> description =
        QList<int>{4, 18, 62, 56, 1, 5} + direct + QList<int>{1, 5, 5, 1};
    QCOMPARE(numbersIn(Frmravansanji::DescriptionText()), description);
    // Both methods 86 %, the present study 81 %.
    QCOMPARE(numbersIn(Frmravansanji::ReliabilityText()), (QList<int>{86, 81}));
    for (const QString &text : {Frmravansanji::DescriptionText(), Frmravansanji::ReliabilityText()})
        QVERIFY(!text.contains(u'%')); // every place holder filled
    QVERIFY(Frmravansanji::DescriptionText().contains(u("«هرگز»")));
    QVERIFY(Frmravansanji::DescriptionText().contains(u("«هميشه»")));
}

void TestInfo::openedFromTheMainWindow_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("window");
    QTest::addColumn<bool>("panelStays");
    QTest::addColumn<Leave>("leave");
    const Leave exitButton = [](QWidget *window) {
        QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("Command1")),
                          Qt::LeftButton);
    };
    QTest::newRow("introduction over the registration, exit button")
        << u("Command11") << u("Frmravansanji") << true << exitButton;
    QTest::newRow("introduction, Enter")
        << u("Command11") << u("Frmravansanji") << true << key(Qt::Key_Return);
    QTest::newRow("introduction, Escape")
        << u("Command11") << u("Frmravansanji") << true << key(Qt::Key_Escape);
    QTest::newRow("About closes the panels, exit button")
        << u("Command12") << u("About") << false << exitButton;
    QTest::newRow("About, Escape") << u("Command12") << u("About") << false << key(Qt::Key_Escape);
}

void TestInfo::openedFromTheMainWindow()
{
    QFETCH(QString, button);
    QFETCH(QString, window);
    QFETCH(bool, panelStays);
    QFETCH(Leave, leave);
    Frm1 *main = Frm1::ShowNew();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    main->registration->open();
    main->registration->Text11->setText(QStringLiteral("K-7"));
    main->registration->Text6->setText(u("سارا"));
    const bool begun = main->Adodc2->hasUnsavedChanges();
    const QByteArray before = FileHash(m_gui.databasePath());

    QString shown;
    bool modal = false;
    bool panelWhileShown = false;
    AnswerNextModal([&](QWidget *box) {
        shown = box->objectName();
        modal = box->isModal();
        panelWhileShown = main->Frame10->isVisible();
        leave(box);
    });
    QTest::mouseClick(main->findChild<QPushButton *>(button), Qt::LeftButton);

    QCOMPARE(shown, window);
    QVERIFY(modal);
    QCOMPARE(panelWhileShown, panelStays);
    QCOMPARE(main->Frame10->isVisible(), panelStays);
    if (panelStays) {
        QCOMPARE(main->registration->Text11->text(), QStringLiteral("K-7"));
        QCOMPARE(main->registration->Text6->text(), u("سارا"));
        QCOMPARE(main->Adodc2->hasUnsavedChanges(), begun);
    }
    QVERIFY(VisibleWindows<Frmravansanji>().isEmpty());
    QVERIFY(VisibleWindows<About>().isEmpty());
    QCOMPARE(VisibleWindows<Frm1>(), QList<Frm1 *>{main});
    QCOMPARE(FileHash(m_gui.databasePath()), before);
}

void TestInfo::windowsFitTheScreen_data()
{
    QTest::addColumn<MakeWindow>("make");
    QTest::newRow("introduction") << MakeWindow([]() -> QWidget * { return new Frmravansanji; });
    QTest::newRow("About") << MakeWindow([]() -> QWidget * { return new About; });
}

void TestInfo::windowsFitTheScreen()
{
    QFETCH(MakeWindow, make);
    QWidget *shown = make();
    QVERIFY(ShowOnScreen(shown));
    QCOMPARE(Misfit(shown), QString());
    QCOMPARE(Clipped(shown), QStringList());
}

int main(int argc, char *argv[])
{
    if (argc > 1 && qstrcmp(argv[1], "--label3-colours") == 0)
        return printLabel3Colours(argc, argv);
    QApplication app(argc, argv);
    TestInfo test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_info.moc"
