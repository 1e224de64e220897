#include "call_field_index.h"

#include "contact_line.h"
#include "text_box.h"

#include <algorithm>

namespace {

constexpr qsizetype keyLength = 4;

// The `keyLength` characters before `end` in one number of 28 bits: exact when they are ASCII,
// as calls are; otherwise a hash, above every ASCII key. Calls that share a hashed key share
// their list, and a look-up compares the text itself.
quint32 keyBefore(QStringView text, qsizetype end)
{
    quint32 ascii = 0;
    quint64 wide = 0;
    bool isAscii = true;
    for (qsizetype i = 0; i < keyLength; ++i) {
        const char16_t c = text[end - keyLength + i].unicode();
        isAscii = isAscii && c < 0x80;
        ascii |= quint32(c & 0x7F) << (7 * i);
        wide |= quint64(c) << (16 * i);
    }
    if (isAscii)
        return ascii;
    return 0x10000000u | (quint32(qHash(wide)) & 0x0FFFFFFFu);
}

// Whether a call of four characters or more can end at `end`: no line break comes between.
bool callCanEndAt(QStringView text, qsizetype end)
{
    if (end < keyLength)
        return false;
    for (qsizetype i = end - keyLength; i < end; ++i) {
        if (isLineBreak(text[i]))
            return false;
    }
    return true;
}

} // namespace

CallFieldIndex::CallFieldIndex(const TextBox &log) : log_(log)
{
    connections_ = {
        QObject::connect(&log, &TextBox::textReplaced, [this] { rebuild(); }),
        QObject::connect(&log, &TextBox::textAppended,
                         [this](QStringView tail) { takeAppend(tail.size()); }),
        QObject::connect(&log, &TextBox::textEdited,
                         [this](qsizetype position, qsizetype removed, qsizetype added) {
                             takeEdit(position, removed, added);
                         }),
    };
    rebuild();
}

CallFieldIndex::~CallFieldIndex()
{
    for (const QMetaObject::Connection &connection : connections_)
        QObject::disconnect(connection);
}

QList<qsizetype> CallFieldIndex::callOffsets(QStringView call) const
{
    QList<qsizetype> offsets;
    if (call.size() < keyLength || call.contains(u'\r') || call.contains(u'\n'))
        return offsets;
    const qsizetype fieldLength = fieldSeparator.size() + call.size();
    for (int id = firstWithKey_.value(keyBefore(call, call.size()), -1); id >= 0;
         id = reports_[id].next) {
        const qsizetype end = offsetOf(id);
        if (end < fieldLength)
            continue;
        const QString field = log_.textBetween(end - fieldLength, end);
        if (field.endsWith(call) && field.startsWith(fieldSeparator))
            offsets.append(end - call.size());
    }
    std::sort(offsets.begin(), offsets.end());
    return offsets;
}

void CallFieldIndex::rebuild()
{
    reports_.clear();
    freeIds_.clear();
    inLogOrder_.clear();
    firstWithKey_.clear();
    shiftStart_ = 0;
    pendingShift_ = 0;
    // Read in pieces: a log kept one byte a character is converted a piece at a time, not into
    // a second copy of the whole log.
    constexpr qsizetype pieceLength = 1 << 16;
    const qsizetype size = log_.textLength();
    for (qsizetype from = 0; from < size; from += pieceLength)
        fileReportsIn(from, std::min(size, from + pieceLength), qsizetype(inLogOrder_.size()));
}

void CallFieldIndex::takeAppend(qsizetype appended)
{
    // A report may begin up to its own length before the old end and go on in the new text.
    const qsizetype size = log_.textLength();
    fileReportsIn(std::max<qsizetype>(0, size - appended - reportField.size() + 1), size,
                  qsizetype(inLogOrder_.size()));
}

void CallFieldIndex::takeEdit(qsizetype position, qsizetype removed, qsizetype added)
{
    // A report depends on the characters from four before it to its end: those that overlap the
    // edited range are forgotten and the range is read again; those after it move.
    const qsizetype firstTouched = firstAtOrAfter(position - reportField.size() + 1);
    moveShiftStart(firstTouched);
    qsizetype after = firstTouched;
    while (after < qsizetype(inLogOrder_.size()) &&
           offsetOf(inLogOrder_[after]) < position + removed + keyLength)
        forgetReport(inLogOrder_[after++]);
    inLogOrder_.erase(inLogOrder_.begin() + firstTouched, inLogOrder_.begin() + after);

    pendingShift_ += added - removed;

    fileReportsIn(std::max<qsizetype>(0, position - reportField.size() + 1),
                  std::min(log_.textLength(), position + added + keyLength), firstTouched);
}

void CallFieldIndex::fileReportsIn(qsizetype from, qsizetype to, qsizetype at)
{
    // What is read begins up to four characters before the first report and ends with the last.
    const qsizetype readFrom = std::max<qsizetype>(0, from - keyLength);
    const qsizetype readTo = std::min(log_.textLength(), to + reportField.size() - 1);
    if (readFrom >= readTo)
        return;
    const QString text = log_.textBetween(readFrom, readTo);
    // Filed at or after the start of the shifted places, a report is one of them.
    const bool shifted = at >= shiftStart_;
    std::vector<int> found;
    for (qsizetype offset = text.indexOf(reportField, from - readFrom);
         offset >= 0 && offset < to - readFrom; offset = text.indexOf(reportField, offset + 1)) {
        if (callCanEndAt(text, offset))
            found.push_back(newReport(readFrom + offset - (shifted ? pendingShift_ : 0),
                                      keyBefore(text, offset), shifted));
    }
    inLogOrder_.insert(inLogOrder_.begin() + at, found.begin(), found.end());
    if (!shifted)
        shiftStart_ += qsizetype(found.size());
}

void CallFieldIndex::setShifted(qsizetype place, bool shifted)
{
    Report &report = reports_[inLogOrder_[place]];
    const quint32 shift = quint32(pendingShift_);
    report.offset = shifted ? report.offset - shift : report.offset + shift;
    report.keyAndShifted =
        shifted ? report.keyAndShifted | shiftedFlag : report.keyAndShifted & ~shiftedFlag;
}

void CallFieldIndex::moveShiftStart(qsizetype place)
{
    for (; shiftStart_ < place; ++shiftStart_)
        setShifted(shiftStart_, false);
    for (; shiftStart_ > place; --shiftStart_)
        setShifted(shiftStart_ - 1, true);
}

int CallFieldIndex::newReport(qsizetype offset, quint32 key, bool shifted)
{
    int id = int(reports_.size());
    if (freeIds_.empty()) {
        reports_.push_back({});
    } else {
        id = freeIds_.back();
        freeIds_.pop_back();
    }
    // Filed first under its key: the order under a key does not matter, offsets are sorted
    // when a call is looked up.
    const int next = firstWithKey_.value(key, -1);
    reports_[id] = {quint32(offset), key | (shifted ? shiftedFlag : 0u), -1, next};
    if (next >= 0)
        reports_[next].previous = id;
    firstWithKey_.insert(key, id);
    return id;
}

void CallFieldIndex::forgetReport(int id)
{
    const Report &report = reports_[id];
    const quint32 key = report.keyAndShifted & ~shiftedFlag;
    if (report.previous >= 0)
        reports_[report.previous].next = report.next;
    else if (report.next >= 0)
        firstWithKey_[key] = report.next;
    else
        firstWithKey_.remove(key);
    if (report.next >= 0)
        reports_[report.next].previous = report.previous;
    freeIds_.push_back(id);
}

qsizetype CallFieldIndex::firstAtOrAfter(qsizetype offset) const
{
    return std::partition_point(inLogOrder_.begin(), inLogOrder_.end(),
                                [this, offset](int id) { return offsetOf(id) < offset; }) -
           inLogOrder_.begin();
}
