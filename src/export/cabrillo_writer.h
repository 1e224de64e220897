#pragma once

#include "contact_line/contact_record.h"
#include "export/station.h"

#include <QByteArray>
#include <QStringList>
#include <optional>
#include <vector>

// What a QSO line holds in place of a field the file's other QSO lines carry and this contact
// has not: a received locator, or the own locator when none is given.
inline constexpr QStringView cabrilloMissingField = u"-";

// Contacts as a Cabrillo 3.0 log with CR LF line ends, the QSO lines in the columns of the
// Cabrillo QSO template (frequency, mode, date, time, then call, report, number and locator sent
// and received), every line with the same fields. Every contact has a band. `claimedScore` is
// written when known. Each contact missing a field gets a line in `messages`.
QByteArray writeCabrillo(const Station &station, const std::vector<const ContactRecord *> &contacts,
                         std::optional<int> claimedScore, QStringList &messages);
