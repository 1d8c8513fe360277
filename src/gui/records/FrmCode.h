#pragma once

#include "common/Result.h"

#include <QString>
#include <QWidget>

class Cursor;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QStringListModel;
class QTableView;
class QVBoxLayout;
class Skin;
class SkinLabel;

// The subject browser: the register in a grid, narrowed by group, first name or last name (one
// at a time), and the deletion of a subject, with its answers, by code. Closing it, by any means,
// brings a new main window.
class FrmCode : public QWidget
{
    Q_OBJECT

public:
    explicit FrmCode(QWidget *parent = nullptr);

    // Creates the window, deleting itself when closed, and shows it.
    static FrmCode *ShowNew();

    // What printing by group works from: the group selector's text, the subjects cursor with the
    // filter the grid shows, and the clinic's address.
    QString groupText() const;
    Cursor *subjects() const { return Adodc2; }
    QString clinicAddress() const;
    // Reads the deletion cursor again, as printing by group does when it is done.
    void rereadDeletionCursor();

    // The selectors: each shows the rows whose field equals the text exactly, and empties the
    // other two without running their filters.
    void filterByGroup(const QString &group); // Combo3
    void filterByFName(const QString &name);  // DataCombo6
    void filterByLName(const QString &name);  // DataCombo1
    // Command2: deletes the subject whose code is in Text5, both of its rows or neither.
    void deleteSubject();
    // Fills the two name lookups with every stored first and last name; their texts stay.
    void fillNameLists();

    Cursor *Adodc1; // Theme: the theme number and the clinic's address
    Cursor *Adodc2; // IDE: the subjects the grid and the selectors work on
    Cursor *Adodc3; // IDE: finds and removes the subject to delete
    Cursor *Adodc4; // Answer: removes the subject's answers
    QString Text1;  // the stored theme number
    Skin *Skin1;

    QGroupBox *gridFrame;      // carries the grid's caption
    QTableView *DataGrid1;     // the subjects
    QComboBox *Combo3;         // group selector
    QComboBox *DataCombo6;     // first-name selector
    QComboBox *DataCombo1;     // last-name selector
    SkinLabel *SkinLabel21[3]; // the selectors' captions: last name, first name, group
    QGroupBox *Frame1;         // the delete panel
    SkinLabel *SkinLabel1;     // the prompt for the code
    QLineEdit *Text5;          // the code of the subject to delete
    QPushButton *Command2;     // delete
    QPushButton *Command1;     // print by group
    QPushButton *Command7;     // the group's summary
    QPushButton *Command6;     // exit
    QStringListModel *fNames;  // DataCombo6's list
    QStringListModel *lNames;  // DataCombo1's list

signals:
    // Command1 was pressed: the results list of the group in Combo3 is wanted.
    void printByGroupRequested();
    // Command7 was pressed: the summary of the group in Combo3 (of everyone when it is empty).
    void groupSummaryRequested();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildWidgets();
    // The parts of the window, in the order of their making.
    void buildSelectors(QVBoxLayout *root);
    void buildGrid(QVBoxLayout *root);
    void buildBottom(QVBoxLayout *root);
    void fitToLook();
    void showSubjectColumns();
    // Filters the subjects cursor; a file that cannot be read is reported.
    void filterSubjects(const QString &field, const QString &text);
    void reportFailure(const Result &failure);
    void reportReadFailure(const Result &failure);
    // Empties a selector's text without running its filter.
    static void emptySelector(QComboBox *selector);
    static void chooseTyped(QComboBox *selector);

    bool m_listsFilled = false;
};
