#pragma once

#include "contact_line/contact_record.h"
#include "export/station.h"

#include <QByteArray>
#include <QStringList>
#include <vector>

// Contacts as an ADIF 3 file (.adi) with CR LF line ends. Every contact has a band. A received
// locator that is not valid is left out of GRIDSQUARE. ADIF fields hold ASCII only: a value with
// any other character is left out, and `messages` says so, with the contact's line number (a
// station value, the same in every record, once).
QByteArray writeAdif(const Station &station, const std::vector<const ContactRecord *> &contacts,
                     QStringList &messages);
