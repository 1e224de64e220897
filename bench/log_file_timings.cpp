#include "log_file_timings.h"

#include "bare_window.h"
#include "bench_window.h"
#include "call_box_timings.h"
#include "key_press.h"
#include "log_file/log_file.h"
#include "log_generator.h"
#include "timing.h"
#include "timing_in_turns.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QTemporaryDir>
#include <memory>
#include <unistd.h>

namespace {

constexpr double maxFileRatio = 1.5;
constexpr double maxCallBoxRatio = 1.5;

// The caret at the end of the log, where the log box's change procedure puts it, so that the
// end of the log is what gets drawn.
void caretToEnd(TextBox &log)
{
    if (log.selStart() != log.textLength())
        log.setSelStart(int(log.textLength()));
}

// Three characters are never looked for; the fourth is the first look-up.
const QString typedBeforeFirstLookUp = absentCall().first(3);
const QString firstLookUp = absentCall().first(4);

void typeFirstLookUp(QWidget *box)
{
    pressKey(box, Qt::Key(firstLookUp.back().unicode()), firstLookUp.back());
}

} // namespace

QList<Measurement> timeOpenAndSave(int contacts, int openRuns, int saveRuns)
{
    const QTemporaryDir directory;
    BenchServices services(directory.path());
    const QString logText = generateLog(contacts).text;
    const QString path = logFilePath(services.directory);
    saveLogText(services, logText);
    const QString count = contactCount(contacts);

    // A new window for every run, so that each open starts from an empty log box.
    auto window = std::make_unique<BenchWindow>(services.all());
    BareWindow<QPlainTextEdit> bareLog(placeOf(*window->view.widgetFor(&window->form.Text1)));
    useLogBoxSettings(*bareLog.box);
    const BoxPlace callBoxPlace = placeOf(*window->view.widgetFor(&window->form.Text2));
    std::unique_ptr<BareWindow<QLineEdit>> bareCall;

    QList<double> open, openFloor, keystroke, keystrokeFloor;
    for (int i = 0; i < openRuns; ++i) {
        window.reset();
        window = std::make_unique<BenchWindow>(services.all());
        open += timeRuns(
            1, [] {},
            [&] {
                window->form.Command2.click();
                caretToEnd(window->form.Text1);
                drawNow(window->view);
            });
        QWidget *callBox = window->view.widgetFor(&window->form.Text2);
        keystroke += timeRuns(
            1,
            [&] {
                focusBox(callBox);
                window->form.Text2.setText(typedBeforeFirstLookUp);
                QApplication::processEvents();
            },
            [&] { typeFirstLookUp(callBox); });
        stopUnless(window->form.Text2.text() == firstLookUp, "the call box did not take the key");
        // Checked after the key, and in pieces: a whole copy of a long log made between the open
        // and the key would leave the key's memory cold, which no operator's key meets.
        stopUnless(window->form.Text1.holds(logText), "open did not give the saved log back");

        // The first key goes into a window made for this run, as the program's does: a new
        // window's first key costs more than the next ones, whatever the box does with it.
        bareCall.reset();
        bareCall = std::make_unique<BareWindow<QLineEdit>>(callBoxPlace);
        useCallBoxSettings(*bareCall->box);

        // What Qt alone needs: read the file, let go of its bytes, show the text once in a bare
        // text edit with the log box's settings, drawn.
        bareLog.box->clear();
        drawNow(bareLog.window);
        openFloor += timeRuns(
            1, [] {},
            [&] {
                QFile file(path);
                file.open(QIODevice::ReadOnly);
                bareLog.box->setPlainText(QString::fromUtf8(file.readAll()));
                bareLog.box->moveCursor(QTextCursor::End);
                drawNow(bareLog.window);
            });
        keystrokeFloor += timeRuns(
            1,
            [&] {
                focusBox(bareCall->box);
                bareCall->box->setText(typedBeforeFirstLookUp);
                QApplication::processEvents();
            },
            [&] { typeFirstLookUp(bareCall->box); });
    }
    bareLog.box->clear();

    const Timed save{.measure = [&] { window->form.Command3.click(); }};
    // A file of its own beside the log: saving over a log file that changed since it last saw
    // it, as another window's save would, the program would first keep a copy of it.
    const QString floorPath = path + QStringLiteral(".floor");
    const Timed saveFloor{.measure = [&] {
        QSaveFile file(floorPath);
        file.open(QIODevice::WriteOnly);
        file.write(logText.toUtf8());
        file.write("\r\n");
        // On the disk before it returns, as the program's save is.
        stopUnless(file.flush() && ::fsync(file.handle()) == 0 && file.commit(),
                   "the floor's save failed");
    }};
    const TimesInTurns saves = timeInTurns(saveRuns, save, saveFloor);
    stopUnless(services.messages.last.startsWith(QStringLiteral("Log saved in ")) &&
                   QFile(path).size() == logText.toUtf8().size() + 2,
               "save failed");

    return {
        fromPairs(
            {
                .what = QStringLiteral("open (Command2_Click, drawn)"),
                .contacts = count,
                .unit = QStringLiteral("ms"),
                .floorName =
                    QStringLiteral("read + setPlainText into a bare QPlainTextEdit, drawn"),
                .maxRatio = maxFileRatio,
            },
            open, openFloor),
        fromPairs(
            {
                .what = QStringLiteral("call-box keystroke, first after Open"),
                .contacts = count,
                .unit = QStringLiteral("ms"),
                .floorName = bareLineEditFloor(),
                .maxRatio = maxCallBoxRatio,
            },
            keystroke, keystrokeFloor),
        fromPairs(
            {
                .what = QStringLiteral("save (Command3_Click)"),
                .contacts = count,
                .unit = QStringLiteral("ms"),
                .floorName = QStringLiteral("QSaveFile write of the same bytes + fsync"),
                .maxRatio = maxFileRatio,
            },
            saves.program, saves.floor),
    };
}
