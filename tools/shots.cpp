// korvat-shots: renders the program's windows to PNG files, for looking at them without a
// display. Run with QT_SCALE_FACTOR=1.5 to see them at 150 %.
//     korvat-shots OUTPUT-FOLDER
#include "Must.h"
#include "Seed.h"
#include "TestProgramFolder.h"
#include "administration/FrmTest.h"
#include "app/Frm1.h"
#include "app/Frm1Text.h"
#include "appearance/Frmskin.h"
#include "appearance/SettingsPanels.h"
#include "common/Dialogs.h"
#include "common/PictureBox.h"
#include "common/ProgramEnd.h"
#include "common/ProgramFolder.h"
#include "common/ProgramLook.h"
#include "common/Skin.h"
#include "data/Cursor.h"
#include "data/Database.h"
#include "data/ServerSettings.h"
#include "records/FrmCode.h"
#include "registration/RegistrationPanel.h"
#include "reports/ReportActions.h"
#include "reports/ReportPreview.h"
#include "themes/ThemeCatalogue.h"

#include "backup/Backup.h"
#include "info/About.h"
#include "info/Frmravansanji.h"
#include "safety/Frmbackup.h"
#include "safety/exitpro.h"
#include "scoring/FrmkLID.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>

namespace {
void save(QWidget *window, const QString &path)
{
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        std::fprintf(stderr, "not exposed: %s\n", qPrintable(path));
    QCoreApplication::processEvents();
    window->grab().save(path);
    std::printf("%s\n", qPrintable(path));
}

// A window as it is while a click's save waits for another program that holds the file: the
// window with the notice drawn over it, as the screen shows them. The other program then lets go.
void saveWhileWaiting(QWidget *window, QAbstractButton *click, const QString &path)
{
    QSqlDatabase other =
        QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("holder"));
    other.setDatabaseName(QSqlDatabase::database().databaseName());
    other.setConnectOptions(QSqlDatabase::database().connectOptions());
    if (other.open() && QSqlQuery(other).exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        QTimer grab; // gone with this function, so that it never fires after it
        grab.setSingleShot(true);
        QObject::connect(&grab, &QTimer::timeout, window, [&] {
            QPixmap shot = window->grab();
            for (QWidget *top : QApplication::topLevelWidgets())
                if (top->objectName() == QStringLiteral("WaitNotice") && top->isVisible()) {
                    QPainter painter(&shot);
                    painter.drawPixmap(window->mapFromGlobal(top->pos()), top->grab());
                }
            shot.save(path);
            QSqlQuery(other).exec(QStringLiteral("ROLLBACK"));
        });
        grab.start(300);
        click->click();
    }
    other.close();
    other = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("holder"));
}

void fillRegistration(Frm1 *window)
{
    window->registration->Text11->setText(QStringLiteral("K-1403-017"));
    window->registration->Text6->setText(QString::fromUtf8("سارا"));
    window->registration->Text4->setText(QString::fromUtf8("محمدی‌نژاد"));
    window->registration->Text5->setText(QStringLiteral("11"));
    window->registration->Combo1->setCurrentIndex(0);
    window->registration->Combo2->setCurrentIndex(1);
    window->registration->Combo3->setCurrentIndex(2);
    window->registration->Text7->setText(QString::fromUtf8("پنجم دبستان"));
    // A fixed date and time, so that two runs give the same pictures.
    window->registration->Text8->setText(QStringLiteral("1403/02/17"));
    window->registration->Text9->setText(QStringLiteral("10:30:00"));
}

QString u(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// Every widget kind the skin template styles, as the coming windows will use them: option
// buttons in a captioned frame, a check box, a grid with its header, a list, number boxes, a
// progress bar and a message box's buttons.
QWidget *widgetKinds()
{
    auto *window = new QWidget;
    auto *grid = new QGridLayout(window);
    auto *frame = new QGroupBox(QStringLiteral("12"), window);
    auto *options = new QVBoxLayout(frame);
    for (const char *caption : {"هرگز", "بندرت", "گاهي اوقات", "اغلب اوقات", "هميشه"})
        options->addWidget(new QRadioButton(u(caption), frame));
    options->itemAt(2)->widget()->setProperty("checked", true);
    grid->addWidget(frame, 0, 0, 2, 1);

    auto *table = new QTableWidget(6, 4, window);
    table->setHorizontalHeaderLabels({u("کد"), u("نام"), u("نام خانوادگي"), u("گروه")});
    const char *const rows[][4] = {{"K-1", "سارا", "محمدی", "A"}, {"K-2", "علی", "رضایی", "B"},
                                   {"K-3", "مریم", "کریمی", "A"}, {"K-4", "رضا", "احمدی", "C"},
                                   {"K-5", "زهرا", "نوری", "D"},  {"K-6", "حسن", "موسوی", "G"}};
    for (int row = 0; row < 6; ++row)
        for (int column = 0; column < 4; ++column)
            table->setItem(row, column, new QTableWidgetItem(u(rows[row][column])));
    table->setAlternatingRowColors(true);
    table->selectRow(1);
    table->setFixedSize(330, 150);
    grid->addWidget(table, 0, 1);

    auto *list = new QListWidget(window);
    for (const char *group : {"A", "B", "C", "D", "E", "F", "G"})
        list->addItem(QString::fromLatin1(group));
    list->setCurrentRow(2);
    list->setFixedSize(120, 150);
    grid->addWidget(list, 0, 2);

    auto *boxes = new QHBoxLayout;
    auto *number = new QSpinBox(window);
    number->setRange(1, 56);
    number->setValue(12);
    auto *age = new QLineEdit(QStringLiteral("11"), window);
    age->setAlignment(Qt::AlignCenter);
    age->setMaximumWidth(60);
    auto *check = new QCheckBox(u("تهيه نسخه پشتيبان"), window);
    check->setChecked(true);
    auto *disabled = new QPushButton(u("قبلي"), window);
    disabled->setEnabled(false);
    boxes->addWidget(number);
    boxes->addWidget(age);
    boxes->addWidget(check);
    boxes->addWidget(disabled);
    grid->addLayout(boxes, 1, 1, 1, 2);

    auto *progress = new QProgressBar(window);
    progress->setValue(60);
    grid->addWidget(progress, 2, 0, 1, 3);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Yes | QDialogButtonBox::No, window);
    grid->addWidget(buttons, 3, 0, 1, 3);
    return window;
}

// A subject half way through the test, and a long statement to show among the short ones.
const char *const SubjectCode = "K-1403-017";
void prepareTestRun()
{
    Cursor subjects(QStringLiteral("IDE"));
    must(subjects.open());
    must(subjects.add());
    const char *const details[][2] = {{"Code", SubjectCode},
                                      {"FName", "سارا"},
                                      {"LName", "محمدی‌نژاد"},
                                      {"Sen", "11"},
                                      {"Jens", "زن"},
                                      {"Taahol", "مجرد"},
                                      {"Tahsil", "پنجم دبستان"},
                                      {"Group", "C"},
                                      {"Date", "1403/02/17"},
                                      {"Time", "10:30:00"}};
    for (const auto &field : details)
        must(subjects.setField(QLatin1String(field[0]), u(field[1])));
    must(subjects.save());
    Cursor answers(QStringLiteral("Answer"));
    must(answers.open());
    must(answers.add());
    must(answers.setField(QStringLiteral("Code"), u(SubjectCode)));
    for (int n = 1; n <= 23; ++n)
        must(answers.setField(QString::number(n), QString::number(1 + n % 5)));
    must(answers.save());
    Cursor bank(QStringLiteral("QU"));
    must(bank.filter(QStringLiteral("ID"), QStringLiteral("24")));
    must(bank.setField(
        QStringLiteral("QUs"),
        u("وقتی در زنگ تفریح بچه‌های کلاس بازی تازه‌ای را شروع می‌کنند و من هنوز "
          "قانون‌های آن را نمی‌دانم، از یکی از آن‌ها می‌خواهم که بازی را برایم توضیح "
          "بدهد و بعد با حوصله منتظر نوبتم می‌مانم.")));
    must(bank.save());
}

void storeTheme(int theme)
{
    Cursor settings(QStringLiteral("Theme"));
    must(settings.open());
    must(settings.setField(QStringLiteral("TH"), QString::number(theme)));
    must(settings.setField(QStringLiteral("Name"),
                           QString::fromUtf8("مرکز مشاوره‌ی امید")));
    must(settings.save());
}
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ApplyProgramLook(app);
    LoadQtTranslation();
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    out.mkpath(QStringLiteral("."));
    TestProgramFolder folder;
    if (!folder.isValid() || !folder.openDatabase().isEmpty() || !SeedSubjects(5))
        return 1;
    prepareTestRun();
    // The backup window at a fixed moment, over a database large enough to watch it copy; a
    // finished backup does not end this program.
    Frmbackup::SetClock([] { return QDateTime(QDate(2014, 10, 7), QTime(9, 5)); });
    ProgramEndHooks::SetHandler([] {});
    QSqlQuery().exec(QStringLiteral("CREATE TABLE shots_pad (b BLOB)"));
    QSqlQuery().exec(QStringLiteral("INSERT INTO shots_pad VALUES (randomblob(60000000))"));

    for (int theme = 1; theme <= ThemeCatalogue::SkinFiles().size(); ++theme) {
        storeTheme(theme);
        const QString number = QStringLiteral("%1").arg(theme, 2, 10, QChar(u'0'));
        auto *window = new Frm1;
        // A hint, as when the pointer rests on the scoring button.
        window->SkinLabel2->show();
        window->SkinLabel2->setText(QString::fromUtf8(" جهت کليد گذاري روي اين دکمه کليک مي کنيد"));
        save(window, out.filePath(QStringLiteral("Frm1-theme%1.png").arg(number)));
        window->Text3 = QStringLiteral("1");
        delete window;

        {
            // The test window before and after its start, on statement 24 (the long one).
            FrmTest test;
            test.FilterToSubject(nullptr, u(SubjectCode));
            save(&test, out.filePath(QStringLiteral("FrmTest-before-theme%1.png").arg(number)));
            test.Command1Click();
            test.Text6->setText(QStringLiteral("24"));
            test.Option4->setFocus(Qt::TabFocusReason);
            save(&test, out.filePath(QStringLiteral("FrmTest-after-theme%1.png").arg(number)));
            test.Text6->setText(QStringLiteral("7"));
            save(&test, out.filePath(QStringLiteral("FrmTest-answered-theme%1.png").arg(number)));
            if (number == QStringLiteral("03") || number == QStringLiteral("09"))
                saveWhileWaiting(
                    &test, test.Option2->isChecked() ? test.Option1 : test.Option2,
                    out.filePath(QStringLiteral("FrmTest-waiting-theme%1.png").arg(number)));
            test.hide();
        }

        auto *confirmation = new Frmskin;
        save(confirmation, out.filePath(QStringLiteral("Frmskin-theme%1.png").arg(number)));
        delete confirmation;

        // The registration panel, filled in.
        window = new Frm1;
        window->show();
        window->registration->open();
        fillRegistration(window);
        save(window, out.filePath(QStringLiteral("registration-theme%1.png").arg(number)));
        // What a keyboard user sees on a button, a text box and a list.
        const QList<QPair<QString, QWidget *>> focused = {
            {QStringLiteral("button"), window->registration->Command8},
            {QStringLiteral("text"), window->registration->Text11},
            {QStringLiteral("list"), window->registration->Combo1}};
        for (const auto &[kind, widget] : focused) {
            // Reached with the Tab key, as a keyboard user would: Qt marks keyboard focus only
            // then.
            window->activateWindow();
            widget->setFocus(Qt::OtherFocusReason);
            QTest::keyClick(widget, Qt::Key_Tab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
            QCoreApplication::processEvents();
            window->Frame10->grab().save(
                out.filePath(QStringLiteral("focus-%1-theme%2.png").arg(kind, number)));
        }
        window->Text3 = QStringLiteral("1");
        delete window;

        // The settings panel with the themes panel beside it, then with the clinic panel, and an
        // error box over the window.
        window = new Frm1;
        window->show();
        window->settings->openThemes();
        save(window, out.filePath(QStringLiteral("themes-theme%1.png").arg(number)));
        window->settings->openClinic();
        window->settings->Text14->setText(
            u("تهران، خیابان آزادی، کوچه‌ی سوم، پلاک ۱۲"));
        save(window, out.filePath(QStringLiteral("clinic-theme%1.png").arg(number)));
        QTimer::singleShot(300, window, [&out, number] {
            if (QWidget *box = QApplication::activeModalWidget()) {
                const QString name =
                    out.filePath(QStringLiteral("message-theme%1.png").arg(number));
                box->grab().save(name);
                std::printf("%s\n", qPrintable(name));
                box->close();
            }
        });
        ShowMessage(window,
                    WriteFailure(QSqlError(QStringLiteral("database is locked"),
                                           QStringLiteral("database is locked"),
                                           QSqlError::TransactionError, QStringLiteral("5")))
                        .description(),
                    QString(), QMessageBox::Critical);
        window->Text3 = QStringLiteral("1");
        delete window;

        auto *kinds = widgetKinds();
        Skin skin;
        skin.LoadSkinFile(ThemeCatalogue::SkinFiles().at(theme - 1));
        skin.SkinWindow(kinds);
        save(kinds, out.filePath(QStringLiteral("kinds-theme%1.png").arg(number)));
        delete kinds;

        // The questionnaire introduction, over the main window, as the program opens it.
        {
            auto *owner = new Frm1;
            auto *introduction = new Frmravansanji(owner);
            save(introduction,
                 out.filePath(QStringLiteral("Frmravansanji-theme%1.png").arg(number)));
            owner->Text3 = QStringLiteral("1");
            delete owner;
        }

        // The scoring window with a subject scored, and with its help open.
        auto *scoring = new FrmkLID;
        scoring->show();
        DialogHooks::Enable();
        DialogHooks::SetTimedDelay(0);
        DialogHooks::PresetAnswer(QStringLiteral("S3"));
        scoring->scoreSubject();
        DialogHooks::Disable();
        save(scoring, out.filePath(QStringLiteral("FrmkLID-theme%1.png").arg(number)));
        scoring->Command2->click();
        save(scoring, out.filePath(QStringLiteral("FrmkLID-help-theme%1.png").arg(number)));
        delete scoring;

        // The backup window: at rest with a path chosen, its help panel, and half-way through
        // a backup of a large database, progress bar and waiting buttons.
        auto *backup = new Frmbackup;
        backup->Text1->setText(
            QDir::toNativeSeparators(QDir(BackupFolderPath())
                                         .filePath(Backup::DefaultFileName(
                                             backup->Label3->text(), backup->Label2->text()))));
        save(backup, out.filePath(QStringLiteral("Frmbackup-theme%1.png").arg(number)));
        QTimer halfWay;
        bool taken = false;
        QObject::connect(&halfWay, &QTimer::timeout, backup, [&] {
            if (!taken && backup->isCopying() && backup->ProgressBar1->value() >= 45) {
                taken = true;
                save(backup,
                     out.filePath(QStringLiteral("Frmbackup-copying-theme%1.png").arg(number)));
            }
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                box->buttons().first()->click();
        });
        halfWay.start(0);
        backup->backUp();
        halfWay.stop();
        QFile::remove(QDir::fromNativeSeparators(backup->Text1->text()));
        backup->showHelp();
        save(backup, out.filePath(QStringLiteral("Frmbackup-help-theme%1.png").arg(number)));
        delete backup;

        // The exit dialog as it opens, the keyboard on confirm, and with Tab gone on to cancel.
        auto *dialog = new exitpro;
        save(dialog, out.filePath(QStringLiteral("exitpro-theme%1.png").arg(number)));
        dialog->activateWindow();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        save(dialog, out.filePath(QStringLiteral("exitpro-cancel-theme%1.png").arg(number)));
        delete dialog;

        // The subject browser with 30 subjects (the 5 above and 25 more), narrowed to group C.
        if (theme == 1 && !SeedSubjects(25, QStringLiteral("K-")))
            return 1;
        auto *browser = new FrmCode;
        browser->show();
        browser->fillNameLists();
        browser->Combo3->setEditText(QStringLiteral("C"));
        browser->filterByGroup(QStringLiteral("C"));
        browser->Text5->setText(QStringLiteral("S9"));
        save(browser, out.filePath(QStringLiteral("FrmCode-theme%1.png").arg(number)));
        delete browser;
    }

    // The plain look: a stored theme with no skin file.
    storeTheme(0);
    auto *plain = new Frm1;
    plain->show();
    plain->registration->open();
    fillRegistration(plain);
    save(plain, out.filePath(QStringLiteral("registration-plain.png")));
    auto *plainIntroduction = new Frmravansanji(plain);
    save(plainIntroduction, out.filePath(QStringLiteral("Frmravansanji-plain.png")));
    plain->Text3 = QStringLiteral("1");
    delete plain;

    // Qt's own boxes and dialogs, over a skinned window: their buttons and labels are Qt's.
    storeTheme(9);
    auto *owner = new Frm1;
    owner->show();
    // The program's own question and error boxes, caught while they wait for an answer.
    auto catchBox = [&](const QString &name, QMessageBox::StandardButton answer) {
        QTimer::singleShot(300, owner, [&out, name, answer] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            box->grab().save(out.filePath(name));
            std::printf("%s\n", qPrintable(out.filePath(name)));
            box->button(answer)->click();
        });
    };
    catchBox(QStringLiteral("question.png"), QMessageBox::No);
    AskYesNo(owner, u("آيا براي خروج از برنامه اطمينان داريد"), QStringLiteral("Korvat"));
    QSqlError busy(QStringLiteral("database is locked"), QStringLiteral("database is locked"),
                   QSqlError::TransactionError, QStringLiteral("5"));
    catchBox(QStringLiteral("write-failed.png"), QMessageBox::Ok);
    ShowMessage(owner, WriteFailure(busy).description(), QString(), QMessageBox::Critical);
    // A clinic's server: the password box at start, with a password half typed, and the start-up
    // box for a server that cannot be reached, with the server library's own reason.
    QTimer::singleShot(300, owner, [&out] {
        auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        dialog->setTextValue(QStringLiteral("secret-1403"));
        dialog->grab().save(out.filePath(QStringLiteral("server-password.png")));
        std::printf("%s\n", qPrintable(out.filePath(QStringLiteral("server-password.png"))));
        dialog->reject();
    });
    AskPassword(nullptr,
                QString::fromUtf8(Frm1Text::ServerPasswordPrompt)
                    .arg(QStringLiteral("db.clinic.local:5432/korvat")),
                QString::fromUtf8(Frm1Text::ServerPasswordTitle));
    {
        QTemporaryDir clinic;
        QDir(clinic.path()).mkpath(QStringLiteral("DBKORVAT"));
        const QString database =
            QDir(clinic.path()).filePath(QStringLiteral("DBKORVAT/DBKorvat.mdb"));
        WriteFile(ServerSettingsPath(database),
                  "[server]\nhost=db.clinic.invalid\ndatabase=korvat\nuser=sara\n");
        const Result unreachable = OpenDatabase(database);
        catchBox(QStringLiteral("server-unreachable.png"), QMessageBox::Ok);
        ShowMessage(nullptr, unreachable.description(), QString(), QMessageBox::Critical);
        must(folder.openDatabase().isEmpty()
                 ? Result()
                 : Result::Failed(Failure::Other, QStringLiteral("reopen")));
    }
    // The scoring window's refusal for a subject who has answered nothing yet: all 56 listed.
    {
        Cursor answers(QStringLiteral("Answer"));
        must(answers.open());
        must(answers.add());
        must(answers.setField(QStringLiteral("Code"), QStringLiteral("K-new")));
        must(answers.save());
        auto *scoring = new FrmkLID;
        scoring->show();
        DialogHooks::Enable();
        DialogHooks::PresetAnswer(QStringLiteral("K-new"));
        catchBox(QStringLiteral("scoring-unanswered.png"), QMessageBox::Ok);
        scoring->scoreSubject();
        DialogHooks::Disable();
        delete scoring;
    }
    auto *files =
        new QFileDialog(owner, u("بازيابي اطلاعات"), folder.path(), QStringLiteral("*.mdbB"));
    files->setOption(QFileDialog::DontUseNativeDialog);
    save(files, out.filePath(QStringLiteral("file-dialog.png")));
    owner->Text3 = QStringLiteral("1");
    delete owner;

    // About keeps its own look under every theme: over a light and a dark main window, at three
    // moments of its animation.
    for (const int theme : {1, 3}) {
        storeTheme(theme);
        auto *main = new Frm1;
        auto *about = new About(main);
        for (QTimer *timer : {about->Timer1, about->Timer10, about->Timer3})
            timer->stop();
        const QString name = QStringLiteral("About-theme%1-%2.png").arg(theme, 2, 10, QChar(u'0'));
        save(about, out.filePath(name.arg(QStringLiteral("opening"))));
        for (int tick = 0; tick < 90; ++tick)
            about->scrollCredits();
        for (int tick = 0; tick < 300; ++tick)
            about->assembleSentence();
        for (int tick = 0; tick < 2; ++tick)
            about->changeColours();
        save(about, out.filePath(name.arg(QStringLiteral("later"))));
        for (int tick = 0; tick < 160; ++tick)
            about->scrollCredits();
        for (int tick = 0; tick < 1000; ++tick)
            about->assembleSentence();
        for (int tick = 0; tick < 3; ++tick)
            about->changeColours();
        save(about, out.filePath(name.arg(QStringLiteral("assembled"))));
        main->Text3 = QStringLiteral("1");
        delete main;
    }

    auto *dialog = new exitpro;
    save(dialog, out.filePath(QStringLiteral("exitpro.png")));
    dialog->k2->show();
    dialog->k1->hide();
    save(dialog, out.filePath(QStringLiteral("exitpro-confirm-lit.png")));
    delete dialog;

    // The reports' previews, and their pages as PDF (pdftoppm turns them into pictures).
    {
        Cursor subjects(QStringLiteral("IDE"));
        must(subjects.open());
        const QString scores[][2] = {{QStringLiteral("BPosetive"), QStringLiteral("61")},
                                     {QStringLiteral("Conterlo"), QStringLiteral("30")},
                                     {QStringLiteral("Etminan"), QStringLiteral("33")},
                                     {QStringLiteral("neyaz"), QStringLiteral("17")},
                                     {QStringLiteral("self"), QStringLiteral("25")},
                                     {QStringLiteral("Kol"), QStringLiteral("166")}};
        for (const auto &score : scores)
            must(subjects.setField(score[0], score[1]));
        must(subjects.save());
        const QString address = QString::fromUtf8("تهران، خیابان انقلاب، کوچه بهار، پلاک ۱۲");
        ReportPreview *list =
            PrintAllSubjects(nullptr, &subjects, QString::fromUtf8("مرکز مشاوره نمونه"), address);
        ReportPreview *sheet = PrintSelectedSubject(
            nullptr, QStringLiteral("S0"), QString::fromUtf8("مرکز مشاوره نمونه"), address);
        if (!list || !sheet)
            return 1;
        save(list, out.filePath(QStringLiteral("preview-list.png")));
        list->savePdf(out.filePath(QStringLiteral("results-list.pdf")));
        save(sheet, out.filePath(QStringLiteral("preview-sheet.png")));
        sheet->savePdf(out.filePath(QStringLiteral("result-sheet.pdf")));
        delete list;
        delete sheet;
    }
    return 0;
}
