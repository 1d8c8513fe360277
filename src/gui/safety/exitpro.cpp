#include "safety/exitpro.h"

#include "common/ApplyStoredTheme.h"
#include "common/Artwork.h"
#include "common/PictureBox.h"
#include "common/ProgramEnd.h"
#include "common/ScreenPlacement.h"
#include "common/Skin.h"
#include "common/Text.h"
#include "data/Cursor.h"
#include "safety/Frmbackup.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace {
// Two pictures in one place: the one at rest and the lit one that replaces it under the pointer.
void placePair(QGridLayout *grid, int column, PictureBox *rest, PictureBox *lit,
               const QString &icon, const QString &litIcon, const char *word, qreal ratio)
{
    rest->setPixmap(ButtonPicture(icon, text(word), false, ratio));
    lit->setPixmap(ButtonPicture(litIcon, text(word), true, ratio));
    for (PictureBox *picture : {rest, lit}) {
        picture->setCursor(PicturePointer());
        picture->setAlignment(Qt::AlignCenter);
        picture->setFocusPolicy(Qt::StrongFocus);
        grid->addWidget(picture, 0, column);
    }
}
} // namespace

exitpro::exitpro(QWidget *parent)
    : QWidget(parent), Adodc1(new Cursor(QStringLiteral("Theme"), this)), Skin1(new Skin(this)),
      Label1(new QLabel(text(exitproText::Question), this)),
      Check1(new QCheckBox(text(exitproText::Backup), this)),
      k1(new PictureBox(QStringLiteral("k1"), this)),
      k2(new PictureBox(QStringLiteral("k2"), this)),
      C1(new PictureBox(QStringLiteral("C1"), this)),
      C2(new PictureBox(QStringLiteral("C2"), this)), Timer2(new QTimer(this)),
      Timer3(new QTimer(this)), tmCaptionAnimate(new QTimer(this))
{
    setObjectName(QStringLiteral("exitpro"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(text(exitproText::Backup));
    setMouseTracking(true);
    Text1 = QStringLiteral("1");
    Cursor::OpenEach({Adodc1});
    Text1 = Adodc1->field(QStringLiteral("TH"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Check1->setObjectName(QStringLiteral("Check1"));
    QFont question = Label1->font();
    question.setPointSizeF(question.pointSizeF() * 1.2);
    question.setBold(true);
    Label1->setFont(question);
    Label1->setAlignment(Qt::AlignCenter);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 18);
    layout->setSpacing(14);
    layout->addWidget(Label1);
    layout->addWidget(Check1, 0, Qt::AlignCenter);
    auto *pictures = new QGridLayout;
    pictures->setHorizontalSpacing(24);
    // Right to left: confirm stands to the right of cancel.
    placePair(pictures, 0, k1, k2, QStringLiteral(":/images/confirm.svg"),
              QStringLiteral(":/images/confirm-lit.svg"), exitproText::Confirm,
              devicePixelRatioF());
    placePair(pictures, 1, C1, C2, QStringLiteral(":/images/cancel.svg"),
              QStringLiteral(":/images/cancel-lit.svg"), exitproText::Cancel, devicePixelRatioF());
    layout->addLayout(pictures);
    // Sized once the skin has given the window its fonts and borders. The checkbox caption
    // changes while the dialog is open: room for the longer one.
    ApplyStoredTheme(Skin1, this, Text1);
    ensurePolished();
    Check1->setMinimumWidth(Check1->sizeHint().width() + 8);

    // Right to left, Tab goes from the box to confirm and on to cancel; a hidden picture is passed
    // over.
    setTabOrder(Check1, k1);
    setTabOrder(k1, k2);
    setTabOrder(k2, C1);
    setTabOrder(C1, C2);

    connect(k1, &PictureBox::hovered, this, [this] { swapPicture(k1, k2); });
    connect(C1, &PictureBox::hovered, this, [this] { swapPicture(C1, C2); });
    connect(k2, &PictureBox::clicked, this, &exitpro::confirm);
    connect(C2, &PictureBox::clicked, this, &exitpro::cancel);

    // The caption takes turns between two texts every 500 ms; the checkbox shows it, a little
    // behind.
    for (QTimer *timer : {Timer2, Timer3, tmCaptionAnimate})
        timer->setInterval(500);
    connect(Timer2, &QTimer::timeout, this, [this] {
        setWindowTitle(text(exitproText::CaptionA));
        Timer3->start();
        Timer2->stop();
    });
    connect(Timer3, &QTimer::timeout, this, [this] {
        setWindowTitle(text(exitproText::CaptionB));
        Timer2->start();
        Timer3->stop();
    });
    connect(tmCaptionAnimate, &QTimer::timeout, this, [this] { Check1->setText(windowTitle()); });
    Timer2->start();
    Timer3->start();
    tmCaptionAnimate->start();

    showPicturesAtRest();
    setFixedSize(sizeHint());
    PlaceOnScreen(this);
    // Enter confirms from the start, so the keyboard starts on confirm.
    k1->setFocus();
}

void exitpro::swapPicture(PictureBox *from, PictureBox *to)
{
    to->show();
    if (from->hasFocus())
        to->setFocus();
    from->hide();
}

void exitpro::showPicturesAtRest()
{
    swapPicture(k2, k1);
    swapPicture(C2, C1);
}

void exitpro::mouseMoveEvent(QMouseEvent *event)
{
    showPicturesAtRest();
    QWidget::mouseMoveEvent(event);
}

void exitpro::confirm()
{
    m_leaving = true;
    if (!Check1->isChecked()) {
        EndProgram();
        return;
    }
    // The backup window takes over and ends the program itself; this dialog stays hidden until
    // then.
    Frmbackup::ShowNew();
    hide();
}

void exitpro::cancel()
{
    m_leaving = true;
    ShowMainWindow();
    close();
}

void exitpro::keyPressEvent(QKeyEvent *event)
{
    // The pictures leave their keys to the dialog: Enter presses the one the keyboard is on, and
    // confirms from the box; Space presses a picture (on the box it ticks).
    const QWidget *focus = focusWidget();
    const bool onCancel = focus == C1 || focus == C2;
    const bool onPicture = onCancel || focus == k1 || focus == k2;
    const int key = event->key();
    if (key == Qt::Key_Escape ||
        (onCancel && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space))) {
        cancel();
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter || (onPicture && key == Qt::Key_Space)) {
        confirm();
        return;
    }
    QWidget::keyPressEvent(event);
}

void exitpro::closeEvent(QCloseEvent *event)
{
    // The close box means "not now": the user stays in the program.
    if (!m_leaving) {
        m_leaving = true;
        ShowMainWindow();
    }
    event->accept();
}
