#include "app/Frm1.h"

#include "app/Frm1Text.h"
#include "appearance/ApplyStoredTheme.h"
#include "common/Artwork.h"
#include "common/Calculator.h"
#include "common/LeadingNumber.h"
#include "common/PictureBox.h"
#include "common/Skin.h"
#include "data/Cursor.h"
#include "data/FieldBinder.h"
#include "registration/RegistrationPanel.h"
#include "safety/exitpro.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

Q_LOGGING_CATEGORY(lcStartup, "korvat.startup", QtWarningMsg)

namespace {
QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

void openPage(const char *address)
{
    // Nothing is reported when no browser opens it.
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(address)));
}

QPushButton *mainButton(const QString &name, const char *caption, QWidget *parent)
{
    auto *button = new QPushButton(text(caption), parent);
    button->setObjectName(name);
    // The pointer moving over a button is the button's own business, never the column's.
    button->setAttribute(Qt::WA_NoMousePropagation);
    button->setMinimumHeight(34);
    return button;
}

QFrame *panel(const QString &name, QWidget *parent)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->hide();
    return frame;
}
} // namespace

Frm1::Frm1(QWidget *parent)
    : QWidget(parent), Adodc1(new Cursor(QStringLiteral("Theme"), this)),
      Adodc2(new Cursor(QStringLiteral("IDE"), this)),
      Adodc3(new Cursor(QStringLiteral("Answer"), this)), Skin1(new Skin(this))
{
    setObjectName(QStringLiteral("Frm1"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(text(Frm1Text::Caption));
    Text1 = QStringLiteral("1");
    Text3 = QStringLiteral("1");
    buildWidgets();
    registration = new RegistrationPanel(this, Frame10, Adodc2, Adodc3);
    fitPanels();

    m_themeBinder = new FieldBinder(Adodc1, this);
    m_themeBinder->bind(Text2, QStringLiteral("Name"));
    Adodc1->open();
    Adodc2->open();
    Adodc3->open();
    Text1 = Adodc1->field(QStringLiteral("TH"));

    // Start-up: place the window, give it the stored theme, and become the window the user sees.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    ApplyStoredTheme(Skin1, this, Text1);
    Text3 = QStringLiteral("2");
}

Frm1 *Frm1::ShowNew()
{
    auto *window = new Frm1;
    window->show();
    return window;
}

void Frm1::buildWidgets()
{
    setMouseTracking(true);
    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(14, 10, 14, 10);
    root->setSpacing(10);

    // The heading row: the clinic's name, the help button and the emblem.
    auto *top = new QHBoxLayout;
    SkinLabel1 = new SkinLabel(QStringLiteral("SkinLabel1"), this);
    SkinLabel1->setAlignment(Qt::AlignCenter);
    SkinLabel1->setWordWrap(true);
    QFont heading = SkinLabel1->font();
    heading.setPointSizeF(heading.pointSizeF() * 1.5);
    heading.setBold(true);
    SkinLabel1->setFont(heading);
    Command13 = new QPushButton(text(Frm1Text::Command13Caption), this);
    Command13->setObjectName(QStringLiteral("Command13"));
    Command13->setAttribute(Qt::WA_NoMousePropagation);
    Command13->setFixedSize(Command13->sizeHint().expandedTo(QSize(56, 56)));
    // Coloured in the plain look too; a skin gives it the theme's accent colour.
    QPalette helpColours = Command13->palette();
    helpColours.setColor(QPalette::Button, QColor(0x2f, 0x8f, 0x9d));
    helpColours.setColor(QPalette::ButtonText, Qt::white);
    Command13->setPalette(helpColours);
    Picture1 = new PictureBox(QStringLiteral("Picture1"), this);
    Picture1->setPixmap(
        SvgPixmap(QStringLiteral(":/images/logo.svg"), QSize(84, 84), devicePixelRatioF()));
    Picture1->setToolTip(text(Frm1Text::Picture1Tip));
    Picture1->setCursor(Qt::PointingHandCursor);
    top->addWidget(SkinLabel1, 1);
    top->addWidget(Command13, 0, Qt::AlignVCenter);
    top->addWidget(Picture1, 0, Qt::AlignVCenter);
    root->addLayout(top);

    // The main button column, and beside it the place where the panels open.
    auto *middle = new QHBoxLayout;
    middle->setSpacing(12);
    Frame7 = new QFrame(this);
    Frame7->setObjectName(QStringLiteral("Frame7"));
    Frame7->setFrameShape(QFrame::StyledPanel);
    Frame7->setMouseTracking(true);
    Frame7->installEventFilter(this);
    auto *column = new QVBoxLayout(Frame7);
    column->setContentsMargins(10, 10, 10, 10);
    column->setSpacing(8);
    Command1 = mainButton(QStringLiteral("Command1"), Frm1Text::Command1Caption, Frame7);
    Command2 = mainButton(QStringLiteral("Command2"), Frm1Text::Command2Caption, Frame7);
    Command3 = mainButton(QStringLiteral("Command3"), Frm1Text::Command3Caption, Frame7);
    Command4 = mainButton(QStringLiteral("Command4"), Frm1Text::Command4Caption, Frame7);
    Command11 = mainButton(QStringLiteral("Command11"), Frm1Text::Command11Caption, Frame7);
    Command5 = mainButton(QStringLiteral("Command5"), Frm1Text::Command5Caption, Frame7);
    Command9 = mainButton(QStringLiteral("Command9"), Frm1Text::Command9Caption, Frame7);
    Command12 = mainButton(QStringLiteral("Command12"), Frm1Text::Command12Caption, Frame7);
    Command6 = mainButton(QStringLiteral("Command6"), Frm1Text::Command6Caption, Frame7);
    for (QPushButton *button : {Command1, Command2, Command3, Command4, Command11, Command5,
                                Command9, Command12, Command6})
        column->addWidget(button);
    column->addStretch();
    for (QPushButton *button : {Command1, Command2, Command3, Command4, Command9}) {
        button->setMouseTracking(true);
        button->installEventFilter(this);
    }
    Frame7->setFixedWidth(Frame7->sizeHint().width() + 24);

    auto *panels = new QWidget(this);
    panels->setObjectName(QStringLiteral("PanelArea"));
    auto *grid = new QGridLayout(panels);
    grid->setContentsMargins(0, 0, 0, 0);
    Frame10 = panel(QStringLiteral("Frame10"), panels);
    Frame6 = panel(QStringLiteral("Frame6"), panels);
    Frame8 = panel(QStringLiteral("Frame8"), panels);
    Frame9 = panel(QStringLiteral("Frame9"), panels);
    grid->addWidget(Frame10, 0, 0, 1, 2);
    grid->addWidget(Frame8, 0, 0);
    grid->addWidget(Frame6, 0, 1);
    grid->addWidget(Frame9, 0, 1);
    auto *clinicLayout = new QVBoxLayout(Frame9);
    Text2 = new QLineEdit(Frame9);
    Text2->setObjectName(QStringLiteral("Text2"));
    clinicLayout->addWidget(Text2);
    clinicLayout->addStretch();
    m_panelArea = panels;
    middle->addWidget(Frame7);
    middle->addWidget(panels, 1);
    root->addLayout(middle, 1);

    // The hint label keeps its place while hidden, so the window never moves its contents.
    auto *hintArea = new QWidget(this);
    auto *hintLayout = new QVBoxLayout(hintArea);
    hintLayout->setContentsMargins(0, 0, 0, 0);
    SkinLabel2 = new SkinLabel(QStringLiteral("SkinLabel2"), hintArea);
    SkinLabel2->setText(QStringLiteral(" "));
    SkinLabel2->setWordWrap(true);
    SkinLabel2->setAlignment(Qt::AlignLeading | Qt::AlignVCenter);
    SkinLabel2->hide();
    hintLayout->addWidget(SkinLabel2);
    hintArea->setFixedHeight(fontMetrics().lineSpacing() * 2 + 16);
    root->addWidget(hintArea);

    // The heading follows the clinic name.
    connect(Text2, &QLineEdit::textChanged, SkinLabel1, &QLabel::setText);

    connect(Command1, &QPushButton::clicked, this, [this] { registration->open(); });
    connect(Command3, &QPushButton::clicked, this, [this] {
        if (Adodc3->isEmpty())
            return;
        // The scoring window takes over from here once it exists.
    });
    connect(Command4, &QPushButton::clicked, this, [this] {
        if (Adodc3->isEmpty())
            return;
        // The subject browser takes over from here once it exists.
    });
    connect(Command5, &QPushButton::clicked, this, [this] {
        HideAllPanels();
        StartCalculator();
    });
    connect(Command6, &QPushButton::clicked, this, [this] {
        // Closing finds the navigation flag at "2" and opens the exit dialog.
        HideAllPanels();
        close();
    });
    connect(Command13, &QPushButton::clicked, this, [] { openPage(Frm1Text::HelpPage); });
    connect(Picture1, &PictureBox::clicked, this, [] {
        openPage(Frm1Text::HomePage);
        openPage(Frm1Text::ShopPage);
    });
}

void Frm1::fitPanels()
{
    // Room for the largest panel, so the fixed-size window never has to grow when one opens.
    QSize largest(480, 320);
    for (QFrame *panel : {Frame10, Frame6, Frame8, Frame9})
        largest = largest.expandedTo(panel->sizeHint());
    m_panelArea->setMinimumSize(largest);
    setFixedSize(sizeHint());
}

void Frm1::HideAllPanels()
{
    Frame6->hide();
    Frame10->hide();
    Frame8->hide();
    Frame9->hide();
    if (!Adodc2->isEmpty()) {
        Adodc2->reread();
        Adodc3->reread();
    }
}

void Frm1::showHint(const QString &hint)
{
    SkinLabel2->setVisible(true);
    SkinLabel2->setText(hint);
}

void Frm1::hideHint()
{
    SkinLabel2->setText(QString());
    SkinLabel2->setVisible(false);
}

bool Frm1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove) {
        if (watched == Frame7)
            hideHint();
        else if (watched == Command1)
            showHint(text(Frm1Text::Command1Hint));
        else if (watched == Command2)
            showHint(text(Frm1Text::Command2Hint));
        else if (watched == Command3)
            showHint(text(Frm1Text::Command3Hint));
        else if (watched == Command4)
            showHint(text(Frm1Text::Command4Hint));
        else if (watched == Command9)
            showHint(text(Frm1Text::Command9Hint));
    }
    return QWidget::eventFilter(watched, event);
}

void Frm1::mouseMoveEvent(QMouseEvent *event)
{
    hideHint();
    QWidget::mouseMoveEvent(event);
}

void Frm1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        qCInfo(lcStartup, "main window shown");
    }
}

void Frm1::closeEvent(QCloseEvent *event)
{
    // A subject begun and not saved is dropped.
    Adodc2->reread();
    if (LeadingNumber(Text3) != 1) {
        HideAllPanels();
        Adodc2->reread();
        auto *dialog = new exitpro;
        dialog->show();
    }
    event->accept();
}
