#pragma once

#include "common/Result.h"
#include <QDialog>

#include <QString>
#include <QVector>

class Cursor;
class FieldBinder;
class QButtonGroup;
class QCheckBox;
class QFrame;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTimer;
class QVBoxLayout;
class Skin;
class SkinLabel;

// The test window: one subject answers the 56 statements, one at a time. The statement shown is
// the number in the box Text6; every way of moving (start, previous, next, a typed number, the
// bounds) sets that box, and its change handler does the rest. An answer goes into the file the
// moment it is chosen, so that no answer given is ever lost; the subject's details are stored
// only by save and exit.
class FrmTest : public QDialog
{
    Q_OBJECT

public:
    explicit FrmTest(QWidget *parent = nullptr);

    // The main window's run-test button: asks for a subject code, finds the subject and runs the
    // test window over the main window until it is closed.
    static void Run(QWidget *mainWindow);
    // Steps of Run: the answers and details cursors filtered to the subject with that code.
    // False, after saying so to the user over owner, when no subject has it.
    bool FilterToSubject(QWidget *owner, const QString &code);

    // Where the user's own choices for this window are kept (not in the database).
    static QString SettingsFile();

    void Command1Click(); // start
    void CmdBackClick();
    void CmdNextClick();
    void Command5Click(); // save and exit
    void Command2Click(); // exit
    void CmdUnansweredClick();

    // The chosen option into the answer box and at once into the file, the statement's direction
    // applied.
    void WriteAnswer();
    // The current statement's stored answer as the selected option.
    void ShowAnswer();

    // The number of the 56 statements the subject has answered.
    int AnsweredCount() const;

    Cursor *Adodc1; // Theme: the theme number
    Cursor *Adodc2; // Answer: the subject's row, filtered by the run-test button
    Cursor *Adodc3; // IDE: the subject's row, filtered by the run-test button
    Cursor *Adodc4; // Answer, whole
    Cursor *Adodc5; // IDE, whole
    Cursor *Adodc6; // QU: one statement at a time
    QString Text2;  // the stored theme number
    Skin *Skin1;

    SkinLabel *SkinLabel3; // title
    SkinLabel *SkinLabel4; // instructions
    SkinLabel *SkinLabel5; // note
    SkinLabel *SkinLabel6; // answer legend
    QPushButton *Command1; // start
    QPushButton *Command2; // exit
    QPushButton *Command5; // save and exit
    QPushButton *CmdBack;
    QPushButton *CmdNext;
    QLineEdit *Text6;    // the statement number
    SkinLabel *SkinLbl5; // the statement, large
    QLabel *Lbl1;        // the statement as the question bank gives it; never shown
    QGroupBox *Frame2;   // the options, captioned with the statement number
    QRadioButton *Option1;
    QRadioButton *Option2;
    QRadioButton *Option3;
    QRadioButton *Option4;
    QRadioButton *Option5;
    QLineEdit *Text12; // the answer of the current statement; never shown
    QFrame *Frame1;    // the subject's details
    SkinLabel *SkinLbl;
    SkinLabel *SkinLabel1;
    QVector<SkinLabel *> SkinLabel2;
    QLineEdit *Text1;  // code
    QLineEdit *Text3;  // first name
    QLineEdit *Text4;  // last name
    QLineEdit *Text10; // gender
    QLineEdit *Text5;  // age
    QLineEdit *Text11; // marital status
    QLineEdit *Text7;  // education
    QLineEdit *Text8;  // date
    QLineEdit *Text9;  // time

    QCheckBox *ChkAutoNext;     // go on to the next statement after an answer
    QProgressBar *PrgAnswered;  // how many statements are answered
    QPushButton *CmdUnanswered; // the next statement without an answer
    QTimer *TmrAutoNext;        // the pause before going on by itself

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void reject() override;

private:
    void buildWidgets();
    // The parts of the window, in the order of their making.
    void buildIntro(QGridLayout *root);
    void buildRunPage(QGridLayout *root);
    void buildOptions(QVBoxLayout *run);
    void buildMoves(QVBoxLayout *run);
    void buildDetails(QGridLayout *root);
    void buildButtons(QGridLayout *root);
    void fitToLook();
    void Text6Change();
    // The number in Text6, read as every number of the program is read, as a whole number.
    int statementNumber() const;
    void loadStatement(int n);
    void bindAnswerBox(int n);
    QRadioButton *option(int number) const;
    void clearOptions();
    // The answer row into the file; says why not when it cannot. True when it is there.
    bool saveAnswers();
    // The answer row into the file, in the subject's row only; what went wrong, if anything.
    Result writeAnswers();
    // Shows a failure, once in a move of the user's.
    void tellFailure(const QString &description);
    void chooseOption(int number);
    void answerChosen();
    void showProgress();
    void autoAdvance();
    bool isRunning() const;

    // One move of the user's (a button, a key, a typed number, an answer), however many saves it
    // makes: a refused save is told once in it.
    class Move
    {
    public:
        explicit Move(FrmTest *window);
        ~Move();
        Move(const Move &) = delete;
        Move &operator=(const Move &) = delete;

    private:
        FrmTest *m_window;
    };

    FieldBinder *m_details;
    FieldBinder *m_answer;
    FieldBinder *m_statement;
    QButtonGroup *m_options;
    QWidget *m_intro;
    QWidget *m_run;
    int m_shown = 0;      // the statement on screen, whose answer Text12 is bound to
    int m_answeredAt = 0; // the statement answered last, for the pause before going on
    bool m_started = false;
    bool m_closing = false;
    int m_moves = 0;            // moves running, nested
    bool m_failureTold = false; // a refused save was told in the running move
};
