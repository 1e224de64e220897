#include "edi_score.h"

#include "locator.h"

#include <QSet>

BandScore scoreBand(const std::vector<const ContactRecord *> &contacts, QStringView ownLocator)
{
    BandScore score;
    score.contacts.reserve(contacts.size());
    QSet<QString> calls;
    QSet<QString> squares;
    for (const ContactRecord *contact : contacts) {
        ScoredContact scored;
        scored.contact = contact;
        scored.duplicate = calls.contains(contact->call);
        calls.insert(contact->call);
        const auto km = distanceKm(ownLocator, contact->locator);
        scored.validLocator = km.has_value();
        if (km && !scored.duplicate) {
            scored.km = qsoPoints(*km) - 1;
            scored.points = qsoPoints(*km);
            const QString square = contact->locator.first(4);
            scored.newSquare = !squares.contains(square);
            squares.insert(square);
            ++score.validContacts;
            score.points += scored.points;
        }
        score.contacts.push_back(scored);
    }
    score.squares = int(squares.size());
    for (const ScoredContact &scored : score.contacts) {
        if (scored.points > 0 && (!score.farthest || scored.km > score.farthest->km))
            score.farthest = &scored;
    }
    return score;
}
