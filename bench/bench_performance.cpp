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
#include <map>

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

// Keystrokes and adds on a window holding a generated log of each size.
QList<Measurement> timeWindow(bool keystrokes, bool adds)
{
    QList<Measurement> results;
    std::map<int, double> addMedian;
    for (int contacts : {1000, 10000, largestLog}) {
        progress(QStringLiteral("keystrokes and adds with %1 contacts").arg(contacts));
        const GeneratedLog log = generateLog(contacts);
        const QTemporaryDir directory;
        BenchServices services(directory.path());
        BenchWindow window(services.all());
        window.form.Text1.setText(log.text);
        drawNow(window.view);
        if (keystrokes) {
            results += timeKeystrokes(window, log, keystrokeRuns, contacts == largestLog);
        }
        if (adds)
            addMedian[contacts] = timeAdds(window, addRuns);
    }
    if (adds) {
        for (int contacts : {10000, largestLog}) {
            Measurement m{
                .what = QStringLiteral("add (Command1_Click, drawn)"),
                .contacts = contactCount(contacts),
                .unit = QStringLiteral("ms"),
                .program = addMedian[contacts],
                .floor = addMedian[1000],
                .floorName = QStringLiteral("the same add with 1,000 contacts"),
            };
            if (contacts == largestLog)
                m.maxRatio = 1.5;
            results.append(m);
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
        results += timeWindow(wants("keystroke"), wants("add"));
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
