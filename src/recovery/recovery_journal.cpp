#include "recovery/recovery_journal.h"

#include <QFileInfo>

RecoveryJournal::RecoveryJournal(const FileService &files, const QString &path,
                                 std::function<qsizetype()> logLength,
                                 std::function<QString(qsizetype from)> logTextFrom,
                                 QObject *parent)
    : QObject(parent), file_(files, path), logLength_(std::move(logLength)),
      logTextFrom_(std::move(logTextFrom))
{
    // The delay runs from the first edit not yet written, and later keys do not push it back:
    // typing without a pause is never more than editDelay away from the disk.
    editTimer_.setSingleShot(true);
    editTimer_.setInterval(editDelay);
    connect(&editTimer_, &QTimer::timeout, this, &RecoveryJournal::flush);
}

QByteArray RecoveryJournal::wholeLog() const
{
    // The whole text, made for this (see TextBox::text()), is let go once encoded.
    const QByteArray payload = logTextFrom_(0).toUtf8();
    return encodeUtf8Record(RecordKind::ReplaceAll, payload, lastAddMsecs_);
}

bool RecoveryJournal::done(const FileStatus &status)
{
    if (!status)
        emit writeFailed(status.error());
    return status.ok();
}

void RecoveryJournal::replaceWith(const QByteArray &records)
{
    editTimer_.stop();
    editWaiting_ = false;
    onDisk_ = done(file_.replace(records));
}

void RecoveryJournal::append(const QByteArray &record)
{
    if (!done(file_.append(record)))
        onDisk_ = false;
}

bool RecoveryJournal::startFrom(qint64 lastAddMsecs)
{
    lastAddMsecs_ = lastAddMsecs;
    saved_ = false;
    replaceWith(wholeLog());
    return onDisk_;
}

void RecoveryJournal::contactAdded(qsizetype oldSize, const QDateTime &when)
{
    lastAddMsecs_ = when.toMSecsSinceEpoch();
    logGrew(oldSize);
}

void RecoveryJournal::logGrew(qsizetype oldSize)
{
    saved_ = false;
    const qsizetype size = logLength_();
    // Appending is enough only when the file holds the text up to `oldSize`, and the new part
    // does not begin with the second half of a character split from the old part.
    const QString added =
        onDisk_ && !editWaiting_ && oldSize <= size ? logTextFrom_(oldSize) : QString();
    if (added.size() != size - oldSize || (!added.isEmpty() && added.front().isLowSurrogate())) {
        replaceWith(wholeLog());
        return;
    }
    if (!added.isEmpty())
        append(encodeRecord(RecordKind::Append, added, lastAddMsecs_));
}

void RecoveryJournal::logReplaced(bool sameAsLogFile)
{
    saved_ = sameAsLogFile;
    QByteArray records = wholeLog();
    if (sameAsLogFile)
        records += encodeRecord(RecordKind::Saved, {}, lastAddMsecs_);
    // Written anew rather than appended: the file shrinks to the one log it holds.
    replaceWith(records);
}

void RecoveryJournal::logEdited()
{
    saved_ = false;
    if (!editWaiting_) {
        editWaiting_ = true;
        editTimer_.start();
    }
}

void RecoveryJournal::flush()
{
    if (editWaiting_)
        replaceWith(wholeLog());
}

void RecoveryJournal::logSaved(const QString &logFilePath, qint64 bytes)
{
    // The file layer wrote and synced the bytes before it reported them saved; the size on the
    // disk tells that the file is that one, without reading the whole log back.
    if (QFileInfo(logFilePath).size() != bytes)
        return;
    // The rename that put the new log file in place must survive a power cut before the journal
    // may stop asking for the log.
    if (!done(file_.syncDirectory()))
        return;
    const QByteArray saved = encodeRecord(RecordKind::Saved, {}, lastAddMsecs_);
    if (editWaiting_ || !onDisk_)
        replaceWith(wholeLog() + saved);
    else
        append(saved);
    saved_ = onDisk_;
}
