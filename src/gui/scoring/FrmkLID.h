#pragma once

#include <QString>
#include <QVector>
#include <QWidget>

class Cursor;
class FieldBinder;
class QFrame;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class Skin;
class SkinLabel;

// The scoring window: the examiner enters a subject's code, sees the 56 stored answers and the
// five subscale scores with the total, and the scores are stored with the subject. Closing it by
// any means brings a new main window.
//
// The two print buttons belong to the reports: they reach the window through the public members
// below (the buttons, the cursors they print from, the clinic's name and address) and through
// scoredCode() and clearScoredCode().
class FrmkLID : public QWidget
{
    Q_OBJECT

public:
    explicit FrmkLID(QWidget *parent = nullptr);

    // Creates the window, deleting itself when closed, and shows it.
    static FrmkLID *ShowNew();

    // The scoring action (Command1): asks for a code, checks the answers, computes and stores
    // the six scores.
    void scoreSubject();

    // Text5: the code of the subject whose scores were last stored here; empty when the window
    // opens and until a scoring succeeds. A refused or failed scoring leaves it as it was.
    QString scoredCode() const { return m_scoredCode; }
    // Printing the result sheet empties it again.
    void clearScoredCode() { m_scoredCode.clear(); }

    Cursor *Adodc1; // Theme: the theme number and the clinic's name and address
    Cursor *Adodc2; // Answer: the answers of the subject being scored
    Cursor *Adodc3; // IDE: the subject shown in the subject panel; the result sheet's rows
    Cursor *Adodc5; // IDE: the subject whose scores are written
    Cursor *Adodc6; // IDE: every subject, never filtered; the results list's rows
    QString Text1;  // the stored theme number
    QString Text13; // the clinic's name, as stored when the window opened
    QString Text16; // the clinic's address, as stored when the window opened
    Skin *Skin1;

    QFrame *Frame5; // the subject panel
    QLineEdit *Text15;
    QLineEdit *Text3; // first name
    QLineEdit *Text12;
    QLineEdit *Text10;
    QLineEdit *Text6;
    QLineEdit *Text11;
    QLineEdit *Text7;
    QLineEdit *Text8;
    QLineEdit *Text9;

    QFrame *Frame1;        // the button bar
    QPushButton *Command1; // select a subject and score
    QPushButton *Command6; // print the selected subject (the reports connect it)
    QPushButton *Command3; // print all subjects (the reports connect it)
    QPushButton *Command2; // help
    QPushButton *Command4; // exit

    QFrame *Frame3;            // the results panel
    QVector<QLineEdit *> Txt3; // Txt3[i - 1]: the answer to statement i
    QLineEdit *Text2;          // BPosetive
    QLineEdit *Text4;          // Conterlo
    QLineEdit *Text14;         // Etminan
    QLineEdit *Text17;         // neyaz
    QLineEdit *Text18;         // self
    QLineEdit *Txt6;           // Kol

    QFrame *Frame2; // the help panel, over the middle of the window
    QPlainTextEdit *Text21;
    QPushButton *Command7; // close the help

signals:
    // The six scores of a subject are in the file.
    void scored(const QString &code);

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildSubjectPanel();
    void buildButtonBar();
    void buildResultsPanel();
    void buildHelpPanel();
    void fitToLook();
    void showHelp();
    void hideHelp();
    // A read the file refused: the results panel goes and the user is told.
    void readFailed();
    // The score boxes in the order of the scoring key's subscales.
    QVector<QLineEdit *> scoreBoxes() const;

    FieldBinder *m_subjectBinder; // Frame5 on Adodc3
    FieldBinder *m_answerBinder;  // Txt3 on Adodc2
    FieldBinder *m_scoreBinder;   // the score boxes on Adodc5
    QString m_scoredCode;         // Text5
};
