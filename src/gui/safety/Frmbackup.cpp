#include "safety/Frmbackup.h"

#include "backup/Backup.h"
#include "common/ApplyStoredTheme.h"
#include "common/Dialogs.h"
#include "common/ProgramEnd.h"
#include "common/ProgramFolder.h"
#include "common/ScreenPlacement.h"
#include "common/Skin.h"
#include "common/SolarHijriDate.h"
#include "common/Text.h"
#include "common/WindowPieces.h"
#include "data/Cursor.h"
#include "data/Database.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStackedLayout>
#include <QTextDocument>
#include <QTextOption>
#include <QTimer>
#include <QVBoxLayout>

namespace {
std::function<QDateTime()> &windowClock()
{
    static std::function<QDateTime()> instance;
    return instance;
}

QDateTime now()
{
    return windowClock() ? windowClock()() : QDateTime::currentDateTime();
}

// Both file dialogs show backup files only.
QString dialogFilter()
{
    return QStringLiteral("Database Backup (*%1)").arg(QLatin1String(Backup::FileExtension));
}

QLineEdit *pathBox(const QString &name, QWidget *parent)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    // A path reads left to right, whatever language its names are in.
    box->setLayoutDirection(Qt::LeftToRight);
    return box;
}
} // namespace

Frmbackup::Frmbackup(QWidget *parent)
    : QWidget(parent), Adodc1(new Cursor(QStringLiteral("Theme"), this)), Skin1(new Skin(this)),
      Timer1(new QTimer(this))
{
    setObjectName(QStringLiteral("Frmbackup"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(text(FrmbackupText::Caption));
    Text3 = QStringLiteral("1");
    Cursor::OpenEach({Adodc1});
    Text3 = Adodc1->field(QStringLiteral("TH"));
    buildWidgets();

    // Opening: the stored theme, the clock, and today's date, kept for the backup's name.
    ApplyStoredTheme(Skin1, this, Text3);
    showClock();
    Label1->setText(SolarHijriDateText(now().date(), 4));
    Label3->setText(Label1->text());
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &Frmbackup::showClock);
    Timer1->start();

    ensurePolished();
    m_mainSize = sizeHint();
    setFixedSize(m_mainSize);
    PlaceOnScreen(this);
    Text1->setFocus();
}

Frmbackup *Frmbackup::ShowNew()
{
    auto *window = new Frmbackup;
    window->show();
    window->activateWindow();
    return window;
}

void Frmbackup::SetClock(std::function<QDateTime()> newClock)
{
    windowClock() = std::move(newClock);
}

void Frmbackup::buildWidgets()
{
    m_pages = new QStackedLayout(this);
    buildMainPage();
    buildHelpPanel();
    m_pages->setCurrentWidget(m_mainPage);
    EnterPressesFocusedButton(this);

    connect(b1, &QPushButton::clicked, this, &Frmbackup::chooseBackupFile);
    connect(b2, &QPushButton::clicked, this, &Frmbackup::chooseRestoreFile);
    connect(VisualButtonEx2, &QPushButton::clicked, this, &Frmbackup::backUp);
    connect(VisualButtonEx3, &QPushButton::clicked, this, &Frmbackup::restore);
    connect(Command3, &QPushButton::clicked, this, &Frmbackup::showHelp);
    connect(Command2, &QPushButton::clicked, this, &Frmbackup::hideHelp);
    connect(Command1, &QPushButton::clicked, this, &QWidget::close);

    // Tab goes as the eye reads: each path, its chooser, its action; then help and exit.
    QWidget::setTabOrder(Text1, b1);
    QWidget::setTabOrder(b1, VisualButtonEx2);
    QWidget::setTabOrder(VisualButtonEx2, Text2);
    QWidget::setTabOrder(Text2, b2);
    QWidget::setTabOrder(b2, VisualButtonEx3);
    QWidget::setTabOrder(VisualButtonEx3, Command3);
    QWidget::setTabOrder(Command3, Command1);
    QWidget::setTabOrder(Command1, Text4);
    QWidget::setTabOrder(Text4, Command2);
}

void Frmbackup::buildMainPage()
{
    m_mainPage = new QWidget(this);
    m_mainPage->setObjectName(QStringLiteral("MainPage"));
    auto *page = new QVBoxLayout(m_mainPage);
    page->setContentsMargins(16, 12, 16, 14);
    page->setSpacing(10);

    // The date on the right, the clock on the left.
    auto *top = new QHBoxLayout;
    Label1 = new QLabel(m_mainPage);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = new QLabel(m_mainPage);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label3 = new QLabel(m_mainPage);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->hide();
    for (QLabel *label : {Label1, Label2}) {
        label->setTextFormat(Qt::PlainText);
        QFont font = label->font();
        font.setPointSizeF(font.pointSizeF() * 1.15);
        font.setBold(true);
        label->setFont(font);
        // Digits and points in their order, not turned about by the right-to-left window.
        label->setLayoutDirection(Qt::LeftToRight);
    }
    top->addWidget(Label1);
    top->addStretch();
    top->addWidget(Label2);
    page->addLayout(top);

    buildPaths(page);

    // Under the buttons; it keeps its place while hidden, so nothing moves when a copy starts.
    ProgressBar1 = new QProgressBar(m_mainPage);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    KeepPlaceWhenHidden(ProgressBar1);
    ProgressBar1->hide();
    page->addWidget(ProgressBar1);

    auto *bottom = new QHBoxLayout;
    Command3 = MakeButton(QStringLiteral("Command3"), FrmbackupText::Help, m_mainPage);
    Command1 = MakeButton(QStringLiteral("Command1"), FrmbackupText::Exit, m_mainPage);
    bottom->addWidget(Command3);
    bottom->addStretch();
    bottom->addWidget(Command1);
    page->addLayout(bottom);
    m_pages->addWidget(m_mainPage);
}

void Frmbackup::buildPaths(QVBoxLayout *page)
{
    // The backup's path and the restore's, each with its chooser and its action.
    auto *paths = new QGridLayout;
    paths->setHorizontalSpacing(6);
    paths->setVerticalSpacing(10);
    Text1 = pathBox(QStringLiteral("Text1"), m_mainPage);
    b1 = MakeButton(QStringLiteral("b1"), FrmbackupText::Choose, m_mainPage);
    VisualButtonEx2 =
        MakeButton(QStringLiteral("VisualButtonEx2"), FrmbackupText::BackUp, m_mainPage);
    Text2 = pathBox(QStringLiteral("Text2"), m_mainPage);
    b2 = MakeButton(QStringLiteral("b2"), FrmbackupText::Choose, m_mainPage);
    VisualButtonEx3 =
        MakeButton(QStringLiteral("VisualButtonEx3"), FrmbackupText::Restore, m_mainPage);
    // Right to left: the action button, then the path with its chooser beside it.
    paths->addWidget(VisualButtonEx2, 0, 0);
    paths->addWidget(Text1, 0, 1);
    paths->addWidget(b1, 0, 2);
    paths->addWidget(VisualButtonEx3, 1, 0);
    paths->addWidget(Text2, 1, 1);
    paths->addWidget(b2, 1, 2);
    paths->setColumnStretch(1, 1);
    const int pathWidth = Text1->fontMetrics().averageCharWidth() * 56;
    Text1->setMinimumWidth(pathWidth);
    Text2->setMinimumWidth(pathWidth);
    page->addLayout(paths);
}

void Frmbackup::buildHelpPanel()
{
    // The help panel takes the window's place while it is shown.
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto *help = new QVBoxLayout(Frame1);
    help->setContentsMargins(16, 12, 16, 14);
    help->setSpacing(8);
    Text4 = new QPlainTextEdit(Frame1);
    Text4->setObjectName(QStringLiteral("Text4"));
    Text4->setReadOnly(true);
    // Read from the right, each line flush with the right edge.
    QTextOption reading = Text4->document()->defaultTextOption();
    reading.setTextDirection(Qt::RightToLeft);
    reading.setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
    Text4->document()->setDefaultTextOption(reading);
    Text4->setPlainText(text(FrmbackupText::HelpText));
    Text4->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Text4->setTabChangesFocus(true);
    Command2 = MakeButton(QStringLiteral("Command2"), FrmbackupText::Exit, Frame1);
    help->addWidget(Text4, 1);
    help->addWidget(Command2, 0, Qt::AlignLeft);
    m_pages->addWidget(Frame1);
}

void Frmbackup::showClock()
{
    Label2->setText(Backup::ClockText(now().time()));
}

QString Frmbackup::typedPath(const QLineEdit *box) const
{
    QString typed = box->text().trimmed();
    // A path copied from the file manager may come in quotes.
    if (typed.size() >= 2 && typed.startsWith(u'"') && typed.endsWith(u'"'))
        typed = typed.mid(1, typed.size() - 2).trimmed();
    if (typed.isEmpty())
        return {};
    return QDir::cleanPath(QDir(BackupFolderPath()).absoluteFilePath(typed));
}

void Frmbackup::chooseBackupFile()
{
    // The name follows the clock each time; the date stays that of opening.
    QDir().mkpath(BackupFolderPath());
    const QString offered =
        QDir(BackupFolderPath()).filePath(Backup::DefaultFileName(Label3->text(), Label2->text()));
    // The replace question is ours, asked once when the backup is made.
    const QString chosen = AskSaveFileName(this, text(FrmbackupText::Caption), offered,
                                           dialogFilter(), ReplaceQuestion::ByCaller);
    if (!chosen.isEmpty())
        Text1->setText(QDir::toNativeSeparators(Backup::WithFileExtension(chosen)));
}

void Frmbackup::chooseRestoreFile()
{
    QDir().mkpath(BackupFolderPath());
    const QString chosen =
        AskOpenFileName(this, text(FrmbackupText::Caption), BackupFolderPath(), dialogFilter());
    if (!chosen.isEmpty())
        Text2->setText(QDir::toNativeSeparators(chosen));
}

void Frmbackup::backUp()
{
    if (m_copying || refusedOnServer())
        return;
    const QString destination = Backup::WithFileExtension(typedPath(Text1));
    if (destination.isEmpty()) {
        ShowMessage(this, text(FrmbackupText::EmptyBackupPath), text(FrmbackupText::ErrorTitle),
                    QMessageBox::Warning);
        return;
    }
    // A destination that may not be written is refused before the user is asked anything.
    const QString refusal = Backup::BackupDestinationRefusal(DatabaseFilePath(), destination);
    if (!refusal.isEmpty()) {
        showBackupRefusal(refusal);
        return;
    }
    if (QFileInfo(destination).isFile() &&
        !AskYesNo(this, text(FrmbackupText::Replace), QString(), QMessageBox::NoIcon)) {
        ShowMessage(this, text(FrmbackupText::NotBackedUp), QString(), QMessageBox::Information);
        return;
    }
    // A bare name goes into the backup folder, made when missing as the file dialog makes it.
    if (QFileInfo(destination).absolutePath() == QDir(BackupFolderPath()).absolutePath())
        QDir().mkpath(BackupFolderPath());
    QPointer<Frmbackup> alive(this);
    setCopying(true);
    const Result made =
        Backup::BackUpDatabase(DatabaseFilePath(), destination,
                               [this](qint64 done, qint64 total) { showProgress(done, total); });
    if (!alive)
        return;
    setCopying(false);
    if (made.is(Failure::NotCopied)) {
        showCopyFailure(made.description());
        return;
    }
    if (!made) {
        showBackupRefusal(made.description());
        return;
    }
    ShowMessage(this, text(FrmbackupText::BackedUp), QString(), QMessageBox::NoIcon);
    EndProgram();
}

void Frmbackup::restore()
{
    if (m_copying || refusedOnServer())
        return;
    const QString source = typedPath(Text2);
    if (source.isEmpty()) {
        ShowMessage(this, text(FrmbackupText::EmptyRestorePath), text(FrmbackupText::ErrorTitle),
                    QMessageBox::Warning);
        return;
    }
    if (!AskYesNo(this, text(FrmbackupText::AskRestore), QString(), QMessageBox::NoIcon)) {
        ShowMessage(this, text(FrmbackupText::NotRestored), QString(), QMessageBox::NoIcon);
        return;
    }
    QPointer<Frmbackup> alive(this);
    setCopying(true);
    // The window's own cursor lets go of the database with the program's connection; nothing
    // reads through it again.
    const Result restored =
        Backup::RestoreDatabase(source, DatabaseFilePath(),
                                [this](qint64 done, qint64 total) { showProgress(done, total); });
    if (!alive)
        return;
    setCopying(false);
    if (restored.is(Failure::NotCopied)) {
        showCopyFailure(restored.description());
        return;
    }
    if (!restored) {
        showRestoreRefusal(restored.description());
        return;
    }
    ShowMessage(this, text(FrmbackupText::Restored), QString(), QMessageBox::NoIcon);
    EndProgram();
}

bool Frmbackup::refusedOnServer()
{
    if (!IsServerRegister())
        return false;
    ShowMessage(this, text(FrmbackupText::OnServer), text(FrmbackupText::ErrorTitle),
                QMessageBox::Warning);
    return true;
}

void Frmbackup::showCopyFailure(const QString &failure)
{
    ShowMessage(this, text(FrmbackupText::CopyFailed) + u'\n' + failure, QString(),
                QMessageBox::Critical);
}

void Frmbackup::showBackupRefusal(const QString &failure)
{
    ShowMessage(this, failure, text(FrmbackupText::OtherBackupFailureTitle), QMessageBox::NoIcon);
}

void Frmbackup::showRestoreRefusal(const QString &failure)
{
    ShowMessage(this, failure + text(FrmbackupText::CloseOtherWindows),
                text(FrmbackupText::ErrorTitle), QMessageBox::Warning);
}

void Frmbackup::setCopying(bool copying)
{
    m_copying = copying;
    if (copying)
        m_focusBeforeCopy = focusWidget();
    for (QWidget *widget :
         {static_cast<QWidget *>(b1), static_cast<QWidget *>(b2),
          static_cast<QWidget *>(VisualButtonEx2), static_cast<QWidget *>(VisualButtonEx3),
          static_cast<QWidget *>(Command3), static_cast<QWidget *>(Command1)})
        widget->setEnabled(!copying);
    Text1->setReadOnly(copying);
    Text2->setReadOnly(copying);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setVisible(copying);
    // The button that started the copy has the focus again when it ends.
    if (!copying && m_focusBeforeCopy)
        m_focusBeforeCopy->setFocus();
}

void Frmbackup::showProgress(qint64 copied, qint64 total)
{
    // Every byte copied, the copy still waits for the disk (and a restore checks it): the bar
    // says it is busy rather than standing still at the end.
    if (copied >= total)
        ProgressBar1->setRange(0, 0);
    else
        ProgressBar1->setValue(int(copied * 100 / total));
}

void Frmbackup::showHelp()
{
    // The window grows to show half the help at a time, as far as the screen has room.
    const QRect area = screen()->availableGeometry();
    const int room = area.height() - UsualWindowFrame.top() - UsualWindowFrame.bottom();
    const int wanted = Text4->fontMetrics().lineSpacing() * 15 + Command2->sizeHint().height() +
                       2 * Text4->frameWidth() + 40;
    setFixedSize(m_mainSize.width(), qBound(m_mainSize.height(), wanted, room));
    m_pages->setCurrentWidget(Frame1);
    if (!area.contains(frameGeometry()))
        PlaceOnScreen(this);
    Command2->setFocus();
}

void Frmbackup::hideHelp()
{
    m_pages->setCurrentWidget(m_mainPage);
    setFixedSize(m_mainSize);
    Command3->setFocus();
}

void Frmbackup::keyPressEvent(QKeyEvent *event)
{
    // Escape leaves the help panel; it never clears a path or closes the window.
    if (event->key() == Qt::Key_Escape) {
        if (Frame1->isVisible())
            hideHelp();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Frmbackup::closeEvent(QCloseEvent *event)
{
    // A copy runs to its end: the program ends only with a backup whole or not begun.
    if (m_copying) {
        event->ignore();
        return;
    }
    event->accept();
    EndProgram();
}
