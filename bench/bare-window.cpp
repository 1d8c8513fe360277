// The yardstick for the program's start-up: a bare Qt program that shows one empty window and
// says so on stderr, the way the program's main window does.
#include <QApplication>
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
    window.show();
    return app.exec();
}
