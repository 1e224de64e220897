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

// The number of contact lines of a log text: lines that hold the sent number's separator.
qsizetype contactLineCount(QStringView logText);

// Reading a log text back, where a line ends at every CR and at every LF: a character of the
// text or a byte of the file.
template <typename Character> constexpr bool isLineBreak(Character c)
{
    return c == u'\r' || c == u'\n';
}

// One of the digits 0 to 9, as the program writes numbers; QChar::isDigit also takes the digits
// of other scripts.
inline bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The offset of the first line break at or after `position`, or the size of `text` when none.
inline qsizetype lineBreakFrom(QStringView text, qsizetype position)
{
    qsizetype p = position;
    while (p < text.size() && !isLineBreak(text[p]))
        ++p;
    return p;
}

// Whether `text` holds `what` from the 0-based `position` on. Compared in place: the fields
// compared are a few characters long.
inline bool holdsAt(QStringView text, qsizetype position, QStringView what)
{
    if (what.size() > text.size() - position)
        return false;
    for (qsizetype i = 0; i < what.size(); ++i) {
        if (text[position + i] != what[i])
            return false;
    }
    return true;
}
