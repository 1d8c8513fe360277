#include "info/Frmravansanji.h"

#include "common/ApplyStoredTheme.h"
#include "common/ScreenPlacement.h"
#include "common/Skin.h"
#include "common/Text.h"
#include "common/WindowPieces.h"
#include "data/Cursor.h"
#include "scoring/ScoringKey.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {
// A number in the Persian digits the prose is written in.
QString persianNumber(int number)
{
    QString digits = QString::number(number);
    for (QChar &digit : digits)
        digit = QChar(0x06F0 + digit.digitValue());
    return digits;
}

// The direct statements as Persian prose lists them: "۷، ۸، … و ۵۴".
QString directStatements()
{
    QStringList numbers;
    for (int statement = 1; statement <= ScoringKey::StatementCount; ++statement)
        if (ScoringKey::IsDirect(statement))
            numbers << persianNumber(statement);
    const QString last = numbers.takeLast();
    return numbers.join(QString::fromUtf8("، ")) + QString::fromUtf8(" و ") + last;
}

SkinLabel *prose(const QString &name, const QString &content, QWidget *parent)
{
    auto *label = new SkinLabel(name, parent);
    label->setText(content);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeading | Qt::AlignTop);
    // A reader may copy a passage; the text itself stays as it is.
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}
} // namespace

QString Frmravansanji::DescriptionText()
{
    return text(FrmravansanjiText::DescriptionHeading) + QStringLiteral("\n\n") +
           text(FrmravansanjiText::Description).arg(directStatements());
}

QString Frmravansanji::ReliabilityText()
{
    return text(FrmravansanjiText::ReliabilityHeading) + QStringLiteral("\n\n") +
           text(FrmravansanjiText::Reliability);
}

Frmravansanji::Frmravansanji(QWidget *parent)
    : QDialog(parent), Adodc1(new Cursor(QStringLiteral("Theme"), this)), Skin1(new Skin(this))
{
    setObjectName(QStringLiteral("Frmravansanji"));
    setWindowTitle(text(FrmravansanjiText::Caption));
    Text1 = QStringLiteral("1");
    if (Adodc1->open())
        Text1 = Adodc1->field(QStringLiteral("TH"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->setSpacing(10);
    SkinLabel2 = new SkinLabel(QStringLiteral("SkinLabel2"), this);
    SkinLabel2->setText(text(FrmravansanjiText::Heading));
    SkinLabel2->setAlignment(Qt::AlignCenter);
    SkinLabel2->setWordWrap(true);
    QFont heading = SkinLabel2->font();
    heading.setPointSizeF(heading.pointSizeF() * 1.4);
    heading.setBold(true);
    SkinLabel2->setFont(heading);
    layout->addWidget(SkinLabel2);

    // Both texts in one page that scrolls as a whole: the reader goes on from the first into the
    // second, and nothing is ever cut off, however small the window or large the letters.
    Texts = new QScrollArea(this);
    Texts->setObjectName(QStringLiteral("Texts"));
    Texts->setWidgetResizable(true);
    Texts->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Texts->setFocusPolicy(Qt::StrongFocus); // the arrow and page keys scroll it
    auto *page = new QWidget(Texts);
    page->setObjectName(QStringLiteral("Page"));
    auto *pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(12, 10, 12, 10);
    pageLayout->setSpacing(18);
    SkinLabel4 = prose(QStringLiteral("SkinLabel4"), DescriptionText(), page);
    SkinLabel5 = prose(QStringLiteral("SkinLabel5"), ReliabilityText(), page);
    pageLayout->addWidget(SkinLabel4);
    pageLayout->addWidget(SkinLabel5);
    pageLayout->addStretch();
    Texts->setWidget(page);
    layout->addWidget(Texts, 1);

    Command1 = MakeButton(QStringLiteral("Command1"), FrmravansanjiText::Exit, this);
    Command1->setDefault(true); // Enter closes the window, wherever the focus is
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(Command1, 0, Qt::AlignHCenter);
    Command1->setMinimumWidth(110);

    ApplyStoredTheme(Skin1, this, Text1);

    // Roomy enough for both texts on a laptop screen, never larger than the screen's free area;
    // a smaller window scrolls the texts.
    QSize size(760, 540);
    if (const QScreen *screen =
            this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        const QSize area = screen->availableGeometry().size().shrunkBy(UsualWindowFrame);
        size = size.boundedTo(area);
    }
    setMinimumSize(420, 320);
    resize(size.expandedTo(minimumSize()));
    PlaceOnScreen(this);
    Texts->setFocus();
}
