#pragma once

#include "export_options.h"

#include <QByteArray>
#include <QByteArrayView>
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
    QStringList messages; // for standard error: bad lines, locators, why the export failed
    std::vector<ExportOutput> outputs;
};

// The log file's bytes in the format the options ask for. Touches no file.
ExportResult exportLog(const ExportOptions &options, QByteArrayView logBytes);
