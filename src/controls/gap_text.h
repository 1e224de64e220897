#pragma once

#include <QString>
#include <QStringView>

// A text with a gap at the place last edited (a gap buffer). An edit at the gap moves nothing;
// the gap moves, carrying the characters between its old and new place, only when the edits
// move elsewhere, so typing in the middle of a long text does not move the rest of it per key.
// Appends go after everything and never move the gap.
//
// Reading the whole text in one piece closes the gap (moves what follows it); readers on a
// keystroke's path read single characters or short pieces instead.
class GapText
{
public:
    qsizetype size() const { return buffer_.size() - gapLength_; }
    QChar at(qsizetype position) const
    {
        return buffer_[position < gapStart_ ? position : position + gapLength_];
    }

    // The whole text; valid until the next change or read.
    const QString &whole();
    // The characters [from, to) in one piece, moving the gap by at most `to - from` characters
    // when it lies between them; valid until the next change or read.
    QStringView piece(qsizetype from, qsizetype to);

    void assign(const QString &text);
    void append(QStringView tail);
    void replace(qsizetype position, qsizetype removed, QStringView inserted);

private:
    void moveGapTo(qsizetype position);
    void widenGap(qsizetype atLeast);

    QString buffer_;
    qsizetype gapStart_ = 0;
    qsizetype gapLength_ = 0;
};
