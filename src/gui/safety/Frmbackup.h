#pragma once

#include <QDateTime>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class Cursor;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStackedLayout;
class QTimer;
class QVBoxLayout;
class Skin;

namespace FrmbackupText {
// The window's caption: two blanks before the last word.
inline const char *const Caption = "Back up ...  Reastor";
inline const char *const Choose = "---";
inline const char *const BackUp = "BACKUP";
inline const char *const Restore = "REASTOR";
inline const char *const Help = "راهنما";
inline const char *const Exit = "خروج";
inline const char *const ErrorTitle = "خطا";
inline const char *const EmptyBackupPath = "لطفا مسير تهيه نسخه پشتيبان را وارد کنيد";
inline const char *const Replace =
    "فايل پشتيباني با اين نام قبلا ايجاد شده آيا ميخواهيد اين فايل را جايگزين کنيد؟";
inline const char *const NotBackedUp = "عدم موفقيت در تهيه نسخه پشتيبان";
inline const char *const BackedUp = "نسخه پشتيبان تهيه گرديد";
inline const char *const EmptyRestorePath = "لطفا مسير فايل مربوطه را وارد کنيد";
inline const char *const AskRestore = "آيا ميخواهيد اطلاعات را بازيابي کنيد؟";
// Ends with a blank.
inline const char *const NotRestored = "عدم موفقيت در بازيابي اطلاعات ";
inline const char *const Restored = "بازيابي اطلاعات انجام شد";
// The same for a failed backup and a failed restore.
inline const char *const CopyFailed = "اشکال در ايجاد نسخه پشتيباني";
// A backup's other failures (refused before a byte is copied) stand in a box of this title.
inline const char *const OtherBackupFailureTitle = "Error";
// Follows, with nothing between, the description of a restore's other failure (the database
// held by another program when it was to be replaced).
inline const char *const CloseOtherWindows = "تمامي فرم ها را ببندبد به جز فرم اصلي و اين پنجره";
// On the shared register of a clinic's server the file beside the program holds none of the
// data: the window copies nothing either way.
inline const char *const OnServer =
    "اطلاعات روی سرور پایگاه داده نگه داشته می‌شود، نه در فایل این رایانه: نسخه‌ی پشتیبان آن "
    "روی سرور تهیه و بازیابی می‌شود، نه از اینجا. به فایلی دست زده نشد.";
// The help panel's text: what this window is for and how to use it.
inline const char *const HelpText =
    "اين بخش از برنامه از اطلاعات نسخه پشتيبان تهيه مي‌کند\n"
    "و برنامه را از روي نسخه پشتيبان به حالت قبلي برمي‌گرداند.\n"
    "\n"
    "تهيه نسخه پشتيبان:\n"
    "۱- روي دکمه «---» کنار دکمه BACKUP کليک کنيد.\n"
    "۲- در پنجره‌اي که باز مي‌شود جاي ذخيره را انتخاب کنيد؛\n"
    "    نام پيشنهادي، تاريخ و ساعت امروز را دارد.\n"
    "۳- روي دکمه ذخيره کليک کنيد.\n"
    "۴- روي دکمه BACKUP کليک کنيد.\n"
    "پيام «نسخه پشتيبان تهيه گرديد» يعني کار انجام شد.\n"
    "\n"
    "هر چند وقت يک بار نسخه پشتيبان تهيه کنيد تا اگر اشکالي\n"
    "پيش آمد يا ويندوز دوباره نصب شد، اطلاعات را بازگردانيد.\n"
    "پيش از نصب دوباره ويندوز، نسخه پشتيبان را روي درايوي\n"
    "غير از درايو ويندوز (يا روي حافظه‌اي جدا) نگه داريد.\n"
    "\n"
    "بازيابي اطلاعات:\n"
    "۱- روي دکمه «---» کنار دکمه REASTOR کليک کنيد.\n"
    "۲- آخرين فايل پشتيبان (با پسوند mdbB) را انتخاب کنيد.\n"
    "۳- روي دکمه باز کردن کليک کنيد.\n"
    "۴- روي دکمه REASTOR کليک کنيد و به پرسش بازيابي\n"
    "    پاسخ «بله» دهيد.\n"
    "پيام «بازيابي اطلاعات انجام شد» يعني کار انجام شد.\n"
    "با بازيابي، اطلاعات کنوني جاي خود را به اطلاعات\n"
    "نسخه پشتيبان مي‌دهد. فقط نسخه پشتيبان همين برنامه\n"
    "پذيرفته مي‌شود و فايل ديگري جاي اطلاعات را نمي‌گيرد.\n"
    "\n"
    "مسير فايل را مي‌توانيد در کادر کنار هر دکمه هم بنويسيد.\n"
    "پس از تهيه نسخه پشتيبان يا بازيابي، برنامه بسته مي‌شود.\n"
    "\n"
    "موفق و پيروز باشيد";
} // namespace FrmbackupText

// Backs the database up into a file, or restores it from one, on the way out of the program:
// the exit dialog opens it, and a successful backup or restore, or closing it, ends the program.
// While a copy runs its progress shows under the buttons, the buttons wait and the window cannot
// be closed.
class Frmbackup : public QWidget
{
    Q_OBJECT

public:
    explicit Frmbackup(QWidget *parent = nullptr);

    // Creates the window, deleting itself when closed, and shows it.
    static Frmbackup *ShowNew();

    // For tests: the clock the window reads (the date when it opens, the time every second); an
    // empty function restores the system's clock.
    static void SetClock(std::function<QDateTime()> clock);

    Cursor *Adodc1; // Theme
    QString Text3;  // the stored theme number
    Skin *Skin1;
    QLabel *Label1;               // today's date
    QLabel *Label2;               // the clock
    QLabel *Label3;               // the date of opening, for the default backup name (not shown)
    QLineEdit *Text1;             // where the backup goes
    QPushButton *b1;              // chooses it
    QPushButton *VisualButtonEx2; // BACKUP
    QLineEdit *Text2;             // the backup to restore
    QPushButton *b2;              // chooses it
    QPushButton *VisualButtonEx3; // REASTOR
    QProgressBar *ProgressBar1;   // the copy's progress, while one runs
    QPushButton *Command3;        // shows the help panel
    QPushButton *Command1;        // exit: ends the program
    QFrame *Frame1;               // the help panel
    QPlainTextEdit *Text4;        // the help text
    QPushButton *Command2;        // hides the help panel
    QTimer *Timer1;               // refreshes the clock

    void chooseBackupFile();  // b1
    void chooseRestoreFile(); // b2
    void backUp();            // VisualButtonEx2
    void restore();           // VisualButtonEx3
    void showHelp();          // Command3
    void hideHelp();          // Command2

    bool isCopying() const { return m_copying; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildWidgets();
    // The parts of the window, in the order of their making.
    void buildMainPage();
    void buildPaths(QVBoxLayout *page);
    void buildHelpPanel();
    void showClock();
    // A path as typed: a bare name or a relative path is taken in the backup folder.
    QString typedPath(const QLineEdit *box) const;
    void setCopying(bool copying);
    void showProgress(qint64 copied, qint64 total);
    void showCopyFailure(const QString &failure);
    void showBackupRefusal(const QString &failure);
    void showRestoreRefusal(const QString &failure);
    // On the server's register: says that nothing is copied from here, and is true.
    bool refusedOnServer();

    QStackedLayout *m_pages = nullptr;
    QWidget *m_mainPage = nullptr;
    QSize m_mainSize;
    bool m_copying = false;
    QPointer<QWidget> m_focusBeforeCopy;
};
