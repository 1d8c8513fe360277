#include "appearance/Frmskin.h"

#include "common/ApplyStoredTheme.h"
#include "common/Artwork.h"
#include "common/PictureBox.h"
#include "common/ProgramEnd.h"
#include "common/ScreenPlacement.h"
#include "common/Skin.h"
#include "common/Text.h"
#include "data/Cursor.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

Frmskin::Frmskin(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      Adodc1(new Cursor(QStringLiteral("Theme"), this)), Skin1(new Skin(this)),
      Label3(new QLabel(text(FrmskinText::Done), this)),
      k1(new PictureBox(QStringLiteral("k1"), this)), k2(new PictureBox(QStringLiteral("k2"), this))
{
    setObjectName(QStringLiteral("Frmskin"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Skin"));
    setMouseTracking(true);
    Text1 = QStringLiteral("1");
    Cursor::OpenEach({Adodc1});
    Text1 = Adodc1->field(QStringLiteral("TH"));

    setAttribute(Qt::WA_StyledBackground);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(36, 28, 36, 24);
    layout->setSpacing(20);
    Label3->setObjectName(QStringLiteral("Label3"));
    QFont font = Label3->font();
    font.setPointSizeF(font.pointSizeF() * 1.3);
    font.setBold(true);
    Label3->setFont(font);
    Label3->setAlignment(Qt::AlignCenter);
    layout->addWidget(Label3);
    auto *button = new QGridLayout;
    const QString word = text(FrmskinText::Confirm);
    k1->setPixmap(
        ButtonPicture(QStringLiteral(":/images/confirm.svg"), word, false, devicePixelRatioF()));
    k2->setPixmap(
        ButtonPicture(QStringLiteral(":/images/confirm-lit.svg"), word, true, devicePixelRatioF()));
    for (PictureBox *picture : {k1, k2}) {
        picture->setCursor(PicturePointer());
        picture->setAlignment(Qt::AlignCenter);
        button->addWidget(picture, 0, 0);
    }
    layout->addLayout(button);

    connect(k1, &PictureBox::hovered, this, [this] {
        k1->hide();
        k2->show();
    });
    connect(k2, &PictureBox::clicked, this, &Frmskin::returnToMainWindow);

    // Sized and placed once the skin has given the window its fonts and borders.
    ApplyStoredTheme(Skin1, this, Text1);
    setFixedSize(sizeHint());
    PlaceOnScreen(this);
    k1->show();
    k2->hide();
}

Frmskin *Frmskin::ShowNew()
{
    auto *window = new Frmskin;
    window->show();
    window->activateWindow();
    return window;
}

void Frmskin::returnToMainWindow()
{
    m_returning = true;
    ShowMainWindow();
    close();
}

void Frmskin::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    // Without a title bar the window draws its own edge.
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void Frmskin::mouseMoveEvent(QMouseEvent *event)
{
    k1->show();
    k2->hide();
    QWidget::mouseMoveEvent(event);
}

void Frmskin::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        returnToMainWindow();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void Frmskin::closeEvent(QCloseEvent *event)
{
    // The return button is the only way back; a window manager's close request is refused, so
    // the program is never left without a window.
    if (m_returning)
        event->accept();
    else
        event->ignore();
}
