#pragma once

#include "station/station_settings.h"

#include <QStringList>
#include <optional>

// The station this window is one position of, from its command line:
//   vandrel --station nats://HOST:4222[,nats://HOST2:4222,...] --position NAME --call CALL
// or from the station file ($XDG_CONFIG_HOME/vandrel/station.ini, or --station-file FILE):
// `servers=` and `position=` of its [network] group, the call from its [station] group. An
// option wins over the file. Nothing when neither names a server: the window is on its own, as
// ever. `problem` says why they cannot name a station (no secret of a server address in it).
std::optional<StationSettings> stationFromArguments(const QStringList &arguments, QString &problem);
