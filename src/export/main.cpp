// vandrel-export: a Vandrel log file as EDI, Cabrillo or ADIF for the contest robot.
#include "export/export_options.h"
#include "export/export_run.h"
#include "export/station_log_text.h"
#include "platform/file_io.h"
#include "station/station_log.h"
#include "version.h"

#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

namespace {

constexpr int failure = 1;
constexpr int badUsage = 2;

void printError(const QString &message)
{
    std::fprintf(stderr, "vandrel-export: %s\n", qUtf8Printable(message));
}

bool writeStandardOutput(const QByteArray &bytes)
{
    return std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) ==
               size_t(bytes.size()) &&
           std::fflush(stdout) == 0;
}

// Why a file could not be read or written, in the system's words where it gave them.
QString fileProblem(const FileError &error)
{
    switch (error.kind) {
    case FileErrorKind::TooLarge:
        return QStringLiteral("larger than %1 MB, no log file").arg(defaultReadLimit >> 20);
    case FileErrorKind::NotRegularFile:
        return QStringLiteral("not a regular file (a device, a FIFO or a folder)");
    case FileErrorKind::ForeignLink:
        return QStringLiteral("a link to %1 that belongs to another user").arg(error.target);
    default:
        break;
    }
    return error.reason.isEmpty() ? QStringLiteral("unknown error") : error.reason;
}

// Every file is written in full before any replaces its old version, so a failure leaves no
// partial file behind and, when it comes before the first commit, no new file at all. Only a
// regular file is replaced, and a link only when it is the running user's, as "Save" does.
bool writeFiles(const std::vector<std::pair<QString, QByteArray>> &files)
{
    std::vector<std::unique_ptr<QSaveFile>> staged;
    for (const auto &[path, bytes] : files) {
        const FileResult<QString> target = regularTarget(path);
        if (!target) {
            printError(
                QStringLiteral("cannot write %1: %2").arg(path, fileProblem(target.error())));
            return false;
        }
        auto file = std::make_unique<QSaveFile>(target.value());
        if (!file->open(QIODevice::WriteOnly) || file->write(bytes) != bytes.size()) {
            printError(QStringLiteral("cannot write %1: %2").arg(path, file->errorString()));
            return false;
        }
        staged.push_back(std::move(file));
    }
    for (const auto &file : staged) {
        if (!file->commit()) {
            printError(
                QStringLiteral("cannot write %1: %2").arg(file->fileName(), file->errorString()));
            return false;
        }
    }
    return true;
}

// The station's log from its servers, or the log file, read as "Open" reads it: a regular file
// of a log's size, piece by piece. Nothing when it could not be read, which is said.
std::optional<ExportResult> exportInput(const ExportOptions &options)
{
    if (!options.stationServers.isEmpty()) {
        const StationLogReading station =
            readStationLog(StationSettings{options.stationServers, options.station.call, {}});
        if (!station.problem.isEmpty()) {
            printError(station.problem);
            return std::nullopt;
        }
        return exportLog(options, stationLogText(station.contacts, options.dateFormat));
    }
    const DiskFileService disk;
    const FileResult<std::unique_ptr<QFile>> log = openFileToRead(disk, options.logFile);
    if (!log) {
        printError(
            QStringLiteral("cannot read %1: %2").arg(options.logFile, fileProblem(log.error())));
        return std::nullopt;
    }
    return exportLog(options, *log.value());
}

int runExport(const ExportOptions &options)
{
    const std::optional<ExportResult> exported = exportInput(options);
    if (!exported)
        return failure;
    const ExportResult &result = *exported;
    for (const QString &message : result.messages)
        printError(message);
    if (!result.ok)
        return failure;

    std::vector<std::pair<QString, QByteArray>> files;
    if (!options.perBandDirectory.isEmpty()) {
        const QDir directory(options.perBandDirectory);
        if (!directory.mkpath(QStringLiteral("."))) {
            printError(QStringLiteral("cannot create the folder %1").arg(options.perBandDirectory));
            return failure;
        }
        for (const ExportOutput &output : result.outputs)
            files.emplace_back(directory.filePath(output.fileName), output.content);
    } else if (!options.outputFile.isEmpty()) {
        files.emplace_back(options.outputFile, result.outputs.front().content);
    } else {
        if (!writeStandardOutput(result.outputs.front().content)) {
            printError(QStringLiteral("cannot write to standard output"));
            return failure;
        }
        return 0;
    }
    return writeFiles(files) ? 0 : failure;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vandrel-export"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VANDREL_VERSION));

    const CommandLine commandLine = readCommandLine(QCoreApplication::arguments());
    switch (commandLine.action) {
    case CommandLine::ShowHelp:
    case CommandLine::ShowVersion:
        std::fputs(qUtf8Printable(commandLine.text), stdout);
        return 0;
    case CommandLine::UsageError:
        printError(commandLine.text);
        std::fputs("Try 'vandrel-export --help' for more information.\n", stderr);
        return badUsage;
    case CommandLine::Export:
        break;
    }
    return runExport(commandLine.options);
}
