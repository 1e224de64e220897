// The least a Qt Widgets program does to show a window: the floor the program's start-up is
// measured against. It shows an empty window of the program's size and runs until closed.
//   bench_empty_window          the window alone
//   bench_empty_window label    the window with one label in it, which has to load a font

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Empty window"));
    window.setFixedSize(385, 355);
    if (QApplication::arguments().contains(QStringLiteral("label")))
        new QLabel(QStringLiteral("Call"), &window);
    window.show();
    return app.exec();
}
