#pragma once

#include "station/station_contact.h"

#include <QString>

// The window's title while the station is on: the program's caption first, then the station,
// e.g. "Vandrel v1.2 - Morvit — Q9XYZ, 3 positions" or
// "Vandrel v1.2 - Morvit — station offline, 4 contacts waiting".
QString stationTitle(const QString &caption, const QString &call, const StationState &state);
