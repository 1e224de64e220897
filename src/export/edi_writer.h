#pragma once

#include "contact_line/bands.h"
#include "export/edi_score.h"
#include "export/station.h"

#include <QByteArray>
#include <QDate>
#include <optional>
#include <utility>

// The numbers and calls of the scored contacts as the format takes them: numbers of 3 or 4
// digits with leading zeros, calls of 3 to 14 characters. Each contact whose number had to be
// changed, or whose call or number the format cannot hold, gets a note in its `changes`.
void fitToEdi(BandScore &score);

// EDI, the format of VHF and higher contests: not for the bands below 30 MHz.
bool isEdiBand(const Band &band);

// One band of the log as an EDI file (REG1TEST), with CR LF line ends: the header with the
// station's data and the claimed totals, then one record of 15 fields per contact. TDate is
// `contestDates` when given, else the first and last date of the contacts.
QByteArray writeEdi(const Station &station, const Band &band, const BandScore &score,
                    const std::optional<std::pair<QDate, QDate>> &contestDates);
