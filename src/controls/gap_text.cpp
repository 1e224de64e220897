#include "controls/gap_text.h"

#include <QLatin1StringView>
#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// Room made at once when the gap runs out: widening it moves everything after it, so it is
// widened rarely, by far more than a keystroke or a pasted line needs.
constexpr qsizetype gapReserve = 1 << 16;

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

template <typename Read> bool GapText::readAroundGap(qsizetype from, qsizetype to, Read read) const
{
    const qsizetype beforeGap = std::clamp(gapStart_ - from, qsizetype(0), to - from);
    const qsizetype afterGap = from + beforeGap + gapLength_;
    const qsizetype afterLength = to - from - beforeGap;
    if (wide_) {
        const QStringView chars(utf16_);
        return read(chars.sliced(from, beforeGap)) && read(chars.sliced(afterGap, afterLength));
    }
    const QLatin1StringView chars(latin1_.constData(), latin1_.size());
    return read(chars.sliced(from, beforeGap)) && read(chars.sliced(afterGap, afterLength));
}

QString GapText::copy(qsizetype from, qsizetype to) const
{
    // A UTF-16 text with no gap is its buffer: shared, not copied.
    if (wide_ && gapLength_ == 0 && from == 0 && to == size())
        return utf16_;
    QString text;
    text.reserve(to - from);
    readAroundGap(from, to, [&text](auto chars) {
        text.append(chars);
        return true;
    });
    return text;
}

bool GapText::startsWith(QStringView prefix) const
{
    if (prefix.size() > size())
        return false;
    qsizetype compared = 0;
    return readAroundGap(0, prefix.size(), [&prefix, &compared](auto chars) {
        const bool same = chars == prefix.sliced(compared, chars.size());
        compared += chars.size();
        return same;
    });
}

QByteArray GapText::utf8() const
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

void GapText::assign(QString text)
{
    gapStart_ = text.size();
    gapLength_ = 0;
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
    wide_ = true;
}
