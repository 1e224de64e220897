#include "export/station_log_text.h"

#include "contact_line/contact_line.h"
#include "contact_line/contact_record.h"

#include <algorithm>
#include <optional>

namespace {
// When a contact was logged: its date and its UTC time as HHMM, which sorts as text.
using LoggedAt = std::optional<std::pair<QDate, QString>>;

LoggedAt loggedAt(const QString &line, QStringView dateFormat)
{
    const LineReading reading = readContactLine(line, dateFormat);
    if (!reading.contact || !reading.contact->date.isValid())
        return std::nullopt;
    return std::pair{reading.contact->date, reading.contact->time};
}
} // namespace

QByteArray stationLogText(QList<StationContact> contacts, QStringView dateFormat)
{
    QList<std::pair<LoggedAt, const StationContact *>> timed;
    timed.reserve(contacts.size());
    for (const StationContact &contact : std::as_const(contacts))
        timed.append({loggedAt(contact.line, dateFormat), &contact});
    // An unread time (nullopt) sorts before every read one.
    std::stable_sort(timed.begin(), timed.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    QString text;
    for (const auto &[when, contact] : std::as_const(timed))
        text += contact->line + lineEnd.toString();
    return text.toUtf8();
}
