#include "common/PictureBox.h"

#include <QMouseEvent>

PictureBox::PictureBox(const QString &objectName, QWidget *parent) : QLabel(parent)
{
    setObjectName(objectName);
    setMouseTracking(true);
    // The window behind a picture must not see the pointer moving over the picture.
    setAttribute(Qt::WA_NoMousePropagation);
    // Exactly as large as its picture: a layout never widens it, so the pointer beside the
    // picture is over the window, not over the picture.
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    emit hovered();
    event->accept();
}

void PictureBox::enterEvent(QEnterEvent *event)
{
    emit hovered();
    QLabel::enterEvent(event);
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    event->accept();
}
