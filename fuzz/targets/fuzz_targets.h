#pragma once

#include "contact_line.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <span>

// Everything that reads text the program did not write itself, run on any bytes. Each target
// checks what must hold whatever the bytes are and returns what did not, or an empty text when
// everything held; crashes, hangs, leaks and undefined behaviour are left to the sanitizers.
// The fuzzers and the corpus replay among the tests run the same targets.
struct FuzzTarget
{
    const char *name; // also the name of its corpus directory
    QString (*run)(QByteArrayView input);
};

// Bytes of a log file, read as "Open" reads them: decoded, split into lines, blank lines folded.
QString fuzzLogFileOpen(QByteArrayView input);
// The sent number recomputed from any log text.
QString fuzzRestoreSentNumber(QByteArrayView input);
// The worked-before check of any call on any log text. The first line of the input holds the
// options: a leading 'M' ticks "Multiband", then the band text up to a '|' and the call after
// it (without a '|' the band is "..." and the whole line is the call). The rest is the log text.
QString fuzzWorkedBefore(QByteArrayView input);
// The numeric value of any text.
QString fuzzNumericValue(QByteArrayView input);
// The contact lines of any log file read back into their fields by vandrel-export (dates
// dd/MM/yyyy), and the EDI export of what could be read.
QString fuzzExportLineReader(QByteArrayView input);
// The bytes of a recovery file, read as the start of the program reads them.
QString fuzzRecoveryFile(QByteArrayView input);

std::span<const FuzzTarget> fuzzTargets();
const FuzzTarget *findFuzzTarget(QStringView name);
