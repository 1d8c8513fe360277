#include "info/About.h"

#include "common/ScreenPlacement.h"
#include "common/Text.h"
#include "common/WindowPieces.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QTimer>

#include <cmath>
#include <random>

qint16 About::ColorStep = 0;

namespace {
const QString Background = QStringLiteral(":/images/about.svg");

// The window's fixed size, in pixels.
constexpr int Width = 560;
constexpr int Height = 420;
constexpr int TwipsPerPixel = 15;
// A line whose top has risen to this many twips goes back to the bottom with the next credit.
constexpr int TopLimit = 1000;
// Where it goes back to: this many twips above the bottom of the window's outer height.
constexpr int ReEntry = 1500;
constexpr int Step = 15;
// The lines' tops at opening, from the first line down: the gaps, in twips, between one and
// the next.
constexpr int Gaps[] = {600, 720, 660};
// Between consecutive letters of the stored sentence stand this many blanks, in turn.
constexpr int Spreads[] = {9, 14, 6, 18, 11, 7, 20, 5, 13, 16, 8, 12, 19, 10, 6, 15, 17, 7, 11, 5};

// Label3's colours. The generator is never seeded, so every run of the program shows the same
// colours in the same order: it is std::minstd_rand with its default seed, which the C++
// standard fixes, so every build on every platform draws the same numbers too. One generator for
// the whole run: opening the window again goes on with the sequence.
std::minstd_rand &generator()
{
    static std::minstd_rand numbers;
    return numbers;
}

// A fresh uniform number in [0, 1) times 255, rounded to the nearest integer, halves to even.
int randomComponent()
{
    std::minstd_rand &numbers = generator();
    const double uniform = double(numbers() - std::minstd_rand::min()) /
                           (double(std::minstd_rand::max() - std::minstd_rand::min()) + 1.0);
    const double scaled = uniform * 255.0;
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    int result = int(whole);
    if (fraction > 0.5 || (fraction == 0.5 && result % 2 != 0))
        ++result;
    return result;
}

// The dark-blue starry panel the credit lines rise over; what rises above or below it passes
// behind the bronze bars.
class StarryPanel : public QWidget
{
public:
    explicit StarryPanel(QWidget *parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("Sky"));
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        const qreal ratio = devicePixelRatioF();
        if (m_picture.size() != size() * ratio) {
            m_picture = QPixmap(size() * ratio);
            m_picture.setDevicePixelRatio(ratio);
            // Over every device pixel: at a fractional scale the pixmap is a row or a column
            // larger than the widget's rectangle, which would leave that row unpainted.
            QPainter painter(&m_picture);
            QSvgRenderer(Background)
                .render(&painter, QStringLiteral("sky"),
                        QRectF(QPointF(0, 0), QSizeF(m_picture.size()) / ratio));
        }
        QPainter(this).drawPixmap(0, 0, m_picture);
    }

private:
    QPixmap m_picture;
};
} // namespace

QString About::StoredSentence()
{
    const QString sentence = text(AboutText::Sentence);
    QString stored;
    for (int i = 0; i < sentence.size(); ++i) {
        if (i > 0)
            stored += QString(Spreads[(i - 1) % std::size(Spreads)], u' ');
        stored += sentence.at(i) == u' ' ? u'.' : sentence.at(i);
    }
    return stored;
}

QColor About::ConsoleColour(int n)
{
    static const QColor colours[16] = {
        {0, 0, 0},     {0, 0, 128},     {0, 128, 0},     {0, 128, 128},  {128, 0, 0}, {128, 0, 128},
        {128, 128, 0}, {192, 192, 192}, {128, 128, 128}, {0, 0, 255},    {0, 255, 0}, {0, 255, 255},
        {255, 0, 0},   {255, 0, 255},   {255, 255, 0},   {255, 255, 255}};
    return colours[qBound(0, n, 15)];
}

About::About(QWidget *parent)
    : QDialog(parent), Timer1(new QTimer(this)), Timer10(new QTimer(this)),
      Timer3(new QTimer(this)), m_sky(new StarryPanel(this))
{
    setObjectName(QStringLiteral("About"));
    setWindowTitle(text(AboutText::Caption));
    // The window has its own look, the same under every theme.
    setStyleSheet(QStringLiteral(
        "QDialog#About { background: #0c1d55; }"
        "QLabel, QWidget#BottomBar { background: transparent; }"
        "QLineEdit#Text1 { background: #fdf6e6; color: #2a1a08; border: 1px solid #6b4420;"
        " border-radius: 3px; padding: 2px 6px; selection-background-color: #13285f;"
        " selection-color: #ffffff; }"
        "QLineEdit#Text1:focus { border: 2px solid #13285f; padding: 1px 5px; }"
        "QPushButton#Command1 { background: #13285f; color: #fff4d8; border: 1px solid #3e240c;"
        " border-radius: 4px; padding: 4px 16px; outline: none; }"
        "QPushButton#Command1:hover { background: #1d3a85; }"
        "QPushButton#Command1:pressed { background: #0a1640; }"
        "QPushButton#Command1:focus { border: 2px solid #ffffff; padding: 3px 15px; }"));

    QWidget *bar = buildBottomBar();
    QFont credit = font();
    credit.setPointSizeF(credit.pointSizeF() * 1.2);
    credit.setBold(true);
    buildCreditLines(credit);
    placeParts(bar, QFontMetrics(credit).height() + 4);

    Timer1->setInterval(700);
    Timer10->setInterval(55);
    Timer3->setInterval(1);
    Timer3->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &About::changeColours);
    connect(Timer10, &QTimer::timeout, this, &About::scrollCredits);
    connect(Timer3, &QTimer::timeout, this, &About::assembleSentence);
    Timer1->start();
    Timer10->start();

    // Opening.
    Timer3->start();
    Text1->setText(StoredSentence());
    Text1->setCursorPosition(0);
    FindText = QStringLiteral(" ");
    ReplaceText = QString();
    CreditLines = QStringList{
        text(AboutText::SoftwareName),
        text(AboutText::Software),
        text(AboutText::Programmer) + u' ' + text(AboutText::AuthorName),
        // The number is isolated left to right, or its groups would be read in reverse order.
        text(AboutText::Telephone) + u' ' + QChar(0x2066) + text(AboutText::TelephoneNumber) +
            QChar(0x2069) + u' ',
        text(AboutText::Email) + u' ' + text(AboutText::EmailAddress) + QStringLiteral("  "),
        text(AboutText::WebSite) + u' ' + text(AboutText::WebAddress),
        text(AboutText::Shop) + u' ' + text(AboutText::ShopAddress),
        QString(),
        QString(),
        QString(),
        QString(),
    };
    Label1->setText(CreditLines.at(0));
    Label2->setText(CreditLines.at(1));
    Label3->setText(CreditLines.at(2));
    Label4->setText(CreditLines.at(3));
    CreditIndex = 4;

    Command1->setFocus();
    PlaceOnScreen(this);
}

QWidget *About::buildBottomBar()
{
    auto *bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("BottomBar"));
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(14, 0, 14, 0);
    row->setSpacing(10);
    Text1 = new QLineEdit(bar);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    // A Latin sentence: it reads left to right in the right-to-left window.
    Text1->setLayoutDirection(Qt::LeftToRight);
    Text1->setAlignment(Qt::AlignCenter);
    Command1 = MakeButton(QStringLiteral("Command1"), AboutText::Exit, bar);
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
    row->addWidget(Text1, 1);
    row->addWidget(Command1);
    return bar;
}

void About::buildCreditLines(const QFont &credit)
{
    QLabel **labels[] = {&Label1, &Label2, &Label3, &Label4};
    const char *const names[] = {"Label1", "Label2", "Label3", "Label4"};
    for (int i = 0; i < 4; ++i) {
        auto *label = new QLabel(m_sky);
        label->setObjectName(QString::fromLatin1(names[i]));
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignCenter);
        label->setFont(credit);
        *labels[i] = label;
    }
    setTextColour(Label1, QColor(0xff, 0xff, 0xff));
    setTextColour(Label2, QColor(0xf3, 0xd2, 0x8f));
    setTextColour(Label3, QColor(0xff, 0xff, 0xff));
    setTextColour(Label4, QColor(0xbc, 0xd4, 0xff));
}

void About::placeParts(QWidget *bar, int lineHeight)
{
    // The bars: the bottom one begins where the lines come back, so they rise from behind it; the
    // top one is tall enough to hide a line that has reached the limit, so it slips away behind
    // the bar before it goes back.
    setFixedSize(Width, Height);
    const int skyTop = qMax(100, TopLimit / TwipsPerPixel + 1 + lineHeight);
    const int skyBottom = (outerHeight() - ReEntry) / TwipsPerPixel;
    m_sky->setGeometry(0, skyTop, Width, skyBottom - skyTop);
    bar->setGeometry(0, skyBottom, Width, Height - skyBottom);
    int top = (skyTop + 20) * TwipsPerPixel;
    QLabel *const labels[] = {Label1, Label2, Label3, Label4};
    for (int i = 0; i < 4; ++i) {
        labels[i]->setGeometry(16, 0, Width - 32, lineHeight);
        setTopOf(labels[i], top);
        if (i < 3)
            top += Gaps[i];
    }
}

int About::outerHeight() const
{
    return (height() + UsualWindowFrame.top() + UsualWindowFrame.bottom()) * TwipsPerPixel;
}

int About::topOf(const QLabel *label) const
{
    return (m_sky->y() + label->y()) * TwipsPerPixel;
}

void About::setTopOf(QLabel *label, int twips)
{
    label->move(label->x(), twips / TwipsPerPixel - m_sky->y());
}

void About::setTextColour(QLabel *label, const QColor &colour)
{
    // The label's own rule: it outlasts any look the window's owner passes down.
    label->setStyleSheet(QStringLiteral("color: %1;").arg(colour.name()));
}

void About::scrollCredits()
{
    // At most one line goes back per tick.
    for (QLabel *label : {Label1, Label2, Label3, Label4}) {
        if (topOf(label) <= TopLimit) {
            setTopOf(label, outerHeight() - ReEntry);
            label->setText(CreditLines.value(CreditIndex));
            ++CreditIndex;
            break;
        }
    }
    // Slots 7 and 8 are empty: two blank lines between rounds.
    if (CreditIndex == 9)
        CreditIndex = 0;
    for (QLabel *label : {Label1, Label2, Label3, Label4})
        setTopOf(label, topOf(label) - Step);
}

void About::changeColours()
{
    if (ColorStep > 15)
        ColorStep = 0;
    setTextColour(Label1, ConsoleColour(ColorStep));
    ColorStep += 2;
    const int red = randomComponent();
    const int green = randomComponent();
    const int blue = randomComponent();
    setTextColour(Label3, QColor(red, green, blue));
}

void About::assembleSentence()
{
    if (FindText.isEmpty() || FindText == ReplaceText)
        return;
    QString sentence = Text1->text();
    const qsizetype at = sentence.indexOf(FindText);
    if (at >= 0) {
        sentence.replace(at, FindText.size(), ReplaceText);
        Text1->setText(sentence);
        Text1->setCursorPosition(0); // the sentence is read from its beginning
        return;
    }
    // The blanks are gone: now the points become spaces. Once they are gone too, the sentence
    // reads as it should, and every further tick would only set the same pair again.
    if (FindText == QStringLiteral(".") && ReplaceText == QStringLiteral(" "))
        Timer3->stop();
    FindText = QStringLiteral(".");
    ReplaceText = QStringLiteral(" ");
}

void About::paintEvent(QPaintEvent *)
{
    // Drawn once: the sentence's box asks for what lies under its rounded corners at every tick.
    const qreal ratio = devicePixelRatioF();
    if (m_bars.size() != size() * ratio) {
        m_bars = QPixmap(size() * ratio);
        m_bars.setDevicePixelRatio(ratio);
        m_bars.fill(Qt::transparent);
        QPainter painter(&m_bars);
        painter.setRenderHint(QPainter::Antialiasing);
        QSvgRenderer renderer(Background);
        const int skyTop = m_sky->y();
        const int skyBottom = m_sky->geometry().bottom() + 1;
        renderer.render(&painter, QStringLiteral("top-bar"), QRectF(0, 0, width(), skyTop));
        renderer.render(&painter, QStringLiteral("bottom-bar"),
                        QRectF(0, skyBottom, width(), height() - skyBottom));
        // The program's emblem in the middle of the top bar.
        const int emblem = qMin(64, skyTop - 24);
        QSvgRenderer(QStringLiteral(":/images/logo.svg"))
            .render(&painter,
                    QRectF((width() - emblem) / 2.0, (skyTop - emblem) / 2.0, emblem, emblem));
    }
    QPainter(this).drawPixmap(0, 0, m_bars);
}
