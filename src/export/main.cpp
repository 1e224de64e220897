// vandrel-export: a Vandrel log file as EDI, Cabrillo or ADIF for the contest robot.
#include "export/export_options.h"
#include "export/export_run.h"
#include "export/station_log_text.h"
#include "log_file/log_file_text.h"
#include "platform/file_io.h"
#include "station/station_log.h"
#include "version.h"

#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>
#include <cerrno>
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

// What the program was doing with the file that failed.
enum class FileUse
{
    ReadingLog,
    WritingOutput,
};

// Says on standard error why a file stopped the export: the one place it words a file error.
void printFileError(const FileError &error, FileUse use)
{
    switch (error.kind) {
    case FileErrorKind::LineTooLong:
        printError(QStringLiteral("line %1 is longer than %2 characters; it is no log line, "
                                  "nothing written")
                       .arg(error.line)
                       .arg(maxLineLength));
        return;
    case FileErrorKind::CannotRead:
        printError(QStringLiteral("cannot read the log file: %1").arg(error.reason));
        return;
    case FileErrorKind::UnusableDirectory:
        printError(QStringLiteral("cannot create the folder %1").arg(error.path));
        return;
    default:
        break;
    }
    if (error.path.isEmpty()) {
        printError(QStringLiteral("cannot write to standard output"));
        return;
    }
    const QString what = use == FileUse::ReadingLog ? QStringLiteral("cannot read %1: %2")
                                                    : QStringLiteral("cannot write %1: %2");
    printError(what.arg(error.path, fileProblem(error)));
}

FileStatus writeStandardOutput(const QByteArray &bytes)
{
    const bool written =
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) == size_t(bytes.size()) &&
        std::fflush(stdout) == 0;
    // Standard output has no path.
    return written ? fileDone : FileStatus(FileError{FileErrorKind::CannotWrite, {}, {}});
}

// Every file is written in full before any replaces its old version, so a failure leaves no
// partial file behind and, when it comes before the first commit, no new file at all. Only a
// regular file is replaced, and a link only when it is the running user's, as "Save" does.
FileStatus writeFiles(const FileService &disk,
                      const std::vector<std::pair<QString, QByteArray>> &files)
{
    std::vector<std::unique_ptr<QSaveFile>> staged;
    for (const auto &[path, bytes] : files) {
        const FileResult<QString> target = regularTarget(path);
        if (!target) {
            FileError error = target.error();
            error.path = path; // named as the operator gave it
            return error;
        }
        auto file = std::make_unique<QSaveFile>(target.value());
        if (!file->open(QIODevice::WriteOnly))
            return FileError{FileErrorKind::CannotOpen, path, file->errorString()};
        errno = 0;
        if (file->write(bytes) != bytes.size())
            return FileError{FileErrorKind::CannotWrite, path, writeFailure(*file)};
        // A full disk or a file-size limit often shows only when the buffer goes out, and
        // QSaveFile would commit the cut file all the same.
        if (const FileStatus flushed = disk.flushToDisk(*file); !flushed)
            return FileError{FileErrorKind::CannotWrite, path, flushed.error().reason};
        staged.push_back(std::move(file));
    }
    for (const auto &file : staged) {
        if (!file->commit())
            return FileError{FileErrorKind::CannotCommit, file->fileName(), file->errorString()};
    }
    return fileDone;
}

// The files the export writes: one per band in the --per-band folder, or the one output file;
// nothing for standard output.
FileResult<std::vector<std::pair<QString, QByteArray>>> outputFiles(const ExportOptions &options,
                                                                    const ExportResult &result)
{
    std::vector<std::pair<QString, QByteArray>> files;
    if (!options.perBandDirectory.isEmpty()) {
        const QDir directory(options.perBandDirectory);
        if (!directory.mkpath(QStringLiteral(".")))
            return FileError{FileErrorKind::UnusableDirectory, options.perBandDirectory, {}};
        for (const ExportOutput &output : result.outputs)
            files.emplace_back(directory.filePath(output.fileName), output.content);
    } else if (!options.outputFile.isEmpty()) {
        files.emplace_back(options.outputFile, result.outputs.front().content);
    }
    return files;
}

FileStatus writeOutput(const FileService &disk, const ExportOptions &options,
                       const ExportResult &result)
{
    if (options.perBandDirectory.isEmpty() && options.outputFile.isEmpty())
        return writeStandardOutput(result.outputs.front().content);
    const auto files = outputFiles(options, result);
    if (!files)
        return files.error();
    return writeFiles(disk, files.value());
}

// The station's log from its servers, or the log file, read as "Open" reads it: a regular file
// of a log's size, piece by piece. Nothing when it could not be read, which is said.
std::optional<ExportResult> exportInput(const FileService &disk, const ExportOptions &options)
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
    const FileResult<std::unique_ptr<QFile>> log = openFileToRead(disk, options.logFile);
    if (!log) {
        printFileError(log.error(), FileUse::ReadingLog);
        return std::nullopt;
    }
    return exportLog(options, *log.value());
}

int runExport(const ExportOptions &options)
{
    const DiskFileService disk;
    const std::optional<ExportResult> exported = exportInput(disk, options);
    if (!exported)
        return failure;
    const ExportResult &result = *exported;
    if (!result.read) {
        printFileError(result.read.error(), FileUse::ReadingLog);
        return failure;
    }
    for (const QString &message : result.messages)
        printError(message);
    if (!result.ok)
        return failure;
    if (const FileStatus written = writeOutput(disk, options, result); !written) {
        printFileError(written.error(), FileUse::WritingOutput);
        return failure;
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    // A write beyond the file-size limit fails and is told, rather than killing the program.
    ignoreFileSizeSignal();
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
