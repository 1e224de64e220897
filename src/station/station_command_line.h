#pragma once

#include "station_settings.h"

#include <QStringList>
#include <optional>

// The station this window is one position of, from its command line:
//   vandrel --station nats://HOST:4222[,nats://HOST2:4222,...] --position NAME --call CALL
// Nothing when --station is not given: the window is on its own, as ever. `problem` says why
// the options cannot name a station (no secret of a server address in it).
std::optional<StationSettings> stationFromArguments(const QStringList &arguments, QString &problem);
