#pragma once

#include <QString>

enum class ExportMode
{
    Ssb,
    Cw,
    Fm
};

// What the log does not hold about the station: given on the command line.
struct Station
{
    QString call;    // may be empty for ADIF
    QString locator; // own 6-character locator; empty when not given
    QString contest; // contest name, may be empty
    ExportMode mode = ExportMode::Ssb;
    QString producer; // the program and its version, named in the files it writes
};
