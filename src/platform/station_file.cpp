#include "platform/station_file.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <array>

namespace {

constexpr std::array keys{
    StationKey{u"call", u"Own call sign.", u"CALL"},
    StationKey{u"locator", u"Own 6-character locator.", u"LOCATOR"},
    StationKey{u"section", u"Section (category) entered (default: SINGLE).", u"SECTION"},
    StationKey{u"name", u"Name of the responsible operator.", u"NAME"},
    StationKey{u"address1", u"Address, first line.", u"TEXT"},
    StationKey{u"address2", u"Address, second line.", u"TEXT"},
    StationKey{u"postcode", u"Postal code.", u"CODE"},
    StationKey{u"city", u"City.", u"CITY"},
    StationKey{u"country", u"Country.", u"COUNTRY"},
    StationKey{u"email", u"E-mail address.", u"ADDRESS"},
    StationKey{u"phone", u"Phone number.", u"NUMBER"},
    StationKey{u"club", u"Club whose score the contacts count for.", u"CLUB"},
    StationKey{u"operators", u"Operators' call signs, separated by blanks (default: the call).",
               u"CALLS"},
    StationKey{u"power", u"Transmitter power in watts.", u"WATTS"},
    StationKey{u"antenna", u"Antenna.", u"TEXT"},
    StationKey{u"antenna-height",
               u"Antenna height above ground in metres, optionally ';' and above sea level "
               u"(quote it in the file).",
               u"METRES"},
    StationKey{u"tx-equipment", u"Transmitter.", u"TEXT"},
    StationKey{u"rx-equipment", u"Receiver.", u"TEXT"},
    StationKey{u"remarks", u"Remarks for the contest manager.", u"TEXT"},
};

// QSettings reads an unquoted value with commas as a list.
QString joined(const QVariant &value)
{
    if (value.metaType().id() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", ")).trimmed();
    return value.toString().trimmed();
}

} // namespace

std::span<const StationKey> stationKeys()
{
    return keys;
}

QString defaultStationFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/vandrel/station.ini");
}

StationFileReading readStationFile(const QString &path, bool mustExist, const QString &group)
{
    StationFileReading reading;
    const QFileInfo info(path);
    if (!info.exists()) {
        if (mustExist)
            reading.problem =
                QStringLiteral("cannot read the station file %1: it does not exist").arg(path);
        return reading;
    }
    if (!info.isFile() || !info.isReadable()) {
        reading.problem =
            QStringLiteral("cannot read the station file %1: not a readable file").arg(path);
        return reading;
    }
    QSettings settings(path, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError) {
        reading.problem =
            QStringLiteral("cannot read the station file %1: not an INI file").arg(path);
        return reading;
    }
    settings.beginGroup(group);
    for (const QString &key : settings.childKeys())
        reading.values.insert(key, joined(settings.value(key)));
    return reading;
}
