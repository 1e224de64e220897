#include "log_file_timings.h"

#include "bench_window.h"
#include "log_file.h"
#include "log_generator.h"
#include "timing.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QTemporaryDir>
#include <memory>

namespace {

// The caret at the end of the log, where the log box's change procedure puts it, so that the
// end of the log is what gets drawn.
void caretToEnd(TextBox &log)
{
    if (log.selStart() != log.text().size())
        log.setSelStart(int(log.text().size()));
}

} // namespace

QList<Measurement> timeOpenAndSave(int contacts, int runs)
{
    const QTemporaryDir directory;
    BenchServices services(directory.path());
    const QString logText = generateLog(contacts).text;
    const QString path = logFilePath(services.directory);
    saveLogText(services, logText);
    const QString count = contactCount(contacts);

    // A new window for every run, so that each open starts from an empty log box.
    std::unique_ptr<BenchWindow> window;
    const QList<double> open = timeRuns(
        runs,
        [&] {
            window.reset();
            window = std::make_unique<BenchWindow>(services.all());
        },
        [&] {
            window->form.Command2.click();
            caretToEnd(window->form.Text1);
            drawNow(window->view);
        });
    stopUnless(window->form.Text1.text() == logText, "open did not give the saved log back");

    // What the toolkit needs at least: read the file and show its text once, in a plain edit of
    // the log box's size that no control listens to.
    const QWidget *logBox = window->view.widgetFor(&window->form.Text1);
    QPlainTextEdit floorBox;
    floorBox.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    floorBox.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    floorBox.setFont(logBox->font());
    floorBox.resize(logBox->size());
    floorBox.show();
    const QList<double> openFloor = timeRuns(
        runs, [&] { floorBox.clear(); },
        [&] {
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            floorBox.setPlainText(QString::fromUtf8(file.readAll()));
            floorBox.moveCursor(QTextCursor::End);
            drawNow(floorBox);
        });
    floorBox.hide();

    const QList<double> save = timeRuns(
        runs, [] {}, [&] { window->form.Command3.click(); });
    stopUnless(services.messages.last.startsWith(QStringLiteral("Log saved in ")) &&
                   QFile(path).size() == logText.toUtf8().size() + 2,
               "save failed");

    // What the toolkit needs at least: the same bytes written through QSaveFile.
    const QList<double> saveFloor = timeRuns(
        runs, [] {},
        [&] {
            QSaveFile file(path);
            file.open(QIODevice::WriteOnly);
            file.write(logText.toUtf8() + "\r\n");
            file.commit();
        });

    return {
        {
            .what = QStringLiteral("open (Command2_Click, drawn)"),
            .contacts = count,
            .unit = QStringLiteral("ms"),
            .program = median(open),
            .floor = median(openFloor),
            .floorName = QStringLiteral("read + QPlainTextEdit::setPlainText, drawn"),
            .maxRatio = 1.5,
        },
        {
            .what = QStringLiteral("save (Command3_Click)"),
            .contacts = count,
            .unit = QStringLiteral("ms"),
            .program = median(save),
            .floor = median(saveFloor),
            .floorName = QStringLiteral("QSaveFile write of the same bytes"),
            .maxRatio = 1.5,
        },
    };
}
