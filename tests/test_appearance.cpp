// Skins and the stored-theme rule: which file a theme number loads, and that a window keeps
// working whatever the skin file holds.
#include "TestProgramFolder.h"
#include "app/Frm1.h"
#include "app/ProgramEnd.h"
#include "appearance/ApplyStoredTheme.h"
#include "appearance/ThemeCatalogue.h"
#include "common/Skin.h"
#include "common/SkinPalette.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSqlQuery>
#include <QtTest>

namespace {
QString skinText(const QString &file)
{
    QFile skin(QString::fromUtf8(KORVAT_SOURCE_DIR) + QStringLiteral("/resources/skins/") + file);
    return skin.open(QIODevice::ReadOnly) ? QString::fromUtf8(skin.readAll()) : QString();
}
} // namespace

class TestAppearance : public QObject
{
    Q_OBJECT

private slots:
    void storedThemeChoosesTheSkin_data();
    void storedThemeChoosesTheSkin();
    void everyCatalogueSkinIsOurs();
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

void TestAppearance::badSkinFileLeavesAWorkingWindow_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("remove");
    QTest::newRow("missing") << QByteArray() << true;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("binary") << QByteArray("\x00\xff\xfe\x01skin", 8) << false;
    QTest::newRow("not ours") << QByteArray("QWidget { background: black; color: black; }")
                              << false;
    QTest::newRow("bad UTF-8") << QByteArray("/* Korvat skin: x */\n\xc3\x28") << false;
}

void TestAppearance::badSkinFileLeavesAWorkingWindow()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, remove);
    TestProgramFolder folder;
    const QString path = QDir(folder.path()).filePath(QStringLiteral("galaxy.skn"));
    QFile::remove(path);
    if (!remove) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QCOMPARE(folder.openDatabase(), QString());
    QVERIFY(QSqlQuery().exec(QStringLiteral("UPDATE \"Theme\" SET \"TH\" = '3'")));

    Frm1 *window = Frm1::ShowNew();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QVERIFY(window->Skin1->loadedFile().isEmpty());
    QVERIFY(window->styleSheet().isEmpty());
    // The window works as ever: the exit button leads on to the exit dialog.
    QTest::mouseClick(window->Command6, Qt::LeftButton);
    QCoreApplication::processEvents();
    bool exitDialogShown = false;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String("exitpro") && widget->isVisible())
            exitDialogShown = true;
    QVERIFY(exitDialogShown);
    DeleteAllWindows();
}

QTEST_MAIN(TestAppearance)
#include "test_appearance.moc"
