// Times "Open" of a 100,000-contact log file into an empty window, with the real widgets drawn
// offscreen, and "Save" of that log; prints the median of several runs of each.
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_log_file [contacts] [runs]

#include "form15.h"
#include "form15_view.h"
#include "log_file.h"
#include "log_generator.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

class QuietMessages : public MessageService
{
public:
    int show(const QString &prompt, int, const QString &) override
    {
        last = prompt;
        return vbOK;
    }
    QString last;
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

double milliseconds(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// Draws whatever is pending: the layout the change asked for and the paint of every widget.
void drawNow(QWidget &view)
{
    QApplication::processEvents();
    view.repaint();
}

// The caret at the end of the log, as the log box's change procedure puts it, so that the end
// of the log is what gets drawn.
void caretToEnd(TextBox &log)
{
    if (log.selStart() != log.text().size())
        log.setSelStart(int(log.text().size()));
}

double median(QList<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void report(const char *what, const QList<double> &times)
{
    std::printf("%-52s median %8.1f ms   min %8.1f ms   max %8.1f ms   (%lld runs)\n", what,
                median(times), *std::min_element(times.begin(), times.end()),
                *std::max_element(times.begin(), times.end()), (long long)times.size());
}

// Runs `prepare` untimed and `measure` timed, `runs` times.
QList<double> timeRuns(int runs, const std::function<void()> &prepare,
                       const std::function<void()> &measure)
{
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        measure();
        times.append(milliseconds(timer));
    }
    return times;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int contacts = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100000;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 11;

    Services services;
    const QString logText = generateLog(contacts).text;
    const QString path = logFilePath(services.directory);
    {
        ContactForm form;
        form.Text1.setText(logText);
        SaveLog(form, services.all());
    }
    std::printf("log file: %d contacts, %lld bytes (%s)\n", contacts, (long long)QFile(path).size(),
                qPrintable(QApplication::platformName()));

    // The window is rebuilt for every run so that each open starts from an empty log box.
    std::unique_ptr<Form15> form;
    std::unique_ptr<Form15View> view;
    const auto newWindow = [&] {
        view.reset();
        form = std::make_unique<Form15>(services.all());
        form->Form_Load();
        view = std::make_unique<Form15View>(*form);
        view->show();
        drawNow(*view);
    };

    report("open, window drawn (Command2_Click + paint)", timeRuns(runs, newWindow, [&] {
               form->Command2.click();
               caretToEnd(form->Text1);
               drawNow(*view);
           }));
    const QString nextNumber = QString::number(std::min(contacts + 1, 999)).rightJustified(3, u'0');
    if (form->Text1.text() != logText || form->Frame1.caption() != nextNumber) {
        std::fprintf(stderr, "open did not give the saved log back\n");
        return 1;
    }

    report("open, no window (OpenLog)", timeRuns(
                                            runs,
                                            [&] {
                                                view.reset();
                                                form.reset();
                                            },
                                            [&] {
                                                ContactForm bare;
                                                OpenLog(bare, services.all());
                                            }));

    // What the toolkit needs at least: read the file and show its text once, in a plain edit of
    // the log box's size that no control listens to.
    newWindow();
    const QWidget *logBox = view->widgetFor(&form->Text1);
    QPlainTextEdit floorBox;
    floorBox.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    floorBox.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    floorBox.setFont(logBox->font());
    floorBox.resize(logBox->size());
    floorBox.show();
    report("floor: read + decode + setPlainText + paint",
           timeRuns(
               runs, [&] { floorBox.clear(); },
               [&] {
                   QFile file(path);
                   file.open(QIODevice::ReadOnly);
                   floorBox.setPlainText(QString::fromUtf8(file.readAll()));
                   floorBox.moveCursor(QTextCursor::End);
                   drawNow(floorBox);
               }));
    floorBox.hide();

    newWindow();
    form->Command2.click();
    report("save (Command3_Click)", timeRuns(
                                        runs, [] {}, [&] { form->Command3.click(); }));
    if (!services.messages.last.startsWith(QStringLiteral("Log saved in ")) ||
        QFile(path).size() != logText.toUtf8().size() + 2) {
        std::fprintf(stderr, "save failed: %s\n", qPrintable(services.messages.last));
        return 1;
    }

    // What the toolkit needs at least: the same bytes written through QSaveFile.
    report("floor: encode + QSaveFile write + commit",
           timeRuns(
               runs, [] {},
               [&] {
                   QSaveFile file(path);
                   file.open(QIODevice::WriteOnly);
                   file.write(logText.toUtf8() + "\r\n");
                   file.commit();
               }));
    return 0;
}
