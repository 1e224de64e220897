#pragma once

#include <QByteArrayView>
#include <QStringView>

// Which lines of a log file a log already holds, whatever their order: one pass over each text,
// so that a log of a million contacts is checked in about the time it takes to read. Lines here
// end at every CR and every LF, and an empty line is no line.

struct HeldContacts
{
    qsizetype contacts = 0; // the contact lines (lines holding "-+-") of the file
    qsizetype held = 0;     // how many of them stand as whole lines in the log
};

// The contact lines of `fileText` and how many of them `logText` holds, each counted as often as
// the file holds it.
HeldContacts contactsHeld(QStringView logText, QStringView fileText);

// Whether the file, in UTF-8, holds a line that is not a line of the log, in UTF-8.
bool holdsLinesNotIn(QByteArrayView fileUtf8, QByteArrayView logUtf8);
