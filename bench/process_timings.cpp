#include "process_timings.h"

#include "bench_window.h"
#include "log_generator.h"
#include "timing.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

namespace {

constexpr int processTimeoutMs = 60000;

QProcessEnvironment offscreen()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return environment;
}

// Milliseconds from starting `path` until it says its window is shown.
double millisecondsUntilShown(const QString &path, const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(path, {});
    QByteArray output;
    while (!output.contains("shown\n")) {
        stopUnless(process.waitForReadyRead(processTimeoutMs), "a started program never showed");
        output += process.readAllStandardOutput();
    }
    const double milliseconds = double(timer.nsecsElapsed()) / 1e6;
    // The marker ends the program's event loop; let it finish before the next run starts.
    if (!process.waitForFinished(processTimeoutMs))
        process.kill();
    process.waitForFinished();
    return milliseconds;
}

// The peak memory, in MB, that the probe reports in `mode`.
double probedMegabytes(const QString &probe, const QString &mode, const QString &directory)
{
    QProcess process;
    process.setProcessEnvironment(offscreen());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(probe, {mode, directory});
    stopUnless(process.waitForFinished(processTimeoutMs) && process.exitCode() == 0,
               "the memory probe failed");
    bool ok = false;
    const double kilobytes = process.readAllStandardOutput().trimmed().toDouble(&ok);
    stopUnless(ok && kilobytes > 0, "the memory probe gave no peak");
    return kilobytes / 1024;
}

} // namespace

Measurement timeStart(const BenchPrograms &programs, int runs)
{
    QProcessEnvironment environment = offscreen();
    environment.insert(QStringLiteral("QT_PLUGIN_PATH"), programs.pluginFolder);
    environment.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"),
                       QStringLiteral("benchshownmarker"));
    // One unmeasured start of each, so that both find their libraries in the file cache.
    millisecondsUntilShown(programs.program, environment);
    millisecondsUntilShown(programs.emptyWindow, environment);

    QList<double> program;
    QList<double> floor;
    for (int i = 0; i < runs; ++i) {
        program.append(millisecondsUntilShown(programs.program, environment));
        floor.append(millisecondsUntilShown(programs.emptyWindow, environment));
    }
    return {
        .what = QStringLiteral("start, until the window is shown"),
        .contacts = QStringLiteral("0"),
        .unit = QStringLiteral("ms"),
        .program = median(program),
        .floor = median(floor),
        .floorName = QStringLiteral("a Qt Widgets program showing an empty window"),
        .maxRatio = 1.3,
    };
}

Measurement measureMemory(const BenchPrograms &programs, int contacts, int runs)
{
    const QTemporaryDir directory;
    BenchServices services(directory.path());
    saveLogText(services, generateLog(contacts).text);
    QList<double> program;
    QList<double> floor;
    for (int i = 0; i < runs; ++i) {
        program.append(
            probedMegabytes(programs.memoryProbe, QStringLiteral("program"), directory.path()));
        floor.append(
            probedMegabytes(programs.memoryProbe, QStringLiteral("floor"), directory.path()));
    }
    return {
        .what = QStringLiteral("memory, peak after open"),
        .contacts = contactCount(contacts),
        .unit = QStringLiteral("MB"),
        .program = median(program),
        .floor = median(floor),
        .floorName = QStringLiteral("a QPlainTextEdit holding the same text"),
        .maxRatio = 1.5,
    };
}
