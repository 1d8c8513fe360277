#pragma once

#include <QList>
#include <QObject>
#include <QSize>
#include <QString>

class Cursor;
class FieldBinder;
class QFrame;
class QLineEdit;
class QPushButton;
class QWidget;
class SkinLabel;

// The settings panel of the main window and the two panels it opens beside itself: the themes
// panel, where a theme is chosen and stored, and the clinic panel, where the clinic's name and
// address are typed and stored. All three write the one settings row through the main window's
// settings cursor.
class SettingsPanels : public QObject
{
    Q_OBJECT

public:
    // The panels fill the three frames; opener is the main button that opens the settings panel.
    // The clinic boxes are bound to the cursor before it opens, so they show the stored texts as
    // soon as it does.
    SettingsPanels(QWidget *window, QFrame *settings, QFrame *themes, QFrame *clinic,
                   Cursor *settingsRow, QPushButton *opener);

    // Sizes that depend on the look: called once the window has its skin.
    void fitToLook();
    // The room the panels take, the settings panel with the larger of the two beside it.
    QSize neededSize(int spacing) const;

    void open();                 // opener: the settings panel
    void openThemes();           // Command68
    void openClinic();           // Command67
    void close();                // Command69
    void chooseTheme(int theme); // Command45 ... Command53
    void closeThemes();          // Command46
    void saveClinic();           // Command64
    void cancelClinic();         // Command7

    QPushButton *Command68; // change the theme
    QPushButton *Command67; // the clinic's name
    QPushButton *Command69; // exit
    // The themes panel's buttons in their order: themes 1 to 11, then Command46, its exit.
    QList<QPushButton *> themeButtons;
    bool m_swatchesDrawn = false;
    QPushButton *Command46;
    SkinLabel *SkinLabel4;  // " :نام"
    QLineEdit *Text2;       // the clinic's name; the main window's heading follows it
    SkinLabel *SkinLabel5;  // " :آدرس"
    QLineEdit *Text14;      // the clinic's address
    QPushButton *Command64; // save
    QPushButton *Command7;  // cancel

signals:
    // The main window's panels are to close (HideAllPanels) before one of these opens.
    void panelsToHide();
    // A theme is in the file: the main window hands over to the confirmation window.
    void themeStored(const QString &theme);

private:
    void buildSettings();
    void buildThemes();
    void buildClinic();

    QWidget *m_window;
    QFrame *m_settings;
    QFrame *m_themes;
    QFrame *m_clinic;
    Cursor *m_row;
    QPushButton *m_opener;
    FieldBinder *m_binder;
};
