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
double millisecondsUntilShown(const QString &path, const QStringList &arguments,
                              const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(path, arguments);
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

QList<Measurement> timeStart(const BenchPrograms &programs, int runs)
{
    QProcessEnvironment environment = offscreen();
    environment.insert(QStringLiteral("QT_PLUGIN_PATH"), programs.pluginFolder);
    environment.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"),
                       QStringLiteral("benchshownmarker"));
    const QStringList label = {QStringLiteral("label")};
    const auto startProgram = [&] {
        return millisecondsUntilShown(programs.program, {}, environment);
    };
    const auto startEmpty = [&] {
        return millisecondsUntilShown(programs.emptyWindow, {}, environment);
    };
    const auto startLabel = [&] {
        return millisecondsUntilShown(programs.emptyWindow, label, environment);
    };
    // One unmeasured start of each, so that all find their libraries in the file cache.
    startProgram();
    startEmpty();
    startLabel();

    QList<double> program;
    QList<double> empty;
    QList<double> withLabel;
    for (int i = 0; i < runs; ++i) {
        program.append(startProgram());
        empty.append(startEmpty());
        withLabel.append(startLabel());
    }
    const Measurement againstEmpty{
        .what = QStringLiteral("start, until the window is shown"),
        .contacts = QStringLiteral("0"),
        .unit = QStringLiteral("ms"),
        .program = median(program),
        .floor = median(empty),
        .floorName = QStringLiteral("a Qt Widgets program showing an empty window"),
        .maxRatio = 1.3,
    };
    Measurement againstLabel = againstEmpty;
    againstLabel.floor = median(withLabel);
    againstLabel.floorName = QStringLiteral("the same window with one label (loads a font)");
    againstLabel.maxRatio = std::nullopt;
    return {againstEmpty, againstLabel};
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
