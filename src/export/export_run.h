#pragma once

#include "export/export_options.h"
#include "platform/file_io.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QString>
#include <QStringList>
#include <vector>

struct ExportOutput
{
    QString fileName; // within the --per-band directory; empty for the one output
    QByteArray content;
};

struct ExportResult
{
    bool ok = false;
    QStringList messages; // for standard error: bad lines, locators, why the log is not exported
    std::vector<ExportOutput> outputs;
    // Whether the log file was read to its end; when not (a failed read, a line too long), that
    // alone stopped the export, and the messages are empty.
    FileStatus read = fileDone;
};

// The log file, read from `logFile` piece by piece, in the format the options ask for. Writes no
// file.
ExportResult exportLog(const ExportOptions &options, QIODevice &logFile);
// The same from the log file's bytes.
ExportResult exportLog(const ExportOptions &options, QByteArrayView logBytes);
