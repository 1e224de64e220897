#include "export/export_options.h"

#include "contact_line/contact_record.h"
#include "export/locator.h"
#include "export/station_options.h"
#include "export/station_values.h"
#include "platform/log_directory.h"
#include "station/server_urls.h"
#include "version.h"

#include <QCommandLineParser>

namespace {

const QString formatOption = QStringLiteral("format");
const QString outputOption = QStringLiteral("o");
const QString perBandOption = QStringLiteral("per-band");
const QString callOption = QStringLiteral("call");
const QString locatorOption = QStringLiteral("locator");
const QString contestOption = QStringLiteral("contest");
const QString modeOption = QStringLiteral("mode");
const QString bandOption = QStringLiteral("band");
const QString dateFormatOption = QStringLiteral("date-format");
const QString skipBadOption = QStringLiteral("skip-bad");
const QString contestDatesOption = QStringLiteral("contest-dates");
const QString stationOption = QStringLiteral("station");

// What the export reads: the log file, or the station's log on its servers.
void describeInput(QCommandLineParser &parser)
{
    parser.addPositionalArgument(QStringLiteral("LOGFILE"),
                                 QStringLiteral("The log file saved by Vandrel (default: the log "
                                                "the window saves, %1 in the user's data "
                                                "directory, ~/.local/share/vandrel or "
                                                "$XDG_DATA_HOME/vandrel, when this program is "
                                                "installed in a bin directory, or beside this "
                                                "program when it is kept in a folder of its own).")
                                     .arg(logFileName),
                                 QStringLiteral("[LOGFILE]"));
    parser.addOption({stationOption,
                      QStringLiteral("Export the log of the station of several positions on the "
                                     "NATS servers URLS (comma-separated) instead of a log file: "
                                     "every position's contacts in time order, each with the "
                                     "serial its position sent. The station is named by its "
                                     "call."),
                      QStringLiteral("URLS")});
}

void describeOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "Writes a Vandrel contest log as EDI (REG1TEST, one band a file, with distances and "
        "points), Cabrillo 3.0 or ADIF 3 for the contest organiser or a station logbook."));
    parser.addOptions({
        {{QStringLiteral("f"), formatOption},
         QStringLiteral("Output format: edi, cabrillo or adif (default: edi)."),
         QStringLiteral("FORMAT"),
         QStringLiteral("edi")},
        {outputOption,
         QStringLiteral("Write to FILE (replaced only once complete) instead of standard output."),
         QStringLiteral("FILE")},
        {perBandOption,
         QStringLiteral("Write one file per band into DIR, named after the band (2m.edi, "
                        "70cm.edi, 20m.adi, ...). EDI needs it for a log of several bands."),
         QStringLiteral("DIR")},
        {callOption,
         QStringLiteral("Own call sign, one word of letters, digits and '/' (required for edi "
                        "and cabrillo)."),
         QStringLiteral("CALL")},
        {locatorOption,
         QStringLiteral("Own 6-character locator (required for edi, where distances and points "
                        "are reckoned from it)."),
         QStringLiteral("LOCATOR")},
        {contestOption, QStringLiteral("Contest name."), QStringLiteral("NAME")},
        {modeOption, QStringLiteral("Mode of the contacts: SSB, CW or FM (default: SSB)."),
         QStringLiteral("MODE"), QStringLiteral("SSB")},
        {bandOption,
         QStringLiteral("Band of the lines that name none (a single-band log): 7, 14, 21, 28, "
                        "50, 144, 432 or 1296."),
         QStringLiteral("BAND")},
        {dateFormatOption,
         QStringLiteral("Date format the log was written with, e.g. dd/MM/yyyy or M/d/yy "
                        "(default: the short date format of the current locale). Two-digit years "
                        "are 20yy; the digits of any script are read (a log written in Arabic or "
                        "Persian has its own). A warning says when the dates span more than four "
                        "days or run backwards, as a day and month read swapped make them."),
         QStringLiteral("FORMAT")},
        {skipBadOption,
         QStringLiteral("Leave out the lines that are not contact lines, counting them on "
                        "standard error, instead of failing.")},
    });
    parser.addOption({contestDatesOption,
                      QStringLiteral("First and last day of the contest, for the EDI header "
                                     "(default: the first and last date of the log)."),
                      QStringLiteral("YYYYMMDD;YYYYMMDD")});
    describeInput(parser);
    addStationOptions(parser);
    parser.addHelpOption();
    parser.addVersionOption();
}

// "YYYYMMDD;YYYYMMDD", the first not after the last.
std::optional<std::pair<QDate, QDate>> readContestDates(const QString &text)
{
    const QStringList days = text.split(u';');
    if (days.size() != 2)
        return std::nullopt;
    const QDate first = QDate::fromString(days[0].trimmed(), u"yyyyMMdd");
    const QDate last = QDate::fromString(days[1].trimmed(), u"yyyyMMdd");
    if (!first.isValid() || !last.isValid() || last < first)
        return std::nullopt;
    return std::pair{first, last};
}

// What is wrong with the first station value that breaks its format's rules, if one does.
QString stationValueProblem(const Station &station)
{
    const struct
    {
        QStringView option;
        const QString &value;
        QString (*problem)(QStringView);
    } values[] = {
        {u"--call", station.call, callProblem},
        {u"--locator", station.locator, locatorProblem},
        {u"--contest", station.contest, lineTextProblem},
    };
    for (const auto &[option, value, problem] : values) {
        if (value.isEmpty())
            continue;
        if (const QString why = problem(value); !why.isEmpty())
            return namedValue(option, value) + u' ' + why;
    }
    return {};
}

CommandLine usageError(const QString &problem)
{
    CommandLine line;
    line.action = CommandLine::UsageError;
    line.text = problem;
    return line;
}

std::optional<ExportMode> modeOf(const QString &name)
{
    if (name == u"SSB")
        return ExportMode::Ssb;
    if (name == u"CW")
        return ExportMode::Cw;
    if (name == u"FM")
        return ExportMode::Fm;
    return std::nullopt;
}

// The station's servers for --station: what is wrong, or nothing.
QString readStationServers(const QString &urls, const QStringList &files, ExportOptions &o)
{
    if (!files.isEmpty())
        return QStringLiteral("a log file and --station cannot be given together");
    if (o.station.call.isEmpty())
        return QStringLiteral("--station needs the station's call (--call or the station file)");
    o.stationServers = splitServerUrls(urls);
    if (o.stationServers.isEmpty())
        return QStringLiteral("no station server is given");
    for (const QString &url : std::as_const(o.stationServers)) {
        if (!isStationServerUrl(url))
            return QStringLiteral("%1 is not a nats:// or tls:// server address")
                .arg(redactedServerUrl(url));
    }
    return {};
}

// The log file, how to read it and where to write: what is wrong, or nothing.
QString readLogAndOutput(const QCommandLineParser &parser, ExportOptions &o)
{
    if (parser.isSet(bandOption)) {
        o.band = bandFromOption(parser.value(bandOption));
        if (!o.band)
            return QStringLiteral("unknown band \"%1\"").arg(parser.value(bandOption));
    }
    o.dateFormat =
        parser.isSet(dateFormatOption) ? parser.value(dateFormatOption) : defaultDateFormat();
    o.skipBad = parser.isSet(skipBadOption);
    if (parser.isSet(contestDatesOption)) {
        o.contestDates = readContestDates(parser.value(contestDatesOption));
        if (!o.contestDates)
            return QStringLiteral("--contest-dates \"%1\" is not YYYYMMDD;YYYYMMDD")
                .arg(parser.value(contestDatesOption));
    }
    o.outputFile = parser.value(outputOption);
    o.perBandDirectory = parser.value(perBandOption);
    if (parser.isSet(outputOption) && parser.isSet(perBandOption))
        return QStringLiteral("-o and --per-band cannot be given together");
    if ((parser.isSet(outputOption) && o.outputFile.isEmpty()) ||
        (parser.isSet(perBandOption) && o.perBandDirectory.isEmpty()))
        return QStringLiteral("-o and --per-band need a name");

    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return QStringLiteral("one log file at most");
    if (parser.isSet(stationOption))
        return readStationServers(parser.value(stationOption), files, o);
    o.logFile = files.isEmpty() ? logFilePath(LogDirectory::forThisProgram()) : files.first();
    return {};
}

} // namespace

QString exportProgramName()
{
    return QStringLiteral("vandrel-export " VANDREL_VERSION);
}

CommandLine readCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    describeOptions(parser);
    if (!parser.parse(arguments))
        return usageError(parser.errorText());

    CommandLine line;
    if (parser.isSet(QStringLiteral("help"))) {
        line.action = CommandLine::ShowHelp;
        line.text = parser.helpText();
        return line;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        line.action = CommandLine::ShowVersion;
        line.text = exportProgramName() + u'\n';
        return line;
    }

    ExportOptions &o = line.options;
    const QString format = parser.value(formatOption).toLower();
    if (format == u"edi")
        o.format = ExportFormat::Edi;
    else if (format == u"cabrillo")
        o.format = ExportFormat::Cabrillo;
    else if (format == u"adif")
        o.format = ExportFormat::Adif;
    else
        return usageError(
            QStringLiteral("unknown format \"%1\": use edi, cabrillo or adif").arg(format));

    const QString mode = parser.value(modeOption).toUpper();
    if (const auto known = modeOf(mode))
        o.station.mode = *known;
    else
        return usageError(QStringLiteral("unknown mode \"%1\": use SSB, CW or FM").arg(mode));

    if (const QString problem = readStationOptions(parser, o.station); !problem.isEmpty())
        return usageError(problem);
    o.station.contest = parser.value(contestOption).trimmed();
    o.station.producer = exportProgramName();
    if (o.format != ExportFormat::Adif && o.station.call.isEmpty())
        return usageError(QStringLiteral("--call is required for %1").arg(format));
    if (o.format == ExportFormat::Edi && o.station.locator.isEmpty())
        return usageError(QStringLiteral("--locator is required for edi"));
    if (const QString problem = stationValueProblem(o.station); !problem.isEmpty())
        return usageError(problem);

    if (const QString problem = readLogAndOutput(parser, o); !problem.isEmpty())
        return usageError(problem);
    line.action = CommandLine::Export;
    return line;
}
