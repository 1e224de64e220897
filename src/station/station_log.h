#pragma once

#include "station/station_contact.h"
#include "station/station_settings.h"

#include <QList>
#include <QString>

struct StationLogReading
{
    QList<StationContact> contacts; // every position's, in the stream's order
    QString problem;                // why the station's log could not be read; empty when it was
};

// Every contact the station's stream holds, read once from its first message to the last one it
// held when asked, each with its position (the settings' own position is not used). Waits for
// the servers, each answer a few seconds at most.
StationLogReading readStationLog(const StationSettings &settings);
