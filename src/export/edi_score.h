#pragma once

#include "contact_line/contact_record.h"

#include <QStringList>
#include <QStringView>
#include <vector>

// A contact of one band as the IARU Region 1 VHF contest rules score it.
struct ScoredContact
{
    const ContactRecord *contact = nullptr;
    bool duplicate = false; // the same station was validly worked before on this band
    bool newSquare = false; // the first valid contact in its 4-character square
    bool valid = false;     // neither a duplicate nor without a 6-character locator
    int km = 0;             // whole kilometres; 0 unless valid
    int points = 0;
    QStringList changes; // what the rules or the format changed, for standard error
};

struct BandScore
{
    std::vector<ScoredContact> contacts; // in the order of the log
    int validContacts = 0;
    int points = 0;
    int squares = 0;
    const ScoredContact *farthest = nullptr; // the first of the farthest, if any scored
};

// The station behind a call: the call without a portable or mobile suffix (/P, /M, /MM, /AM,
// /A), as each station may be worked once whether fixed, portable or mobile.
QStringView stationOf(QStringView call);

// Scores the contacts of one band from `ownLocator` (which must be valid). A contact scores when
// a 6-character locator was received and the station was not validly worked before; a contact
// that does not score does not make a later one a duplicate.
BandScore scoreBand(const std::vector<const ContactRecord *> &contacts, QStringView ownLocator);
