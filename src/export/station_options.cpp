#include "export/station_options.h"

#include "platform/station_file.h"

#include <array>

namespace {

const QString stationFileOption = QStringLiteral("station-file");

struct StationMember
{
    QStringView key;
    QString Station::*member;
};

constexpr std::array members{
    StationMember{u"call", &Station::call},
    StationMember{u"locator", &Station::locator},
    StationMember{u"section", &Station::section},
    StationMember{u"name", &Station::name},
    StationMember{u"address1", &Station::address1},
    StationMember{u"address2", &Station::address2},
    StationMember{u"postcode", &Station::postcode},
    StationMember{u"city", &Station::city},
    StationMember{u"country", &Station::country},
    StationMember{u"email", &Station::email},
    StationMember{u"phone", &Station::phone},
    StationMember{u"club", &Station::club},
    StationMember{u"operators", &Station::operators},
    StationMember{u"power", &Station::power},
    StationMember{u"antenna", &Station::antenna},
    StationMember{u"antenna-height", &Station::antennaHeight},
    StationMember{u"tx-equipment", &Station::txEquipment},
    StationMember{u"rx-equipment", &Station::rxEquipment},
    StationMember{u"remarks", &Station::remarks},
};

bool namedElsewhere(QStringView key)
{
    return key == u"call" || key == u"locator";
}

bool isOneLine(const QString &text)
{
    return std::none_of(text.begin(), text.end(), [](QChar c) { return c < u' ' || c == u'\x7f'; });
}

} // namespace

void addStationOptions(QCommandLineParser &parser)
{
    parser.addOption({stationFileOption,
                      QStringLiteral("Read the station's own data from FILE instead of "
                                     "$XDG_CONFIG_HOME/vandrel/station.ini (see STATION FILE). "
                                     "Each key of its [station] group is also an option, which "
                                     "wins."),
                      QStringLiteral("FILE")});
    for (const StationKey &key : stationKeys()) {
        if (!namedElsewhere(key.name))
            parser.addOption(
                {key.name.toString(), key.description.toString(), key.valueName.toString()});
    }
}

QString readStationOptions(const QCommandLineParser &parser, Station &station)
{
    const bool named = parser.isSet(stationFileOption);
    const StationFileReading file =
        readStationFile(named ? parser.value(stationFileOption) : defaultStationFilePath(), named);
    if (!file.problem.isEmpty())
        return file.problem;
    for (const StationMember &m : members) {
        const QString key = m.key.toString();
        QString value = parser.isSet(key) ? parser.value(key).trimmed() : file.values.value(key);
        if (!isOneLine(value))
            return QStringLiteral("the station's %1 takes one line of text").arg(key);
        if (!value.isEmpty() || parser.isSet(key))
            station.*m.member = std::move(value);
    }
    station.call = station.call.toUpper();
    station.locator = station.locator.toUpper();
    return {};
}
