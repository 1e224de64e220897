#pragma once

#include "contact_record.h"
#include "station.h"

#include <QByteArray>
#include <vector>

// Contacts as an ADIF 3 file (.adi) with CR LF line ends. Every contact has a band. A received
// locator that is not valid is left out of GRIDSQUARE.
QByteArray writeAdif(const Station &station, const std::vector<const ContactRecord *> &contacts);
