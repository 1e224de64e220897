#include "export/edi_score.h"

#include "export/locator.h"

#include <QHash>
#include <QSet>

namespace {

// Why a contact that is not a duplicate scores nothing; empty when it scores.
QString whyNoPoints(const QString &locator)
{
    if (locator.isEmpty())
        return QStringLiteral("no locator received; the contact scores 0");
    if (!isValidLocator(locator))
        return QStringLiteral("\"%1\" is not a locator; written empty, the contact scores 0")
            .arg(locator);
    if (locator.size() == 4)
        return QStringLiteral("only the 4-character locator \"%1\" received; the contact is not "
                              "valid and scores 0")
            .arg(locator);
    return {};
}

void tally(BandScore &score, QSet<QString> &squares)
{
    score.squares = int(squares.size());
    for (const ScoredContact &scored : score.contacts) {
        if (scored.valid) {
            ++score.validContacts;
            score.points += scored.points;
            if (!score.farthest || scored.km > score.farthest->km)
                score.farthest = &scored;
        }
    }
}

} // namespace

QStringView stationOf(QStringView call)
{
    const qsizetype slash = call.lastIndexOf(u'/');
    if (slash < 0)
        return call;
    const QStringView suffix = call.sliced(slash + 1);
    for (const char16_t *mobile : {u"P", u"M", u"MM", u"AM", u"A"}) {
        if (suffix.compare(QStringView(mobile), Qt::CaseInsensitive) == 0)
            return call.first(slash);
    }
    return call;
}

BandScore scoreBand(const std::vector<const ContactRecord *> &contacts, QStringView ownLocator)
{
    BandScore score;
    score.contacts.reserve(contacts.size());
    QHash<QString, int> workedOn; // station -> line of its valid contact
    QSet<QString> squares;
    for (const ContactRecord *contact : contacts) {
        ScoredContact scored;
        scored.contact = contact;
        const QString station = stationOf(contact->call).toString();
        if (const auto first = workedOn.constFind(station); first != workedOn.constEnd()) {
            scored.duplicate = true;
            scored.changes.append(
                QStringLiteral("worked before on line %1; a duplicate scores 0").arg(*first));
        } else if (const QString why = whyNoPoints(contact->locator); !why.isEmpty()) {
            scored.changes.append(why);
        } else if (const auto km = distanceKm(ownLocator, contact->locator)) {
            scored.valid = true;
            scored.points = qsoPoints(*km);
            scored.km = scored.points - 1;
            const QString square = contact->locator.first(4);
            scored.newSquare = !squares.contains(square);
            squares.insert(square);
            workedOn.insert(station, contact->lineNumber);
        }
        score.contacts.push_back(std::move(scored));
    }
    tally(score, squares);
    return score;
}
