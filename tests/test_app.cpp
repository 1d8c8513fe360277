// The main window, the confirmation window and the exit dialog, driven as a user drives them.
#include "TestProgramFolder.h"
#include "Windows.h"
#include "app/Frm1.h"
#include "app/Frm1Text.h"
#include "appearance/Frmskin.h"
#include "common/Dialogs.h"
#include "common/PictureBox.h"
#include "common/ProgramEnd.h"
#include "common/ProgramLook.h"
#include "common/Skin.h"
#include "data/Cursor.h"
#include "registration/RegistrationPanel.h"
#include "safety/Frmbackup.h"
#include "safety/exitpro.h"

#include <QCheckBox>
#include <QFrame>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include <memory>

namespace {
QString u(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

void setStored(const QString &field, const QString &value)
{
    Cursor theme(QStringLiteral("Theme"));
    QVERIFY(theme.open());
    QVERIFY(theme.setField(field, value));
    QVERIFY(theme.save());
}

// Moves the pointer to a point of a widget and lets the window deliver it.
void pointAt(QWidget *widget, QPoint at = QPoint(-1, -1))
{
    if (at == QPoint(-1, -1))
        at = widget->rect().center();
    QTest::mouseMove(widget, at);
    QCoreApplication::processEvents();
}
} // namespace

class TestApp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ApplyProgramLook(*qApp);
        Frm1::RegisterAsMainWindow(); // the way back, as the program registers it
    }
    void init();
    void cleanup();

    void startupShowsTheButtonColumn();
    void clinicHeadingShowsTheStoredName();
    void clinicHeadingShowsMarkupAsItsCharacters();
    void hintsFollowThePointer();
    void keyboardAlone_data();
    void keyboardAlone();
    void nothingIsClipped_data();
    void nothingIsClipped();
    void windowsFitTheScreen_data();
    void windowsFitTheScreen();
    void picturesReactOnlyOverThemselves_data();
    void picturesReactOnlyOverThemselves();
    void scoringAndCodesNeedAnswers();
    void hideAllPanelsDropsAnUnsavedSubject();
    void closeBoxOpensTheExitDialog();
    void handOverDoesNotOpenTheExitDialog();
    void exitButtonOpensOneExitDialog();

    void confirmationWindowReturnsToAFreshMainWindow();
    void confirmationWindowCarriesTheStoredTheme();

    void exitDialogConfirm_data();
    void exitDialogConfirm();
    void exitDialogCancel_data();
    void exitDialogCancel();
    void exitDialogPicturesLightUnderThePointer();
    void exitDialogShowsTheKeyboard_data() { nothingIsClipped_data(); }
    void exitDialogShowsTheKeyboard();
    void exitDialogCaptionTakesTurns();

private:
    std::unique_ptr<TestProgramFolder> m_folder;
    bool m_ended = false;
};

void TestApp::init()
{
    m_folder = std::make_unique<TestProgramFolder>();
    QVERIFY(m_folder->isValid());
    QCOMPARE(m_folder->openDatabase(), QString());
    DialogHooks::Enable();
    m_ended = false;
    ProgramEndHooks::SetHandler([this] { m_ended = true; });
}

void TestApp::cleanup()
{
    ProgramEndHooks::SetHandler({});
    DialogHooks::Disable();
    // Windows go before the database they read.
    DeleteAllWindows();
    m_folder.reset();
}

void TestApp::startupShowsTheButtonColumn()
{
    Frm1 *window = Frm1::ShowNew();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->windowTitle(), QStringLiteral("Korvat"));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QCOMPARE(window->Text3, QStringLiteral("2"));
    QCOMPARE(window->Text1, QStringLiteral("1"));

    QStringList captions;
    for (int i = 0; i < window->Frame7->layout()->count(); ++i)
        if (auto *button =
                qobject_cast<QPushButton *>(window->Frame7->layout()->itemAt(i)->widget())) {
            QVERIFY(button->isVisible());
            captions << button->objectName() + QLatin1Char('=') + button->text();
        }
    QCOMPARE(captions, QStringList({
                           u("Command1=ثبت نام آزمودني"),
                           u("Command2=اجراي تست"),
                           u("Command3=کليد گذاري"),
                           u("Command4=نمايش کد آزمودني"),
                           u("Command11=معرفي پرسشنامه"),
                           u("Command5=ماشين حساب"),
                           u("Command9=تنظيمات"),
                           u("Command12=درباره ما"),
                           u("Command6=خروج"),
                       }));
    for (QFrame *panel : {window->Frame10, window->Frame6, window->Frame8, window->Frame9})
        QVERIFY2(!panel->isVisible(), qPrintable(panel->objectName()));
    QVERIFY(!window->SkinLabel2->isVisible());
    QVERIFY(window->SkinLabel1->text().isEmpty());
    QCOMPARE(window->Picture1->toolTip(), u("جهت ورود به سايت کليک کنيد"));
    QCOMPARE(window->Command13->text(), u("راهنما"));
    QCOMPARE(window->Skin1->loadedFile(), QStringLiteral("chizh.skn"));
}

void TestApp::clinicHeadingShowsTheStoredName()
{
    setStored(QStringLiteral("Name"), u("مرکز مشاوره‌ی «امید»"));
    Frm1 *window = Frm1::ShowNew();
    QCOMPARE(window->SkinLabel1->text(), u("مرکز مشاوره‌ی «امید»"));
}

void TestApp::clinicHeadingShowsMarkupAsItsCharacters()
{
    const QString name = u("<b>امید</b> &amp; <i>نو</i>");
    setStored(QStringLiteral("Name"), name);
    Frm1 *window = Frm1::ShowNew();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(ShownText(window->SkinLabel1), name);
}

void TestApp::hintsFollowThePointer()
{
    Frm1 *window = Frm1::ShowNew();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    SkinLabel *hint = window->SkinLabel2;
    // A spot of the button column and of the window where no other control is.
    const QPoint bareColumn(window->Frame7->width() / 2, window->Frame7->height() - 4);
    QCOMPARE(window->Frame7->childAt(bareColumn), nullptr);
    const QPoint bareWindow(4, window->height() / 2);
    QCOMPARE(window->childAt(bareWindow), nullptr);

    pointAt(window->Command1);
    QVERIFY(hint->isVisible());
    QCOMPARE(hint->text(), u(Frm1Text::Command1Hint));
    QVERIFY(hint->text().startsWith(QLatin1Char(' ')));

    // Straight onto a button without a hint: the last hint stays.
    pointAt(window->Command5);
    QVERIFY(hint->isVisible());
    QCOMPARE(hint->text(), u(Frm1Text::Command1Hint));

    pointAt(window->Frame7, bareColumn);
    QVERIFY(!hint->isVisible());
    QCOMPARE(hint->text(), QString());

    pointAt(window->Command4);
    QCOMPARE(hint->text(), u(Frm1Text::Command4Hint));
    QVERIFY(hint->text().contains(u("روي  اين"))); // the double blank is kept
    pointAt(window->Command2);
    QVERIFY(hint->text().endsWith(QLatin1Char(' ')));
    pointAt(window->Command9);
    QCOMPARE(hint->text(), u(Frm1Text::Command9Hint));
    // The empty area where the panels open is bare window as well.
    pointAt(window->findChild<QWidget *>(QStringLiteral("PanelArea")));
    QVERIFY(!hint->isVisible());

    pointAt(window->Command3);
    pointAt(window, bareWindow);
    QVERIFY(!hint->isVisible());
    QCOMPARE(hint->text(), QString());
}

void TestApp::scoringAndCodesNeedAnswers()
{
    Frm1 *window = Frm1::ShowNew();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    window->Frame8->show();
    QTest::mouseClick(window->Command3, Qt::LeftButton);
    QTest::mouseClick(window->Command4, Qt::LeftButton);
    QCoreApplication::processEvents();
    QCOMPARE(VisibleWindows<QWidget>(), QList<QWidget *>{window});
    QCOMPARE(window->Text3, QStringLiteral("2"));
    QVERIFY(window->Frame8->isVisible()); // the click had no effect at all
}

void TestApp::hideAllPanelsDropsAnUnsavedSubject()
{
    Frm1 *window = Frm1::ShowNew();
    window->Frame10->show();
    QVERIFY(window->Adodc2->add());
    QVERIFY(window->Adodc2->setField(QStringLiteral("Code"), QStringLiteral("begun")));
    window->HideAllPanels();
    QVERIFY(!window->Frame10->isVisible());
    QVERIFY(!window->Adodc2->hasUnsavedChanges());
    QCOMPARE(window->Adodc2->count(), 0);
    // Closing drops it as well, and nothing ever reaches the file.
    QVERIFY(window->Adodc2->add());
    QVERIFY(window->Adodc2->setField(QStringLiteral("Code"), QStringLiteral("begun")));
    window->Text3 = QStringLiteral("1");
    window->close();
    QCOMPARE(ReadFromFile(m_folder->databasePath(), QStringLiteral("SELECT COUNT(*) FROM \"IDE\""))
                 .value(0)
                 .toInt(),
             0);
}

void TestApp::closeBoxOpensTheExitDialog()
{
    QPointer<Frm1> window = Frm1::ShowNew();
    window->Frame6->show();
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!window); // deleted on close
    QCOMPARE(VisibleWindows<exitpro>().size(), 1);
    QCOMPARE(VisibleWindows<Frm1>().size(), 0);
}

void TestApp::handOverDoesNotOpenTheExitDialog()
{
    Frm1 *window = Frm1::ShowNew();
    window->Text3 = QStringLiteral("1");
    window->close();
    QCoreApplication::processEvents();
    QCOMPARE(VisibleWindows<exitpro>().size(), 0);
}

void TestApp::exitButtonOpensOneExitDialog()
{
    Frm1 *window = Frm1::ShowNew();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTest::mouseClick(window->Command6, Qt::LeftButton);
    QCoreApplication::processEvents();
    QCOMPARE(VisibleWindows<exitpro>().size(), 1);
    QCOMPARE(VisibleWindows<Frm1>().size(), 0);
}

void TestApp::confirmationWindowReturnsToAFreshMainWindow()
{
    QPointer<Frmskin> confirmation = Frmskin::ShowNew();
    QVERIFY(QTest::qWaitForWindowExposed(confirmation));
    QVERIFY(confirmation->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(confirmation->Label3->text(), u("تغييرات با موفقيت به پايان رسيد"));
    QVERIFY(confirmation->k1->isVisible());
    QVERIFY(!confirmation->k2->isVisible());

    // Only the return button leads back: a close request is refused.
    confirmation->close();
    QVERIFY(confirmation->isVisible());

    pointAt(confirmation->k1);
    QVERIFY(confirmation->k2->isVisible());
    QVERIFY(!confirmation->k1->isVisible());
    pointAt(confirmation, QPoint(2, 2));
    QVERIFY(confirmation->k1->isVisible());
    pointAt(confirmation->k1);
    QTest::mouseClick(confirmation->k2, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!confirmation);
    const QList<Frm1 *> mains = VisibleWindows<Frm1>();
    QCOMPARE(mains.size(), 1);
    QCOMPARE(mains.first()->Text3, QStringLiteral("2"));
    QVERIFY(!mains.first()->Frame10->isVisible());
}

void TestApp::confirmationWindowCarriesTheStoredTheme()
{
    setStored(QStringLiteral("TH"), QStringLiteral("3"));
    Frmskin *confirmation = Frmskin::ShowNew();
    QCOMPARE(confirmation->Skin1->loadedFile(), QStringLiteral("galaxy.skn"));
    QCOMPARE(confirmation->styleSheet(), confirmation->Skin1->styleSheet());
    QVERIFY(!confirmation->styleSheet().isEmpty());
}

void TestApp::exitDialogConfirm_data()
{
    QTest::addColumn<bool>("backup");
    QTest::addColumn<int>("key"); // 0: the mouse
    QTest::addColumn<bool>("onTheBox");
    QTest::newRow("confirm") << false << 0 << false;
    QTest::newRow("confirm with backup ticked") << true << 0 << false;
    QTest::newRow("Enter") << false << int(Qt::Key_Return) << false;
    QTest::newRow("Enter with backup ticked") << true << int(Qt::Key_Return) << false;
    QTest::newRow("Space") << false << int(Qt::Key_Space) << false;
    QTest::newRow("Enter on the box") << true << int(Qt::Key_Return) << true;
}

void TestApp::exitDialogConfirm()
{
    QFETCH(bool, backup);
    QFETCH(int, key);
    QFETCH(bool, onTheBox);
    auto *dialog = new exitpro;
    dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    dialog->Check1->setChecked(backup);
    if (onTheBox)
        dialog->Check1->setFocus(Qt::TabFocusReason);
    if (key) {
        // The keyboard starts on confirm.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    } else {
        pointAt(dialog->k1);
        QTest::mouseClick(dialog->k2, Qt::LeftButton);
    }
    QCOMPARE(VisibleWindows<Frm1>().size(), 0);
    // With the box ticked the backup window takes over, and the program ends only when it
    // closes; the exit dialog stays hidden.
    QCOMPARE(m_ended, !backup);
    const QList<Frmbackup *> backups = VisibleWindows<Frmbackup>();
    QCOMPARE(backups.size(), int(backup));
    if (backup) {
        QVERIFY(!dialog->isVisible());
        backups.first()->close();
        QVERIFY(m_ended);
        QVERIFY(!dialog->isVisible());
    }
}

void TestApp::exitDialogCancel_data()
{
    QTest::addColumn<int>("route");
    QTest::newRow("cancel picture") << 0;
    QTest::newRow("Escape") << 1;
    QTest::newRow("close box") << 2;
    QTest::newRow("Tab, then Enter") << 3;
    QTest::newRow("Tab, the pointer over it, then Space") << 4;
}

void TestApp::exitDialogCancel()
{
    QFETCH(int, route);
    QPointer<exitpro> dialog = new exitpro;
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    const QByteArray before = FileHash(m_folder->databasePath());
    if (route == 0) {
        pointAt(dialog->C1);
        QVERIFY(dialog->C2->isVisible());
        QTest::mouseClick(dialog->C2, Qt::LeftButton);
    } else if (route == 1) {
        QTest::keyClick(dialog, Qt::Key_Escape);
    } else if (route == 2) {
        dialog->close();
    } else {
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        pointAt(dialog, QPoint(3, 3)); // the background: both pictures at rest
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), dialog->C1);
        // Lit under the pointer, the picture keeps the keyboard.
        if (route == 4)
            pointAt(dialog->C1);
        QTest::keyClick(QApplication::focusWidget(), route == 3 ? Qt::Key_Return : Qt::Key_Space);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!dialog);
    QVERIFY(!m_ended);
    const QList<Frm1 *> mains = VisibleWindows<Frm1>();
    QCOMPARE(mains.size(), 1);
    QCOMPARE(mains.first()->Text3, QStringLiteral("2"));
    QCOMPARE(FileHash(m_folder->databasePath()), before);
}

void TestApp::exitDialogPicturesLightUnderThePointer()
{
    auto *dialog = new exitpro;
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QCOMPARE(dialog->Label1->text(), u("آيا براي خروج از برنامه اطمينان داريد"));
    QVERIFY(!dialog->Check1->isChecked());
    // Confirm stands to the right of cancel.
    QVERIFY(dialog->k1->geometry().center().x() > dialog->C1->geometry().center().x());
    const QPoint background(3, 3);
    QCOMPARE(dialog->childAt(background), nullptr);
    for (int round = 0; round < 2; ++round) {
        pointAt(dialog->k1);
        QVERIFY(dialog->k2->isVisible() && !dialog->k1->isVisible());
        pointAt(dialog, background);
        QVERIFY(dialog->k1->isVisible() && !dialog->k2->isVisible());
        QVERIFY(dialog->C1->isVisible() && !dialog->C2->isVisible());
    }
}

void TestApp::exitDialogShowsTheKeyboard()
{
    // The dialog wears the stored theme, and so its focus mark: the control the keyboard is on
    // looks different from the same control without it, all the way round with Tab.
    QFETCH(int, theme);
    setStored(QStringLiteral("TH"), QString::number(theme));
    auto *dialog = new exitpro;
    dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    pointAt(dialog, QPoint(3, 3)); // the background: both pictures at rest
    QVERIFY(!dialog->Skin1->loadedFile().isEmpty());
    QCOMPARE(dialog->styleSheet(), dialog->Skin1->styleSheet());
    const QList<QWidget *> order = {dialog->k1, dialog->C1, dialog->Check1};
    for (int step = 0; step < order.size(); ++step) {
        QWidget *focused = order.at(step);
        QCOMPARE(QApplication::focusWidget(), focused);
        const QImage marked = focused->grab().toImage();
        QTest::keyClick(focused, Qt::Key_Tab);
        QVERIFY2(focused->grab().toImage() != marked, qPrintable(focused->objectName()));
    }
    QCOMPARE(QApplication::focusWidget(), dialog->k1);
}

void TestApp::exitDialogCaptionTakesTurns()
{
    auto *dialog = new exitpro;
    dialog->show();
    QCOMPARE(dialog->windowTitle(), u("تهيه نسخه پشتيبان"));
    QCOMPARE(dialog->Check1->text(), u("تهيه نسخه پشتيبان"));
    QStringList seen;
    QObject::connect(dialog, &QWidget::windowTitleChanged, dialog,
                     [&seen](const QString &title) { seen << title; });
    QTRY_VERIFY_WITH_TIMEOUT(seen.size() >= 3, 3000);
    QCOMPARE(seen.mid(0, 3),
             QStringList({u(" تهيه نسخه پشتيبان"), u("پشتيبان گيري"), u(" تهيه نسخه پشتيبان")}));
    QVERIFY(seen.contains(dialog->Check1->text()));
}

void TestApp::keyboardAlone_data()
{
    QTest::addColumn<bool>("registration");
    QTest::addColumn<QStringList>("order");
    const QStringList buttons = {u("Command1"), u("Command2"),  u("Command3"),
                                 u("Command4"), u("Command11"), u("Command5"),
                                 u("Command9"), u("Command12"), u("Command6")};
    QTest::newRow("panels closed") << false << buttons + QStringList{u("Command13")};
    QTest::newRow("registration open")
        << true << buttons + QStringList{u("Text11"),   u("Text6"),    u("Text4"),     u("Text5"),
                                         u("Combo1"),   u("Text8"),    u("Combo2"),    u("Combo3"),
                                         u("Text7"),    u("Command8"), u("Command10"), u("Text9"),
                                         u("Command13")};
}

void TestApp::keyboardAlone()
{
    QFETCH(bool, registration);
    QFETCH(QStringList, order);
    Frm1 *window = Frm1::ShowNew();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QCOMPARE(QApplication::focusWidget(), window->Command1);
    if (registration) {
        window->registration->open();
        window->Command1->setFocus();
    }
    QStringList reached;
    int hinted = 0;
    do {
        QWidget *focus = QApplication::focusWidget();
        reached << focus->objectName();
        // A main button's hint shows as Tab reaches it, and is read out with it.
        if (!focus->accessibleDescription().isEmpty() && reached.size() > 1) {
            QCOMPARE(window->SkinLabel2->text(), focus->accessibleDescription());
            QVERIFY(window->SkinLabel2->isVisible());
            ++hinted;
        }
        QTest::keyClick(focus, Qt::Key_Tab);
    } while (QApplication::focusWidget() != window->Command1 && reached.size() < 40);
    QCOMPARE(reached, order);
    QCOMPARE(hinted, 4);
    // Enter presses the focused button: register opens the panel, cancel closes it.
    QTest::keyClick(registration ? window->registration->Command10 : window->Command1,
                    Qt::Key_Return);
    QCOMPARE(window->Frame10->isVisible(), !registration);
}

void TestApp::nothingIsClipped_data()
{
    QTest::addColumn<int>("theme");
    for (int theme = 1; theme <= 11; ++theme)
        QTest::newRow(qPrintable(QString::number(theme))) << theme;
}

void TestApp::nothingIsClipped()
{
    QFETCH(int, theme);
    setStored(QStringLiteral("TH"), QString::number(theme));
    setStored(QStringLiteral("Name"), u("مرکز مشاوره‌ی امید"));
    Frm1 *window = Frm1::ShowNew();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    window->registration->open();
    QCOMPARE(window->Command13->width(), window->Command13->height()); // a small square
    window->SkinLabel2->show();
    for (const char *hint : {Frm1Text::Command1Hint, Frm1Text::Command2Hint, Frm1Text::Command4Hint,
                             Frm1Text::Command9Hint}) {
        window->SkinLabel2->setText(u(hint));
        QCOMPARE(Clipped(window), QStringList());
    }
    auto *dialog = new exitpro;
    for (QWidget *other : {static_cast<QWidget *>(new Frmskin), static_cast<QWidget *>(dialog)}) {
        other->show();
        QVERIFY(QTest::qWaitForWindowExposed(other));
        QCOMPARE(Clipped(other), QStringList());
    }
    dialog->Check1->setText(u(exitproText::CaptionA)); // the longer of its two captions
    QCOMPARE(Clipped(dialog), QStringList());
}

void TestApp::windowsFitTheScreen_data()
{
    QTest::addColumn<int>("window");
    QTest::newRow("main window") << 0;
    QTest::newRow("confirmation window") << 1;
    QTest::newRow("exit dialog") << 2;
}

void TestApp::windowsFitTheScreen()
{
    QFETCH(int, window);
    QWidget *shown = window == 0   ? static_cast<QWidget *>(new Frm1)
                     : window == 1 ? static_cast<QWidget *>(new Frmskin)
                                   : static_cast<QWidget *>(new exitpro);
    shown->show();
    QVERIFY(QTest::qWaitForWindowExposed(shown));
    const QRect area = shown->screen()->availableGeometry();
    QVERIFY(area.contains(shown->frameGeometry()));
    // Room for a real title bar and edges as well: about 31 and 8 on Windows, at any scale.
    QVERIFY2(shown->width() + 16 <= area.width() && shown->height() + 40 <= area.height(),
             qPrintable(QStringLiteral("%1 x %2").arg(shown->width()).arg(shown->height())));
}

void TestApp::picturesReactOnlyOverThemselves_data()
{
    QTest::addColumn<bool>("confirmation");
    QTest::addColumn<QString>("rest");
    QTest::addColumn<QString>("lit");
    QTest::newRow("confirmation window, return") << true << u("k1") << u("k2");
    QTest::newRow("exit dialog, confirm") << false << u("k1") << u("k2");
    QTest::newRow("exit dialog, cancel") << false << u("C1") << u("C2");
}

void TestApp::picturesReactOnlyOverThemselves()
{
    QFETCH(bool, confirmation);
    QFETCH(QString, rest);
    QFETCH(QString, lit);
    QPointer<QWidget> window = confirmation ? static_cast<QWidget *>(new Frmskin) : new exitpro;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    auto *atRest = window->findChild<PictureBox *>(rest);
    auto *lighted = window->findChild<PictureBox *>(lit);
    const QRect picture =
        QStyle::alignedRect(Qt::RightToLeft, atRest->alignment(),
                            atRest->pixmap().deviceIndependentSize().toSize(), atRest->rect());
    // Beside the picture, on either side, nothing lights up and a click does nothing.
    for (const int x : {picture.left() - 6, picture.right() + 6}) {
        const QPoint at = atRest->mapTo(window, QPoint(x, picture.center().y()));
        pointAt(window, at);
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, at);
        QVERIFY(window && window->isVisible() && atRest->isVisible() && !lighted->isVisible());
    }
    pointAt(atRest, picture.topLeft() + QPoint(3, 3));
    QVERIFY(lighted->isVisible());
}

QTEST_MAIN(TestApp)
#include "test_app.moc"
