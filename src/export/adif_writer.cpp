#include "export/adif_writer.h"

#include "export/locator.h"

#include <QSet>

namespace {

bool isAscii(QStringView value)
{
    return std::all_of(value.begin(), value.end(), [](QChar c) { return c.unicode() < 128; });
}

// Writes the fields of one file and notes each value it cannot carry.
class AdifFields
{
public:
    AdifFields(QByteArray &out, QStringList &messages) : out(out), messages(messages) {}

    // <NAME:LENGTH>DATA; an empty field is left out. `where` names the value's origin.
    void add(const char *name, QStringView value, const QString &where = {})
    {
        if (value.isEmpty())
            return;
        if (!isAscii(value)) {
            const QString note = QStringLiteral("%1%2 \"%3\" holds characters other than ASCII, "
                                                "which ADIF cannot carry; left out")
                                     .arg(where, QLatin1StringView(name), value);
            if (!reported.contains(note))
                messages.append(note);
            reported.insert(note);
            return;
        }
        const QByteArray data = value.toLatin1();
        out.append('<').append(name).append(':').append(QByteArray::number(data.size()));
        out.append('>').append(data).append(' ');
    }

private:
    QByteArray &out;
    QStringList &messages;
    QSet<QString> reported;
};

QString operatorOf(const Station &station)
{
    const QStringList operators = station.operators.toUpper().split(u' ', Qt::SkipEmptyParts);
    return operators.isEmpty() ? station.call : operators.first();
}

} // namespace

QByteArray writeAdif(const Station &station, const std::vector<const ContactRecord *> &contacts,
                     QStringList &messages)
{
    const QString version = station.producer.section(u' ', -1);
    QByteArray out = "Contacts exported by " + station.producer.toUtf8() + "\r\n";
    AdifFields fields(out, messages);
    fields.add("ADIF_VER", u"3.1.4");
    fields.add("PROGRAMID", u"vandrel-export");
    fields.add("PROGRAMVERSION", version);
    out.append("<EOH>\r\n");
    const QString stationValue = QStringLiteral("the station's ");
    for (const ContactRecord *contact : contacts) {
        const ContactRecord &c = *contact;
        const QString where = QStringLiteral("line %1: ").arg(c.lineNumber);
        fields.add("CALL", c.call, where);
        fields.add("QSO_DATE", c.date.toString(u"yyyyMMdd"), where);
        fields.add("TIME_ON", c.time, where);
        fields.add("BAND", c.band->adif, where);
        fields.add("MODE", modeNames(station.mode).adif, where);
        fields.add("RST_SENT", c.report, where);
        fields.add("RST_RCVD", c.report, where);
        fields.add("STX_STRING", c.sentNumber, where);
        fields.add("SRX_STRING", c.receivedNumber, where);
        fields.add("GRIDSQUARE", isValidLocator(c.locator) ? QStringView(c.locator) : QStringView(),
                   where);
        fields.add("MY_GRIDSQUARE", station.locator, stationValue);
        fields.add("STATION_CALLSIGN", station.call, stationValue);
        fields.add("OPERATOR", operatorOf(station), stationValue);
        fields.add("CONTEST_ID", station.contest, stationValue);
        out.append("<EOR>\r\n");
    }
    return out;
}
