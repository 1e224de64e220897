#include "call_field_index.h"

#include "contact_line.h"
#include "text_box.h"

#include <algorithm>

namespace {

constexpr qsizetype headLength = 4;

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Up to the first `headLength` characters of `text` from `position`, packed in one number.
quint64 headAt(QStringView text, qsizetype position)
{
    quint64 head = 0;
    const qsizetype length = std::min(headLength, text.size() - position);
    for (qsizetype i = 0; i < length; ++i)
        head |= quint64(text[position + i].unicode()) << (16 * i);
    return head;
}

// Where the call field of the line that begins at `lineStart` begins, or -1 when the line does not
// start like a contact line: digits, "-+-", a date up to the first "---", four characters of
// time, "---".
qsizetype callFieldOfLine(QStringView log, qsizetype lineStart)
{
    qsizetype p = lineStart;
    while (p < log.size() && isAsciiDigit(log[p]))
        ++p;
    if (p == lineStart || !holdsAt(log, p, sentNumberSeparator))
        return -1;

    const qsizetype dateStart = p + sentNumberSeparator.size();
    qsizetype dateEnd = dateStart;
    while (dateEnd < log.size() && !isLineBreak(log[dateEnd]) &&
           !(log[dateEnd] == fieldSeparator[0] && holdsAt(log, dateEnd, fieldSeparator)))
        ++dateEnd;
    if (dateEnd == dateStart || !holdsAt(log, dateEnd, fieldSeparator))
        return -1;

    constexpr qsizetype timeLength = 4;
    const qsizetype timeStart = dateEnd + fieldSeparator.size();
    for (qsizetype p = timeStart; p < timeStart + timeLength; ++p) {
        if (p == log.size() || isLineBreak(log[p]))
            return -1;
    }
    if (!holdsAt(log, timeStart + timeLength, fieldSeparator))
        return -1;
    return timeStart + timeLength + fieldSeparator.size();
}

// The line breaks of a text, found in order with the toolkit's vectorised character search: a
// whole log is read this way after every change other than an append.
class LineBreaks
{
public:
    explicit LineBreaks(QStringView text) : text_(text) {}

    // The first CR or LF at or after `position`, or the size of the text when there is none.
    // Each call must ask for a position no smaller than the one before.
    qsizetype from(qsizetype position)
    {
        if (nextCr_ < position)
            nextCr_ = find(u'\r', position);
        if (nextLf_ < position)
            nextLf_ = find(u'\n', position);
        return std::min(nextCr_, nextLf_);
    }

private:
    qsizetype find(char16_t c, qsizetype position) const
    {
        const qsizetype at = text_.indexOf(QChar(c), position);
        return at < 0 ? text_.size() : at;
    }

    QStringView text_;
    qsizetype nextCr_ = -1;
    qsizetype nextLf_ = -1;
};

} // namespace

QStringView CallFieldIndex::text() const
{
    return QStringView(log_.text()).first(readLength_);
}

void CallFieldIndex::update()
{
    const QString &text = log_.text();
    if (log_.rewriteCount() != readRewrite_) {
        readRewrite_ = log_.rewriteCount();
        callOffsets_.clear();
        callHeads_.clear();
        readLinesFrom(0);
        return;
    }
    if (text.size() == readLength_)
        return;
    // Only appended to: the last line read may go on in the new text, so it is read again.
    if (!callOffsets_.isEmpty() && callOffsets_.last() >= lastLineStart_) {
        callOffsets_.removeLast();
        callHeads_.removeLast();
    }
    readLinesFrom(lastLineStart_);
}

void CallFieldIndex::readLinesFrom(qsizetype lineStart)
{
    const QStringView text = log_.text();
    LineBreaks lineBreaks(text);
    qsizetype start = lineStart;
    for (;;) {
        const qsizetype call = callFieldOfLine(text, start);
        if (call >= 0) {
            callOffsets_.append(call);
            callHeads_.append(headAt(text, call));
        }
        const qsizetype lineBreak = lineBreaks.from(call >= 0 ? call : start);
        if (lineBreak == text.size())
            break;
        start = lineBreak + 1;
    }
    lastLineStart_ = start;
    readLength_ = text.size();
}

qsizetype CallFieldIndex::nextCandidate(qsizetype from, QStringView call) const
{
    const quint64 key = headAt(call, 0);
    const qsizetype compared = std::min(headLength, call.size());
    const quint64 mask = compared == headLength ? ~quint64(0) : (quint64(1) << (16 * compared)) - 1;
    const quint64 *heads = callHeads_.constData();
    for (qsizetype i = from; i < callHeads_.size(); ++i) {
        if ((heads[i] & mask) == key)
            return i;
    }
    return -1;
}
