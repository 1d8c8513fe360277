// The settings panel of the main window, the themes panel and the clinic panel beside it, driven
// as a user drives them and checked against the database file.
#include "ModalAnswer.h"
#include "TestProgramFolder.h"
#include "Windows.h"
#include "app/Frm1.h"
#include "appearance/Frmskin.h"
#include "appearance/SettingsPanels.h"
#include "common/Dialogs.h"
#include "common/PictureBox.h"
#include "common/ProgramEnd.h"
#include "common/ProgramLook.h"
#include "common/Skin.h"
#include "data/Database.h"
#include "safety/exitpro.h"

#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QtTest>

#include <memory>

namespace {
QString u(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// Persian cannot go through QTest::keyClicks: one character at a time, as a keyboard sends it.
void type(QWidget *box, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

QStringList shownTexts()
{
    QStringList texts;
    for (const DialogHooks::Shown &shown : DialogHooks::TakeShown())
        texts << shown.text;
    return texts;
}

void pressOk()
{
    AnswerNextModal([](QWidget *box) {
        if (auto *message = qobject_cast<QMessageBox *>(box))
            message->button(QMessageBox::Ok)->click();
    });
}
} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ApplyProgramLook(*qApp);
        Frm1::RegisterAsMainWindow();
    }
    void init();
    void cleanup();

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
        return ReadFromFile(
                   m_folder->databasePath(),
                   QStringLiteral("SELECT \"%1\" FROM \"Theme\"").arg(QLatin1String(field)))
            .value(0)
            .toString();
    }
    void click(const QString &name)
    {
        auto *button = m_window->findChild<QPushButton *>(name);
        QVERIFY2(button, qPrintable(name));
        QTest::mouseClick(button, Qt::LeftButton);
    }

    std::unique_ptr<TestProgramFolder> m_folder;
    Frm1 *m_window = nullptr;
};

void TestSettings::init()
{
    m_folder = std::make_unique<TestProgramFolder>();
    QVERIFY(m_folder->isValid());
    QCOMPARE(m_folder->openDatabase(), QString());
    DialogHooks::Enable();
    m_window = Frm1::ShowNew();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void TestSettings::cleanup()
{
    DialogHooks::Disable();
    DeleteAllWindows();
    m_folder.reset();
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
    QVERIFY(QFile::remove(QDir(m_folder->path()).filePath(QStringLiteral("Mac.skn"))));
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
    QTest::addColumn<QStringList>("steps"); // buttons clicked, or "Escape" on the focused widget
    QTest::addColumn<QStringList>("shown"); // the panels on screen afterwards
    QTest::addColumn<QString>("focus");
    const QString escape = QStringLiteral("Escape");
    auto row = [](const char *tag, const QStringList &steps, const QStringList &shown,
                  const char *focus) {
        QTest::newRow(tag) << steps << shown << QString::fromLatin1(focus);
    };
    row("settings", {u("Command9")}, {u("Frame8")}, "Command68");
    row("themes beside settings", {u("Command9"), u("Command68")}, {u("Frame8"), u("Frame6")},
        "Command45");
    row("themes exit leaves settings open", {u("Command9"), u("Command68"), u("Command46")},
        {u("Frame8")}, "Command68");
    row("Escape in themes", {u("Command9"), u("Command68"), escape}, {u("Frame8")}, "Command68");
    row("clinic takes the themes' place", {u("Command9"), u("Command68"), u("Command67")},
        {u("Frame8"), u("Frame9")}, "Text2");
    row("clinic cancel leaves settings open", {u("Command9"), u("Command67"), u("Command7")},
        {u("Frame8")}, "Command67");
    row("Escape in a clinic box", {u("Command9"), u("Command67"), escape}, {u("Frame8")},
        "Command67");
    row("settings exit closes all", {u("Command9"), u("Command67"), u("Command69")}, {},
        "Command9");
    row("registration closes them", {u("Command9"), u("Command68"), u("Command1")}, {u("Frame10")},
        "Text11");
    row("settings close registration", {u("Command1"), u("Command9")}, {u("Frame8")}, "Command68");
}

void TestSettings::panelsOpenAndClose()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, shown);
    QFETCH(QString, focus);
    for (const QString &step : steps) {
        if (step == QLatin1String("Escape"))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        else
            click(step);
    }
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
    QVERIFY(QSqlQuery().exec(
        QStringLiteral("UPDATE \"Theme\" SET \"TH\" = '%1', \"Name\" = 'N'").arg(storedBefore)));
    m_window = Frm1::ShowNew();
    click(QStringLiteral("Command9"));
    // A clinic name typed and cancelled is not stored with the theme.
    click(QStringLiteral("Command67"));
    type(m_window->Text2, u("نو"));
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
    const QList<Frmskin *> confirmations = VisibleWindows<Frmskin>();
    QCOMPARE(confirmations.size(), 1);
    QCOMPARE(confirmations.first()->Skin1->loadedFile(), skinFile);
    QCOMPARE(confirmations.first()->styleSheet(), confirmations.first()->Skin1->styleSheet());

    // Its return button brings a main window in the new theme, the only window.
    QTest::mouseMove(confirmations.first()->k1);
    QTest::mouseClick(confirmations.first()->k2, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QList<Frm1 *> mains = VisibleWindows<Frm1>();
    QCOMPARE(mains.size(), 1);
    QCOMPARE(mains.first()->Skin1->loadedFile(), skinFile);
    QCOMPARE(mains.first()->Text1, theme);
    QCOMPARE(mains.first()->Text3, u("2"));
    QCOMPARE(VisibleWindows<Frmskin>().size(), 0);
    QCOMPARE(VisibleWindows<exitpro>().size(), 0);
}

void TestSettings::headingFollowsTyping()
{
    click(QStringLiteral("Command9"));
    click(QStringLiteral("Command67"));
    const QString name = u("مرکز «امید» <b>");
    for (int typed = 1; typed <= name.size(); ++typed) {
        type(m_window->Text2, name.at(typed - 1));
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
    QVERIFY(QSqlQuery().exec(u("UPDATE \"Theme\" SET \"Name\" = 'مرکز قدیم', \"Adress\" = 'A'")));
    DeleteAllWindows();
    m_window = Frm1::ShowNew();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    click(QStringLiteral("Command9"));
    click(QStringLiteral("Command67"));
    m_window->Text2->selectAll();
    type(m_window->Text2, u("مرکز نو"));
    QTest::keyClick(m_window->settings->Text14, Qt::Key_End);
    type(m_window->settings->Text14, u("ب"));
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
    QTest::newRow("long") << QString(2000, QChar(0x0645)) << QString(2000, QLatin1Char('a'));
}

void TestSettings::clinicTextsAreStoredExactly()
{
    QFETCH(QString, name);
    QFETCH(QString, address);
    QVERIFY(QSqlQuery().exec(u("UPDATE \"Theme\" SET \"Name\" = 'x', \"Adress\" = 'y'")));
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
    QCOMPARE(ReadFromFile(m_folder->databasePath(), u("SELECT COUNT(*) FROM \"Theme\"")),
             QVariantList{1});
    QVERIFY(!m_window->Frame9->isVisible());
    QVERIFY(m_window->Frame8->isVisible());
    QCOMPARE(m_window->SkinLabel1->text(), name);
    QVERIFY(shownTexts().isEmpty()); // no message on the way
}

void TestSettings::storeFailureKeepsEverything_data()
{
    QTest::addColumn<bool>("theme"); // a theme is chosen, or the clinic panel saved
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("says");
    for (const bool theme : {true, false}) {
        const char *what = theme ? "theme" : "clinic";
        QTest::addRow("%s, another program writing", what)
            << theme << u("write") << u("برنامه‌ی دیگری");
        QTest::addRow("%s, another program reading", what)
            << theme << u("read") << u("برنامه‌ی دیگری");
        QTest::addRow("%s, row refused", what) << theme << u("trigger") << u("refused");
        QTest::addRow("%s, settings row gone", what)
            << theme << u("gone") << (theme ? u("ذخیره نشد") : u("در پایگاه داده نیست"));
    }
}

void TestSettings::storeFailureKeepsEverything()
{
    QFETCH(bool, theme);
    QFETCH(QString, fault);
    QFETCH(QString, says);
    const QString path = m_folder->databasePath();
    click(QStringLiteral("Command9"));
    click(theme ? QStringLiteral("Command68") : QStringLiteral("Command67"));
    if (!theme) {
        type(m_window->Text2, u("مرکز"));
        m_window->settings->Text14->setText(u("آدرس"));
    }
    const QByteArray before = FileHash(path);

    QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), u("other"));
    other.setDatabaseName(path);
    QVERIFY(other.open());
    auto holder = std::make_unique<QSqlQuery>(other);
    QSqlQuery().exec(QStringLiteral("PRAGMA busy_timeout = 50"));
    if (fault == QLatin1String("write")) {
        QVERIFY(holder->exec(QStringLiteral("BEGIN IMMEDIATE")));
    } else if (fault == QLatin1String("read")) {
        QVERIFY(holder->exec(QStringLiteral("BEGIN")));
        QVERIFY(holder->exec(QStringLiteral("SELECT COUNT(*) FROM \"QU\"")) && holder->next());
    } else if (fault == QLatin1String("trigger")) {
        QVERIFY(holder->exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON \"Theme\" "
                                            "BEGIN SELECT RAISE(ABORT, 'refused'); END")));
    } else {
        QVERIFY(holder->exec(u("CREATE TABLE kept AS SELECT * FROM \"Theme\"")));
        QVERIFY(holder->exec(u("DELETE FROM \"Theme\"")));
    }
    DialogHooks::TakeShown();
    pressOk();
    click(theme ? QStringLiteral("Command42") : QStringLiteral("Command64"));
    const QStringList shown = shownTexts();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.first().contains(says), qPrintable(shown.first()));

    // Nothing reached the file; the main window stays the one the user sees.
    holder->finish();
    other.rollback();
    if (fault == QLatin1String("trigger")) {
        QVERIFY(holder->exec(QStringLiteral("DROP TRIGGER refuse")));
    } else if (fault == QLatin1String("gone")) {
        QCOMPARE(ReadFromFile(path, u("SELECT COUNT(*) FROM \"Theme\"")), QVariantList{0});
        QVERIFY(holder->exec(u("INSERT INTO \"Theme\" SELECT * FROM kept")));
        QVERIFY(holder->exec(u("DROP TABLE kept")));
        return; // the windows read it again when they are next made
    } else
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
    holder.reset();
    other.close();
    other = QSqlDatabase();
    QSqlDatabase::removeDatabase(u("other"));
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
    QStringList reached;
    for (int i = 0; i < 12; ++i) {
        reached << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(reached,
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
    type(m_window->Text2, u("مرکز"));
    QTest::keyClick(m_window->Text2, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), m_window->settings->Text14);
    type(m_window->settings->Text14, u("آدرس"));
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
    QVERIFY(QSqlQuery().exec(
        QStringLiteral("UPDATE \"Theme\" SET \"TH\" = '%1', \"Name\" = '%2', \"Adress\" = '%2'")
            .arg(theme)
            .arg(u("مرکز مشاوره‌ی امید"))));
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
