#include "export/export_run.h"

#include "export/adif_writer.h"
#include "export/cabrillo_writer.h"
#include "export/contact_log_reader.h"
#include "export/date_check.h"
#include "export/edi_score.h"
#include "export/edi_writer.h"
#include "export/locator.h"
#include "export/visible_text.h"
#include "log_file/log_file_text.h"

#include <QBuffer>
#include <map>

namespace {

using Contacts = std::vector<const ContactRecord *>;

QString extension(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Cabrillo:
        return QStringLiteral(".log");
    case ExportFormat::Adif:
        return QStringLiteral(".adi");
    case ExportFormat::Edi:
        break;
    }
    return QStringLiteral(".edi");
}

QString lineMessage(int lineNumber, const QString &what)
{
    return QStringLiteral("line %1: %2").arg(lineNumber).arg(what);
}

// The distance points of contacts on the bands above 30 MHz from a known own locator, as the
// EDI files of their bands claim them; nothing when the log's scoring is not known.
std::optional<int> distancePoints(const Contacts &contacts, const QString &ownLocator)
{
    if (!isValidLocator(ownLocator))
        return std::nullopt;
    std::map<const Band *, Contacts> byBand;
    for (const ContactRecord *contact : contacts)
        byBand[contact->band].push_back(contact);
    int points = 0;
    for (const auto &[band, bandContacts] : byBand) {
        if (!isEdiBand(*band))
            return std::nullopt;
        points += scoreBand(bandContacts, ownLocator).points;
    }
    return points;
}

QByteArray writeBand(const ExportOptions &options, const Band &band, const Contacts &contacts,
                     QStringList &messages)
{
    switch (options.format) {
    case ExportFormat::Cabrillo:
        return writeCabrillo(options.station, contacts,
                             distancePoints(contacts, options.station.locator), messages);
    case ExportFormat::Adif:
        return writeAdif(options.station, contacts, messages);
    case ExportFormat::Edi:
        break;
    }
    BandScore score = scoreBand(contacts, options.station.locator);
    fitToEdi(score);
    for (const ScoredContact &scored : score.contacts) {
        for (const QString &change : scored.changes)
            messages.append(lineMessage(scored.contact->lineNumber,
                                        scored.contact->call + QStringLiteral(": ") + change));
    }
    return writeEdi(options.station, band, score, options.contestDates);
}

// EDI is the format of the contests above 30 MHz; nothing when every band is one of them.
QString bandBelowEdi(const ExportOptions &options, const std::map<const Band *, Contacts> &byBand)
{
    if (options.format != ExportFormat::Edi)
        return {};
    for (const auto &[band, contacts] : byBand) {
        if (!isEdiBand(*band))
            return lineMessage(contacts.front()->lineNumber,
                               QStringLiteral("EDI is for contests above 30 MHz, and this "
                                              "contact is on %1; write the log with --format "
                                              "cabrillo")
                                   .arg(band->edi));
    }
    return {};
}

void reportLocators(const ExportOptions &options, const ContactLog &log, QStringList &messages)
{
    if (options.format == ExportFormat::Edi)
        return; // scoring says it, with the points
    for (const ContactRecord &contact : log.contacts) {
        if (!contact.locator.isEmpty() && !isValidLocator(contact.locator))
            messages.append(
                lineMessage(contact.lineNumber,
                            QStringLiteral("\"%1\" is not a locator").arg(contact.locator)));
    }
}

ExportResult failed(QStringList messages, const QString &why)
{
    messages.append(why);
    return {false, std::move(messages), {}};
}

// Lists the bad lines of `log` in `messages`, and returns what keeps it from being exported at
// all, or an empty text when nothing does.
QString logProblem(const ExportOptions &options, const ContactLog &log, QStringList &messages)
{
    // A line is shown with its control characters made visible: it may hold anything.
    for (const BadLine &bad : log.badLines)
        messages.append(lineMessage(bad.lineNumber,
                                    bad.problem + QStringLiteral(": ") + visibleText(bad.text)));
    if (const int unnamed = log.badLineCount - int(log.badLines.size()); unnamed > 0)
        messages.append(QStringLiteral("and %1 more line(s) that are not contact lines, not shown")
                            .arg(unnamed));
    if (log.badLineCount > 0 && !options.skipBad)
        return QStringLiteral("%1 line(s) are not contact lines; nothing written (--skip-bad "
                              "leaves them out)")
            .arg(log.badLineCount);
    if (log.badLineCount > 0)
        messages.append(
            QStringLiteral("left out %1 line(s) that are not contact lines").arg(log.badLineCount));
    if (log.contacts.empty())
        return QStringLiteral("the log holds no contacts; nothing written");
    return {};
}

} // namespace

ExportResult exportLog(const ExportOptions &options, QByteArrayView logBytes)
{
    QByteArray bytes = QByteArray::fromRawData(logBytes.data(), logBytes.size());
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return exportLog(options, buffer);
}

ExportResult exportLog(const ExportOptions &options, QIODevice &logFile)
{
    ContactLog log = readContactLog(logFile, options.dateFormat);
    if (!log.read) {
        ExportResult unread;
        unread.read = log.read;
        return unread;
    }
    QStringList messages;
    if (const QString why = logProblem(options, log, messages); !why.isEmpty())
        return failed(messages, why);
    messages.append(dateWarnings(log.contacts, options.dateFormat));

    // Contacts by band, in the order of the band list, each band in the order of the log.
    std::map<const Band *, Contacts> byBand;
    for (ContactRecord &contact : log.contacts) {
        if (!contact.band)
            contact.band = options.band;
        if (!contact.band)
            return failed(messages, lineMessage(contact.lineNumber,
                                                QStringLiteral("no band; give the band of a "
                                                               "single-band log with --band")));
        byBand[contact.band].push_back(&contact);
    }
    if (const QString why = bandBelowEdi(options, byBand); !why.isEmpty())
        return failed(messages, why);
    reportLocators(options, log, messages);

    ExportResult result;
    if (!options.perBandDirectory.isEmpty()) {
        for (const auto &[band, contacts] : byBand) {
            result.outputs.push_back({band->adif.toString() + extension(options.format),
                                      writeBand(options, *band, contacts, messages)});
        }
    } else if (options.format == ExportFormat::Edi && byBand.size() > 1) {
        return failed(messages, QStringLiteral("the log holds %1 bands and an EDI file one; "
                                               "write one file per band with --per-band DIR")
                                    .arg(byBand.size()));
    } else if (byBand.size() == 1) {
        const auto &[band, contacts] = *byBand.begin();
        result.outputs.push_back({QString(), writeBand(options, *band, contacts, messages)});
    } else {
        Contacts all;
        for (const ContactRecord &contact : log.contacts)
            all.push_back(&contact);
        result.outputs.push_back(
            {QString(), writeBand(options, *all.front()->band, all, messages)});
    }
    result.ok = true;
    result.messages = std::move(messages);
    return result;
}
