#include "recovery_records.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>

namespace {

constexpr QByteArrayView magic = "VANDREL-RECOVERY ";
// The longest header or record line a valid file can hold: kind, a length and a time of up to
// 19 digits each, a checksum, spaces and the line feed.
constexpr qsizetype longestLine = 64;

// Eight tables, so that the checksum takes eight bytes a step ("slicing by 8"): a whole log of
// 100,000 contacts is checked in a few milliseconds.
constexpr std::array<std::array<quint32, 256>, 8> crcTables = [] {
    std::array<std::array<quint32, 256>, 8> tables{};
    for (quint32 n = 0; n < 256; ++n) {
        quint32 c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        tables[0][n] = c;
    }
    for (quint32 n = 0; n < 256; ++n) {
        for (int t = 1; t < 8; ++t)
            tables[t][n] = (tables[t - 1][n] >> 8) ^ tables[0][tables[t - 1][n] & 0xFF];
    }
    return tables;
}();

// The line from `at` up to its line feed (not included), if it has one within `longestLine`.
std::optional<QByteArrayView> lineAt(QByteArrayView bytes, qsizetype at)
{
    const QByteArrayView rest = bytes.sliced(at).first(std::min(bytes.size() - at, longestLine));
    const qsizetype end = rest.indexOf('\n');
    if (end < 0)
        return std::nullopt;
    return rest.first(end);
}

// A whole number written with 1 to 19 decimal digits and nothing else.
std::optional<qint64> number(QByteArrayView digits)
{
    if (digits.isEmpty() || digits.size() > 19)
        return std::nullopt;
    qint64 value = 0;
    const auto [end, error] = std::from_chars(digits.begin(), digits.end(), value);
    if (error != std::errc() || end != digits.end() || value < 0)
        return std::nullopt;
    return value;
}

struct RecordHead
{
    RecordKind kind;
    qint64 length;
    qint64 lastAddMsecs;
    quint32 crc;
    qsizetype checkedSize; // the bytes of the line the checksum covers
};

std::optional<RecordHead> parseHead(QByteArrayView line)
{
    // "K length time crc"
    if (line.size() < 2 || line[1] != ' ')
        return std::nullopt;
    const char kind = line[0];
    if (kind != 'A' && kind != 'R' && kind != 'S')
        return std::nullopt;
    const QByteArrayView fields = line.sliced(2);
    const qsizetype firstSpace = fields.indexOf(' ');
    if (firstSpace < 0)
        return std::nullopt;
    const qsizetype secondSpace = fields.sliced(firstSpace + 1).indexOf(' ');
    if (secondSpace < 0)
        return std::nullopt;
    const QByteArrayView crcText = fields.sliced(firstSpace + 1 + secondSpace + 1);
    const auto length = number(fields.first(firstSpace));
    const auto lastAdd = number(fields.sliced(firstSpace + 1, secondSpace));
    quint32 crc = 0;
    const auto [end, error] = std::from_chars(crcText.begin(), crcText.end(), crc, 16);
    if (!length || !lastAdd || crcText.size() != 8 || error != std::errc() || end != crcText.end())
        return std::nullopt;
    return RecordHead{RecordKind(kind), *length, *lastAdd, crc, line.size() - 8};
}

// The format version a header line names; 0 for a line that is no recovery file's header.
qint64 headerVersion(QByteArrayView header)
{
    if (!header.startsWith(magic))
        return 0;
    const QByteArrayView versionText = header.sliced(magic.size());
    const bool allDigits =
        !versionText.isEmpty() && std::all_of(versionText.begin(), versionText.end(),
                                              [](char c) { return c >= '0' && c <= '9'; });
    if (!allDigits)
        return 0;
    // However many digits a later version has, it is later.
    return versionText.size() > 9 ? INT_MAX : number(versionText).value_or(0);
}

// A record read whole, its checksum right.
struct Record
{
    RecordHead head;
    QByteArrayView payload;
    qsizetype end; // where the next record starts
};

// The record at `at`, or nothing where the readable records end: a head line that does not
// parse, a payload cut short or a checksum that does not match.
std::optional<Record> recordAt(QByteArrayView bytes, qsizetype at)
{
    const auto line = lineAt(bytes, at);
    const auto head = line ? parseHead(*line) : std::nullopt;
    if (!head)
        return std::nullopt;
    const qsizetype payloadAt = at + line->size() + 1;
    // The payload and its closing line feed must be there in full.
    if (head->length > bytes.size() - payloadAt - 1 || bytes[payloadAt + head->length] != '\n')
        return std::nullopt;
    const QByteArrayView payload = bytes.sliced(payloadAt, head->length);
    if (crc32(payload, crc32(line->first(head->checkedSize))) != head->crc)
        return std::nullopt;
    if (head->kind == RecordKind::Saved && !payload.isEmpty())
        return std::nullopt;
    return Record{*head, payload, payloadAt + head->length + 1};
}

// What a record does to the log being recovered.
void applyRecord(const Record &record, QByteArray &utf8, RecoveredLog &log)
{
    switch (record.head.kind) {
    case RecordKind::Append:
        utf8 += record.payload;
        log.saved = false;
        break;
    case RecordKind::ReplaceAll:
        utf8 = record.payload.toByteArray();
        log.saved = false;
        break;
    case RecordKind::Saved:
        log.saved = true;
        log.savedOnce = true;
        break;
    }
    log.lastAddMsecs = record.head.lastAddMsecs;
    ++log.records;
}

QByteArray headLine(RecordKind kind, qsizetype length, qint64 lastAddMsecs)
{
    return char(kind) + (' ' + QByteArray::number(length)) + ' ' +
           QByteArray::number(lastAddMsecs) + ' ';
}

} // namespace

quint32 crc32(QByteArrayView bytes, quint32 crc)
{
    const auto &t = crcTables;
    crc = ~crc;
    const auto *p = reinterpret_cast<const quint8 *>(bytes.data());
    qsizetype n = bytes.size();
    for (; n >= 8; n -= 8, p += 8) {
        const quint32 low =
            crc ^ (quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24);
        crc = t[7][low & 0xFF] ^ t[6][(low >> 8) & 0xFF] ^ t[5][(low >> 16) & 0xFF] ^
              t[4][low >> 24] ^ t[3][p[4]] ^ t[2][p[5]] ^ t[1][p[6]] ^ t[0][p[7]];
    }
    for (; n > 0; --n, ++p)
        crc = t[0][(crc ^ *p) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

QByteArray recoveryFileHeader()
{
    return magic.toByteArray() + QByteArray::number(recoveryFormatVersion) + '\n';
}

QByteArray encodeRecord(RecordKind kind, QStringView text, qint64 lastAddMsecs)
{
    return encodeUtf8Record(kind, text.toUtf8(), lastAddMsecs);
}

QByteArray encodeUtf8Record(RecordKind kind, const QByteArray &payload, qint64 lastAddMsecs)
{
    QByteArray record = headLine(kind, payload.size(), lastAddMsecs);
    const quint32 crc = crc32(payload, crc32(record));
    record += QByteArray::number(crc, 16).rightJustified(8, '0') + '\n';
    record.reserve(record.size() + payload.size() + 1);
    record += payload;
    record += '\n';
    return record;
}

RecoveredLog readRecoveryRecords(QByteArrayView bytes)
{
    RecoveredLog log;
    const auto header = lineAt(bytes, 0);
    const qint64 version = header ? headerVersion(*header) : 0;
    if (version < 1) {
        log.status = RecoveredLog::Status::NotAJournal;
        log.skippedBytes = bytes.size();
        return log;
    }
    log.version = int(version);
    if (version > recoveryFormatVersion) {
        log.status = RecoveredLog::Status::NewerFormat;
        log.skippedBytes = bytes.size();
        return log;
    }

    // The log's bytes, decoded once at the end rather than record by record.
    QByteArray utf8;
    qsizetype at = header->size() + 1;
    while (at < bytes.size()) {
        const std::optional<Record> record = recordAt(bytes, at);
        if (!record)
            break;
        applyRecord(*record, utf8, log);
        at = record->end;
    }
    log.logText = QString::fromUtf8(utf8);
    log.readBytes = std::min(at, bytes.size());
    log.skippedBytes = bytes.size() - log.readBytes;
    return log;
}
