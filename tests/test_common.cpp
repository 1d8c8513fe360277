// The timed notice and the other boxes every window uses.
#include "ModalAnswer.h"
#include "Windows.h"
#include "common/Dialogs.h"
#include "common/ProgramLook.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <functional>

namespace {
// Shows a text in one of the boxes.
using ShowText = std::function<void(const QString &)>;
} // namespace

class TestCommon : public QObject
{
    Q_OBJECT

private slots:
    void init() { DialogHooks::Disable(); }
    void timedMessageLooksAsItShould();
    void timedMessageClosesItself_data();
    void timedMessageClosesItself();
    void timedMessageClosedEarlyPressesNothingLater();
    void yesNoQuestion_data();
    void yesNoQuestion();
    void textInputCancelGivesEmptyText();
    void fileDialogsAreQtsOwn();
    void presetAnswersSkipTheBoxes();
    void qtTranslation_data();
    void qtTranslation();
    void textsAreShownAsTheirCharacters_data();
    void textsAreShownAsTheirCharacters();
};

void TestCommon::timedMessageLooksAsItShould()
{
    QWidget owner;
    owner.show();
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::Warning;
    QList<QAbstractButton *> buttons;
    QWidget *parent = nullptr;
    bool modal = false;
    AnswerNextModal([&](QWidget *widget) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        QVERIFY(box);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = box->buttons();
        parent = box->parentWidget();
        modal = box->isModal();
        QCOMPARE(box->layoutDirection(), Qt::RightToLeft);
        box->button(QMessageBox::Ok)->click(); // the user closes it early
    });
    QElapsedTimer clock;
    clock.start();
    ShowTimedMessage(&owner, QString::fromUtf8("شما بايد عدد وارد كنيد"));
    QVERIFY(clock.elapsed() < 900);
    QCOMPARE(title, QString::fromUtf8("پيام"));
    QVERIFY(title.contains(QChar(0x064A))); // the Arabic yeh, not the Persian one
    QCOMPARE(text, QString::fromUtf8("شما بايد عدد وارد كنيد"));
    QCOMPARE(icon, QMessageBox::NoIcon);
    QCOMPARE(buttons.size(), 1);
    QCOMPARE(parent, &owner);
    QVERIFY(modal);
}

void TestCommon::timedMessageClosesItself_data()
{
    QTest::addColumn<int>("delay");
    QTest::newRow("one second") << 1000;
    QTest::newRow("two seconds, for printing") << 2000;
}

void TestCommon::timedMessageClosesItself()
{
    QFETCH(int, delay);
    QWidget owner;
    owner.show();
    QElapsedTimer clock;
    clock.start();
    ShowTimedMessage(&owner, QStringLiteral("x"), delay);
    const qint64 elapsed = clock.elapsed();
    QVERIFY2(elapsed >= delay - 50 && elapsed < delay + 1500, qPrintable(QString::number(elapsed)));
    QVERIFY(!QApplication::activeModalWidget());
}

void TestCommon::timedMessageClosedEarlyPressesNothingLater()
{
    QWidget owner;
    owner.show();
    AnswerNextModal([](QWidget *box) { qobject_cast<QMessageBox *>(box)->accept(); });
    ShowTimedMessage(&owner, QStringLiteral("closed by the user"));

    // The next box is a question that nobody answers: the first box's tick, due now, must not
    // press its default button.
    bool stillOpen = false;
    AnswerNextModal([&](QWidget *question) {
        QTimer::singleShot(1500, question, [&, question] {
            stillOpen = question->isVisible();
            qobject_cast<QMessageBox *>(question)->button(QMessageBox::No)->click();
        });
    });
    const bool answer = AskYesNo(&owner, QStringLiteral("?"));
    QVERIFY(stillOpen);
    QVERIFY(!answer);
}

void TestCommon::yesNoQuestion_data()
{
    QTest::addColumn<QMessageBox::StandardButton>("button");
    QTest::addColumn<bool>("expected");
    QTest::newRow("yes") << QMessageBox::Yes << true;
    QTest::newRow("no") << QMessageBox::No << false;
}

void TestCommon::yesNoQuestion()
{
    QFETCH(QMessageBox::StandardButton, button);
    QFETCH(bool, expected);
    QString title;
    AnswerNextModal([&](QWidget *widget) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        title = box->windowTitle();
        QCOMPARE(box->buttons().size(), 2);
        box->button(button)->click();
    });
    QCOMPARE(AskYesNo(nullptr, QString::fromUtf8("آيا مطمئن هستيد؟")), expected);
    QCOMPARE(title, QStringLiteral("Korvat"));
}

void TestCommon::textInputCancelGivesEmptyText()
{
    AnswerNextModal([](QWidget *widget) {
        auto *dialog = qobject_cast<QInputDialog *>(widget);
        QCOMPARE(dialog->windowTitle(), QString::fromUtf8(" کد آزمودني را وارد کنيد"));
        QCOMPARE(dialog->labelText(), QStringLiteral(" Enter Number "));
        dialog->setTextValue(QStringLiteral("typed"));
        dialog->reject();
    });
    QCOMPARE(AskText(nullptr, QStringLiteral(" Enter Number "),
                     QString::fromUtf8(" کد آزمودني را وارد کنيد")),
             QString());

    // What the user typed comes back exactly, blanks and all.
    AnswerNextModal([](QWidget *widget) {
        auto *dialog = qobject_cast<QInputDialog *>(widget);
        dialog->setTextValue(QString::fromUtf8(" کد ۱۲ "));
        dialog->accept();
    });
    QCOMPARE(AskText(nullptr, QStringLiteral("p"), QStringLiteral("t")),
             QString::fromUtf8(" کد ۱۲ "));
}

void TestCommon::fileDialogsAreQtsOwn()
{
    QTemporaryDir dir;
    const QString wanted = dir.filePath(QStringLiteral("copy.mdbB"));
    AnswerNextModal([&](QWidget *widget) {
        auto *dialog = qobject_cast<QFileDialog *>(widget);
        QVERIFY(dialog);
        QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
        dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(wanted);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    QCOMPARE(AskSaveFileName(nullptr, QStringLiteral("Save"), dir.path(),
                             QStringLiteral("Backup (*.mdbB)")),
             wanted);

    AnswerNextModal([](QWidget *widget) { qobject_cast<QDialog *>(widget)->reject(); });
    QCOMPARE(AskOpenFileName(nullptr, QStringLiteral("Open"), dir.path(),
                             QStringLiteral("Backup (*.mdbB)")),
             QString());
}

void TestCommon::presetAnswersSkipTheBoxes()
{
    DialogHooks::Enable();
    DialogHooks::SetTimedDelay(0);
    DialogHooks::PresetAnswer(true);
    DialogHooks::PresetAnswer(QStringLiteral("C-7"));
    QVERIFY(AskYesNo(nullptr, QStringLiteral("q")));
    QCOMPARE(AskText(nullptr, QStringLiteral("p"), QStringLiteral("t")), QStringLiteral("C-7"));
    QElapsedTimer clock;
    clock.start();
    ShowTimedMessage(nullptr, QStringLiteral("n"));
    QVERIFY(clock.elapsed() < 500);
    const QList<DialogHooks::Shown> shown = DialogHooks::TakeShown();
    QCOMPARE(shown.size(), 3);
    QCOMPARE(shown.at(2).title, QString::fromUtf8("پيام"));
    QCOMPARE(shown.at(2).text, QStringLiteral("n"));
    QVERIFY(DialogHooks::TakeShown().isEmpty());
    DialogHooks::Disable();
}

void TestCommon::qtTranslation_data()
{
    QTest::addColumn<bool>("installed");
    QTest::newRow("Qt's Persian") << true;
    QTest::newRow("no translation to be found") << false;
}

void TestCommon::qtTranslation()
{
    QFETCH(bool, installed);
    QTemporaryDir empty;
    QTranslator *translator =
        LoadQtTranslation(installed ? QtTranslationFolders() : QStringList{empty.path()});
    if (installed && !translator)
        QSKIP("Qt's Persian (qtbase_fa.qm, Debian package qt6-translations-l10n) is not installed");
    QCOMPARE(translator != nullptr, installed);
    auto persian = [](const QString &text) {
        return std::any_of(text.cbegin(), text.cend(),
                           [](QChar c) { return c.unicode() >= 0x0600 && c.unicode() <= 0x06ff; });
    };

    // Qt's buttons speak Persian; the title and text the program gives stay exactly as given.
    QString title;
    QString text;
    QString yes;
    QString no;
    AnswerNextModal([&](QWidget *widget) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        QVERIFY(box);
        title = box->windowTitle();
        text = box->text();
        yes = box->button(QMessageBox::Yes)->text();
        no = box->button(QMessageBox::No)->text();
        box->button(QMessageBox::Yes)->click();
    });
    const bool answer =
        AskYesNo(nullptr, QString::fromUtf8(" آيا مطمئن هستيد؟ "), QStringLiteral("Korvat"));
    QString label;
    QString ok;
    AnswerNextModal([&](QWidget *widget) {
        auto *dialog = qobject_cast<QInputDialog *>(widget);
        QVERIFY(dialog);
        label = dialog->labelText();
        ok = dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->text();
        dialog->reject();
    });
    AskText(nullptr, QStringLiteral(" Enter Number "), QString::fromUtf8("کد"));
    QFileDialog files(nullptr, QString::fromUtf8("بازيابي اطلاعات"));
    files.setOption(QFileDialog::DontUseNativeDialog);
    const QString lookIn = files.findChild<QLabel *>(QStringLiteral("lookInLabel"))->text();
    const QString preview = QPrintPreviewDialog().windowTitle();
    if (translator) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }

    QVERIFY(answer);
    QCOMPARE(title, QStringLiteral("Korvat"));
    QCOMPARE(text, QString::fromUtf8(" آيا مطمئن هستيد؟ "));
    QCOMPARE(label, QStringLiteral(" Enter Number "));
    QCOMPARE(files.windowTitle(), QString::fromUtf8("بازيابي اطلاعات"));
    if (installed) {
        for (const QString &qts : {yes, no, ok, lookIn, preview})
            QVERIFY2(persian(qts), qPrintable(qts));
    } else {
        QCOMPARE(yes, QStringLiteral("&Yes"));
        QCOMPARE(no, QStringLiteral("&No"));
        QCOMPARE(ok, QStringLiteral("OK"));
        QCOMPARE(lookIn, QStringLiteral("Look in:"));
        QCOMPARE(preview, QStringLiteral("Print Preview"));
    }
}

void TestCommon::textsAreShownAsTheirCharacters_data()
{
    QTest::addColumn<ShowText>("show");
    QTest::newRow("timed notice") << ShowText(
        [](const QString &text) { ShowTimedMessage(nullptr, text, 5000); });
    QTest::newRow("message") << ShowText([](const QString &text) { ShowMessage(nullptr, text); });
    QTest::newRow("question") << ShowText([](const QString &text) { AskYesNo(nullptr, text); });
    QTest::newRow("input box") << ShowText(
        [](const QString &text) { AskText(nullptr, text, QStringLiteral("t")); });
}

void TestCommon::textsAreShownAsTheirCharacters()
{
    QFETCH(ShowText, show);
    // A path or a typed code may look like markup; it is shown as it is.
    const QString text = QString::fromUtf8("/home/<b>مریم</b>/&amp;");
    QString shown;
    AnswerNextModal([&](QWidget *widget) {
        for (QLabel *label : widget->findChildren<QLabel *>())
            if (label->isVisible() && label->text().contains(QStringLiteral("<b>")))
                shown = ShownText(label);
        qobject_cast<QDialog *>(widget)->done(0);
    });
    show(text);
    QCOMPARE(shown, text);
}

QTEST_MAIN(TestCommon)
#include "test_common.moc"
