#pragma once

#include <QString>
#include <QStringView>

// A contact line, e.g. 003-+-16/07/2016---1345---Q1ABC---59---012---JN80XY-->144 Mhz, then CR LF.
inline constexpr QStringView sentNumberSeparator = u"-+-";
inline constexpr QStringView fieldSeparator = u"---";
inline constexpr QStringView reportField = u"---59---";
inline constexpr QStringView bandSeparator = u"-->";
inline constexpr QStringView lineEnd = u"\r\n";
// The band text that means no band is chosen; it is not an entry of the band list.
inline constexpr QStringView noBandText = u"...";

struct ContactFields
{
    QStringView sentNumber;
    QStringView date;
    QStringView time; // UTC HHMM followed by "---"
    QStringView call;
    QStringView receivedNumber;
    QStringView locator;
    QStringView band; // "..." for none
};

// The whole line, ended by CR LF; the band field only when a band is chosen.
QString composeContactLine(const ContactFields &fields);
