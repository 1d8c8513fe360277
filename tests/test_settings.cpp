// The settings panel of the main window, the themes panel and the clinic panel beside it, driven
// as a user drives them and checked against the database file.
#include "GuiTest.h"
#include "ModalAnswer.h"
#include "OtherProgram.h"
#include "Seed.h"
#include "Text.h"
#include "UserInput.h"
#include "Windows.h"
#include "app/Frm1.h"
#include "appearance/Frmskin.h"
#include "appearance/SettingsPanels.h"
#include "common/Dialogs.h"
#include "common/PictureBox.h"
#include "common/ProgramEnd.h"
#include "common/Skin.h"
#include "data/Database.h"
#include "safety/exitpro.h"

#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QtTest>

#include <functional>
#include <memory>

namespace {
void clickButton(Frm1 *window, const QString &name)
{
    auto *button = window->findChild<QPushButton *>(name);
    QVERIFY2(button, qPrintable(name));
    QTest::mouseClick(button, Qt::LeftButton);
}

// What the user does on the main window.
using Step = std::function<void(Frm1 *)>;
Step clickOn(const QString &name)
{
    return [name](Frm1 *window) { clickButton(window, name); };
}
const Step escape = [](Frm1 *) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); };

// What keeps the settings row from being stored.
enum class Fault { WriteLock, ReadLock, Refusal, RowGone };
} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_gui.beginRun()); }
    void init();
    void cleanup() { m_gui.end(); }

    void captionsAreExact_data();
    void captionsAreExact();
    void themeButtonsShowTheirThemes();
    void panelsOpenAndClose_data();
    void panelsOpenAndClose();
    void themeChoiceHandsOver_data();
    void themeChoiceHandsOver();
    void headingFollowsTyping();
    void cancelKeepsTheTypedTextOnly_data();
    void cancelKeepsTheTypedTextOnly();
    void clinicTextsAreStoredExactly_data();
    void clinicTextsAreStoredExactly();
    void storeFailureKeepsEverything_data();
    void storeFailureKeepsEverything();
    void keyboardAlone();
    void panelsFit_data();
    void panelsFit();

private:
    QString stored(const char *field) const
    {
        return ReadOneFromFile(
                   m_gui.databasePath(),
                   QStringLiteral("SELECT \"%1\" FROM \"Theme\"").arg(QLatin1String(field)))
            .toString();
    }
    void click(const QString &name) { clickButton(m_window, name); }

    GuiTest m_gui;
    Frm1 *m_window = nullptr;
};

void TestSettings::init()
{
    QCOMPARE(m_gui.begin(), QString());
    m_window = Frm1::ShowNew();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void TestSettings::captionsAreExact_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    auto row = [](const char *name, const char *caption) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf8(caption);
    };
    row("Command45", " تم شماره 1");
    row("Command44", "تم شماره 2");
    row("Command43", "تم شماره 3");
    row("Command42", "تم شماره 4");
    row("Command50", " تم شماره 5");
    row("Command49", "تم شماره 6");
    row("Command48", "تم شماره 7");
    row("Command47", "تم شماره 8");
    row("Command41", "تم شماره 9");
    row("Command52", "تم شماره 10 ");
    row("Command53", "تم شماره 11");
    row("Command46", "خروج");
    row("Command68", "تغيير تم برنامه");
    row("Command67", " تعريف نام کلينيک");
    row("Command69", "خروج");
    row("SkinLabel4", " :نام");
    row("SkinLabel5", " :آدرس");
    row("Command64", "ذخيره ");
    row("Command7", "انصراف");
}

void TestSettings::captionsAreExact()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    // One widget of the name in the whole window: the registration panel's labels are others.
    const QList<QWidget *> found = m_window->findChildren<QWidget *>(name);
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.first()->property("text").toString(), caption);
}

void TestSettings::themeButtonsShowTheirThemes()
{
    // Each theme shows a picture of itself, no two alike; a theme whose skin file is gone shows
    // none.
    QVERIFY(QFile::remove(QDir(m_gui.folder().path()).filePath(QStringLiteral("Mac.skn"))));
    DeleteAllWindows();
    m_window = Frm1::ShowNew();
    click(QStringLiteral("Command9"));
    click(QStringLiteral("Command68"));
    QSet<QByteArray> pictures;
    for (int theme = 1; theme <= 11; ++theme) {
        const QIcon icon = m_window->settings->themeButtons.at(theme - 1)->icon();
        QCOMPARE(icon.isNull(), theme == 6);
        if (!icon.isNull()) {
            const QImage image = icon.pixmap(QSize(34, 20)).toImage();
            pictures.insert(
                QByteArray(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes()));
        }
    }
    QCOMPARE(pictures.size(), 10);
}

void TestSettings::panelsOpenAndClose_data()
{
    QTest::addColumn<QList<Step>>("steps");
    QTest::addColumn<QStringList>("shown"); // the panels on screen afterwards
    QTest::addColumn<QString>("focus");
    auto row = [](const char *tag, const QList<Step> &steps, const QStringList &shown,
                  const char *focus) {
        QTest::newRow(tag) << steps << shown << QString::fromLatin1(focus);
    };
    const Step settings = clickOn(u("Command9"));
    const Step themes = clickOn(u("Command68"));
    const Step clinic = clickOn(u("Command67"));
    row("settings", {settings}, {u("Frame8")}, "Command68");
    row("themes beside settings", {settings, themes}, {u("Frame8"), u("Frame6")}, "Command45");
    row("themes exit leaves settings open", {settings, themes, clickOn(u("Command46"))},
        {u("Frame8")}, "Command68");
    row("Escape in themes", {settings, themes, escape}, {u("Frame8")}, "Command68");
    row("clinic takes the themes' place", {settings, themes, clinic}, {u("Frame8"), u("Frame9")},
        "Text2");
    row("clinic cancel leaves settings open", {settings, clinic, clickOn(u("Command7"))},
        {u("Frame8")}, "Command67");
    row("Escape in a clinic box", {settings, clinic, escape}, {u("Frame8")}, "Command67");
    row("settings exit closes all", {settings, clinic, clickOn(u("Command69"))}, {}, "Command9");
    row("registration closes them", {settings, themes, clickOn(u("Command1"))}, {u("Frame10")},
        "Text11");
    row("settings close registration", {clickOn(u("Command1")), settings}, {u("Frame8")},
        "Command68");
}

void TestSettings::panelsOpenAndClose()
{
    QFETCH(QList<Step>, steps);
    QFETCH(QStringList, shown);
    QFETCH(QString, focus);
    for (const Step &step : steps)
        step(m_window);
    QStringList visible;
    for (QFrame *panel : {m_window->Frame8, m_window->Frame6, m_window->Frame9, m_window->Frame10})
        if (panel->isVisible())
            visible << panel->objectName();
    QCOMPARE(visible, shown);
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
}

void TestSettings::themeChoiceHandsOver_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("theme");
    QTest::addColumn<QString>("skinFile");
    QTest::addColumn<QString>("storedBefore");
    const char *const buttons[] = {"Command45", "Command44", "Command43", "Command42",
                                   "Command50", "Command49", "Command48", "Command47",
                                   "Command41", "Command52", "Command53"};
    const char *const files[] = {"chizh.skn",    "Green.skn",   "galaxy.skn",     "_temp.skn",
                                 "B-Studio.skn", "Mac.skn",     "O-Universe.skn", "metallic.skn",
                                 "Paper.skn",    "winaqua.skn", "office2007.skn"};
    for (int theme = 1; theme <= 11; ++theme)
        QTest::addRow("theme %d", theme)
            << QString::fromLatin1(buttons[theme - 1]) << QString::number(theme)
            << QString::fromLatin1(files[theme - 1]) << QStringLiteral("1");
    QTest::newRow("the stored theme again")
        << u("Command43") << u("3") << u("galaxy.skn") << QStringLiteral("3");
    QTest::newRow("from a theme with no skin file")
        << u("Command48") << u("7") << u("O-Universe.skn") << QStringLiteral("0");
}

void TestSettings::themeChoiceHandsOver()
{
    QFETCH(QString, button);
    QFETCH(QString, theme);
    QFETCH(QString, skinFile);
    QFETCH(QString, storedBefore);
    DeleteAllWindows();
    QVERIFY(StoreSetting(QStringLiteral("TH"), storedBefore));
    QVERIFY(StoreSetting(QStringLiteral("Name"), QStringLiteral("N")));
    m_window = Frm1::ShowNew();
    click(QStringLiteral("Command9"));
    // A clinic name typed and cancelled is not stored with the theme.
    click(QStringLiteral("Command67"));
    TypeText(m_window->Text2, u("نو"));
    click(QStringLiteral("Command7"));
    click(QStringLiteral("Command68"));
    QPointer<Frm1> chooser = m_window;
    click(button);

    QCOMPARE(stored("TH"), theme);
    QCOMPARE(stored("Name"), u("N"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!chooser);
    QCOMPARE(VisibleWindows<exitpro>().size(), 0);
    QCOMPARE(VisibleWindows<Frm1>().size(), 0);
    Frmskin *confirmation = OnlyVisible<Frmskin>();
    QVERIFY(confirmation);
    QCOMPARE(confirmation->Skin1->loadedFile(), skinFile);
    QCOMPARE(confirmation->styleSheet(), confirmation->Skin1->styleSheet());

    // Its return button brings a main window in the new theme, the only window.
    ClickPicture(confirmation->k1, confirmation->k2);
    Frm1 *returned = OnlyVisible<Frm1>();
    QVERIFY(returned);
    QCOMPARE(returned->Skin1->loadedFile(), skinFile);
    QCOMPARE(returned->Text1, theme);
    QCOMPARE(returned->Text3, u("2"));
    QCOMPARE(VisibleWindows<Frmskin>().size(), 0);
    QCOMPARE(VisibleWindows<exitpro>().size(), 0);
}

void TestSettings::headingFollowsTyping()
{
    click(QStringLiteral("Command9"));
    click(QStringLiteral("Command67"));
    const QString name = u("مرکز «امید» <b>");
    for (int typed = 1; typed <= name.size(); ++typed) {
        TypeText(m_window->Text2, name.at(typed - 1));
        QCOMPARE(m_window->SkinLabel1->text(), name.left(typed));
    }
    QCOMPARE(ShownText(m_window->SkinLabel1), name); // as typed, never as markup
    QCOMPARE(stored("Name"), QString());
}

void TestSettings::cancelKeepsTheTypedTextOnly_data()
{
    QTest::addColumn<bool>("byEscape");
    QTest::newRow("Cancel button") << false;
    QTest::newRow("Escape") << true;
}

void TestSettings::cancelKeepsTheTypedTextOnly()
{
    QFETCH(bool, byEscape);
    QVERIFY(StoreSetting(QStringLiteral("Name"), u("مرکز قدیم")));
    QVERIFY(StoreSetting(QStringLiteral("Adress"), QStringLiteral("A")));
    DeleteAllWindows();
    m_window = Frm1::ShowNew();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    click(QStringLiteral("Command9"));
    click(QStringLiteral("Command67"));
    m_window->Text2->selectAll();
    TypeText(m_window->Text2, u("مرکز نو"));
    QTest::keyClick(m_window->settings->Text14, Qt::Key_End);
    TypeText(m_window->settings->Text14, u("ب"));
    if (byEscape)
        QTest::keyClick(m_window->settings->Text14, Qt::Key_Escape);
    else
        click(QStringLiteral("Command7"));

    QVERIFY(!m_window->Frame9->isVisible());
    QVERIFY(m_window->Frame8->isVisible());
    QCOMPARE(m_window->SkinLabel1->text(), u("مرکز نو"));
    QCOMPARE(stored("Name"), u("مرکز قدیم"));
    QCOMPARE(stored("Adress"), u("A"));
    // Reopened, the panel shows what was typed; a new main window shows what is stored.
    click(QStringLiteral("Command67"));
    QCOMPARE(m_window->Text2->text(), u("مرکز نو"));
    QCOMPARE(m_window->settings->Text14->text(), u("Aب"));
    Frm1 *fresh = Frm1::ShowNew();
    QCOMPARE(fresh->SkinLabel1->text(), u("مرکز قدیم"));
    QCOMPARE(fresh->Text2->text(), u("مرکز قدیم"));
    // And Save stores what was typed.
    click(QStringLiteral("Command64"));
    QCOMPARE(stored("Name"), u("مرکز نو"));
    QCOMPARE(stored("Adress"), u("Aب"));
}

void TestSettings::clinicTextsAreStoredExactly_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("address");
    QTest::newRow("Persian") << u("مرکز مشاوره‌ی امید")
                             << u("تهران، خیابان آزادی، پلاک ۱۲");
    QTest::newRow("both empty") << QString() << QString();
    QTest::newRow("quotes and markup") << u("O'Brien \"&\" <i>x</i>") << u("'); DROP TABLE x; --");
    QTest::newRow("long") << QString(2000, QChar(0x0645)) << QString(2000, u'a');
}

void TestSettings::clinicTextsAreStoredExactly()
{
    QFETCH(QString, name);
    QFETCH(QString, address);
    QVERIFY(StoreSetting(QStringLiteral("Name"), QStringLiteral("x")));
    QVERIFY(StoreSetting(QStringLiteral("Adress"), QStringLiteral("y")));
    DeleteAllWindows();
    m_window = Frm1::ShowNew();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    click(QStringLiteral("Command9"));
    click(QStringLiteral("Command67"));
    m_window->Text2->setText(name);
    m_window->settings->Text14->setText(address);
    click(QStringLiteral("Command64"));

    QCOMPARE(stored("Name"), name);
    QCOMPARE(stored("Adress"), address);
    QCOMPARE(stored("TH"), u("1"));
    QCOMPARE(ReadFromFile(m_gui.databasePath(), u("SELECT COUNT(*) FROM \"Theme\"")),
             QVariantList{1});
    QVERIFY(!m_window->Frame9->isVisible());
    QVERIFY(m_window->Frame8->isVisible());
    QCOMPARE(m_window->SkinLabel1->text(), name);
    QVERIFY(ShownTexts().isEmpty()); // no message on the way
}

void TestSettings::storeFailureKeepsEverything_data()
{
    QTest::addColumn<bool>("theme"); // a theme is chosen, or the clinic panel saved
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QString>("says");
    for (const bool theme : {true, false}) {
        const char *what = theme ? "theme" : "clinic";
        QTest::addRow("%s, another program writing", what)
            << theme << Fault::WriteLock << u("برنامه‌ی دیگری");
        QTest::addRow("%s, another program reading", what)
            << theme << Fault::ReadLock << u("برنامه‌ی دیگری");
        QTest::addRow("%s, row refused", what) << theme << Fault::Refusal << u("refused");
        QTest::addRow("%s, settings row gone", what)
            << theme << Fault::RowGone << (theme ? u("ذخیره نشد") : u("در پایگاه داده نیست"));
    }
}

void TestSettings::storeFailureKeepsEverything()
{
    QFETCH(bool, theme);
    QFETCH(Fault, fault);
    QFETCH(QString, says);
    const QString path = m_gui.databasePath();
    click(QStringLiteral("Command9"));
    click(theme ? QStringLiteral("Command68") : QStringLiteral("Command67"));
    if (!theme) {
        TypeText(m_window->Text2, u("مرکز"));
        m_window->settings->Text14->setText(u("آدرس"));
    }
    const QByteArray before = FileHash(path);

    auto other = std::make_unique<OtherProgram>(path);
    QVERIFY(SetBusyTimeout(50));
    switch (fault) {
    case Fault::WriteLock:
        QVERIFY(other->holdWriteLock());
        break;
    case Fault::ReadLock:
        QVERIFY(other->holdReadLock());
        break;
    case Fault::Refusal:
        QVERIFY(other->refuse("UPDATE", QStringLiteral("Theme")));
        break;
    case Fault::RowGone:
        QVERIFY(other->exec(u("CREATE TABLE kept AS SELECT * FROM \"Theme\"")));
        QVERIFY(other->exec(u("DELETE FROM \"Theme\"")));
        break;
    }
    DialogHooks::TakeShown();
    AnswerNextBox(QMessageBox::Ok);
    click(theme ? QStringLiteral("Command42") : QStringLiteral("Command64"));
    const QStringList shown = ShownTexts();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.first().contains(says), qPrintable(shown.first()));

    // Nothing reached the file; the main window stays the one the user sees.
    QVERIFY(other->letGo());
    if (fault == Fault::RowGone) {
        QCOMPARE(CountInFile(path, QStringLiteral("Theme")), 0);
        QVERIFY(other->exec(u("INSERT INTO \"Theme\" SELECT * FROM kept")));
        QVERIFY(other->exec(u("DROP TABLE kept")));
        return; // the windows read it again when they are next made
    }
    if (fault != Fault::Refusal) // the trigger came and went in the file
        QCOMPARE(FileHash(path), before);
    QCOMPARE(stored("TH"), u("1"));
    QCOMPARE(stored("Name"), QString());
    QCOMPARE(VisibleWindows<Frm1>(), QList<Frm1 *>{m_window});
    QCOMPARE(VisibleWindows<Frmskin>().size(), 0);
    QCOMPARE(m_window->Text3, u("2"));
    QVERIFY(m_window->Frame8->isVisible());
    QCOMPARE(theme ? m_window->Frame6->isVisible() : m_window->Frame9->isVisible(), true);
    if (!theme) {
        QCOMPARE(m_window->Text2->text(), u("مرکز"));
        QCOMPARE(m_window->settings->Text14->text(), u("آدرس"));
    }

    // With the cause gone the same click stores exactly what was meant, and only that.
    other.reset();
    if (theme) {
        // The failed choice is not carried into the file by a later save of the clinic panel.
        click(QStringLiteral("Command67"));
        click(QStringLiteral("Command64"));
        QCOMPARE(stored("TH"), u("1"));
        click(QStringLiteral("Command68"));
    }
    click(theme ? QStringLiteral("Command42") : QStringLiteral("Command64"));
    QCOMPARE(stored("TH"), theme ? u("4") : u("1"));
    QCOMPARE(stored("Name"), theme ? QString() : u("مرکز"));
    QCOMPARE(stored("Adress"), theme ? QString() : u("آدرس"));
    QCOMPARE(VisibleWindows<Frmskin>().size(), theme ? 1 : 0);
}

void TestSettings::keyboardAlone()
{
    // From the settings button to a stored clinic name and back, with Tab, Enter and Escape; the
    // theme buttons come in their order, down one column and then the next.
    m_window->Command9->setFocus(Qt::TabFocusReason);
    QTest::keyClick(m_window->Command9, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), m_window->settings->Command68);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(ReachedByTab(12),
             QStringList({u("Command45"), u("Command44"), u("Command43"), u("Command42"),
                          u("Command50"), u("Command49"), u("Command48"), u("Command47"),
                          u("Command41"), u("Command52"), u("Command53"), u("Command46")}));
    m_window->settings->Command46->setFocus(Qt::TabFocusReason);
    QTest::keyClick(m_window->settings->Command46, Qt::Key_Return);
    QVERIFY(!m_window->Frame6->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), m_window->settings->Command67);
    QTest::keyClick(m_window->settings->Command67, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), m_window->Text2);
    TypeText(m_window->Text2, u("مرکز"));
    QTest::keyClick(m_window->Text2, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), m_window->settings->Text14);
    TypeText(m_window->settings->Text14, u("آدرس"));
    QTest::keyClick(m_window->settings->Text14, Qt::Key_Return); // Enter in a box saves
    QCOMPARE(stored("Name"), u("مرکز"));
    QCOMPARE(stored("Adress"), u("آدرس"));
    QVERIFY(!m_window->Frame9->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!m_window->Frame8->isVisible());
    QCOMPARE(QApplication::focusWidget(), m_window->Command9);
}

void TestSettings::panelsFit_data()
{
    QTest::addColumn<int>("theme");
    for (int theme = 1; theme <= 11; ++theme)
        QTest::addRow("%d", theme) << theme;
}

void TestSettings::panelsFit()
{
    QFETCH(int, theme);
    DeleteAllWindows();
    QVERIFY(StoreSetting(QStringLiteral("TH"), QString::number(theme)));
    QVERIFY(StoreSetting(QStringLiteral("Name"), u("مرکز مشاوره‌ی امید")));
    QVERIFY(StoreSetting(QStringLiteral("Adress"), u("مرکز مشاوره‌ی امید")));
    m_window = Frm1::ShowNew();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    const QSize size = m_window->size();
    for (const char *opener : {"Command68", "Command67"}) {
        click(QStringLiteral("Command9"));
        click(QString::fromLatin1(opener));
        QCOMPARE(Clipped(m_window), QStringList());
        // Each panel whole inside the window, and everything inside its panel.
        for (QFrame *panel : {m_window->Frame8, m_window->Frame6, m_window->Frame9}) {
            if (!panel->isVisible())
                continue;
            const QRect inWindow(panel->mapTo(m_window, QPoint(0, 0)), panel->size());
            QVERIFY2(m_window->rect().contains(inWindow), qPrintable(panel->objectName()));
            for (QWidget *child : panel->findChildren<QWidget *>())
                QVERIFY2(!child->isVisible() || panel->rect().contains(child->geometry()),
                         qPrintable(child->objectName()));
        }
    }
    QCOMPARE(m_window->size(), size); // the fixed window never grows
}

QTEST_MAIN(TestSettings)
#include "test_settings.moc"
