#pragma once

#include <QObject>

class Cursor;
class FieldBinder;
class QComboBox;
class QFrame;
class QLineEdit;
class QPushButton;
class QWidget;
class SkinLabel;

// The registration panel of the main window: a new subject is typed into the subjects cursor's
// new row and saved together with an empty answers row, or not at all.
class RegistrationPanel : public QObject
{
    Q_OBJECT

public:
    RegistrationPanel(QWidget *window, QFrame *frame, Cursor *subjects, Cursor *answers);

    // Sizes that depend on the look: called once the window has its skin.
    void fitToLook();

    void open();   // Command1
    void save();   // Command8
    void cancel(); // Command10

    QLineEdit *Text11;      // code
    QLineEdit *Text6;       // first name
    QLineEdit *Text4;       // last name
    QLineEdit *Text5;       // age
    QComboBox *Combo1;      // marital status
    QLineEdit *Text8;       // date of registration
    QLineEdit *Text9;       // time of registration
    QComboBox *Combo2;      // gender
    QComboBox *Combo3;      // group
    QLineEdit *Text7;       // education
    QLineEdit *Text15;      // marital status, as the list shows it
    QLineEdit *Text16;      // gender, as the list shows it
    QLineEdit *Text17;      // group, as the list shows it
    QPushButton *Command8;  // save
    QPushButton *Command10; // cancel

signals:
    // The main window's panels are to close (HideAllPanels) before the panel opens or after it
    // is cancelled.
    void panelsToHide();
    // Both rows are in the file: the main window hands over to the confirmation window.
    void saved();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The panel's fields and buttons, then their places in it.
    void buildFields();
    void placeFields();

private:
    void copyLists();
    // The error that stopped the two rows, or an invalid error when both are in the file.

    QWidget *m_window; // the main window the panel lives in
    QFrame *m_frame;
    Cursor *m_subjects;
    Cursor *m_answers;
    FieldBinder *m_binder;
};
