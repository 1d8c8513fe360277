#pragma once

#include <QWidget>

class Cursor;
class PictureBox;
class QCheckBox;
class QLabel;
class QTimer;
class Skin;

namespace exitproText {
inline const char *const Question = "آيا براي خروج از برنامه اطمينان داريد";
inline const char *const Backup = "تهيه نسخه پشتيبان";
inline const char *const CaptionA = " تهيه نسخه پشتيبان";
inline const char *const CaptionB = "پشتيبان گيري";
// The words on the picture buttons.
inline const char *const Confirm = "تأييد";
inline const char *const Cancel = "انصراف";
} // namespace exitproText

// The way out of the program: confirm ends it, or hands over to the backup window when the box is
// ticked; cancel brings back a new main window. It wears the stored theme, as every window does.
// The keyboard reaches the box and the two picture buttons with Tab; Enter or Space press the
// picture it is on, Enter elsewhere confirms, Escape cancels.
class exitpro : public QWidget
{
    Q_OBJECT

public:
    explicit exitpro(QWidget *parent = nullptr);

    Cursor *Adodc1; // Theme
    QString Text1;  // the stored theme number
    Skin *Skin1;
    QLabel *Label1;    // the question
    QCheckBox *Check1; // make a backup on the way out
    PictureBox *k1;    // confirm, at rest
    PictureBox *k2;    // confirm, under the pointer: carries the action
    PictureBox *C1;    // cancel, at rest
    PictureBox *C2;    // cancel, under the pointer: carries the action
    QTimer *Timer2;
    QTimer *Timer3;
    QTimer *tmCaptionAnimate;

    void confirm();
    void cancel();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void showPicturesAtRest();
    // Puts one picture of a pair in the other's place; the keyboard's focus goes along.
    static void swapPicture(PictureBox *from, PictureBox *to);

    bool m_leaving = false;
};
