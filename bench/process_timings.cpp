#include "process_timings.h"

#include "bare_window.h"
#include "bench_window.h"
#include "log_generator.h"
#include "timing.h"
#include "timing_in_turns.h"
#include "window_description.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

constexpr int processTimeoutMs = 600000;
constexpr double maxStartRatio = 1.1;
constexpr double maxMemoryRatio = 1.5;

QProcessEnvironment offscreen()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return environment;
}

// Starts `path` and waits until it has exited, having said its window was shown.
void showAndExit(const QString &path, const QProcessEnvironment &environment,
                 const QStringList &arguments = {})
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(path, arguments);
    stopUnless(process.waitForFinished(processTimeoutMs), "a started program never ended");
    stopUnless(process.readAllStandardOutput().contains("shown\n") && process.exitCode() == 0,
               "a started program did not show its window");
}

// The memory, in MB, that the probe reports: its peak and its current resident memory.
QList<double> probedMegabytes(const QString &probe, const QStringList &arguments)
{
    QProcess process;
    process.setProcessEnvironment(offscreen());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(probe, arguments);
    stopUnless(process.waitForFinished(processTimeoutMs) && process.exitCode() == 0,
               "the memory probe failed");
    const QList<QByteArray> numbers = process.readAllStandardOutput().simplified().split(' ');
    QList<double> megabytes;
    for (const QByteArray &number : numbers) {
        bool ok = false;
        megabytes.append(number.toDouble(&ok) / 1024);
        stopUnless(ok && megabytes.back() > 0, "the memory probe gave no number");
    }
    stopUnless(megabytes.size() == 2, "the memory probe gave no peak and resident memory");
    return megabytes;
}

} // namespace

QList<Measurement> timeStart(const BenchPrograms &programs, int runs)
{
    QProcessEnvironment environment = offscreen();
    environment.insert(QStringLiteral("QT_PLUGIN_PATH"), programs.pluginFolder);
    environment.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"),
                       QStringLiteral("benchshownmarker"));
    const QTemporaryDir directory;
    const QString description = directory.filePath(QStringLiteral("window.txt"));
    {
        QFile file(description);
        stopUnless(file.open(QIODevice::WriteOnly) &&
                       file.write(describeProgramWindow().toUtf8()) > 0,
                   "the window's description could not be written");
    }
    const Timed program{.measure = [&] { showAndExit(programs.program, environment); }};
    const Timed oneLabel{.measure = [&] { showAndExit(programs.oneLabelWindow, environment); }};
    const Timed sameWindow{
        .measure = [&] { showAndExit(programs.sameWindow, environment, {description}); }};
    // One unmeasured start of each, so that all find their libraries in the file cache.
    program.measure();
    oneLabel.measure();
    sameWindow.measure();

    const TimesInTurns againstOneLabel = timeInTurns(runs, program, oneLabel);
    const TimesInTurns againstSameWindow = timeInTurns(runs, program, sameWindow);
    return {fromPairs(
                {
                    .what = QStringLiteral("start, whole process: shown, then exit"),
                    .contacts = QStringLiteral("0"),
                    .unit = QStringLiteral("ms"),
                    .floorName = QStringLiteral("a Qt Widgets window with one label, the same way"),
                    .maxRatio = maxStartRatio,
                },
                againstOneLabel.program, againstOneLabel.floor),
            fromPairs(
                {
                    .what = QStringLiteral("start, whole process: shown, then exit"),
                    .contacts = QStringLiteral("0"),
                    .unit = QStringLiteral("ms"),
                    .floorName = QStringLiteral("the same window built from bare Qt widgets (same "
                                                "kinds, places, fonts and texts), the same way"),
                    .maxRatio = maxStartRatio,
                },
                againstSameWindow.program, againstSameWindow.floor)};
}

QList<Measurement> measureMemory(const BenchPrograms &programs, const BoxPlace &logBox,
                                 int contacts, int runs)
{
    const QTemporaryDir directory;
    {
        BenchServices services(directory.path());
        saveLogText(services, generateLog(contacts).text);
    }
    const QStringList programArguments = {QStringLiteral("program"), directory.path()};
    const QStringList floorArguments =
        QStringList{QStringLiteral("floor"), directory.path()} + logBox.toArguments();
    QList<double> programPeak, floorPeak, programResident, floorResident;
    for (int i = 0; i < runs; ++i) {
        const QList<double> program = probedMegabytes(programs.memoryProbe, programArguments);
        const QList<double> floor = probedMegabytes(programs.memoryProbe, floorArguments);
        programPeak.append(program[0]);
        programResident.append(program[1]);
        floorPeak.append(floor[0]);
        floorResident.append(floor[1]);
    }
    const Measurement peak{
        .what = QStringLiteral("memory, peak after open (VmHWM)"),
        .contacts = contactCount(contacts),
        .unit = QStringLiteral("MB"),
        .floorName = QStringLiteral("a bare QPlainTextEdit holding the same text"),
        .maxRatio = maxMemoryRatio,
    };
    Measurement resident = peak;
    resident.what = QStringLiteral("memory, resident after open (VmRSS)");
    return {fromPairs(peak, programPeak, floorPeak),
            fromPairs(resident, programResident, floorResident)};
}
