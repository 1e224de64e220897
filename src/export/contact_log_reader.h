#pragma once

#include "contact_line/contact_record.h"
#include "platform/file_io.h"

#include <QByteArrayView>
#include <QIODevice>
#include <QString>
#include <QStringView>
#include <deque>
#include <vector>

// A line that is not a contact line: its number, its text and what is wrong with it.
struct BadLine
{
    int lineNumber = 0;
    QString text;
    QString problem;
};

// A deque: a log of millions of contacts grows without ever holding two copies of them, and a
// contact stays where it is while others are added.
using ContactRecords = std::deque<ContactRecord>;

struct ContactLog
{
    ContactRecords contacts;
    std::vector<BadLine> badLines; // the first `keptBadLines` of them
    int badLineCount = 0;          // all of them
    // Whether the file was read to its end: a failed read (`CannotRead`), or a line longer than
    // "Open" takes (`LineTooLong`, its number in `line`), stops the reading there.
    FileStatus read = fileDone;
};

// A file of anything but contact lines would otherwise be held whole, as bad lines.
inline constexpr size_t keptBadLines = 1000;

// Every line of a log file, read from `device` piece by piece, decoded and split as "Open" reads
// them; blank lines are passed over. A line longer than "Open" takes, or a failed read, stops
// the reading there.
ContactLog readContactLog(QIODevice &device, QStringView dateFormat);
// The same from a log file's bytes.
ContactLog readContactLog(QByteArrayView fileBytes, QStringView dateFormat);
