#include "edi_writer.h"

#include "contact_line.h"
#include "locator.h"

#include <QStringList>
#include <algorithm>

namespace {

// A serial number with leading zeros to 3 digits; letters and signs are left out.
QString ediNumber(QStringView typed, QStringList &changes)
{
    QString digits;
    std::copy_if(typed.begin(), typed.end(), std::back_inserter(digits), isAsciiDigit);
    QString number = digits.rightJustified(3, u'0');
    if (digits.size() != typed.size())
        changes.append(QStringLiteral("the number \"%1\" is written as \"%2\", the digits EDI "
                                      "takes")
                           .arg(typed, number));
    if (number.size() > 4)
        changes.append(
            QStringLiteral("the number \"%1\" is longer than the 4 digits EDI takes").arg(number));
    return number;
}

QString record(const ScoredContact &scored, ExportMode mode)
{
    const ContactRecord &c = *scored.contact;
    QStringList ignored;
    const QStringList fields{
        c.date.toString(u"yyMMdd"),
        c.time,
        c.call,
        modeNames(mode).edi.toString(),
        c.report,
        ediNumber(c.sentNumber, ignored),
        c.report,
        ediNumber(c.receivedNumber, ignored),
        QString(),                                         // received exchange: the log holds none
        isValidLocator(c.locator) ? c.locator : QString(), // the field holds a locator or nothing
        QString::number(scored.points),
        QString(), // new exchange
        scored.newSquare ? QStringLiteral("N") : QString(),
        QString(), // new DXCC: the log does not know countries
        scored.duplicate ? QStringLiteral("D") : QString(),
    };
    return fields.join(u';');
}

QString dateRange(const BandScore &score,
                  const std::optional<std::pair<QDate, QDate>> &contestDates)
{
    if (contestDates)
        return contestDates->first.toString(u"yyyyMMdd") + u';' +
               contestDates->second.toString(u"yyyyMMdd");
    const auto byDate = [](const ScoredContact &a, const ScoredContact &b) {
        return a.contact->date < b.contact->date;
    };
    const auto [first, last] =
        std::minmax_element(score.contacts.begin(), score.contacts.end(), byDate);
    if (first == score.contacts.end())
        return {};
    return first->contact->date.toString(u"yyyyMMdd") + u';' +
           last->contact->date.toString(u"yyyyMMdd");
}

QString responsibleCall(const Station &station)
{
    const QStringList operators = station.operators.split(u' ', Qt::SkipEmptyParts);
    return operators.isEmpty() ? station.call : operators.first().toUpper();
}

// MOpe1: the operators of a multi-operator station; one operator is RCall alone.
QString otherOperators(const Station &station)
{
    const QStringList operators = station.operators.toUpper().split(u' ', Qt::SkipEmptyParts);
    return operators.size() > 1 ? operators.join(u';') : QString();
}

QStringList stationLines(const Station &station, const Band &band)
{
    return {
        QStringLiteral("PCall=") + station.call,
        QStringLiteral("PWWLo=") + station.locator,
        QStringLiteral("PExch="),
        QStringLiteral("PAdr1=") + station.address1,
        QStringLiteral("PAdr2=") + station.address2,
        QStringLiteral("PSect=") + station.section,
        QStringLiteral("PBand=") + band.edi.toString(),
        QStringLiteral("PClub=") + station.club,
        QStringLiteral("RName=") + station.name,
        QStringLiteral("RCall=") + responsibleCall(station),
        QStringLiteral("RAdr1=") + station.address1,
        QStringLiteral("RAdr2=") + station.address2,
        QStringLiteral("RPoCo=") + station.postcode,
        QStringLiteral("RCity=") + station.city,
        QStringLiteral("RCoun=") + station.country,
        QStringLiteral("RPhon=") + station.phone,
        QStringLiteral("RHBBS=") + station.email,
        QStringLiteral("MOpe1=") + otherOperators(station),
        QStringLiteral("MOpe2="),
        QStringLiteral("STXEq=") + station.txEquipment,
        QStringLiteral("SPowe=") + station.power,
        QStringLiteral("SRXEq=") + station.rxEquipment,
        QStringLiteral("SAnte=") + station.antenna,
        QStringLiteral("SAntH=") + station.antennaHeight,
    };
}

// Distance points only: no bonus per square or exchange, multipliers of 1. Countries are not
// known to the log, so their counts are left empty.
QStringList claimLines(const BandScore &score)
{
    const QString points = QString::number(score.points);
    QString farthest;
    if (score.farthest) {
        farthest = score.farthest->contact->call + u';' + score.farthest->contact->locator + u';' +
                   QString::number(score.farthest->km);
    }
    return {
        QStringLiteral("CQSOs=%1;1").arg(score.validContacts),
        QStringLiteral("CQSOP=") + points,
        QStringLiteral("CWWLs=%1;0;1").arg(score.squares),
        QStringLiteral("CWWLB=0"),
        QStringLiteral("CExcs=0;0;1"),
        QStringLiteral("CExcB=0"),
        QStringLiteral("CDXCs="),
        QStringLiteral("CDXCB="),
        QStringLiteral("CToSc=") + points,
        QStringLiteral("CODXC=") + farthest,
    };
}

} // namespace

void fitToEdi(BandScore &score)
{
    for (ScoredContact &scored : score.contacts) {
        const ContactRecord &c = *scored.contact;
        ediNumber(c.sentNumber, scored.changes);
        ediNumber(c.receivedNumber, scored.changes);
        if (c.call.size() < 3 || c.call.size() > 14)
            scored.changes.append(
                QStringLiteral("a call of %1 characters; EDI takes 3 to 14").arg(c.call.size()));
    }
}

bool isEdiBand(const Band &band)
{
    return band.edi.first(band.edi.indexOf(u' ')).toInt() >= 30 || band.edi.endsWith(u"GHz");
}

QByteArray writeEdi(const Station &station, const Band &band, const BandScore &score,
                    const std::optional<std::pair<QDate, QDate>> &contestDates)
{
    QStringList lines{
        QStringLiteral("[REG1TEST;1]"),
        QStringLiteral("TName=") + station.contest,
        QStringLiteral("TDate=") + dateRange(score, contestDates),
    };
    lines += stationLines(station, band);
    lines += claimLines(score);
    lines.append(QStringLiteral("[Remarks]"));
    if (!station.remarks.isEmpty())
        lines.append(station.remarks);
    lines.append(QStringLiteral("[QSORecords;%1]").arg(score.contacts.size()));
    for (const ScoredContact &scored : score.contacts)
        lines.append(record(scored, station.mode));
    lines.append(QStringLiteral("[END;%1]").arg(station.producer));
    return (lines.join(u"\r\n") + QStringLiteral("\r\n")).toUtf8();
}
