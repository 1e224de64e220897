#pragma once

#include "export/station.h"

#include <QCommandLineParser>
#include <QString>

// The station's own data on the command line: --station-file, and one option for each key of
// the station file that the command line does not name otherwise (--call and --locator are).
void addStationOptions(QCommandLineParser &parser);

// Fills the station's own data from the station file (the default one unless --station-file
// names another), then from the options, which win. Returns what is wrong, or nothing.
QString readStationOptions(const QCommandLineParser &parser, Station &station);
