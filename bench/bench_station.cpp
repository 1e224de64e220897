// A station of several positions, on a running nats-server with JetStream:
//   bench_station nats://127.0.0.1:4222 [FOLDER=.] [RUNS=101] [CONTACTS=1000]
// The add with and without a station (the same window, taken in turns), and the time from an
// add at one position to the call turning red at another, both windows in this process.
#include "logged_window.h"
#include "main_window/station_session.h"
#include "results_table.h"
#include "station/station_worker.h"
#include "timing.h"

#include <QApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QTextStream>

namespace {

// A stream of its own for every run of the benchmark: a call nobody else logs.
StationSettings stationFor(const QString &url, const QString &position)
{
    const QString call = QStringLiteral("BENCH%1").arg(QDateTime::currentSecsSinceEpoch());
    return StationSettings{{url}, call, position};
}

// Runs the event loop until `done` holds; false after `limitMs`.
bool runUntil(const std::function<bool()> &done, int limitMs)
{
    const QDeadlineTimer deadline(limitMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    return true;
}

void enterContact(Form15 &form, const QString &call)
{
    form.Text2.setText(call);
    form.Text3.setText(QStringLiteral("599"));
    form.Text4.setText(QStringLiteral("JN80XY"));
    QApplication::processEvents();
}

// Milliseconds of `runs` adds in the window of a position and in one on its own, in turns.
// Before each add, in either window, the position's previous contact is in the stream, as at an
// operator's pace: the network's work of one add never falls into the next, and both windows
// start their add from the same quiet.
QList<QList<double>> timeAdds(StationSession &session, Form15 &position, Form15 &alone, int runs)
{
    QList<QList<double>> times(2);
    const QList<Form15 *> forms = {&position, &alone};
    for (int run = 1; run <= runs; ++run) {
        const QString call = QStringLiteral("Q6A%1").arg(run);
        // Either window goes first every other run: neither is always the one after the wait.
        for (qsizetype turn = 0; turn < forms.size(); ++turn) {
            const qsizetype w = (turn + run) % forms.size();
            Form15 &form = *forms[w];
            times[w] += timeRuns(
                1,
                [&] {
                    enterContact(form, call);
                    stopUnless(
                        runUntil([&] { return session.state().contactsWaiting == 0; }, 10000),
                        "a contact did not reach the stream");
                },
                [&] {
                    form.Command1.click();
                    QApplication::processEvents();
                });
            stopUnless(form.Text2.text().isEmpty(), "a contact was not added");
        }
    }
    return times;
}

// Milliseconds from "Add" at `from` to the same call red in `to`'s call box, typed there first.
QList<double> timeCrossPosition(Form15 &from, Form15 &to, int runs)
{
    QList<double> times;
    for (int run = 1; run <= runs; ++run) {
        const QString call = QStringLiteral("Q7X%1").arg(run);
        to.Text2.setText(call);
        stopUnless(to.Text2.foreColor() != vbRed, "a new call is already red");
        enterContact(from, call);
        QElapsedTimer clock;
        clock.start();
        from.Command1.click();
        stopUnless(runUntil([&] { return to.Text2.foreColor() == vbRed; }, 10000),
                   "the call did not turn red at the other position");
        times.append(double(clock.nsecsElapsed()) / 1e6);
    }
    return times;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The benchmark links the engine the window loads as a module.
    useStationEngineFactory(startLinkedStationEngine);
    const QStringList args = QApplication::arguments();
    stopUnless(args.size() > 1, "usage: bench_station URL [FOLDER] [RUNS] [CONTACTS]");
    const QString url = args[1];
    const QString parent = QDir(args.value(2, QDir::currentPath())).absolutePath();
    const int runs = args.value(3, QStringLiteral("101")).toInt();
    const int contacts = args.value(4, QStringLiteral("1000")).toInt();

    LoggedWindow alone(contacts, parent);
    LoggedWindow run(contacts, parent);
    LoggedWindow search(contacts, parent);
    const StationSettings runStation = stationFor(url, QStringLiteral("run"));
    // The add first, with no other position in this process: there it costs another computer.
    StationSession runSession(run.window.form, runStation, [](const QString &) {});
    stopUnless(
        runUntil(
            [&] { return runSession.state().connected && runSession.state().contactsWaiting == 0; },
            60000),
        "the position's log did not reach the station");
    const QList<QList<double>> adds =
        timeAdds(runSession, run.window.form, alone.window.form, runs);

    StationSession searchSession(
        search.window.form,
        StationSettings{runStation.serverUrls, runStation.call, QStringLiteral("search")},
        [](const QString &) {});
    // The other position's log at this one before anything is timed.
    stopUnless(runUntil(
                   [&] {
                       return search.window.form.stationLog.textLength() >=
                              run.window.form.Text1.textLength();
                   },
                   60000),
               "the positions did not get each other's log");
    const QList<double> latency = timeCrossPosition(run.window.form, search.window.form, runs);

    QList<Measurement> results;
    results.append(fromPairs({.what = QStringLiteral("Add, one position of a station"),
                              .contacts = contactCount(contacts),
                              .unit = QStringLiteral("ms"),
                              .floorName = QStringLiteral("the same add, no station"),
                              .maxRatio = 1.1},
                             adds[0], adds[1]));
    Measurement crossing{.what = QStringLiteral("Add at one position to red at another"),
                         .contacts = contactCount(contacts),
                         .unit = QStringLiteral("ms"),
                         .program = median(latency),
                         .floorName = QStringLiteral("(none)"),
                         .maxProgram = 100};
    results.append(crossing);
    QTextStream(stdout) << "Station on " << url << ", logs in " << diskKindOf(parent) << " ("
                        << parent << ")\n\n"
                        << resultsTable(results);
    return 0;
}
