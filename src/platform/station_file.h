#pragma once

#include <QHash>
#include <QString>
#include <QStringView>
#include <span>

// The station file: the station's own data, typed once and read by every program of Vandrel
// that needs it. An INI file (QSettings) whose [station] group holds one key a value; other
// groups belong to other programs and are left alone here. QtCore only.

// A key of the [station] group and what it holds, in the order the manual lists them.
struct StationKey
{
    QStringView name; // as written in the file, and the long option of the same name
    QStringView description;
    QStringView valueName; // for the option's help, e.g. "CALL"
};

std::span<const StationKey> stationKeys();

// $XDG_CONFIG_HOME/vandrel/station.ini (~/.config/vandrel/station.ini when that is not set).
QString defaultStationFilePath();

struct StationFileReading
{
    QHash<QString, QString> values; // key name -> value, trimmed; keys absent from the file
                                    // are absent here
    QString problem;                // why the file could not be read; empty when it was
};

// The keys of `group` in the INI file at `path`. A file that does not exist is an empty
// reading when `mustExist` is false and a problem when it is true. A value QSettings would
// split at commas is joined again with ", ".
StationFileReading readStationFile(const QString &path, bool mustExist,
                                   const QString &group = QStringLiteral("station"));
