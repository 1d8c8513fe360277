// The yardstick for the program's start-up: a bare Qt program that shows one empty window and
// says so on stderr, the way the program's main window does. With --label the window holds one
// line of Persian text, which is what it takes to set up the fonts.
#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>

class Shown : public QWidget
{
protected:
    void showEvent(QShowEvent *event) override
    {
        QWidget::showEvent(event);
        std::fprintf(stderr, "bare window shown\n");
        std::fflush(stderr);
    }
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
