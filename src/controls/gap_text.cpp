#include "gap_text.h"

#include <algorithm>
#include <cstring>

namespace {

// Room made at once when the gap runs out: widening it moves everything after it, so it is
// widened rarely, by far more than a keystroke or a pasted line needs.
constexpr qsizetype gapReserve = 1 << 16;

void moveChars(QChar *to, const QChar *from, qsizetype count)
{
    // An empty view may have no data at all, and memmove takes no null pointer.
    if (count > 0)
        std::memmove(to, from, size_t(count) * sizeof(QChar));
}

} // namespace

const QString &GapText::whole()
{
    if (gapLength_ > 0) {
        moveGapTo(size());
        // Keeps the capacity: reopening the gap at the end needs no new allocation.
        buffer_.truncate(gapStart_);
        gapLength_ = 0;
    }
    return buffer_;
}

QStringView GapText::piece(qsizetype from, qsizetype to)
{
    if (gapLength_ > 0 && from < gapStart_ && gapStart_ < to)
        moveGapTo(gapStart_ - from < to - gapStart_ ? from : to);
    const qsizetype start = from < gapStart_ ? from : from + gapLength_;
    return QStringView(buffer_).sliced(start, to - from);
}

void GapText::assign(const QString &text)
{
    buffer_ = text;
    gapStart_ = buffer_.size();
    gapLength_ = 0;
}

void GapText::append(QStringView tail)
{
    if (gapLength_ == 0)
        gapStart_ += tail.size();
    buffer_.append(tail);
}

void GapText::replace(qsizetype position, qsizetype removed, QStringView inserted)
{
    moveGapTo(position);
    gapLength_ += removed;
    widenGap(inserted.size());
    moveChars(buffer_.data() + gapStart_, inserted.data(), inserted.size());
    gapStart_ += inserted.size();
    gapLength_ -= inserted.size();
}

void GapText::moveGapTo(qsizetype position)
{
    if (gapLength_ > 0 && position != gapStart_) {
        QChar *data = buffer_.data();
        if (position < gapStart_)
            moveChars(data + position + gapLength_, data + position, gapStart_ - position);
        else
            moveChars(data + gapStart_, data + gapStart_ + gapLength_, position - gapStart_);
    }
    gapStart_ = position;
}

void GapText::widenGap(qsizetype atLeast)
{
    if (gapLength_ >= atLeast)
        return;
    const qsizetype oldSize = buffer_.size();
    const qsizetype wider = atLeast - gapLength_ + gapReserve;
    const qsizetype afterGap = gapStart_ + gapLength_;
    buffer_.resize(oldSize + wider);
    QChar *data = buffer_.data();
    moveChars(data + afterGap + wider, data + afterGap, oldSize - afterGap);
    gapLength_ += wider;
}
