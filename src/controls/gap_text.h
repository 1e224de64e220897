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
// Reading the whole text in one piece makes a QString of it (in UTF-16 it closes the gap, moving
// what follows it; one byte each it converts every character); readers on a keystroke's path
// read single characters or short pieces instead.
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

    // The whole text. One byte each, a new string of it: not to be kept longer than needed.
    QString whole();
    // The characters [from, to) in one piece, moving the gap by at most `to - from` characters
    // when it lies between them (or, one byte each, converting them into a scratch string);
    // valid until the next change or read.
    QStringView piece(qsizetype from, qsizetype to);
    // The whole text in UTF-8, as the log file holds it. One byte each, an ASCII text is its own
    // UTF-8: no UTF-16 copy of it is made.
    QByteArray utf8();
    // The characters [from, to) as a string of their own, leaving no scratch copy behind.
    QString copy(qsizetype from, qsizetype to);

    // Takes `text` (shared in UTF-16; one byte a character, let go once converted).
    void assign(QString text);
    void append(QStringView tail);
    void replace(qsizetype position, qsizetype removed, QStringView inserted);

private:
    qsizetype storedSize() const { return wide_ ? utf16_.size() : latin1_.size(); }
    // Turns the store into UTF-16 when `added` holds a character above U+00FF.
    void storeCharactersOf(QStringView added);
    QStringView latin1Piece(qsizetype from, qsizetype to);
    // Appends the characters [from, end) of the one-byte store to `to`.
    void appendLatin1(QString &to, qsizetype from, qsizetype end) const;

    QByteArray latin1_;
    QString utf16_;
    bool wide_ = false;
    qsizetype gapStart_ = 0;
    qsizetype gapLength_ = 0;
    QString scratch_;
};
