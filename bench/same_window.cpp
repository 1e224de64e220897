// The program's window built by Qt alone: the same kinds of bare widgets, in the same places,
// with the same fonts and texts, shown and drawn; the floor of the start that does the same
// visible work. Reads the window from the file bench_performance writes (window_description.h)
// and runs until closed:
//   bench_same_window DESCRIPTION_FILE

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <cstdio>

namespace {

QWidget *bareWidget(const QString &kind, const QString &text, QWidget *parent)
{
    if (kind == u"frame")
        return new QGroupBox(text, parent);
    if (kind == u"label")
        return new QLabel(text, parent);
    if (kind == u"lineedit")
        return new QLineEdit(text, parent);
    if (kind == u"checkbox")
        return new QCheckBox(text, parent);
    if (kind == u"button")
        return new QPushButton(text, parent);
    if (kind == u"combobox") {
        auto *combo = new QComboBox(parent);
        combo->addItems(text.split(u'|', Qt::SkipEmptyParts));
        return combo;
    }
    if (kind == u"textedit") {
        // The log box's own settings.
        auto *edit = new QPlainTextEdit(parent);
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit->setTabChangesFocus(true);
        return edit;
    }
    return nullptr;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QFile description(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString());
    if (!description.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "usage: bench_same_window DESCRIPTION_FILE\n");
        return 2;
    }
    const QStringList lines = QString::fromUtf8(description.readAll()).split(u'\n');
    const QStringList window = lines.first().split(u'\t');
    QWidget view;
    view.setFixedSize(window.value(0).toInt(), window.value(1).toInt());
    view.setWindowTitle(window.value(2));

    QList<QWidget *> widgets;
    for (const QString &line : lines.mid(1)) {
        const QStringList field = line.split(u'\t');
        if (field.size() != 9)
            return 1;
        const qsizetype parentIndex = field[1].toInt();
        QWidget *parent = parentIndex >= 0 ? widgets.value(parentIndex) : &view;
        QWidget *widget = bareWidget(field[0], field[8], parent);
        QFont font;
        if (!widget || !parent || !font.fromString(field[7]))
            return 1;
        widget->setFont(font);
        widget->setGeometry(field[3].toInt(), field[4].toInt(), field[5].toInt(), field[6].toInt());
        widget->setVisible(field[2] == u"shown");
        widgets.append(widget);
    }
    view.show();
    return app.exec();
}
