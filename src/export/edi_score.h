#pragma once

#include "contact_record.h"

#include <QStringView>
#include <vector>

// A contact of one band as a VHF contest scores it.
struct ScoredContact
{
    const ContactRecord *contact = nullptr;
    bool duplicate = false; // the same call was worked before on this band
    bool newSquare = false; // the first contact in its 4-character square
    bool validLocator = false;
    int km = 0; // whole kilometres; 0 without a valid locator
    int points = 0;
};

struct BandScore
{
    std::vector<ScoredContact> contacts; // in the order of the log
    int validContacts = 0;               // neither duplicate nor without a valid locator
    int points = 0;
    int squares = 0;
    const ScoredContact *farthest = nullptr; // the first of the farthest, if any scored
};

// Scores the contacts of one band from `ownLocator` (which must be valid). A duplicate scores 0;
// so does a contact whose locator is not valid.
BandScore scoreBand(const std::vector<const ContactRecord *> &contacts, QStringView ownLocator);
