#pragma once

#include "contact_record.h"
#include "station.h"

#include <QByteArray>
#include <vector>

// Contacts as a Cabrillo 3.0 log with CR LF line ends. Every contact has a band.
QByteArray writeCabrillo(const Station &station,
                         const std::vector<const ContactRecord *> &contacts);
