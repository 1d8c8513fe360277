// The main window, the confirmation window and the exit dialog, driven as a user drives them.
#include "GuiTest.h"
#include "Seed.h"
#include "Text.h"
#include "UserInput.h"
#include "Windows.h"
#include "app/Frm1.h"
#include "app/Frm1Text.h"
#include "appearance/Frmskin.h"
#include "common/Dialogs.h"
#include "common/PictureBox.h"
#include "common/Skin.h"
#include "data/Cursor.h"
#include "registration/RegistrationPanel.h"
#include "safety/Frmbackup.h"
#include "safety/exitpro.h"

#include <QCheckBox>
#include <QFrame>
#include <QLayout>
#include <QPushButton>
#include <QtTest>

#include <functional>

namespace {
// What a user does to an exit dialog on screen.
using DialogStep = std::function<void(exitpro *)>;

// A key pressed where the keyboard is.
DialogStep key(Qt::Key key)
{
    return [key](exitpro *) { QTest::keyClick(QApplication::focusWidget(), key); };
}

// Tab from the background onto cancel; then, the pointer over it or not, a key.
DialogStep tabToCancel(bool pointer, Qt::Key then)
{
    return [pointer, then](exitpro *dialog) {
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        PointAt(dialog, QPoint(3, 3)); // the background: both pictures at rest
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), dialog->C1);
        // Lit under the pointer, the picture keeps the keyboard.
        if (pointer)
            PointAt(dialog->C1);
        QTest::keyClick(QApplication::focusWidget(), then);
    };
}

using MakeWindow = std::function<QWidget *()>;
} // namespace

class TestApp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_gui.beginRun()); }
    void init() { QCOMPARE(m_gui.begin(), QString()); }
    void cleanup() { m_gui.end(); }

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
    GuiTest m_gui;
};

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
            captions << button->objectName() + u'=' + button->text();
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
    QVERIFY(StoreSetting(QStringLiteral("Name"), u("مرکز مشاوره‌ی «امید»")));
    Frm1 *window = Frm1::ShowNew();
    QCOMPARE(window->SkinLabel1->text(), u("مرکز مشاوره‌ی «امید»"));
}

void TestApp::clinicHeadingShowsMarkupAsItsCharacters()
{
    const QString name = u("<b>امید</b> &amp; <i>نو</i>");
    QVERIFY(StoreSetting(QStringLiteral("Name"), name));
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

    PointAt(window->Command1);
    QVERIFY(hint->isVisible());
    QCOMPARE(hint->text(), u(Frm1Text::Command1Hint));
    QVERIFY(hint->text().startsWith(u' '));

    // Straight onto a button without a hint: the last hint stays.
    PointAt(window->Command5);
    QVERIFY(hint->isVisible());
    QCOMPARE(hint->text(), u(Frm1Text::Command1Hint));

    PointAt(window->Frame7, bareColumn);
    QVERIFY(!hint->isVisible());
    QCOMPARE(hint->text(), QString());

    PointAt(window->Command4);
    QCOMPARE(hint->text(), u(Frm1Text::Command4Hint));
    QVERIFY(hint->text().contains(u("روي  اين"))); // the double blank is kept
    PointAt(window->Command2);
    QVERIFY(hint->text().endsWith(u' '));
    PointAt(window->Command9);
    QCOMPARE(hint->text(), u(Frm1Text::Command9Hint));
    // The empty area where the panels open is bare window as well.
    PointAt(window->findChild<QWidget *>(QStringLiteral("PanelArea")));
    QVERIFY(!hint->isVisible());

    PointAt(window->Command3);
    PointAt(window, bareWindow);
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
    QCOMPARE(CountInFile(m_gui.databasePath(), QStringLiteral("IDE")), 0);
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

    PointAt(confirmation->k1);
    QVERIFY(confirmation->k2->isVisible());
    QVERIFY(!confirmation->k1->isVisible());
    PointAt(confirmation, QPoint(2, 2));
    QVERIFY(confirmation->k1->isVisible());
    ClickPicture(confirmation->k1, confirmation->k2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!confirmation);
    Frm1 *main = OnlyVisible<Frm1>();
    QVERIFY(main);
    QCOMPARE(main->Text3, QStringLiteral("2"));
    QVERIFY(!main->Frame10->isVisible());
}

void TestApp::confirmationWindowCarriesTheStoredTheme()
{
    QVERIFY(StoreSetting(QStringLiteral("TH"), QStringLiteral("3")));
    Frmskin *confirmation = Frmskin::ShowNew();
    QCOMPARE(confirmation->Skin1->loadedFile(), QStringLiteral("galaxy.skn"));
    QCOMPARE(confirmation->styleSheet(), confirmation->Skin1->styleSheet());
    QVERIFY(!confirmation->styleSheet().isEmpty());
}

void TestApp::exitDialogConfirm_data()
{
    QTest::addColumn<bool>("backup");
    QTest::addColumn<DialogStep>("confirm"); // the keyboard starts on confirm
    QTest::addColumn<bool>("onTheBox");
    const DialogStep mouse = [](exitpro *dialog) { ClickPicture(dialog->k1, dialog->k2); };
    QTest::newRow("confirm") << false << mouse << false;
    QTest::newRow("confirm with backup ticked") << true << mouse << false;
    QTest::newRow("Enter") << false << key(Qt::Key_Return) << false;
    QTest::newRow("Enter with backup ticked") << true << key(Qt::Key_Return) << false;
    QTest::newRow("Space") << false << key(Qt::Key_Space) << false;
    QTest::newRow("Enter on the box") << true << key(Qt::Key_Return) << true;
}

void TestApp::exitDialogConfirm()
{
    QFETCH(bool, backup);
    QFETCH(DialogStep, confirm);
    QFETCH(bool, onTheBox);
    auto *dialog = new exitpro;
    QVERIFY(ShowOnScreen(dialog, true));
    dialog->Check1->setChecked(backup);
    if (onTheBox)
        dialog->Check1->setFocus(Qt::TabFocusReason);
    confirm(dialog);
    QCOMPARE(VisibleWindows<Frm1>().size(), 0);
    // With the box ticked the backup window takes over, and the program ends only when it
    // closes; the exit dialog stays hidden.
    QCOMPARE(m_gui.programEnded(), !backup);
    const QList<Frmbackup *> backups = VisibleWindows<Frmbackup>();
    QCOMPARE(backups.size(), int(backup));
    if (backup) {
        QVERIFY(!dialog->isVisible());
        backups.first()->close();
        QVERIFY(m_gui.programEnded());
        QVERIFY(!dialog->isVisible());
    }
}

void TestApp::exitDialogCancel_data()
{
    QTest::addColumn<DialogStep>("cancel");
    QTest::newRow("cancel picture") << DialogStep([](exitpro *dialog) {
        PointAt(dialog->C1);
        QVERIFY(dialog->C2->isVisible());
        QTest::mouseClick(dialog->C2, Qt::LeftButton);
    });
    QTest::newRow("Escape") << DialogStep(
        [](exitpro *dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
    QTest::newRow("close box") << DialogStep([](exitpro *dialog) { dialog->close(); });
    QTest::newRow("Tab, then Enter") << tabToCancel(false, Qt::Key_Return);
    QTest::newRow("Tab, the pointer over it, then Space") << tabToCancel(true, Qt::Key_Space);
}

void TestApp::exitDialogCancel()
{
    QFETCH(DialogStep, cancel);
    QPointer<exitpro> dialog = new exitpro;
    QVERIFY(ShowOnScreen(dialog));
    const QByteArray before = FileHash(m_gui.databasePath());
    cancel(dialog);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!dialog);
    QVERIFY(!m_gui.programEnded());
    Frm1 *main = OnlyVisible<Frm1>();
    QVERIFY(main);
    QCOMPARE(main->Text3, QStringLiteral("2"));
    QCOMPARE(FileHash(m_gui.databasePath()), before);
}

void TestApp::exitDialogPicturesLightUnderThePointer()
{
    auto *dialog = new exitpro;
    QVERIFY(ShowOnScreen(dialog));
    QCOMPARE(dialog->Label1->text(), u("آيا براي خروج از برنامه اطمينان داريد"));
    QVERIFY(!dialog->Check1->isChecked());
    // Confirm stands to the right of cancel.
    QVERIFY(dialog->k1->geometry().center().x() > dialog->C1->geometry().center().x());
    const QPoint background(3, 3);
    QCOMPARE(dialog->childAt(background), nullptr);
    for (int round = 0; round < 2; ++round) {
        PointAt(dialog->k1);
        QVERIFY(dialog->k2->isVisible() && !dialog->k1->isVisible());
        PointAt(dialog, background);
        QVERIFY(dialog->k1->isVisible() && !dialog->k2->isVisible());
        QVERIFY(dialog->C1->isVisible() && !dialog->C2->isVisible());
    }
}

void TestApp::exitDialogShowsTheKeyboard()
{
    // The dialog wears the stored theme, and so its focus mark: the control the keyboard is on
    // looks different from the same control without it, all the way round with Tab.
    QFETCH(int, theme);
    QVERIFY(StoreSetting(QStringLiteral("TH"), QString::number(theme)));
    auto *dialog = new exitpro;
    QVERIFY(ShowOnScreen(dialog, true));
    PointAt(dialog, QPoint(3, 3)); // the background: both pictures at rest
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
    QVERIFY(StoreSetting(QStringLiteral("TH"), QString::number(theme)));
    QVERIFY(StoreSetting(QStringLiteral("Name"), u("مرکز مشاوره‌ی امید")));
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
        QVERIFY(ShowOnScreen(other));
        QCOMPARE(Clipped(other), QStringList());
    }
    dialog->Check1->setText(u(exitproText::CaptionA)); // the longer of its two captions
    QCOMPARE(Clipped(dialog), QStringList());
}

void TestApp::windowsFitTheScreen_data()
{
    QTest::addColumn<MakeWindow>("make");
    QTest::newRow("main window") << MakeWindow([]() -> QWidget * { return new Frm1; });
    QTest::newRow("confirmation window") << MakeWindow([]() -> QWidget * { return new Frmskin; });
    QTest::newRow("exit dialog") << MakeWindow([]() -> QWidget * { return new exitpro; });
}

void TestApp::windowsFitTheScreen()
{
    QFETCH(MakeWindow, make);
    QWidget *shown = make();
    QVERIFY(ShowOnScreen(shown));
    QCOMPARE(Misfit(shown), QString());
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
    QVERIFY(ShowOnScreen(window));
    auto *atRest = window->findChild<PictureBox *>(rest);
    auto *lighted = window->findChild<PictureBox *>(lit);
    const QRect picture =
        QStyle::alignedRect(Qt::RightToLeft, atRest->alignment(),
                            atRest->pixmap().deviceIndependentSize().toSize(), atRest->rect());
    // Beside the picture, on either side, nothing lights up and a click does nothing.
    for (const int x : {picture.left() - 6, picture.right() + 6}) {
        const QPoint at = atRest->mapTo(window, QPoint(x, picture.center().y()));
        PointAt(window, at);
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, at);
        QVERIFY(window && window->isVisible() && atRest->isVisible() && !lighted->isVisible());
    }
    PointAt(atRest, picture.topLeft() + QPoint(3, 3));
    QVERIFY(lighted->isVisible());
}

QTEST_MAIN(TestApp)
#include "test_app.moc"
