#include "export/cabrillo_writer.h"

#include <QStringList>
#include <algorithm>
#include <set>

namespace {

// The columns of the template: "QSO:", frequency right-aligned in 5, mode 2, date 10, time 4,
// call 13, report 3, exchange 6 (number, then locator), call 13, report 3, exchange 6.
constexpr int frequencyWidth = 5;
constexpr int callWidth = 13;
constexpr int reportWidth = 3;
constexpr int exchangeWidth = 6;

struct Columns
{
    bool locators = false; // a locator sent and received on every line
};

QString padded(QStringView text, int width)
{
    return text.toString().leftJustified(width);
}

QString lineNote(const ContactRecord &c, const QString &what)
{
    return QStringLiteral("line %1: %2: %3").arg(c.lineNumber).arg(c.call, what);
}

QString qsoLine(const Station &station, const ContactRecord &c, Columns columns,
                QStringList &messages)
{
    QString line =
        QStringLiteral("QSO: ") + c.band->cabrillo.toString().rightJustified(frequencyWidth) +
        u' ' + modeNames(station.mode).cabrillo.toString() + u' ' + c.date.toString(u"yyyy-MM-dd") +
        u' ' + c.time + u' ' + padded(station.call, callWidth) + u' ' +
        padded(c.report, reportWidth) + u' ' + padded(c.sentNumber, exchangeWidth);
    if (columns.locators) {
        line += u' ' + padded(station.locator.isEmpty() ? cabrilloMissingField
                                                        : QStringView(station.locator),
                              exchangeWidth);
    }
    line += u' ' + padded(c.call, callWidth) + u' ' + padded(c.report, reportWidth) + u' ' +
            padded(c.receivedNumber, exchangeWidth);
    if (columns.locators) {
        if (c.locator.isEmpty())
            messages.append(lineNote(c, QStringLiteral("no locator, which the other QSO lines "
                                                       "carry; written as \"%1\"")
                                            .arg(cabrilloMissingField)));
        line += u' ' + (c.locator.isEmpty() ? cabrilloMissingField.toString() : c.locator);
    }
    return line.trimmed();
}

// CATEGORY-BAND of a frequency field.
QString categoryBand(QStringView frequency)
{
    static const std::pair<QStringView, QStringView> names[] = {
        {u"7000", u"40M"}, {u"14000", u"20M"}, {u"21000", u"15M"}, {u"28000", u"10M"},
        {u"50", u"6M"},    {u"144", u"2M"},    {u"432", u"432"},   {u"1.2G", u"1.2G"}};
    for (const auto &[field, name] : names) {
        if (field == frequency)
            return name.toString();
    }
    return QStringLiteral("ALL");
}

QString categoryPower(const QString &power)
{
    const QString upper = power.toUpper();
    if (upper == u"HIGH" || upper == u"LOW" || upper == u"QRP")
        return upper;
    bool number = false;
    const double watts = power.toDouble(&number);
    if (!number)
        return {};
    return watts <= 5 ? QStringLiteral("QRP")
                      : (watts <= 100 ? QStringLiteral("LOW") : QStringLiteral("HIGH"));
}

QString categoryStation(const QString &call)
{
    if (call.endsWith(u"/P"))
        return QStringLiteral("PORTABLE");
    if (call.endsWith(u"/M") || call.endsWith(u"/MM") || call.endsWith(u"/AM"))
        return QStringLiteral("MOBILE");
    return QStringLiteral("FIXED");
}

QString bandsOf(const std::vector<const ContactRecord *> &contacts)
{
    std::set<QStringView> bands;
    for (const ContactRecord *contact : contacts)
        bands.insert(contact->band->cabrillo);
    return bands.size() == 1 ? categoryBand(*bands.begin()) : QStringLiteral("ALL");
}

void appendTag(QStringList &lines, const char *tag, const QString &value)
{
    if (!value.isEmpty())
        lines.append(QLatin1StringView(tag) + QStringLiteral(": ") + value);
}

QStringList categoryLines(const Station &station,
                          const std::vector<const ContactRecord *> &contacts)
{
    const QStringList operators = station.operators.split(u' ', Qt::SkipEmptyParts);
    const bool multi = operators.size() > 1 || station.section.toUpper().startsWith(u"MULTI");
    const QStringView mode = modeNames(station.mode).adif;
    QStringList lines;
    appendTag(lines, "CATEGORY-OPERATOR",
              multi ? QStringLiteral("MULTI-OP") : QStringLiteral("SINGLE-OP"));
    appendTag(lines, "CATEGORY-BAND", bandsOf(contacts));
    appendTag(lines, "CATEGORY-MODE", mode.toString());
    appendTag(lines, "CATEGORY-POWER", categoryPower(station.power));
    appendTag(lines, "CATEGORY-STATION", categoryStation(station.call));
    appendTag(lines, "CATEGORY-TRANSMITTER", QStringLiteral("ONE"));
    return lines;
}

QStringList stationLines(const Station &station)
{
    QStringList lines;
    appendTag(lines, "CLUB", station.club);
    appendTag(lines, "CREATED-BY", station.producer);
    appendTag(lines, "EMAIL", station.email);
    appendTag(lines, "GRID-LOCATOR", station.locator);
    appendTag(lines, "NAME", station.name);
    appendTag(lines, "ADDRESS", station.address1);
    appendTag(lines, "ADDRESS", station.address2);
    appendTag(lines, "ADDRESS-CITY", station.city);
    appendTag(lines, "ADDRESS-POSTALCODE", station.postcode);
    appendTag(lines, "ADDRESS-COUNTRY", station.country);
    appendTag(lines, "OPERATORS",
              station.operators.isEmpty() ? station.call : station.operators.toUpper());
    appendTag(lines, "SOAPBOX", station.remarks);
    return lines;
}

} // namespace

QByteArray writeCabrillo(const Station &station, const std::vector<const ContactRecord *> &contacts,
                         std::optional<int> claimedScore, QStringList &messages)
{
    Columns columns;
    columns.locators = std::any_of(contacts.begin(), contacts.end(),
                                   [](const ContactRecord *c) { return !c->locator.isEmpty(); });
    if (columns.locators && station.locator.isEmpty())
        messages.append(QStringLiteral("no own locator (--locator): the locator sent on every "
                                       "QSO line is written as \"%1\"")
                            .arg(cabrilloMissingField));
    QStringList lines{
        QStringLiteral("START-OF-LOG: 3.0"),
        QStringLiteral("CALLSIGN: ") + station.call,
        QStringLiteral("CONTEST: ") + station.contest,
    };
    lines += categoryLines(station, contacts);
    if (claimedScore)
        appendTag(lines, "CLAIMED-SCORE", QString::number(*claimedScore));
    lines += stationLines(station);
    for (const ContactRecord *contact : contacts)
        lines.append(qsoLine(station, *contact, columns, messages));
    lines.append(QStringLiteral("END-OF-LOG:"));
    return (lines.join(u"\r\n") + QStringLiteral("\r\n")).toUtf8();
}
