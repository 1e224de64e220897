#include "station/station_command_line.h"

#include "platform/station_file.h"
#include "station/server_urls.h"

#include <QCommandLineParser>

namespace {

struct StationOptions
{
    QCommandLineOption station{QStringLiteral("station"),
                               QStringLiteral("The station's servers, comma-separated."),
                               QStringLiteral("urls")};
    QCommandLineOption position{QStringLiteral("position"),
                                QStringLiteral("This position's name in the station."),
                                QStringLiteral("name")};
    QCommandLineOption call{QStringLiteral("call"),
                            QStringLiteral("The station's call, naming its log."),
                            QStringLiteral("call")};
    QCommandLineOption file{QStringLiteral("station-file"),
                            QStringLiteral("The station file, instead of the default one."),
                            QStringLiteral("file")};
};

// The option's value when it is given, else the file's.
QString chosen(const QCommandLineParser &parser, const QCommandLineOption &option,
               const StationFileReading &file, const QString &key)
{
    return parser.isSet(option) ? parser.value(option) : file.values.value(key);
}

} // namespace

std::optional<StationSettings> stationFromArguments(const QStringList &arguments, QString &problem)
{
    QCommandLineParser parser;
    const StationOptions options;
    parser.addOptions({options.station, options.position, options.call, options.file});
    // Other arguments are left to the toolkit, as they always were.
    const bool parsed = parser.parse(arguments);
    const bool named = parser.isSet(options.file);
    const QString path = named ? parser.value(options.file) : defaultStationFilePath();
    const StationFileReading network = readStationFile(path, named, QStringLiteral("network"));
    const StationFileReading station = readStationFile(path, named);
    if (!network.problem.isEmpty()) {
        problem = network.problem;
        return std::nullopt;
    }
    const QString servers = chosen(parser, options.station, network, QStringLiteral("servers"));
    if (servers.isEmpty() && !parser.isSet(options.station))
        return std::nullopt;
    if (!parsed && parser.isSet(options.station)) {
        problem = parser.errorText();
        return std::nullopt;
    }
    StationSettings settings{
        splitServerUrls(servers),
        chosen(parser, options.call, station, QStringLiteral("call")).trimmed().toUpper(),
        chosen(parser, options.position, network, QStringLiteral("position")).trimmed()};
    problem = settings.problem();
    if (!problem.isEmpty())
        return std::nullopt;
    return settings;
}
