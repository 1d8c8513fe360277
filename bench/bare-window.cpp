// The yardstick for the program's start-up: a bare Qt program that shows one empty window and
// says on stderr when it is shown and when its first frame is painted, the way the program's main
// window does. With --label the window holds one line of Persian text, which is what it takes to
// set up the fonts.
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>

namespace {
void say(const char *line)
{
    std::fprintf(stderr, "%s\n", line);
    std::fflush(stderr);
}
} // namespace

class Shown : public QWidget
{
protected:
    void showEvent(QShowEvent *event) override
    {
        QWidget::showEvent(event);
        say("bare window shown");
    }

    void paintEvent(QPaintEvent *event) override
    {
        QWidget::paintEvent(event);
        if (!m_painted) {
            m_painted = true;
            // From the event loop, so it comes once this first frame has gone to the window system.
            QTimer::singleShot(0, this, [] { say("bare window painted"); });
        }
    }

private:
    bool m_painted = false;
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Shown window;
    if (app.arguments().contains(QStringLiteral("--label"))) {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(new QLabel(
            QString::fromUtf8("مقیاس مهارت‌های اجتماعی"), &window));
    }
    window.show();
    return app.exec();
}
