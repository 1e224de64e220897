#include "contact_log_reader.h"

#include "contact_line.h"
#include "log_file_text.h"

ContactLog readContactLog(QByteArrayView fileBytes, QStringView dateFormat)
{
    // The same decoding and line split as "Open": every line then ends with CR LF.
    QString lines;
    appendFileLines(lines, decodeLogFile(fileBytes));

    ContactLog log;
    int lineNumber = 0;
    for (qsizetype start = 0; start < lines.size();) {
        const qsizetype end = lines.indexOf(lineEnd, start);
        const QStringView line = QStringView(lines).sliced(start, end - start);
        start = end + lineEnd.size();
        ++lineNumber;
        if (line.trimmed().isEmpty())
            continue;
        LineReading reading = readContactLine(line, dateFormat);
        if (reading.contact) {
            reading.contact->lineNumber = lineNumber;
            log.contacts.push_back(std::move(*reading.contact));
        } else {
            log.badLines.push_back({lineNumber, line.toString(), reading.problem});
        }
    }
    return log;
}
