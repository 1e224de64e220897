#include "fuzz_targets.h"
#include "recovery/recovery_records.h"

namespace {

bool sameLog(const RecoveredLog &a, const RecoveredLog &b)
{
    return a.status == b.status && a.logText == b.logText && a.saved == b.saved &&
           a.lastAddMsecs == b.lastAddMsecs && a.records == b.records;
}

} // namespace

QString fuzzRecoveryFile(QByteArrayView input)
{
    const RecoveredLog log = readRecoveryRecords(input);
    if (log.readBytes < 0 || log.skippedBytes < 0 ||
        log.readBytes + log.skippedBytes != input.size())
        return QStringLiteral("read and skipped bytes do not add up to the file");
    if (log.status != RecoveredLog::Status::Journal &&
        (!log.logText.isEmpty() || log.records != 0 || log.readBytes != 0))
        return QStringLiteral("a file of another format gave back a log");
    if (log.holdsUnsavedLog() && log.records == 0)
        return QStringLiteral("a log without records");
    // The start's words for a damaged file say "after the last save" only after one.
    if (log.records > 0 && log.saved && !log.savedOnce)
        return QStringLiteral("a log read as saved without a save record");

    // What was read ends where a record ends: the bytes read alone give the same log, whole.
    const RecoveredLog prefix = readRecoveryRecords(input.first(log.readBytes));
    if (log.status == RecoveredLog::Status::Journal &&
        (!sameLog(prefix, log) || prefix.skippedBytes != 0))
        return QStringLiteral("the bytes read do not end with a whole record");

    // Records written after the readable part are read on top of it, as after a restart.
    if (log.status == RecoveredLog::Status::Journal && log.readBytes > 0) {
        const QString tail = QStringLiteral("004-+-\r\n\u00E9");
        const QByteArray more =
            input.first(log.readBytes).toByteArray() + encodeRecord(RecordKind::Append, tail, 7);
        const RecoveredLog appended = readRecoveryRecords(more);
        if (appended.logText != log.logText + tail || appended.records != log.records + 1 ||
            appended.saved || appended.lastAddMsecs != 7)
            return QStringLiteral("a record after the readable part was not read on top of it");
    }

    // The log read comes back byte for byte from a file holding it alone.
    const RecoveredLog rewritten = readRecoveryRecords(
        recoveryFileHeader() + encodeRecord(RecordKind::ReplaceAll, log.logText, 0));
    if (rewritten.logText != log.logText || rewritten.skippedBytes != 0)
        return QStringLiteral("the log read does not survive being written again");
    return {};
}
