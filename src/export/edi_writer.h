#pragma once

#include "bands.h"
#include "edi_score.h"
#include "station.h"

#include <QByteArray>

// One band of the log as an EDI file (REG1TEST), with CR LF line ends: the header with the
// claimed totals, then one record of 15 fields per contact.
QByteArray writeEdi(const Station &station, const Band &band, const BandScore &score);
