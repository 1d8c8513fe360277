#include "ModalAnswer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>

void AnswerNextModal(std::function<void(QWidget *)> answer, int timeoutMs)
{
    auto *timer = new QTimer(qApp);
    auto *clock = new QElapsedTimer;
    clock->start();
    QObject::connect(timer, &QTimer::timeout, timer, [timer, clock, answer, timeoutMs] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal && clock->elapsed() < timeoutMs)
            return;
        timer->stop();
        timer->deleteLater();
        delete clock;
        if (modal)
            answer(modal);
    });
    timer->start(10);
}

namespace {
SeenBox look(const QMessageBox *box)
{
    return {box->windowTitle(), box->text(), box->icon(), box->layoutDirection(),
            box->button(QMessageBox::Yes) && box->button(QMessageBox::No)};
}

void press(QMessageBox *box, QMessageBox::StandardButton button)
{
    QAbstractButton *pressed =
        button == QMessageBox::NoButton ? box->buttons().value(0) : box->button(button);
    if (pressed)
        pressed->click();
    else
        box->accept();
}
} // namespace

void AnswerNextBox(QMessageBox::StandardButton button, SeenBox *seen)
{
    AnswerNextModal([button, seen](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box)
            return;
        if (seen)
            *seen = look(box);
        press(box, button);
    });
}

BoxAnswerer::BoxAnswerer(QMessageBox::StandardButton button,
                         std::function<bool(const QMessageBox *)> skip)
{
    QObject::connect(&m_timer, &QTimer::timeout, [this, button, skip] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || (skip && skip(box)))
            return;
        m_seen << look(box);
        press(box, button);
    });
    m_timer.start(10);
}

QStringList ShownTexts()
{
    QStringList texts;
    for (const DialogHooks::Shown &shown : DialogHooks::TakeShown())
        texts << shown.text;
    return texts;
}

QStringList ShownTitlesAndTexts()
{
    QStringList texts;
    for (const DialogHooks::Shown &shown : DialogHooks::TakeShown())
        texts << shown.title + u'|' + shown.text;
    return texts;
}
