#include "app/Frm1.h"

#include "administration/FrmTest.h"
#include "app/Frm1Text.h"
#include "app/ReportButtons.h"
#include "appearance/Frmskin.h"
#include "appearance/SettingsPanels.h"
#include "common/ApplyStoredTheme.h"
#include "common/Artwork.h"
#include "common/Calculator.h"
#include "common/FieldBinder.h"
#include "common/LeadingNumber.h"
#include "common/PictureBox.h"
#include "common/ProgramEnd.h"
#include "common/ScreenPlacement.h"
#include "common/Skin.h"
#include "common/Text.h"
#include "common/WindowPieces.h"
#include "data/Cursor.h"
#include "info/About.h"
#include "info/Frmravansanji.h"
#include "records/FrmCode.h"
#include "registration/RegistrationPanel.h"
#include "safety/exitpro.h"
#include "scoring/FrmkLID.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

Q_LOGGING_CATEGORY(lcStartup, "korvat.startup", QtWarningMsg)

namespace {
void openPage(const char *address)
{
    // Nothing is reported when no browser opens it.
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(address)));
}

QPushButton *mainButton(const QString &name, const char *caption, QWidget *parent)
{
    QPushButton *button = MakeButton(name, caption, parent);
    // The pointer moving over a button is the button's own business, never the column's.
    button->setAttribute(Qt::WA_NoMousePropagation);
    return button;
}

// The keyboard reached the widget, or left it, by Tab, Shift+Tab or a shortcut key.
bool byKeyboard(const QEvent *event)
{
    const Qt::FocusReason reason = static_cast<const QFocusEvent *>(event)->reason();
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
           reason == Qt::ShortcutFocusReason;
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
    connect(registration, &RegistrationPanel::panelsToHide, this, &Frm1::HideAllPanels);
    connect(registration, &RegistrationPanel::saved, this, [this] {
        // Hands over to the confirmation window, which brings a new main window back.
        HideAllPanels();
        Text3 = QStringLiteral("1");
        Frmskin::ShowNew();
        close();
    });
    settings = new SettingsPanels(this, Frame8, Frame6, Frame9, Adodc1, Command9);
    Text2 = settings->Text2;
    // The heading follows the clinic name, from the stored name on.
    connect(Text2, &QLineEdit::textChanged, SkinLabel1, &QLabel::setText);
    connect(settings, &SettingsPanels::panelsToHide, this, &Frm1::HideAllPanels);
    connect(settings, &SettingsPanels::themeStored, this, [this](const QString &theme) {
        // Hands over to the confirmation window, which brings a new main window in the new theme.
        Text1 = theme;
        Text3 = QStringLiteral("1");
        Frmskin::ShowNew();
        close();
    });
    setUpKeyboard();

    Cursor::OpenEach({Adodc1, Adodc2, Adodc3});
    Text1 = Adodc1->field(QStringLiteral("TH"));

    // Start-up: give the window the stored theme, size it for the look the theme gives it, place
    // it, and become the window the user sees.
    ApplyStoredTheme(Skin1, this, Text1);
    fitToLook();
    PlaceOnScreen(this);
    Text3 = QStringLiteral("2");
}

void Frm1::RegisterAsMainWindow()
{
    SetMainWindowMaker([]() -> QWidget * { return ShowNew(); });
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
    // Compact enough to fit a 1366 x 768 laptop screen at 125 %, title bar and task bar included.
    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(10, 8, 10, 10);
    root->setSpacing(8);

    buildHeading(root);

    // The main button column, and beside it the place where the panels open, with the hint below.
    auto *middle = new QHBoxLayout;
    middle->setSpacing(10);
    buildButtonColumn();
    buildPanelArea();
    middle->addWidget(Frame7);
    middle->addWidget(m_panelArea, 1);
    root->addLayout(middle, 1);
    connectButtons();
}

void Frm1::buildHeading(QVBoxLayout *root)
{
    // The heading row: the clinic's name, the help button and the emblem.
    auto *top = new QHBoxLayout;
    SkinLabel1 = new SkinLabel(QStringLiteral("SkinLabel1"), this);
    SkinLabel1->setAlignment(Qt::AlignCenter);
    SkinLabel1->setWordWrap(true);
    QFont heading = SkinLabel1->font();
    heading.setPointSizeF(heading.pointSizeF() * 1.5);
    heading.setBold(true);
    SkinLabel1->setFont(heading);
    Command13 = mainButton(QStringLiteral("Command13"), Frm1Text::Command13Caption, this);
    // Coloured in the plain look too; a skin gives it the theme's accent colour.
    QPalette helpColours = Command13->palette();
    helpColours.setColor(QPalette::Button, QColor(0x2f, 0x8f, 0x9d));
    helpColours.setColor(QPalette::ButtonText, Qt::white);
    Command13->setPalette(helpColours);
    Picture1 = new PictureBox(QStringLiteral("Picture1"), this);
    Picture1->setPixmap(
        SvgPixmap(QStringLiteral(":/images/logo.svg"), QSize(64, 64), devicePixelRatioF()));
    Picture1->setToolTip(text(Frm1Text::Picture1Tip));
    Picture1->setCursor(Qt::PointingHandCursor);
    top->addWidget(SkinLabel1, 1);
    top->addWidget(Command13, 0, Qt::AlignVCenter);
    top->addWidget(Picture1, 0, Qt::AlignVCenter);
    root->addLayout(top);
}

void Frm1::buildButtonColumn()
{
    Frame7 = new QFrame(this);
    Frame7->setObjectName(QStringLiteral("Frame7"));
    Frame7->setFrameShape(QFrame::StyledPanel);
    Frame7->setMouseTracking(true);
    Frame7->installEventFilter(this);
    // As wide as its widest button, whatever the skin makes of them.
    Frame7->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto *column = new QVBoxLayout(Frame7);
    column->setContentsMargins(8, 8, 8, 8);
    column->setSpacing(6);
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
        button->setAccessibleDescription(hintOf(button));
    }
}

void Frm1::buildPanelArea()
{
    auto *panels = new QWidget(this);
    panels->setObjectName(QStringLiteral("PanelArea"));
    // The area's bare surface is the window's: the pointer moving over it reaches the window.
    panels->setMouseTracking(true);
    auto *grid = new QGridLayout(panels);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(8);
    Frame10 = panel(QStringLiteral("Frame10"), panels);
    Frame6 = panel(QStringLiteral("Frame6"), panels);
    Frame8 = panel(QStringLiteral("Frame8"), panels);
    Frame9 = panel(QStringLiteral("Frame9"), panels);
    grid->addWidget(Frame10, 0, 0, 1, 2, Qt::AlignTop);
    grid->addWidget(Frame8, 0, 0, Qt::AlignTop);
    grid->addWidget(Frame6, 0, 1, Qt::AlignTop | Qt::AlignLeading);
    grid->addWidget(Frame9, 0, 1, Qt::AlignTop);
    grid->setColumnStretch(1, 1); // the settings panel keeps its width; the one beside it grows
    // The hint label keeps its place while hidden, so the window never moves its contents.
    SkinLabel2 = new SkinLabel(QStringLiteral("SkinLabel2"), panels);
    SkinLabel2->setText(QStringLiteral(" "));
    SkinLabel2->setWordWrap(true);
    SkinLabel2->setAlignment(Qt::AlignLeading | Qt::AlignVCenter);
    KeepPlaceWhenHidden(SkinLabel2);
    SkinLabel2->hide();
    grid->addWidget(SkinLabel2, 1, 0, 1, 2);
    grid->setRowStretch(0, 1);
    m_panelArea = panels;
}

void Frm1::connectButtons()
{
    connect(Command1, &QPushButton::clicked, this, [this] { registration->open(); });
    connect(Command2, &QPushButton::clicked, this, [this] {
        if (Adodc3->isEmpty())
            return;
        HideAllPanels();
        FrmTest::Run(this);
    });
    connect(Command3, &QPushButton::clicked, this, [this] {
        if (Adodc3->isEmpty())
            return;
        // Hands over to the scoring window, which brings a new main window back.
        HideAllPanels();
        ConnectReportButtons(FrmkLID::ShowNew());
        Text3 = QStringLiteral("1");
        close();
    });
    connect(Command4, &QPushButton::clicked, this, [this] {
        if (Adodc3->isEmpty())
            return;
        // Hands over to the subject browser, which brings a new main window back.
        HideAllPanels();
        ConnectReportButtons(FrmCode::ShowNew());
        Text3 = QStringLiteral("1");
        close();
    });
    connect(Command11, &QPushButton::clicked, this, [this] {
        // Over whatever panel is open: a registration begun stays as it is.
        Frmravansanji introduction(this);
        introduction.exec();
    });
    connect(Command12, &QPushButton::clicked, this, [this] {
        HideAllPanels();
        About about(this);
        about.exec();
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

void Frm1::setUpKeyboard()
{
    // Enter presses the focused button, as Space does, here and in every panel.
    EnterPressesFocusedButton(this);
    // The first focus is on the first main button; the help button, whose focus the skins do not
    // mark, comes last of all.
    QWidget::setTabOrder(previousInFocusChain(), Command13);
    Command1->setFocus();
}

void Frm1::fitToLook()
{
    // Every size is taken from the look the skin gave: its fonts, paddings and borders.
    ensurePolished();
    // The help button is a small square, just wide enough for its word.
    const QSize help = Command13->sizeHint();
    const int word = Command13->fontMetrics().horizontalAdvance(Command13->text());
    const int side = qMax(help.height(), qMin(help.width(), word + 24));
    Command13->setFixedSize(side, side);
    registration->fitToLook();
    settings->fitToLook();
    // Two lines for the clinic's name, whatever name it shows now or later; a longer one is cut
    // rather than pushing the window off a small screen.
    SkinLabel1->setFixedHeight(2 * SkinLabel1->fontMetrics().lineSpacing());
    // Two lines of hint; the label shows one (a blank) now.
    SkinLabel2->setFixedHeight(SkinLabel2->sizeHint().height() +
                               SkinLabel2->fontMetrics().lineSpacing());
    // Room for the largest panel, so the fixed-size window never has to grow when one opens.
    QSize largest(480, 280);
    for (QFrame *panel : {Frame10, Frame6, Frame8, Frame9})
        largest = largest.expandedTo(panel->sizeHint());
    largest = largest.expandedTo(settings->neededSize(8));
    m_panelArea->setMinimumWidth(largest.width());
    static_cast<QGridLayout *>(m_panelArea->layout())->setRowMinimumHeight(0, largest.height());
    setFixedSize(sizeHint());
}

QString Frm1::hintOf(const QObject *button) const
{
    if (button == Command1)
        return text(Frm1Text::Command1Hint);
    if (button == Command2)
        return text(Frm1Text::Command2Hint);
    if (button == Command3)
        return text(Frm1Text::Command3Hint);
    if (button == Command4)
        return text(Frm1Text::Command4Hint);
    if (button == Command9)
        return text(Frm1Text::Command9Hint);
    return {};
}

void Frm1::HideAllPanels()
{
    Frame6->hide();
    Frame10->hide();
    Frame8->hide();
    Frame9->hide();
    if (!Adodc2->isEmpty())
        Cursor::RereadEach({Adodc2, Adodc3});
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
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseMove && watched == Frame7) {
        hideHint();
    } else if (type == QEvent::MouseMove ||
               ((type == QEvent::FocusIn || type == QEvent::FocusOut) && byKeyboard(event))) {
        // The keyboard shows a button's hint as the pointer does, and takes it along when it
        // leaves.
        const QString hint = hintOf(watched);
        if (!hint.isEmpty() && type == QEvent::FocusOut)
            hideHint();
        else if (!hint.isEmpty())
            showHint(hint);
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

void Frm1::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (!m_paintedOnce) {
        m_paintedOnce = true;
        // From the event loop, so it comes once this first frame has gone to the window system.
        QTimer::singleShot(0, this, [] { qCInfo(lcStartup, "main window painted"); });
    }
}

void Frm1::closeEvent(QCloseEvent *event)
{
    // A subject begun and not saved is dropped.
    Cursor::RereadEach({Adodc2});
    if (LeadingNumber(Text3) != 1) {
        HideAllPanels();
        Cursor::RereadEach({Adodc2});
        auto *dialog = new exitpro;
        dialog->show();
    }
    event->accept();
}
