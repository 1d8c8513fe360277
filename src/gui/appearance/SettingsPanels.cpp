#include "appearance/SettingsPanels.h"

#include "appearance/SettingsText.h"
#include "common/Dialogs.h"
#include "common/FieldBinder.h"
#include "common/Skin.h"
#include "common/Text.h"
#include "common/WindowPieces.h"
#include "data/Cursor.h"
#include "register/Register.h"
#include "themes/ThemeCatalogue.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include <iterator>
#include <utility>

namespace {
// A small picture of a theme: its window, a button on it and its accent colour, so that a theme
// can be told before it is chosen. None when the skin file cannot be read or gives its colours
// otherwise than written out.
const QSize SwatchSize(34, 20);

QIcon themeSwatch(const QString &skinFile, qreal pixelRatio)
{
    const SkinPalette palette = Skin::ReadSkinFile(skinFile);
    auto colour = [&palette](const char *name) {
        // A fill is shown by its first colour.
        return QColor::fromString(palette.value(QLatin1String(name)).section(u' ', 0, 0));
    };
    const QColor window = colour("window"), ink = colour("text"), face = colour("button"),
                 border = colour("button-border"), accent = colour("accent");
    if (!palette.isValid() || !window.isValid() || !ink.isValid() || !face.isValid() ||
        !border.isValid() || !accent.isValid())
        return {};
    // A window in miniature: its heading in the accent colour, a line of text, and a button.
    const QSize size = SwatchSize;
    QPixmap picture(size * pixelRatio);
    picture.setDevicePixelRatio(pixelRatio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ink, 1));
    painter.setBrush(window);
    painter.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), 3, 3);
    painter.setPen(Qt::NoPen);
    painter.setBrush(accent);
    painter.drawRect(QRectF(4, 4, 12, 4));
    painter.setBrush(ink);
    painter.drawRect(QRectF(4, 11, 9, 2));
    painter.setPen(QPen(border, 1));
    painter.setBrush(face);
    painter.drawRoundedRect(QRectF(19.5, 4.5, 10, 11), 2, 2);
    painter.end();
    return QIcon(picture);
}

// Escape closes a panel the way its own exit or cancel button does; what was typed stays.
void closeWithEscape(QFrame *frame, QPushButton *exit)
{
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), frame);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(escape, &QShortcut::activated, exit, &QPushButton::click);
}
} // namespace

SettingsPanels::SettingsPanels(QWidget *window, QFrame *settings, QFrame *themes, QFrame *clinic,
                               Cursor *settingsRow, QPushButton *opener)
    : QObject(window), m_window(window), m_settings(settings), m_themes(themes), m_clinic(clinic),
      m_row(settingsRow), m_opener(opener), m_binder(new FieldBinder(settingsRow, this))
{
    buildSettings();
    buildThemes();
    buildClinic();
    connect(m_opener, &QPushButton::clicked, this, &SettingsPanels::open);
}

void SettingsPanels::buildSettings()
{
    Command68 = MakeButton(QStringLiteral("Command68"), SettingsText::Command68Caption, m_settings);
    Command67 = MakeButton(QStringLiteral("Command67"), SettingsText::Command67Caption, m_settings);
    Command69 = MakeButton(QStringLiteral("Command69"), SettingsText::Command69Caption, m_settings);
    auto *column = new QVBoxLayout(m_settings);
    column->setContentsMargins(8, 8, 8, 8);
    column->setSpacing(6);
    for (QPushButton *each : {Command68, Command67, Command69})
        column->addWidget(each);
    connect(Command68, &QPushButton::clicked, this, &SettingsPanels::openThemes);
    connect(Command67, &QPushButton::clicked, this, &SettingsPanels::openClinic);
    connect(Command69, &QPushButton::clicked, this, &SettingsPanels::close);
    closeWithEscape(m_settings, Command69);
}

void SettingsPanels::buildThemes()
{
    // Twelve buttons of the program's font are taller than the panels' place on a laptop screen
    // at 125 %, so they stand in two columns of six, read as one: down the first column (on the
    // right), then down the second, ending with the exit button. Tab goes the same way.
    auto *grid = new QGridLayout(m_themes);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    const int rows = int(std::size(SettingsText::ThemeButtons) + 1) / 2;
    int place = 0;
    for (const SettingsText::ThemeButton &each : SettingsText::ThemeButtons) {
        QPushButton *made = MakeButton(QString::fromLatin1(each.name), each.caption, m_themes);
        grid->addWidget(made, place % rows, place / rows);
        if (!themeButtons.isEmpty())
            QWidget::setTabOrder(themeButtons.last(), made);
        themeButtons << made;
        ++place;
    }
    Command46 = themeButtons.takeLast();
    // The swatches are drawn when the panel first opens, so that reading eleven skin files never
    // delays the main window; until then a clear picture of their size keeps the buttons' size.
    QPixmap clear(SwatchSize);
    clear.fill(Qt::transparent);
    for (QPushButton *each : std::as_const(themeButtons)) {
        each->setIcon(QIcon(clear));
        each->setIconSize(SwatchSize);
    }
    for (int theme = 1; theme <= themeButtons.size(); ++theme)
        connect(themeButtons.at(theme - 1), &QPushButton::clicked, this,
                [this, theme] { chooseTheme(theme); });
    connect(Command46, &QPushButton::clicked, this, &SettingsPanels::closeThemes);
    closeWithEscape(m_themes, Command46);
}

void SettingsPanels::buildClinic()
{
    SkinLabel4 = new SkinLabel(QStringLiteral("SkinLabel4"), m_clinic);
    SkinLabel4->setText(text(SettingsText::NameLabel));
    SkinLabel5 = new SkinLabel(QStringLiteral("SkinLabel5"), m_clinic);
    SkinLabel5->setText(text(SettingsText::AdressLabel));
    Text2 = new QLineEdit(m_clinic);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text14 = new QLineEdit(m_clinic);
    Text14->setObjectName(QStringLiteral("Text14"));
    Command64 = MakeButton(QStringLiteral("Command64"), SettingsText::Command64Caption, m_clinic);
    Command7 = MakeButton(QStringLiteral("Command7"), SettingsText::Command7Caption, m_clinic);

    auto *grid = new QGridLayout(m_clinic);
    grid->setContentsMargins(16, 14, 16, 14);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(10);
    int row = 0;
    for (auto [label, box] : {std::pair{SkinLabel4, Text2}, std::pair{SkinLabel5, Text14}}) {
        label->setAlignment(Qt::AlignTrailing | Qt::AlignVCenter); // against its box
        label->setBuddy(box);
        box->setAlignment(Qt::AlignCenter);
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1);
        ++row;
    }
    grid->setColumnStretch(1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 6, 0, 0);
    buttons->setSpacing(12);
    buttons->addStretch();
    buttons->addWidget(Command64);
    buttons->addWidget(Command7);
    grid->addLayout(buttons, row, 0, 1, 2);
    // Save is the panel's main action, and Enter in either box presses it.
    QFont bold = Command64->font();
    bold.setBold(true);
    Command64->setFont(bold);
    for (QLineEdit *box : {Text2, Text14})
        connect(box, &QLineEdit::returnPressed, Command64, &QPushButton::click);

    m_binder->bind(Text2, QStringLiteral("Name"));
    m_binder->bind(Text14, QStringLiteral("Adress"));
    connect(Command64, &QPushButton::clicked, this, &SettingsPanels::saveClinic);
    connect(Command7, &QPushButton::clicked, this, &SettingsPanels::cancelClinic);
    closeWithEscape(m_clinic, Command7);
}

void SettingsPanels::fitToLook()
{
    // Save and Cancel share one width, room for the longer word under the window's look.
    const int width =
        qMax(88, qMax(Command64->sizeHint().width(), Command7->sizeHint().width()) + 16);
    for (QPushButton *each : {Command64, Command7})
        each->setMinimumWidth(width);
    // The clinic's name and address are wide boxes.
    const int wide = Text2->fontMetrics().averageCharWidth() * 36;
    for (QLineEdit *box : {Text2, Text14})
        box->setMinimumWidth(wide);
}

QSize SettingsPanels::neededSize(int spacing) const
{
    const QSize beside = m_themes->sizeHint().expandedTo(m_clinic->sizeHint());
    const QSize settings = m_settings->sizeHint();
    return {settings.width() + spacing + beside.width(), qMax(settings.height(), beside.height())};
}

void SettingsPanels::open()
{
    emit panelsToHide();
    m_settings->show();
    Command68->setFocus();
}

void SettingsPanels::openThemes()
{
    emit panelsToHide();
    if (!m_swatchesDrawn) {
        m_swatchesDrawn = true;
        const QStringList skinFiles = ThemeCatalogue::SkinFiles();
        for (int theme = 1; theme <= themeButtons.size(); ++theme) {
            const QIcon swatch =
                themeSwatch(skinFiles.value(theme - 1), m_window->devicePixelRatioF());
            themeButtons.at(theme - 1)->setIcon(swatch); // none when its skin file is gone
        }
    }
    m_settings->show();
    m_themes->show();
    themeButtons.first()->setFocus();
}

void SettingsPanels::openClinic()
{
    emit panelsToHide();
    m_settings->show();
    m_clinic->show();
    // The boxes show what they hold: the stored texts, or texts typed earlier and cancelled.
    Text2->setFocus();
}

void SettingsPanels::close()
{
    emit panelsToHide();
    m_opener->setFocus();
}

void SettingsPanels::chooseTheme(int theme)
{
    const QString number = QString::number(theme);
    if (const Result stored = Register::StoreTheme(*m_row, number); !stored) {
        ShowMessage(m_window, stored.description(), QString(), QMessageBox::Critical);
        return;
    }
    Cursor::RereadEach({m_row});
    emit themeStored(number);
}

void SettingsPanels::closeThemes()
{
    m_themes->hide();
    Command68->setFocus();
}

void SettingsPanels::saveClinic()
{
    if (const Result stored = Register::StoreClinic(*m_row); !stored) {
        // Nothing was stored: the panel stays open with what was typed, and Save tries again.
        ShowMessage(m_window, stored.description(), QString(), QMessageBox::Critical);
        return;
    }
    Cursor::RereadEach({m_row});
    m_clinic->hide();
    Command67->setFocus();
}

void SettingsPanels::cancelClinic()
{
    // Nothing is stored; the boxes and the heading keep what was typed.
    m_clinic->hide();
    Command67->setFocus();
}
