#include "export/contact_log_reader.h"

#include "log_file/log_file_lines.h"

#include <QBuffer>
#include <QSet>

namespace {

// A field's text is kept once, however many contacts carry it (times of day, dates, reports,
// calls worked on several bands, numbers and locators that repeat), so that memory grows with
// what the contacts hold of their own. Past `mostTexts` different texts, new ones are no longer
// remembered: a log of ever new values costs no more than it would unshared.
class SharedTexts
{
public:
    void share(QString &text)
    {
        if (const auto kept = texts_.constFind(text); kept != texts_.cend())
            text = *kept;
        else if (texts_.size() < mostTexts)
            texts_.insert(text);
    }

private:
    static constexpr qsizetype mostTexts = 64 * 1024;
    QSet<QString> texts_;
};

} // namespace

ContactLog readContactLog(QIODevice &device, QStringView dateFormat)
{
    LogFileLines lines(device);
    ContactLog log;
    SharedTexts shared;
    while (const std::optional<QString> line = lines.next()) {
        const int lineNumber = int(lines.lineNumber());
        if (line->trimmed().isEmpty())
            continue;
        LineReading reading = readContactLine(*line, dateFormat);
        if (reading.contact) {
            ContactRecord &contact = *reading.contact;
            contact.lineNumber = lineNumber;
            for (QString *field :
                 {&contact.sentNumber, &contact.dateText, &contact.time, &contact.call,
                  &contact.report, &contact.receivedNumber, &contact.locator})
                shared.share(*field);
            log.contacts.push_back(std::move(contact));
        } else if (++log.badLineCount <= int(keptBadLines)) {
            log.badLines.push_back({lineNumber, *line, reading.problem});
        }
    }
    log.read = lines.status();
    return log;
}

ContactLog readContactLog(QByteArrayView fileBytes, QStringView dateFormat)
{
    QByteArray bytes = QByteArray::fromRawData(fileBytes.data(), fileBytes.size());
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return readContactLog(buffer, dateFormat);
}
