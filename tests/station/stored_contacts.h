#pragma once

#include "station/station_contact.h"
#include "station/station_settings.h"

#include <QList>

// Every contact the station's stream holds, in the stream's order, read straight from the
// servers with the NATS C client (not through the link under test). Empty when no server
// answers or the stream does not exist yet.
QList<StationContact> storedContacts(const StationSettings &settings);
// How many copies of the stream the servers keep; 0 when they do not answer.
int streamReplicas(const StationSettings &settings);
// The name of the server leading the stream in a cluster; empty when none answers.
QString streamLeader(const StationSettings &settings);
// Makes the station's stream with a duplicate window of 100 ms, the shortest the servers take.
bool createStreamWithShortDuplicateWindow(const StationSettings &settings);
// Whether a message id sent once before is no longer known to the stream: publishes a probe
// with one id on a subject of the stream that holds no contact, and says whether the stream
// stored it rather than taking it for a duplicate. Call until it holds.
bool duplicateWindowHasPassed(const StationSettings &settings);
