#include "export_options.h"

#include "contact_record.h"
#include "station_values.h"
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

void describeOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "Writes a Vandrel contest log as EDI (REG1TEST, one band a file, with distances and "
        "points), Cabrillo 3.0 or ADIF 3 for the contest organiser or a station logbook."));
    parser.addPositionalArgument(QStringLiteral("LOGFILE"),
                                 QStringLiteral("The log file saved by Vandrel (default: "
                                                "vandrel.txt in the current directory)."),
                                 QStringLiteral("[LOGFILE]"));
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
                        "(default: this machine's short date format, %1). Two-digit years are "
                        "20yy; the digits of any script are read (a log written in Arabic or "
                        "Persian has its own). A warning says when the dates span more than four "
                        "days or run backwards, as a day and month read swapped make them.")
             .arg(defaultDateFormat()),
         QStringLiteral("FORMAT")},
        {skipBadOption,
         QStringLiteral("Leave out the lines that are not contact lines, counting them on "
                        "standard error, instead of failing.")},
    });
    parser.addHelpOption();
    parser.addVersionOption();
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
    if (mode == u"SSB")
        o.station.mode = ExportMode::Ssb;
    else if (mode == u"CW")
        o.station.mode = ExportMode::Cw;
    else if (mode == u"FM")
        o.station.mode = ExportMode::Fm;
    else
        return usageError(QStringLiteral("unknown mode \"%1\": use SSB, CW or FM").arg(mode));

    o.station.call = parser.value(callOption).trimmed().toUpper();
    o.station.locator = parser.value(locatorOption).trimmed().toUpper();
    o.station.contest = parser.value(contestOption).trimmed();
    o.station.producer = exportProgramName();
    if (o.format != ExportFormat::Adif && o.station.call.isEmpty())
        return usageError(QStringLiteral("--call is required for %1").arg(format));
    if (o.format == ExportFormat::Edi && o.station.locator.isEmpty())
        return usageError(QStringLiteral("--locator is required for edi"));
    if (const QString problem = stationValueProblem(o.station); !problem.isEmpty())
        return usageError(problem);

    if (parser.isSet(bandOption)) {
        o.band = bandFromOption(parser.value(bandOption));
        if (!o.band)
            return usageError(QStringLiteral("unknown band \"%1\"").arg(parser.value(bandOption)));
    }
    o.dateFormat =
        parser.isSet(dateFormatOption) ? parser.value(dateFormatOption) : defaultDateFormat();
    o.skipBad = parser.isSet(skipBadOption);
    o.outputFile = parser.value(outputOption);
    o.perBandDirectory = parser.value(perBandOption);
    if (parser.isSet(outputOption) && parser.isSet(perBandOption))
        return usageError(QStringLiteral("-o and --per-band cannot be given together"));
    if ((parser.isSet(outputOption) && o.outputFile.isEmpty()) ||
        (parser.isSet(perBandOption) && o.perBandDirectory.isEmpty()))
        return usageError(QStringLiteral("-o and --per-band need a name"));

    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return usageError(QStringLiteral("one log file at most"));
    if (!files.isEmpty())
        o.logFile = files.first();
    line.action = CommandLine::Export;
    return line;
}
