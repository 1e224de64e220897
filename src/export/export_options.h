#pragma once

#include "contact_line/bands.h"
#include "export/station.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

enum class ExportFormat
{
    Edi,
    Cabrillo,
    Adif
};

struct ExportOptions
{
    ExportFormat format = ExportFormat::Edi;
    Station station;
    QString logFile;            // the log the window saves when the command line names none
    QStringList stationServers; // --station: the station's log on these servers, not a file
    QString outputFile;         // empty: standard output
    QString perBandDirectory;   // one file per band there when not empty
    const Band *band = nullptr; // for lines without a band field
    QString dateFormat;         // the log's date format
    bool skipBad = false;
    std::optional<std::pair<QDate, QDate>> contestDates; // --contest-dates, for the EDI header
};

// What the command line asks for: an export, the help or version text, or a usage error.
struct CommandLine
{
    enum Action
    {
        Export,
        ShowHelp,
        ShowVersion,
        UsageError
    };
    Action action = UsageError;
    ExportOptions options;
    QString text; // the help or version text, or what is wrong with the command line
};

// The version of the program as "vandrel-export <version>".
QString exportProgramName();

// `arguments` as main receives them, the program's name first.
CommandLine readCommandLine(const QStringList &arguments);
