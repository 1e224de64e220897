#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// A text with a gap at the place last edited (a gap buffer). An edit at the gap moves nothing;
// the gap moves, carrying the characters between its old and new place, only when the edits
// move elsewhere, so typing in the middle of a long text does not move the rest of it per key.
// Appends go after everything and never move the gap.
//
// The characters are kept one byte each (Latin-1) for as long as none is above U+00FF, as in a
// contest log: half the memory of a QString. The first character above that turns the store
// into UTF-16 for good (a new text given whole picks its store afresh). Either way the reader
// gets the same characters.
//
// Reading never moves the gap: what is read is copied out around it, into a string of the
// reader's own, so a read can neither move nor free what an earlier read returned. Reading the
// whole text makes a new QString of it; readers on a keystroke's path read single characters or
// short pieces instead.
class GapText
{
public:
    qsizetype size() const { return storedSize() - gapLength_; }
    QChar at(qsizetype position) const
    {
        const qsizetype stored = position < gapStart_ ? position : position + gapLength_;
        return wide_ ? utf16_[stored] : QChar::fromLatin1(latin1_.constData()[stored]);
    }
    // Whether a character above U+00FF made the store UTF-16.
    bool isUtf16() const { return wide_; }

    // The whole text, a new string of it: not to be kept longer than needed.
    QString whole() const { return copy(0, size()); }
    // The whole text in UTF-8, as the log file holds it. One byte each, an ASCII text is its own
    // UTF-8: no UTF-16 copy of it is made.
    QByteArray utf8() const;
    // The characters [from, to) as a string of their own.
    QString copy(qsizetype from, qsizetype to) const;
    // Whether the text begins with `prefix`, compared where the characters lie, with no copy.
    bool startsWith(QStringView prefix) const;

    // Takes `text` (shared in UTF-16; one byte a character, let go once converted).
    void assign(QString text);
    void append(QStringView tail);
    void replace(qsizetype position, qsizetype removed, QStringView inserted);

private:
    qsizetype storedSize() const { return wide_ ? utf16_.size() : latin1_.size(); }
    // Turns the store into UTF-16 when `added` holds a character above U+00FF.
    void storeCharactersOf(QStringView added);
    // Hands the characters [from, to) to `read` as they lie, in the part before the gap and the
    // part after it (a QLatin1StringView or a QStringView, as the store is); returns false as
    // soon as `read` does.
    template <typename Read> bool readAroundGap(qsizetype from, qsizetype to, Read read) const;

    QByteArray latin1_;
    QString utf16_;
    bool wide_ = false;
    qsizetype gapStart_ = 0;
    qsizetype gapLength_ = 0;
};
