#include "edi_writer.h"

#include <QStringList>
#include <algorithm>

namespace {

QString record(const ScoredContact &scored, ExportMode mode)
{
    const ContactRecord &c = *scored.contact;
    const QStringList fields{
        c.date.toString(u"yyMMdd"),
        c.time,
        c.call,
        modeNames(mode).edi.toString(),
        c.report,
        c.sentNumber,
        c.report,
        c.receivedNumber,
        QString(), // received exchange: the log holds none
        c.locator,
        QString::number(scored.points),
        QString(), // new exchange
        scored.newSquare ? QStringLiteral("N") : QString(),
        QString(), // new DXCC: the log does not know countries
        scored.duplicate ? QStringLiteral("D") : QString(),
    };
    return fields.join(u';');
}

QString dateRange(const BandScore &score)
{
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

} // namespace

QByteArray writeEdi(const Station &station, const Band &band, const BandScore &score)
{
    const QString points = QString::number(score.points);
    QString farthest;
    if (score.farthest) {
        farthest = score.farthest->contact->call + u';' + score.farthest->contact->locator + u';' +
                   QString::number(score.farthest->km);
    }
    QStringList lines{
        QStringLiteral("[REG1TEST;1]"),
        QStringLiteral("TName=") + station.contest,
        QStringLiteral("TDate=") + dateRange(score),
        QStringLiteral("PCall=") + station.call,
        QStringLiteral("PWWLo=") + station.locator,
        QStringLiteral("PExch="),
        QStringLiteral("PBand=") + band.edi.toString(),
        QStringLiteral("PSect="),
        QStringLiteral("RCall="),
        QStringLiteral("MOpe1="),
        // Distance points only: no bonus per square or exchange, multipliers of 1. Countries are
        // not known to the log, so their counts are left empty.
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
        QStringLiteral("[Remarks]"),
        QStringLiteral("[QSORecords;%1]").arg(score.contacts.size()),
    };
    for (const ScoredContact &scored : score.contacts)
        lines.append(record(scored, station.mode));
    lines.append(QStringLiteral("[END;%1]").arg(station.producer));
    return (lines.join(u"\r\n") + QStringLiteral("\r\n")).toUtf8();
}
