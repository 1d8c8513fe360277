#pragma once

#include <QLabel>

// A picture that reacts to the mouse: it reports the pointer moving over it and clicks on it.
class PictureBox : public QLabel
{
    Q_OBJECT

public:
    explicit PictureBox(const QString &objectName, QWidget *parent = nullptr);

signals:
    void clicked();
    void hovered();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
};
