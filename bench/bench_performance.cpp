// Measures the program, with its real widgets drawn offscreen, against what the toolkit alone
// needs for the same work, and prints the medians, their ratios and whether each target is met
// as a Markdown table:
//   build/bench/bench_performance [keystroke] [add] [open] [start] [memory]
// With no argument it measures everything. The exit status is 1 when a target is missed.

#include "bench_window.h"
#include "log_file_timings.h"
#include "log_generator.h"
#include "process_timings.h"
#include "results_table.h"
#include "window_timings.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <memory>
#include <vector>

namespace {

constexpr int keystrokeRuns = 201;
constexpr int addRuns = 101;
constexpr int fileRuns = 11;
constexpr int startRuns = 21;
constexpr int memoryRuns = 5;
constexpr int largestLog = 100000;

QString cpuModel()
{
    QFile cpuinfo(QStringLiteral("/proc/cpuinfo"));
    if (!cpuinfo.open(QIODevice::ReadOnly | QIODevice::Text))
        return QStringLiteral("unknown CPU");
    const auto match = QRegularExpression(QStringLiteral("model name\\s*:\\s*(.*)"))
                           .match(QString::fromLatin1(cpuinfo.readAll()));
    return match.hasMatch() ? match.captured(1).trimmed() : QStringLiteral("unknown CPU");
}

void progress(const QString &what)
{
    QTextStream(stderr) << what << "...\n";
}

// The program's window holding a generated log, with a directory of its own.
struct LoggedWindow
{
    explicit LoggedWindow(int contacts)
        : log(generateLog(contacts)), services(directory.path()), window(services.all())
    {
        window.form.Text1.setText(log.text);
        window.form.recoveryJournal().flush(); // not left to a timer among the timed adds
        drawNow(window.view);
    }

    GeneratedLog log;
    QTemporaryDir directory;
    BenchServices services;
    BenchWindow window;
};

// Keystrokes and adds on windows holding generated logs of 1,000, 10,000 and 100,000 contacts.
QList<Measurement> timeWindows(bool keystrokes, bool adds)
{
    const QList<int> sizes = {1000, 10000, largestLog};
    std::vector<std::unique_ptr<LoggedWindow>> windows;
    QList<BenchWindow *> benchWindows;
    for (int contacts : sizes) {
        windows.push_back(std::make_unique<LoggedWindow>(contacts));
        benchWindows.append(&windows.back()->window);
    }

    QList<Measurement> results;
    if (keystrokes) {
        for (qsizetype i = 0; i < sizes.size(); ++i) {
            progress(QStringLiteral("keystrokes with %1 contacts").arg(sizes[i]));
            results += timeKeystrokes(windows[i]->window, windows[i]->log, keystrokeRuns,
                                      sizes[i] == largestLog);
        }
    }
    if (adds) {
        progress(QStringLiteral("adds"));
        const QList<double> addMedians = timeAdds(benchWindows, addRuns);
        for (qsizetype i = 1; i < sizes.size(); ++i) {
            results.append({
                .what = QStringLiteral("add (Command1_Click, drawn)"),
                .contacts = contactCount(sizes[i]),
                .unit = QStringLiteral("ms"),
                .program = addMedians[i],
                .floor = addMedians[0],
                .floorName = QStringLiteral("the same add with 1,000 contacts"),
                .maxRatio = sizes[i] == largestLog ? std::optional(1.5) : std::nullopt,
            });
        }
    }
    return results;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList sections = QApplication::arguments().mid(1);
    if (sections.isEmpty())
        sections = {QStringLiteral("keystroke"), QStringLiteral("add"), QStringLiteral("open"),
                    QStringLiteral("start"), QStringLiteral("memory")};
    const auto wants = [&sections](const char *section) {
        return sections.contains(QLatin1StringView(section));
    };

    const BenchPrograms programs{
        .program = QStringLiteral(VANDREL_PROGRAM),
        .emptyWindow = QStringLiteral(EMPTY_WINDOW_PROGRAM),
        .memoryProbe = QStringLiteral(MEMORY_PROBE_PROGRAM),
        .pluginFolder = QStringLiteral(BENCH_PLUGIN_FOLDER),
    };

    QList<Measurement> results;
    if (wants("keystroke") || wants("add"))
        results += timeWindows(wants("keystroke"), wants("add"));
    if (wants("open")) {
        progress(QStringLiteral("open and save"));
        results += timeOpenAndSave(largestLog, fileRuns);
    }
    if (wants("start")) {
        progress(QStringLiteral("start"));
        results += timeStart(programs, startRuns);
    }
    if (wants("memory")) {
        progress(QStringLiteral("memory"));
        results += measureMemory(programs, largestLog, memoryRuns);
    }

    QTextStream out(stdout);
    out << QDateTime::currentDateTime().toString(Qt::ISODate) << ", " << cpuModel() << ", "
        << QThread::idealThreadCount() << " CPUs, Qt " << qVersion() << ", "
        << QApplication::platformName() << "\n\n"
        << resultsTable(results);
    for (const Measurement &m : results) {
        if (!m.met())
            return 1;
    }
    return 0;
}
