#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

// Answers the next modal box: polls until one is on screen, then hands it to answer(). Gives up
// after timeoutMs, so a box that never comes fails the test instead of hanging it.
inline void AnswerNextModal(std::function<void(QWidget *)> answer, int timeoutMs = 5000)
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
