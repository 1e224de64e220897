#include "station_command_line.h"

#include "server_urls.h"

#include <QCommandLineParser>

std::optional<StationSettings> stationFromArguments(const QStringList &arguments, QString &problem)
{
    QCommandLineParser parser;
    const QCommandLineOption station(QStringLiteral("station"),
                                     QStringLiteral("The station's servers, comma-separated."),
                                     QStringLiteral("urls"));
    const QCommandLineOption position(QStringLiteral("position"),
                                      QStringLiteral("This position's name in the station."),
                                      QStringLiteral("name"));
    const QCommandLineOption call(QStringLiteral("call"),
                                  QStringLiteral("The station's call, naming its log."),
                                  QStringLiteral("call"));
    parser.addOptions({station, position, call});
    // Other arguments are left to the toolkit, as they always were.
    const bool parsed = parser.parse(arguments);
    if (!parser.isSet(station))
        return std::nullopt;
    if (!parsed) {
        problem = parser.errorText();
        return std::nullopt;
    }
    StationSettings settings{splitServerUrls(parser.value(station)),
                             parser.value(call).trimmed().toUpper(),
                             parser.value(position).trimmed()};
    problem = settings.problem();
    if (!problem.isEmpty())
        return std::nullopt;
    return settings;
}
