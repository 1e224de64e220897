#include "contact_line/contact_line.h"
#include "contact_line/contact_record.h"
#include "export/contact_log_reader.h"
#include "export/edi_writer.h"
#include "export/export_run.h"
#include "fuzz_targets.h"
#include "log_file/log_file_text.h"

#include <QStringList>

namespace {

constexpr QStringView dateFormat = u"dd/MM/yyyy";

// The line as the fields read from it give it back: nothing lost, nothing invented.
QString recomposed(const ContactRecord &c)
{
    QString line;
    line.append(c.sentNumber).append(sentNumberSeparator).append(c.dateText);
    for (const QString *field : {&c.time, &c.call, &c.report, &c.receivedNumber, &c.locator})
        line.append(fieldSeparator).append(*field);
    if (c.band)
        line.append(bandSeparator).append(c.band->windowText);
    return line;
}

QString checkContact(const ContactRecord &c, const QString &line)
{
    if (recomposed(c).compare(line, Qt::CaseInsensitive) != 0)
        return QStringLiteral("line %1 does not come back from its fields").arg(c.lineNumber);
    if (!c.date.isValid() || readLogDate(c.dateText, dateFormat) != c.date)
        return QStringLiteral("line %1: a date that does not read back").arg(c.lineNumber);
    if (c.call != c.call.toUpper() || c.locator != c.locator.toUpper())
        return QStringLiteral("line %1: call or locator not upper case").arg(c.lineNumber);
    return {};
}

// Every record of an EDI file has 15 fields.
QString checkEdi(const QByteArray &edi)
{
    const QList<QByteArray> lines = edi.split('\n');
    bool inRecords = false;
    for (const QByteArray &line : lines) {
        if (line.startsWith("[END;"))
            break;
        if (inRecords && line.count(';') != 14)
            return QStringLiteral("an EDI record without 15 fields: ") + QString::fromUtf8(line);
        inRecords = inRecords || line.startsWith("[QSORecords;");
    }
    return {};
}

} // namespace

QString fuzzExportLineReader(QByteArrayView input)
{
    const ContactLog log = readContactLog(input, dateFormat);
    QString text;
    appendFileLines(text, decodeLogFile(input));
    const QStringList lines = text.split(QStringLiteral("\r\n"));

    qsizetype read = 0;
    int lastNumber = 0;
    for (const ContactRecord &c : log.contacts) {
        if (c.lineNumber <= lastNumber || c.lineNumber > lines.size())
            return QStringLiteral("contacts out of order or beyond the last line");
        lastNumber = c.lineNumber;
        if (QString failure = checkContact(c, lines[c.lineNumber - 1]); !failure.isEmpty())
            return failure;
        ++read;
    }
    for (const BadLine &bad : log.badLines) {
        if (bad.lineNumber < 1 || bad.lineNumber > lines.size() ||
            lines[bad.lineNumber - 1] != bad.text || bad.problem.isEmpty())
            return QStringLiteral("a bad line that is not the line of its number");
        ++read;
    }
    // Past the first bad lines, only their count is kept.
    if (log.badLines.size() != std::min<size_t>(size_t(log.badLineCount), keptBadLines))
        return QStringLiteral("bad lines kept that are not the first ones");
    read += log.badLineCount - qsizetype(log.badLines.size());
    // The reading stops at a line longer than "Open" takes, and only there.
    const qsizetype lineTooLong = !log.read && log.read.error().kind == FileErrorKind::LineTooLong
                                      ? log.read.error().line
                                      : 0;
    const qsizetype linesRead = lineTooLong > 0 ? lineTooLong - 1 : lines.size();
    if (lineTooLong > 0 &&
        (lineTooLong > lines.size() || lines[lineTooLong - 1].size() <= maxLineLength))
        return QStringLiteral("a line taken as too long that is not");
    const auto blank = std::count_if(lines.begin(), lines.begin() + linesRead,
                                     [](const QString &line) { return line.trimmed().isEmpty(); });
    if (read != linesRead - blank)
        return QStringLiteral("a line neither read nor refused");
    if (lineTooLong == 0 && std::any_of(lines.begin(), lines.end(), [](const QString &line) {
            return line.size() > maxLineLength;
        }))
        return QStringLiteral("a line too long that was read");

    // The whole export over what could be read: it fails only on an empty log, a line too long
    // to read, or a band below 30 MHz, which EDI does not take.
    const bool belowEdi =
        std::any_of(log.contacts.begin(), log.contacts.end(),
                    [](const ContactRecord &c) { return c.band && !isEdiBand(*c.band); });
    ExportOptions options;
    options.station.call = QStringLiteral("Q9XYZ");
    options.station.locator = QStringLiteral("JN61FW");
    options.station.producer = QStringLiteral("fuzz");
    options.band = bandFromOption(u"144");
    options.dateFormat = dateFormat.toString();
    options.skipBad = true;
    options.perBandDirectory = QStringLiteral("out");
    const ExportResult result = exportLog(options, input);
    if (result.ok != (!log.contacts.empty() && lineTooLong == 0 && !belowEdi))
        return QStringLiteral("the export failed with contacts or succeeded without");
    for (const ExportOutput &output : result.outputs) {
        if (QString failure = checkEdi(output.content); !failure.isEmpty())
            return failure;
    }
    return {};
}
