#pragma once

#include <QString>
#include <QWidget>

class Cursor;
class PictureBox;
class QLabel;
class Skin;

namespace FrmskinText {
inline const char *const Done = "تغييرات با موفقيت به پايان رسيد";
// The word on the return button.
inline const char *const Confirm = "تأييد";
} // namespace FrmskinText

// Reports a completed change (a new theme, a saved registration). Its only way back is its
// return button, which brings a new main window; Enter or Space press it too.
class Frmskin : public QWidget
{
    Q_OBJECT

public:
    explicit Frmskin(QWidget *parent = nullptr);

    // Creates the window, deleting itself when closed, and shows it.
    static Frmskin *ShowNew();

    Cursor *Adodc1; // Theme
    QString Text1;  // the stored theme number
    Skin *Skin1;
    QLabel *Label3;
    PictureBox *k1; // return, at rest
    PictureBox *k2; // return, under the pointer: carries the action

    void returnToMainWindow();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    bool m_returning = false;
};
