// The least a Qt Widgets program does to show a window with some text in it: the floor the
// program's start is measured against. It shows a window of the program's size with one label
// and runs until closed.

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("One label"));
    window.setFixedSize(385, 355);
    new QLabel(QStringLiteral("Call"), &window);
    window.show();
    return app.exec();
}
