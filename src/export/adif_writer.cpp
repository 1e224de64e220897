#include "adif_writer.h"

#include "locator.h"

namespace {

// <NAME:LENGTH>DATA, the length counted in bytes of UTF-8; an empty field is left out. ADIF data
// fields hold ASCII only, so a value with any other character is left out too.
void appendField(QByteArray &out, const char *name, QStringView value)
{
    const bool ascii =
        std::all_of(value.begin(), value.end(), [](QChar c) { return c.unicode() < 128; });
    if (value.isEmpty() || !ascii)
        return;
    const QByteArray data = value.toUtf8();
    out.append('<').append(name).append(':').append(QByteArray::number(data.size())).append('>');
    out.append(data).append(' ');
}

} // namespace

QByteArray writeAdif(const Station &station, const std::vector<const ContactRecord *> &contacts)
{
    const QString version = station.producer.section(u' ', -1);
    QByteArray out = "Contacts exported by " + station.producer.toUtf8() + "\r\n";
    appendField(out, "ADIF_VER", u"3.1.4");
    appendField(out, "PROGRAMID", u"vandrel-export");
    appendField(out, "PROGRAMVERSION", version);
    out.append("<EOH>\r\n");
    for (const ContactRecord *contact : contacts) {
        const ContactRecord &c = *contact;
        appendField(out, "CALL", c.call);
        appendField(out, "QSO_DATE", c.date.toString(u"yyyyMMdd"));
        appendField(out, "TIME_ON", c.time);
        appendField(out, "BAND", c.band->adif);
        appendField(out, "MODE", modeNames(station.mode).adif);
        appendField(out, "RST_SENT", c.report);
        appendField(out, "RST_RCVD", c.report);
        appendField(out, "STX_STRING", c.sentNumber);
        appendField(out, "SRX_STRING", c.receivedNumber);
        appendField(out, "GRIDSQUARE",
                    isValidLocator(c.locator) ? QStringView(c.locator) : QStringView());
        appendField(out, "MY_GRIDSQUARE", station.locator);
        appendField(out, "STATION_CALLSIGN", station.call);
        out.append("<EOR>\r\n");
    }
    return out;
}
