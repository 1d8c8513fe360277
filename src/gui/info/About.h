#pragma once

#include <QColor>
#include <QDialog>
#include <QPixmap>
#include <QString>
#include <QStringList>

class QFont;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace AboutText {
inline const char *const Caption = "about";
inline const char *const Exit = "خروج";
// The credit lines; the contact data are the maker's.
inline const char *const SoftwareName = "نام نرم افزار:";
inline const char *const Software = " نرم افزار مقياس مهارتهاي اجتماعي کورات";
inline const char *const Programmer = "برنامه نويس:";
inline const char *const Telephone = "تلفن :";
inline const char *const Email = " ايميل :";
inline const char *const WebSite = " وب سايت :";
inline const char *const Shop = "فروشگاه :";
inline const char *const AuthorName = "دارا فرزین";
inline const char *const TelephoneNumber = "021-5550-0147";
inline const char *const EmailAddress = "dara.farzin@korvat.example";
inline const char *const WebAddress = "www.korvat.example";
inline const char *const ShopAddress = "shop.korvat.example";
// The credit sentence as it finally reads.
inline const char *const Sentence = "Korvat was designed and written by Dara Farzin";
} // namespace AboutText

// The credits, animated over a starry panel between two bronze bars: four lines rise and come
// back at the bottom with the next credit, two of them change colour, and a sentence assembles
// itself from scattered letters. It reads and writes nothing.
//
// The timers' work is done by public slots, so the animation can be stepped without waiting.
class About : public QDialog
{
    Q_OBJECT

public:
    explicit About(QWidget *parent = nullptr);

    // The sentence as it is stored: its letters far apart, a point for each space.
    static QString StoredSentence();
    // Colour n (0 to 15) of the classic 16-colour console palette.
    static QColor ConsoleColour(int n);
    // A label's top, in twips (15 to a pixel) from the top of the window's inner area.
    int topOf(const QLabel *label) const;
    // The window's outer height in twips, title bar and edges allowed for as usual on a desktop,
    // so that the lines come back at the same place on every one.
    int outerHeight() const;

    QLabel *Label1;        // credit line, in the colours of the console palette, in turn
    QLabel *Label2;        // credit line
    QLabel *Label3;        // credit line, in random colours
    QLabel *Label4;        // credit line
    QLineEdit *Text1;      // the credit sentence
    QPushButton *Command1; // exit
    QTimer *Timer1;        // colours
    QTimer *Timer10;       // scrolling
    QTimer *Timer3;        // assembling the sentence

    QStringList CreditLines; // slots 0 to 10
    qint16 CreditIndex = 4;  // the slot handed out next
    static qint16 ColorStep; // Label1's colour number: kept for the whole run
    QString FindText;
    QString ReplaceText;

public slots:
    void scrollCredits();    // Timer10
    void changeColours();    // Timer1
    void assembleSentence(); // Timer3

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // The parts of the window, in the order of their making.
    QWidget *buildBottomBar(); // the sentence and the exit button
    void buildCreditLines(const QFont &credit);
    // The sky between the bars, the bottom bar and the lines at their starting places.
    void placeParts(QWidget *bar, int lineHeight);
    void setTopOf(QLabel *label, int twips);
    static void setTextColour(QLabel *label, const QColor &colour);

    QWidget *m_sky;
    QPixmap m_bars;
};
