// Skins and the stored-theme rule: which file a theme number loads, that Qt takes every skin's
// style sheet, and that a window keeps working whatever the skin file holds.
#include "TestProgramFolder.h"
#include "app/Frm1.h"
#include "common/ApplyStoredTheme.h"
#include "common/ProgramEnd.h"
#include "common/Skin.h"
#include "themes/SkinPalette.h"
#include "themes/ThemeCatalogue.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QSqlQuery>
#include <QStyleFactory>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtTest>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <thread>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {
QString skinText(const QString &file)
{
    QFile skin(QString::fromUtf8(KORVAT_SOURCE_DIR) + QStringLiteral("/resources/skins/") + file);
    return skin.open(QIODevice::ReadOnly) ? QString::fromUtf8(skin.readAll()) : QString();
}

QStringList styleSheetWarnings;

void collectStyleSheetWarnings(QtMsgType, const QMessageLogContext &, const QString &message)
{
    if (message.contains(QStringLiteral("stylesheet"), Qt::CaseInsensitive) ||
        message.contains(QStringLiteral("style sheet"), Qt::CaseInsensitive) ||
        message.contains(QStringLiteral("Unknown property")))
        styleSheetWarnings << message;
}

// Ends the test program when a step does not return in time: a skin file that blocks would
// otherwise hang the whole run.
class Watchdog
{
public:
    explicit Watchdog(int seconds)
        : m_thread([this, seconds] {
              std::unique_lock<std::mutex> lock(m_mutex);
              if (!m_woken.wait_for(lock, std::chrono::seconds(seconds),
                                    [this] { return m_done; })) {
                  std::fprintf(stderr, "The step did not return within %d s\n", seconds);
                  std::abort();
              }
          })
    {}
    ~Watchdog()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_done = true;
        }
        m_woken.notify_one();
        m_thread.join();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_woken;
    bool m_done = false;
    std::thread m_thread;
};

// A platform whose dialog buttons carry icons, as several Linux desktops do.
class IconButtonsStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *data) const override
    {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

// Lays down something at the skin file's path, where no file is now.
using Lay = std::function<bool(const QString &path)>;
Lay writes(const QByteArray &content)
{
    return [content](const QString &path) { return WriteFile(path, content); };
}
} // namespace

class TestAppearance : public QObject
{
    Q_OBJECT

private slots:
    void storedThemeChoosesTheSkin_data();
    void storedThemeChoosesTheSkin();
    void everyCatalogueSkinIsOurs();
    void qtTakesTheStyleSheet_data();
    void qtTakesTheStyleSheet();
    void dialogButtonsCarryNoIcons_data();
    void dialogButtonsCarryNoIcons();
    void badSkinFileLeavesAWorkingWindow_data();
    void badSkinFileLeavesAWorkingWindow();
};

void TestAppearance::storedThemeChoosesTheSkin_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("file");
    QTest::newRow("3") << QStringLiteral("3") << QStringLiteral("galaxy.skn");
    QTest::newRow("blanks around 3") << QStringLiteral(" 3 ") << QStringLiteral("galaxy.skn");
    QTest::newRow("1") << QStringLiteral("1") << QStringLiteral("chizh.skn");
    QTest::newRow("11") << QStringLiteral("11") << QStringLiteral("office2007.skn");
    QTest::newRow("3 and text after it") << QStringLiteral("3abc") << QStringLiteral("galaxy.skn");
    QTest::newRow("0") << QStringLiteral("0") << QString();
    QTest::newRow("12") << QStringLiteral("12") << QString();
    QTest::newRow("2.5") << QStringLiteral("2.5") << QString();
    QTest::newRow("-1") << QStringLiteral("-1") << QString();
    QTest::newRow("abc") << QStringLiteral("abc") << QString();
    QTest::newRow("empty") << QString() << QString();
}

void TestAppearance::storedThemeChoosesTheSkin()
{
    QFETCH(QString, stored);
    QFETCH(QString, file);
    TestProgramFolder folder;
    QCOMPARE(ThemeCatalogue::SkinFileFor(stored), file);

    QWidget window;
    window.setStyleSheet(QStringLiteral("QWidget { color: red; }")); // SkinWindow always runs
    Skin skin;
    ApplyStoredTheme(&skin, &window, stored);
    QCOMPARE(skin.loadedFile(), file);
    QCOMPARE(window.styleSheet(),
             file.isEmpty()
                 ? QString()
                 : SkinPalette::fromText(skinText(file)).styleSheet(Skin::styleTemplate()));
}

void TestAppearance::everyCatalogueSkinIsOurs()
{
    TestProgramFolder folder;
    const QStringList files = ThemeCatalogue::SkinFiles();
    QCOMPARE(files.size(), 11);
    QSet<QString> sheets;
    for (const QString &file : files) {
        Skin skin;
        QVERIFY2(skin.LoadSkinFile(file), qPrintable(file));
        QVERIFY(skin.styleSheet().contains(QStringLiteral("QPushButton")));
        sheets.insert(skin.styleSheet());
    }
    QCOMPARE(sheets.size(), 11); // eleven different looks
}

void TestAppearance::qtTakesTheStyleSheet_data()
{
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<bool>("taken");
    TestProgramFolder folder;
    for (const QString &file : ThemeCatalogue::SkinFiles()) {
        Skin skin;
        QVERIFY(skin.LoadSkinFile(file));
        QTest::newRow(qPrintable(file)) << skin.styleSheet() << true;
    }
    QTest::newRow("every value the plain look's")
        << SkinPalette::fromText(QStringLiteral("/* Korvat skin: Plain */"))
               .styleSheet(Skin::styleTemplate())
        << true;
    // Shows that a sheet Qt cannot read is caught.
    QTest::newRow("unclosed rule")
        << Skin::styleTemplate() + QStringLiteral("QLabel { color: red;") << false;
}

void TestAppearance::qtTakesTheStyleSheet()
{
    QFETCH(QString, sheet);
    QFETCH(bool, taken);
    // Every widget kind the template styles, each drawn once.
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *frame = new QGroupBox(QStringLiteral("12"), &window);
    new QRadioButton(QStringLiteral("1"), frame);
    layout->addWidget(frame);
    auto *table = new QTableWidget(30, 4, &window);
    table->setAlternatingRowColors(true);
    layout->addWidget(table);
    auto *list = new QListWidget(&window);
    list->addItems({QStringLiteral("A"), QStringLiteral("B")});
    layout->addWidget(list);
    auto *combo = new QComboBox(&window);
    combo->addItem(QStringLiteral("A"));
    layout->addWidget(combo);
    for (QWidget *widget : std::initializer_list<QWidget *>{
             new QPushButton(QStringLiteral("OK")), new QLineEdit, new QSpinBox,
             new QCheckBox(QStringLiteral("x")), new QProgressBar, new QScrollBar(Qt::Horizontal)})
        layout->addWidget(widget);
    auto *help = new QPushButton(QStringLiteral("?"), &window);
    help->setObjectName(QStringLiteral("Command13"));
    layout->addWidget(help);

    styleSheetWarnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collectStyleSheetWarnings);
    window.setStyleSheet(sheet);
    window.show();
    const bool exposed = QTest::qWaitForWindowExposed(&window);
    help->setFocus();
    window.grab();
    qInstallMessageHandler(previous);
    QVERIFY(exposed);
    QVERIFY2(styleSheetWarnings.isEmpty() == taken, qPrintable(styleSheetWarnings.join(u'\n')));
}

void TestAppearance::dialogButtonsCarryNoIcons_data()
{
    QTest::addColumn<QString>("skinFile");
    QTest::addColumn<bool>("icons");
    QTest::newRow("plain look: the platform's icons") << QString() << true;
    for (const QString &file : ThemeCatalogue::SkinFiles())
        QTest::newRow(qPrintable(file)) << file << false;
}

void TestAppearance::dialogButtonsCarryNoIcons()
{
    QFETCH(QString, skinFile);
    QFETCH(bool, icons);
    TestProgramFolder folder;
    const QString styleName = QApplication::style()->name();
    QApplication::setStyle(new IconButtonsStyle(QStyleFactory::create(styleName)));
    QWidget window;
    Skin skin;
    if (!skinFile.isEmpty())
        QVERIFY(skin.LoadSkinFile(skinFile));
    skin.SkinWindow(&window);
    QMessageBox box(QMessageBox::Question, QStringLiteral("Korvat"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No, &window);
    const bool yesIcon = !box.button(QMessageBox::Yes)->icon().isNull();
    const bool noIcon = !box.button(QMessageBox::No)->icon().isNull();
    QApplication::setStyle(QStyleFactory::create(styleName));
    QCOMPARE(yesIcon, icons);
    QCOMPARE(noIcon, icons);
}

void TestAppearance::badSkinFileLeavesAWorkingWindow_data()
{
    // What lies where the skin file should be; none: something only Unix has.
    QTest::addColumn<Lay>("lay");
    QTest::newRow("missing") << Lay([](const QString &) { return true; });
    QTest::newRow("empty") << writes(QByteArray());
    QTest::newRow("binary") << writes(QByteArray("\x00\xff\xfe\x01skin", 8));
    QTest::newRow("not ours") << writes("QWidget { background: black; color: black; }");
    QTest::newRow("bad UTF-8") << writes("/* Korvat skin: x */\n\xc3\x28");
    QByteArray big("/* Korvat skin: Big */\ntext: #111111\n");
    while (big.size() <= 64 * 1024)
        big += "/* a skin is a couple of kilobytes; this one is far more */\n";
    QTest::newRow("oversized") << writes(big);
    QTest::newRow("folder") << Lay([](const QString &path) { return QDir().mkdir(path); });
#ifdef Q_OS_UNIX
    QTest::newRow("named pipe") << Lay(
        [](const QString &path) { return mkfifo(QFile::encodeName(path).constData(), 0600) == 0; });
    QTest::newRow("link to /dev/zero")
        << Lay([](const QString &path) { return QFile::link(QStringLiteral("/dev/zero"), path); });
#else
    QTest::newRow("named pipe") << Lay();
    QTest::newRow("link to /dev/zero") << Lay();
#endif
}

void TestAppearance::badSkinFileLeavesAWorkingWindow()
{
    QFETCH(Lay, lay);
    if (!lay)
        QSKIP("Named pipes and /dev/zero are the Unix kind");
    TestProgramFolder folder;
    const QString path = QDir(folder.path()).filePath(QStringLiteral("galaxy.skn"));
    QFile::remove(path);
    QVERIFY(lay(path));
    QCOMPARE(folder.openDatabase(), QString());
    QVERIFY(QSqlQuery().exec(QStringLiteral("UPDATE \"Theme\" SET \"TH\" = '3'")));

    QElapsedTimer clock;
    clock.start();
    Frm1 *window = nullptr;
    {
        Watchdog watchdog(10);
        window = Frm1::ShowNew();
    }
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QVERIFY(window->Skin1->loadedFile().isEmpty());
    QVERIFY(window->styleSheet().isEmpty());
    // The window works as ever: the exit button leads on to the exit dialog.
    QTest::mouseClick(window->Command6, Qt::LeftButton);
    QCoreApplication::processEvents();
    bool exitDialogShown = false;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QStringLiteral("exitpro") && widget->isVisible())
            exitDialogShown = true;
    QVERIFY(exitDialogShown);
    DeleteAllWindows();
}

QTEST_MAIN(TestAppearance)
#include "test_appearance.moc"
