#include "cabrillo_writer.h"

#include <QStringList>

namespace {

QString qsoLine(const Station &station, const ContactRecord &c)
{
    QStringList fields{QStringLiteral("QSO:"),
                       c.band->cabrillo.toString(),
                       modeNames(station.mode).cabrillo.toString(),
                       c.date.toString(u"yyyy-MM-dd"),
                       c.time,
                       station.call,
                       c.report,
                       c.sentNumber};
    if (!station.locator.isEmpty())
        fields.append(station.locator);
    fields << c.call << c.report << c.receivedNumber;
    if (!c.locator.isEmpty())
        fields.append(c.locator);
    return fields.join(u' ');
}

} // namespace

QByteArray writeCabrillo(const Station &station, const std::vector<const ContactRecord *> &contacts)
{
    QStringList lines{
        QStringLiteral("START-OF-LOG: 3.0"),
        QStringLiteral("CALLSIGN: ") + station.call,
        QStringLiteral("CONTEST: ") + station.contest,
        QStringLiteral("CREATED-BY: ") + station.producer,
    };
    if (!station.locator.isEmpty())
        lines.append(QStringLiteral("GRID-LOCATOR: ") + station.locator);
    for (const ContactRecord *contact : contacts)
        lines.append(qsoLine(station, *contact));
    lines.append(QStringLiteral("END-OF-LOG:"));
    return (lines.join(u"\r\n") + QStringLiteral("\r\n")).toUtf8();
}
