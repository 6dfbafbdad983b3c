// The yardstick for start-up time and idle memory: a bare Qt window, nothing else.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("Bare Qt window");
    window.resize(535, 131);
    window.show();
    return app.exec();
}
