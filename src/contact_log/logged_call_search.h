#pragma once

#include <QString>
#include <QStringMatcher>
#include <QStringView>

// Walks, in log order, the contact lines of a log text whose call field is exactly `call`.
// Runs on every keystroke in the call box, so it never copies the log or a line: it looks for
// the call between the separators that surround a call field and checks only the lines where
// that occurs, in place.
//
// How a line is read back: the sent number, date and time are written by the program, while the
// call, received number, locator and band are typed by the operator and may hold anything,
// separators included. So the line is read from its start, where nothing typed can interfere:
// digits (the sent number), "-+-", the date up to the first "---" (no date format writes "---"),
// four characters of time, "---", and there the call field begins. The call field is `call`
// when "---59---" follows it, and the rest of the line must still hold the "---" between the
// received number and the locator. Any line not shaped so (typed by hand, say) has no call.
class LoggedCallSearch
{
public:
    LoggedCallSearch(QStringView logText, QStringView call);
    LoggedCallSearch(const LoggedCallSearch &) = delete;
    LoggedCallSearch &operator=(const LoggedCallSearch &) = delete;

    // Moves to the next contact line with that call; false when there is none left.
    bool next();

    // 0-based offset in the log text where the current line's call field begins.
    qsizetype callOffset() const { return callOffset_; }

    // Whether the current line's band field (what follows "-->" up to the line end) is exactly
    // `band`. A line written without a band has none.
    bool carriesBand(QStringView band) const;

private:
    qsizetype lineStartBefore(qsizetype position);
    qsizetype callOffsetOfLine(qsizetype lineStart);
    qsizetype lineEndAfter(qsizetype position) const;

    QStringView log_;
    qsizetype callLength_ = 0;
    bool searchable_ = true;
    // "---" + call + "---59---": a whole call field with the separators around it.
    QStringMatcher matcher_;
    qsizetype from_ = 0;

    // Lines are found by scanning back from each occurrence, never over the same text twice, and
    // each line is read once, so a long line with many occurrences stays linear.
    qsizetype scannedTo_ = 0;
    qsizetype knownLineStart_ = 0;
    qsizetype readLineStart_ = -1;
    qsizetype readCallOffset_ = -1;

    qsizetype callOffset_ = -1;
    // What follows "---59---" on the current line: received number, "---", locator, band.
    QStringView rest_;
};
