// Times pasting long texts into each entry box and into the log box of the real window, drawn
// offscreen, and one keystroke typed after each paste. The window holds a 10,000-contact log.
// The first row of each box pastes nothing: the keystroke in a box of ordinary length. After it
// each length is twice the one before: a time that roughly doubles from row to row grows in
// proportion to the text, one that quadruples would show quadratic work.
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_hostile_paste [runs]

#include "form15.h"
#include "form15_view.h"
#include "log_generator.h"
#include "timing.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

class QuietMessages : public MessageService
{
public:
    MsgBoxResult show(const QString &, MsgBoxStyle, const QString &) override { return vbOK; }
};

class BenchDirectory : public ProgramDirectory
{
public:
    QString path() const override { return dir.path(); }
    QTemporaryDir dir;
};

struct Services
{
    SystemClock clock;
    QuietMessages messages;
    BenchDirectory directory;
    DiskFileService files;
    WindowServices all() { return {clock, messages, directory, files}; }
};

void drawNow(QWidget &view)
{
    QApplication::processEvents();
    view.repaint();
}

QString longText(QStringView pattern, qsizetype length)
{
    QString text;
    text.reserve(length);
    while (text.size() < length)
        text.append(pattern.first(std::min(pattern.size(), length - text.size())));
    return text;
}

// Runs `prepare` untimed and `measure` timed, `runs` times; the median in milliseconds.
double medianMs(int runs, const std::function<void()> &prepare,
                const std::function<void()> &measure)
{
    return median(timeRuns(runs, prepare, measure));
}

struct Box
{
    const char *name;
    TextBox *control;
    QStringView pattern;
};

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;

    Services services;
    Form15 form(services.all());
    form.Form_Load();
    Form15View view(form);
    view.show();
    const QString log = generateLog(10000).text;
    form.Text1.setText(log);
    drawNow(view);

    const Box boxes[] = {
        {"call box", &form.Text2, u"q1abc/p"},
        {"number box", &form.Text3, u"0123456789"},
        {"locator box", &form.Text4, u"jn80xy-->"},
        {"log box", &form.Text1, u"003-+-16/07/2016---1347---OK1AB---59---1---X\n"},
    };
    std::printf("%-12s %8s %14s %18s\n", "", "chars", "paste (ms)", "keystroke (ms)");
    for (const Box &box : boxes) {
        QWidget *widget = view.widgetFor(box.control);
        const QString usualText = box.control == &form.Text1 ? log : QString();
        for (qsizetype length : {0, 25'000, 50'000, 100'000, 200'000}) {
            const QString pasted = longText(box.pattern, length);
            const auto prepare = [&] {
                box.control->setText(usualText);
                drawNow(view);
                QGuiApplication::clipboard()->setText(pasted);
                widget->setFocus();
                QTest::keyClick(widget, Qt::Key_End, Qt::ControlModifier);
            };
            const double paste = medianMs(runs, prepare, [&] {
                QTest::keyClick(widget, Qt::Key_V, Qt::ControlModifier);
                drawNow(view);
            });
            const double keystroke = medianMs(
                runs, [] {},
                [&] {
                    QTest::keyClick(widget, Qt::Key_X);
                    drawNow(view);
                });
            std::printf("%-12s %8lld %14.1f %18.2f\n", box.name, (long long)length, paste,
                        keystroke);
        }
        // Back to its usual text, so that the next box is timed without this one's long text.
        box.control->setText(usualText);
    }
    return 0;
}
