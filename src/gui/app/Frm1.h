#pragma once

#include <QString>
#include <QWidget>

class Cursor;
class FieldBinder;
class PictureBox;
class QFrame;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class RegistrationPanel;
class SettingsPanels;
class Skin;
class SkinLabel;

// The main window: the hub from which every task starts. It is created anew each time another
// window hands control back, and every creation runs the whole start-up.
class Frm1 : public QWidget
{
    Q_OBJECT

public:
    explicit Frm1(QWidget *parent = nullptr);

    // Creates a main window that deletes itself when closed, and shows it.
    static Frm1 *ShowNew();
    // Makes a new Frm1 the window every other window goes back to (ShowMainWindow).
    static void RegisterAsMainWindow();

    // Hides the four panels and, when the register is not empty, reads the subjects and answers
    // again, which drops a subject begun and not saved.
    void HideAllPanels();

    Cursor *Adodc1; // Theme: theme number, clinic name and address
    Cursor *Adodc2; // IDE: the subjects
    Cursor *Adodc3; // Answer: the answers
    QString Text1;  // the stored theme number
    // The navigation flag: "2" while this is the window the user sees; "1" just before it
    // closes to hand over to another window, so that closing does not lead to the exit dialog.
    QString Text3;
    Skin *Skin1;

    SkinLabel *SkinLabel1;           // the clinic heading
    SkinLabel *SkinLabel2;           // the hint label
    QLineEdit *Text2;                // the clinic name
    QPushButton *Command13;          // the maker's help page
    PictureBox *Picture1;            // the maker's web site and shop
    QFrame *Frame7;                  // the main button column
    QPushButton *Command1;           // register a subject
    QPushButton *Command2;           // run the test
    QPushButton *Command3;           // scoring
    QPushButton *Command4;           // subject codes
    QPushButton *Command11;          // questionnaire introduction
    QPushButton *Command5;           // calculator
    QPushButton *Command9;           // settings
    QPushButton *Command12;          // about
    QPushButton *Command6;           // exit
    QFrame *Frame10;                 // registration panel
    QFrame *Frame6;                  // themes panel
    QFrame *Frame8;                  // settings panel
    QFrame *Frame9;                  // clinic panel
    RegistrationPanel *registration; // what Frame10 holds
    SettingsPanels *settings;        // what Frame8, Frame6 and Frame9 hold

protected:
    void closeEvent(QCloseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void buildWidgets();
    // The parts of the window, in the order of their making.
    void buildHeading(QVBoxLayout *root);
    void buildButtonColumn();
    void buildPanelArea();
    void connectButtons();
    void setUpKeyboard();
    void fitToLook();
    // The hint text of a main button; empty for a button without one.
    QString hintOf(const QObject *button) const;
    void showHint(const QString &hint);
    void hideHint();

    QWidget *m_panelArea;
    bool m_shownOnce = false;
    bool m_paintedOnce = false;
};
