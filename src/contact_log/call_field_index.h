#pragma once

#include <QList>
#include <QStringView>

class TextBox;

// Where the call field of each contact line of the log text begins, with the first characters
// of the field beside it, so that looking for a call compares a short list of numbers and reads
// the text only on the lines whose call begins the same way, instead of the whole text on every
// keystroke.
//
// How a line is read: the sent number, date and time are written by the program, while the
// call, received number, locator and band are typed by the operator and may hold anything,
// separators included. So the line is read from its start, where nothing typed can interfere:
// digits (the sent number), "-+-", the date up to the first "---" (no date format writes "---"),
// four characters of time, "---", and there the call field begins. A line not shaped so (typed
// by hand, say) has no call field. Lines end at every CR and every LF.
//
// The index follows the log box's text when it is asked, never holding a copy of it: after an
// append it reads only the new end (and the last line again, which the append may have
// continued); after any other change (Open, the operator editing the log box) it reads the
// whole text again.
class CallFieldIndex
{
public:
    explicit CallFieldIndex(const TextBox &log) : log_(log) {}
    CallFieldIndex(const CallFieldIndex &) = delete;
    CallFieldIndex &operator=(const CallFieldIndex &) = delete;

    // Brings the index in step with the log box's text; costs nothing when that has not changed.
    void update();

    // The text the index was last brought in step with.
    QStringView text() const;

    // The first contact line, from the line numbered `from` (0-based, counting contact lines
    // only) on, whose call field begins with the first four characters of `call` (all of it
    // when shorter); -1 when there is none.
    qsizetype nextCandidate(qsizetype from, QStringView call) const;

    // 0-based offset in the text where the call field of that contact line begins.
    qsizetype callOffset(qsizetype line) const { return callOffsets_[line]; }

private:
    void readLinesFrom(qsizetype lineStart);

    const TextBox &log_;
    quint64 readRewrite_ = 0;
    qsizetype readLength_ = 0;
    // Where the last line read begins: an append may continue it.
    qsizetype lastLineStart_ = 0;
    QList<qsizetype> callOffsets_;
    // The first four UTF-16 code units of each call field, one in each 16 bits.
    QList<quint64> callHeads_;
};
