// The least a Qt Widgets program does to show a window: the floor the program's start-up is
// measured against. It shows an empty window of the program's size and runs until closed.

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Empty window"));
    window.setFixedSize(385, 355);
    window.show();
    return app.exec();
}
