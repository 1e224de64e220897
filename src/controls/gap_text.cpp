#include "gap_text.h"

#include <QLatin1StringView>
#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// Room made at once when the gap runs out: widening it moves everything after it, so it is
// widened rarely, by far more than a keystroke or a pasted line needs.
constexpr qsizetype gapReserve = 1 << 16;

// A scratch string for pieces is given back once it is this much larger than what is read, so a
// long piece read once (a caret far into the log) is not kept beside the text.
constexpr qsizetype scratchKept = 1 << 12;

bool isLatin1(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xff; });
}

template <typename Char> void moveChars(Char *to, const Char *from, qsizetype count)
{
    // An empty view may have no data at all, and memmove takes no null pointer.
    if (count > 0)
        std::memmove(to, from, size_t(count) * sizeof(Char));
}

void store(QChar *to, QStringView from)
{
    moveChars(to, from.data(), from.size());
}

// Only for characters up to U+00FF.
void store(char *to, QStringView from)
{
    std::transform(from.begin(), from.end(), to, [](QChar c) { return char(c.unicode()); });
}

// The gap logic, the same for both stores: `Buffer` is a QByteArray or a QString.
template <typename Buffer> struct Gap
{
    Buffer &buffer;
    qsizetype &start;
    qsizetype &length;

    void moveTo(qsizetype position)
    {
        if (length > 0 && position != start) {
            auto *data = buffer.data();
            if (position < start)
                moveChars(data + position + length, data + position, start - position);
            else
                moveChars(data + start, data + start + length, position - start);
        }
        start = position;
    }

    void widen(qsizetype atLeast)
    {
        if (length >= atLeast)
            return;
        const qsizetype oldSize = buffer.size();
        const qsizetype wider = atLeast - length + gapReserve;
        const qsizetype afterGap = start + length;
        buffer.resize(oldSize + wider);
        auto *data = buffer.data();
        moveChars(data + afterGap + wider, data + afterGap, oldSize - afterGap);
        length += wider;
    }

    void replace(qsizetype position, qsizetype removed, QStringView inserted)
    {
        moveTo(position);
        length += removed;
        widen(inserted.size());
        store(buffer.data() + start, inserted);
        start += inserted.size();
        length -= inserted.size();
    }

    void append(QStringView tail)
    {
        if (length == 0)
            start += tail.size();
        const qsizetype oldSize = buffer.size();
        buffer.resize(oldSize + tail.size());
        store(buffer.data() + oldSize, tail);
    }
};

template <typename Buffer> Gap(Buffer &, qsizetype &, qsizetype &) -> Gap<Buffer>;

} // namespace

QString GapText::whole()
{
    if (!wide_)
        return copy(0, size());
    if (gapLength_ > 0) {
        Gap{utf16_, gapStart_, gapLength_}.moveTo(size());
        // Keeps the capacity: reopening the gap at the end needs no new allocation.
        utf16_.truncate(gapStart_);
        gapLength_ = 0;
    }
    return utf16_;
}

QByteArray GapText::utf8()
{
    if (wide_)
        return whole().toUtf8();
    QByteArray bytes;
    bytes.reserve(size());
    bytes.append(latin1_.constData(), gapStart_);
    bytes.append(QByteArrayView(latin1_).sliced(gapStart_ + gapLength_));
    // One pass without an early exit, which the compiler turns into wide instructions.
    unsigned char highBits = 0;
    for (const char byte : std::as_const(bytes))
        highBits |= static_cast<unsigned char>(byte);
    return highBits < 0x80 ? bytes : QString::fromLatin1(bytes).toUtf8();
}

QStringView GapText::piece(qsizetype from, qsizetype to)
{
    if (!wide_)
        return latin1Piece(from, to);
    if (gapLength_ > 0 && from < gapStart_ && gapStart_ < to)
        Gap{utf16_, gapStart_, gapLength_}.moveTo(gapStart_ - from < to - gapStart_ ? from : to);
    const qsizetype start = from < gapStart_ ? from : from + gapLength_;
    return QStringView(utf16_).sliced(start, to - from);
}

QString GapText::copy(qsizetype from, qsizetype to)
{
    if (wide_)
        return from == 0 && to == size() ? whole() : piece(from, to).toString();
    QString text;
    text.reserve(to - from);
    appendLatin1(text, from, to);
    return text;
}

void GapText::appendLatin1(QString &to, qsizetype from, qsizetype end) const
{
    // Converted around the gap, which stays where it is.
    const char *data = latin1_.constData();
    const qsizetype beforeGap = std::clamp(gapStart_ - from, qsizetype(0), end - from);
    to.append(QLatin1StringView(data + from, beforeGap));
    to.append(QLatin1StringView(data + from + beforeGap + gapLength_, end - from - beforeGap));
}

QStringView GapText::latin1Piece(qsizetype from, qsizetype to)
{
    if (scratch_.capacity() > std::max(2 * (to - from), scratchKept))
        scratch_ = QString();
    scratch_.resize(0);
    appendLatin1(scratch_, from, to);
    return scratch_;
}

void GapText::assign(QString text)
{
    gapStart_ = text.size();
    gapLength_ = 0;
    scratch_ = QString();
    wide_ = !isLatin1(text);
    if (wide_) {
        latin1_ = QByteArray();
        utf16_ = std::move(text);
    } else {
        utf16_ = QString();
        latin1_ = text.toLatin1();
    }
}

void GapText::append(QStringView tail)
{
    storeCharactersOf(tail);
    if (wide_)
        Gap{utf16_, gapStart_, gapLength_}.append(tail);
    else
        Gap{latin1_, gapStart_, gapLength_}.append(tail);
}

void GapText::replace(qsizetype position, qsizetype removed, QStringView inserted)
{
    storeCharactersOf(inserted);
    if (wide_)
        Gap{utf16_, gapStart_, gapLength_}.replace(position, removed, inserted);
    else
        Gap{latin1_, gapStart_, gapLength_}.replace(position, removed, inserted);
}

void GapText::storeCharactersOf(QStringView added)
{
    if (wide_ || isLatin1(added))
        return;
    // The gap's bytes are converted too: it stays where it is, as long as it was.
    utf16_ = QString(QLatin1StringView(latin1_));
    latin1_ = QByteArray();
    scratch_ = QString();
    wide_ = true;
}
