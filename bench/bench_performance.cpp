// Measures the program, with its real widgets drawn offscreen, against the same visible work
// done by Qt alone (its floor), program and floor taken in turns, and prints the medians, the
// median of their pairwise ratios and whether each target is met, as a Markdown table:
//   build/bench/bench_performance [--contacts N] [callbox] [logbox] [add] [open] [start] [memory]
// With no section it measures all of them. The ordinary run takes logs of 1,000, 10,000 and
// 100,000 contacts; with --contacts N every section that depends on the log's size measures a
// log of N contacts instead (the scale rows: --contacts 1000000). The exit status is 1 when a
// target is missed.

#include "add_timings.h"
#include "bare_window.h"
#include "bench_window.h"
#include "call_box_timings.h"
#include "log_box_timings.h"
#include "log_file_timings.h"
#include "log_generator.h"
#include "logged_window.h"
#include "process_timings.h"
#include "results_table.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <memory>
#include <vector>

namespace {

constexpr int smallestLog = 1000;
constexpr int largestOrdinaryLog = 100000;
constexpr int bigLog = 1000000;
constexpr double maxAddRatio = 1.5;

// How often each piece of work is repeated: fewer runs for logs where one run takes seconds.
struct Runs
{
    int callBox;
    int logBox;
    int add;
    int open;
    int save;
    int start;
    int memory;
};

Runs runsFor(int contacts)
{
    if (contacts >= bigLog)
        return {.callBox = 51,
                .logBox = 11,
                .add = 51,
                .open = 5,
                .save = 11,
                .start = 21,
                .memory = 3};
    return {
        .callBox = 101, .logBox = 31, .add = 101, .open = 15, .save = 31, .start = 21, .memory = 5};
}

QString cpuModel()
{
    QFile cpuinfo(QStringLiteral("/proc/cpuinfo"));
    if (!cpuinfo.open(QIODevice::ReadOnly | QIODevice::Text))
        return QStringLiteral("unknown CPU");
    const auto match = QRegularExpression(QStringLiteral("model name\\s*:\\s*(.*)"))
                           .match(QString::fromLatin1(cpuinfo.readAll()));
    return match.hasMatch() ? match.captured(1).trimmed() : QStringLiteral("unknown CPU");
}

QString loadAverage()
{
    QFile loadavg(QStringLiteral("/proc/loadavg"));
    if (!loadavg.open(QIODevice::ReadOnly | QIODevice::Text))
        return QStringLiteral("unknown");
    return QString::fromLatin1(loadavg.readAll()).section(u' ', 0, 2);
}

void progress(const QString &what)
{
    QTextStream(stderr) << what << "...\n";
}

// The log sizes of the windows the keystrokes and adds are measured in, smallest first.
struct WindowSizes
{
    QList<int> windows;
    QList<int> callBox;
    QList<int> logBox;
};

// Keystrokes and adds on windows holding generated logs.
QList<Measurement> timeWindows(const WindowSizes &wanted, const QStringList &sections,
                               const QString &diskFolder)
{
    const QList<int> &sizes = wanted.windows;
    std::vector<std::unique_ptr<LoggedWindow>> windows;
    QList<BenchWindow *> benchWindows;
    for (int contacts : sizes) {
        progress(QStringLiteral("a window with %1 contacts").arg(contacts));
        windows.push_back(std::make_unique<LoggedWindow>(contacts, diskFolder));
        benchWindows.append(&windows.back()->window);
    }
    const int largest = sizes.back();
    const Runs runs = runsFor(largest);

    QList<Measurement> results;
    if (sections.contains(u"callbox")) {
        for (qsizetype i = 0; i < sizes.size(); ++i) {
            if (!wanted.callBox.contains(sizes[i]))
                continue;
            progress(QStringLiteral("call-box keystrokes with %1 contacts").arg(sizes[i]));
            results += timeCallBoxKeystrokes(windows[i]->window, windows[i]->log,
                                             runsFor(sizes[i]).callBox, sizes[i] == largest);
        }
    }
    if (sections.contains(u"logbox")) {
        for (qsizetype i = 0; i < sizes.size(); ++i) {
            if (!wanted.logBox.contains(sizes[i]))
                continue;
            progress(QStringLiteral("log-box keystrokes with %1 contacts").arg(sizes[i]));
            results +=
                timeLogBoxKeystrokes(windows[i]->window, windows[i]->log, runsFor(sizes[i]).logBox);
        }
    }
    if (sections.contains(u"add")) {
        progress(QStringLiteral("adds"));
        const QList<QList<double>> times = timeAdds(benchWindows, runs.add);
        for (qsizetype i = 1; i < sizes.size(); ++i) {
            results.append(fromPairs(
                {
                    .what = QStringLiteral("add (Command1_Click, drawn), vs. the same add at "
                                           "1,000 contacts"),
                    .contacts = contactCount(sizes[i]),
                    .unit = QStringLiteral("ms"),
                    .floorName = QStringLiteral("the program's add with 1,000 contacts"),
                    .maxRatio =
                        sizes[i] >= largestOrdinaryLog ? std::optional(maxAddRatio) : std::nullopt,
                },
                times[i], times[0]));
        }
        progress(QStringLiteral("adds against a bare box and the same record synced"));
        LoggedWindow &largestWindow = *windows.back();
        const TimesInTurns onDisk = timeAddsOnDisk(largestWindow.window, largestWindow.log.text,
                                                   largestWindow.directory.path(), runs.add);
        results.append(fromPairs(
            {
                .what = QStringLiteral("add with the recovery file on a real disk "
                                       "(Command1_Click, drawn, synced)"),
                .contacts = contactCount(largest),
                .unit = QStringLiteral("ms"),
                .floorName = QStringLiteral("appendPlainText of the line to a bare "
                                            "QPlainTextEdit, three bare QLineEdits emptied, a "
                                            "QGroupBox titled, drawn, + QFile append of its "
                                            "record + fdatasync"),
                .maxRatio =
                    largest >= largestOrdinaryLog ? std::optional(maxAddRatio) : std::nullopt,
            },
            onDisk.program, onDisk.floor));
    }
    return results;
}

// The log box's place and font in the program's window, for the memory floor's own process.
BoxPlace logBoxPlace()
{
    const QTemporaryDir directory;
    BenchServices services(directory.path());
    const BenchWindow window(services.all());
    return placeOf(*window.view.widgetFor(&window.form.Text1));
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const QStringList allSections = {QStringLiteral("callbox"), QStringLiteral("logbox"),
                                     QStringLiteral("add"),     QStringLiteral("open"),
                                     QStringLiteral("start"),   QStringLiteral("memory")};
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Measures the program against the same work done by Qt alone."));
    parser.addHelpOption();
    const QCommandLineOption contactsOption(
        QStringLiteral("contacts"),
        QStringLiteral("Measure a log of <n> contacts instead of the ordinary sizes."),
        QStringLiteral("n"));
    parser.addOption(contactsOption);
    parser.addPositionalArgument(QStringLiteral("sections"), allSections.join(u' '),
                                 QStringLiteral("[sections...]"));
    parser.process(app);

    QStringList sections = parser.positionalArguments();
    for (const QString &section : sections) {
        if (!allSections.contains(section))
            parser.showHelp(2);
    }
    if (sections.isEmpty())
        sections = allSections;
    int contacts = largestOrdinaryLog;
    WindowSizes windowSizes{
        .windows = {smallestLog, 10000, largestOrdinaryLog},
        .callBox = {smallestLog, 10000, largestOrdinaryLog},
        .logBox = {10000, largestOrdinaryLog},
    };
    if (parser.isSet(contactsOption)) {
        bool ok = false;
        contacts = parser.value(contactsOption).toInt(&ok);
        if (!ok || contacts <= smallestLog)
            parser.showHelp(2);
        // The smallest log stays as the floor of the adds.
        windowSizes = {
            .windows = {smallestLog, contacts}, .callBox = {contacts}, .logBox = {contacts}};
    }
    const Runs runs = runsFor(contacts);

    const BenchPrograms programs{
        .program = QStringLiteral(VANDREL_PROGRAM),
        .oneLabelWindow = QStringLiteral(ONE_LABEL_WINDOW_PROGRAM),
        .sameWindow = QStringLiteral(SAME_WINDOW_PROGRAM),
        .memoryProbe = QStringLiteral(MEMORY_PROBE_PROGRAM),
        .pluginFolder = QStringLiteral(BENCH_PLUGIN_FOLDER),
    };
    const QString loadBefore = loadAverage();

    // The windows' recovery files are synced on every add: on a disk, not in memory.
    const QString diskFolder = QStringLiteral(BENCH_DISK_FOLDER);
    const QString diskKind = diskKindOf(diskFolder);

    QList<Measurement> results;
    if (sections.contains(u"callbox") || sections.contains(u"logbox") || sections.contains(u"add"))
        results += timeWindows(windowSizes, sections, diskFolder);
    if (sections.contains(u"open")) {
        progress(QStringLiteral("open and save"));
        results += timeOpenAndSave(contacts, runs.open, runs.save);
    }
    if (sections.contains(u"start")) {
        progress(QStringLiteral("start"));
        results += timeStart(programs, runs.start);
    }
    if (sections.contains(u"memory")) {
        progress(QStringLiteral("memory"));
        results += measureMemory(programs, logBoxPlace(), contacts, runs.memory);
    }

    QTextStream out(stdout);
    out << QDateTime::currentDateTime().toString(Qt::ISODate) << ", " << cpuModel() << ", "
        << QThread::idealThreadCount() << " CPUs, Qt " << qVersion() << ", "
        << QApplication::platformName() << ", load average " << loadBefore << " before and "
        << loadAverage() << " after; the windows' recovery files in " << diskFolder << " ("
        << diskKind << ")\n\n"
        << "Program and floor taken in turns (program, floor, program, floor ...); the program "
           "and floor columns are medians, the ratio is the median of the pairwise ratios.\n\n"
        << resultsTable(results);
    for (const Measurement &m : results) {
        if (!m.met())
            return 1;
    }
    return 0;
}
