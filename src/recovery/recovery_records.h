#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The recovery file holds a journal of the log text: a header line with the format version,
// then one record per change of the log, each
//     <kind> <length> <last add> <crc>\n<length bytes of UTF-8>\n
// kind 'A': the bytes were appended to the log text; 'R': they are the whole log text; 'S': the
// log was saved (no bytes). <last add> is when the newest contact was added, in milliseconds
// since 1970 UTC (0: not known). <crc> is the CRC-32, in 8 hex digits, of everything of the
// record before it and of the bytes; a record cut short or damaged ends the journal there.
enum class RecordKind : char
{
    Append = 'A',
    ReplaceAll = 'R',
    Saved = 'S',
};

inline constexpr int recoveryFormatVersion = 1;

QByteArray recoveryFileHeader();
QByteArray encodeRecord(RecordKind kind, QStringView text, qint64 lastAddMsecs);
// The same for a text already encoded in UTF-8.
QByteArray encodeUtf8Record(RecordKind kind, const QByteArray &payload, qint64 lastAddMsecs);

// What a recovery file's bytes give back.
struct RecoveredLog
{
    enum class Status
    {
        Journal,     // a journal of this format, read up to its end or its first damage
        NotAJournal, // no header of a recovery file: nothing was read
        NewerFormat, // written by a newer version of the program: nothing was read
    };
    Status status = Status::Journal;
    int version = 0;
    QString logText;            // the log text after the last record read
    bool saved = true;          // no change of the log after the last save (or none at all)
    bool savedOnce = false;     // a save was read
    qint64 lastAddMsecs = 0;    // when the newest contact was added, 0 when not known
    qsizetype records = 0;      // records read
    qsizetype readBytes = 0;    // bytes of the header and of the records read
    qsizetype skippedBytes = 0; // bytes from the first damaged record on

    bool holdsUnsavedLog() const { return !saved && !logText.isEmpty(); }
};

// Reads records up to the first one cut short or damaged, never past it.
RecoveredLog readRecoveryRecords(QByteArrayView bytes);

// The CRC-32 of zlib and PNG.
quint32 crc32(QByteArrayView bytes, quint32 crc = 0);
