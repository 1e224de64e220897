#pragma once

#include "station/station_contact.h"

#include <QByteArray>
#include <QList>
#include <QStringView>

// The contacts of every position of a station as one log text, as the exporter reads a log
// file: in time order, the stream's order kept among contacts of the same minute, each line as
// its position logged it (with the serial that position sent). A line whose date or time cannot
// be read keeps its place at the front, where the reader reports it.
QByteArray stationLogText(QList<StationContact> contacts, QStringView dateFormat);
