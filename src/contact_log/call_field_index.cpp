#include "contact_log/call_field_index.h"

#include "contact_line/contact_line.h"
#include "contact_log/call_word.h"
#include "controls/text_box.h"

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

// Reads the text in pieces of this length: a log kept one byte a character is converted a piece
// at a time, not into a second copy of the whole log.
constexpr qsizetype pieceLength = 1 << 16;

// A filed word holds a letter among its last eight characters: calls do (even those that end in
// digits, as some special calls do), dates, times and numbers do not. A word end therefore depends
// on the eight characters before it and its own.
constexpr qsizetype letterReach = 8;

// Whether a word of `run` call characters ending at `end`, its last letter at `lastLetter`, is
// filed.
bool isFiledWord(qsizetype run, qsizetype lastLetter, qsizetype end)
{
    return (run >= keyLength) & (lastLetter >= end - std::min(run, letterReach));
}

// Where in `call` a word the index files ends: at the call's end or before a character that is
// not a call character. -1 when the call has no such word.
qsizetype filedWordEndIn(QStringView call)
{
    qsizetype run = 0;
    qsizetype lastLetter = -letterReach - 1;
    for (qsizetype i = 0; i <= call.size(); ++i) {
        if (i < call.size() && isCallCharacter(call[i])) {
            ++run;
            if (isCallLetter(call[i]))
                lastLetter = i;
            continue;
        }
        if (isFiledWord(run, lastLetter, i))
            return i;
        run = 0;
    }
    return -1;
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
    if (call.size() < keyLength || call.contains(u'\r') || call.contains(u'\n'))
        return {};
    const qsizetype wordEnd = filedWordEndIn(call);
    if (wordEnd < 0)
        return searchedCallOffsets(call);
    QList<qsizetype> offsets;
    for (int id = firstWithKey_.value(keyBefore(call, wordEnd), -1); id >= 0;
         id = wordEnds_[id].next) {
        const qsizetype at = offsetOf(id) - wordEnd;
        if (callStandsAt(call, at))
            offsets.append(at);
    }
    // A word at the very end of the text is followed by nothing and so never filed.
    const qsizetype atEnd = log_.textLength() - call.size();
    if (wordEnd == call.size() && callStandsAt(call, atEnd))
        offsets.append(atEnd);
    std::sort(offsets.begin(), offsets.end());
    return offsets;
}

bool CallFieldIndex::callStandsAt(QStringView call, qsizetype at) const
{
    const qsizetype size = log_.textLength();
    if (at < 0 || at + call.size() > size)
        return false;
    const qsizetype readFrom = std::max<qsizetype>(0, at - 1);
    const QString text = log_.textBetween(readFrom, std::min(size, at + call.size() + 1));
    return holdsAt(text, at - readFrom, call) && standsAlone(text, at - readFrom, call.size());
}

QList<qsizetype> CallFieldIndex::searchedCallOffsets(QStringView call) const
{
    QList<qsizetype> offsets;
    const qsizetype size = log_.textLength();
    for (qsizetype from = 0; from < size; from += pieceLength) {
        // The calls that begin in this piece, with the character before and after each.
        const qsizetype readFrom = std::max<qsizetype>(0, from - 1);
        const qsizetype readTo = std::min(size, from + pieceLength + call.size() + 1);
        const QString text = log_.textBetween(readFrom, readTo);
        for (qsizetype at = text.indexOf(call, from - readFrom);
             at >= 0 && readFrom + at < from + pieceLength; at = text.indexOf(call, at + 1)) {
            if (standsAlone(text, at, call.size()))
                offsets.append(readFrom + at);
        }
    }
    return offsets;
}

void CallFieldIndex::rebuild()
{
    wordEnds_.clear();
    freeIds_.clear();
    inLogOrder_.clear();
    firstWithKey_.clear();
    shiftStart_ = 0;
    pendingShift_ = 0;
    const qsizetype size = log_.textLength();
    for (qsizetype from = 0; from < size; from += pieceLength)
        fileWordEndsIn(from, std::min(size, from + pieceLength), qsizetype(inLogOrder_.size()));
}

void CallFieldIndex::takeAppend(qsizetype appended)
{
    // A word end depends on the characters before it and its own: those before the old end are
    // as they were, and a word that ended the old text now has a character after it.
    const qsizetype size = log_.textLength();
    fileWordEndsIn(size - appended, size, qsizetype(inLogOrder_.size()));
}

void CallFieldIndex::takeEdit(qsizetype position, qsizetype removed, qsizetype added)
{
    // A word end depends on the characters from eight before it to itself: those that overlap
    // the edited range are forgotten and the range is read again; those after it move.
    const qsizetype firstTouched = firstAtOrAfter(position);
    moveShiftStart(firstTouched);
    qsizetype after = firstTouched;
    while (after < qsizetype(inLogOrder_.size()) &&
           offsetOf(inLogOrder_[after]) < position + removed + letterReach)
        forgetWordEnd(inLogOrder_[after++]);
    inLogOrder_.erase(inLogOrder_.begin() + firstTouched, inLogOrder_.begin() + after);

    pendingShift_ += added - removed;

    fileWordEndsIn(position, std::min(log_.textLength(), position + added + letterReach),
                   firstTouched);
}

void CallFieldIndex::fileWordEndsIn(qsizetype from, qsizetype to, qsizetype at)
{
    // What is read begins eight characters before the first word end: the part of the word it
    // depends on.
    const qsizetype readFrom = std::max<qsizetype>(0, from - letterReach);
    const qsizetype readTo = std::min(log_.textLength(), to);
    if (from >= readTo)
        return;
    const QString text = log_.textBetween(readFrom, readTo);
    // Filed at or after the start of the shifted places, a word end is one of them.
    const bool shifted = at >= shiftStart_;
    std::vector<int> found;
    const qsizetype first = from - readFrom;
    qsizetype run = 0; // call characters just before i
    qsizetype lastLetter = -letterReach - 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        // Without branches but the rare one: letters, digits and dashes alternate too often in a
        // log for a branch on each to be foreseen.
        const quint8 kind = callWordDetail::kindOf(text[i]);
        const bool isCall = kind & callWordDetail::callCharacter;
        if (!isCall & isFiledWord(run, lastLetter, i) & (i >= first))
            found.push_back(newWordEnd(readFrom + i - (shifted ? pendingShift_ : 0),
                                       keyBefore(text, i), shifted));
        run = isCall ? run + 1 : 0;
        lastLetter = (kind & callWordDetail::letter) ? i : lastLetter;
    }
    inLogOrder_.insert(inLogOrder_.begin() + at, found.begin(), found.end());
    if (!shifted)
        shiftStart_ += qsizetype(found.size());
}

void CallFieldIndex::setShifted(qsizetype place, bool shifted)
{
    WordEnd &end = wordEnds_[inLogOrder_[place]];
    const quint32 shift = quint32(pendingShift_);
    end.offset = shifted ? end.offset - shift : end.offset + shift;
    end.keyAndShifted =
        shifted ? end.keyAndShifted | shiftedFlag : end.keyAndShifted & ~shiftedFlag;
}

void CallFieldIndex::moveShiftStart(qsizetype place)
{
    for (; shiftStart_ < place; ++shiftStart_)
        setShifted(shiftStart_, false);
    for (; shiftStart_ > place; --shiftStart_)
        setShifted(shiftStart_ - 1, true);
}

int CallFieldIndex::newWordEnd(qsizetype offset, quint32 key, bool shifted)
{
    int id = int(wordEnds_.size());
    if (freeIds_.empty()) {
        wordEnds_.push_back({});
    } else {
        id = freeIds_.back();
        freeIds_.pop_back();
    }
    // Filed first under its key, with one look-up of the key: the order under a key does not
    // matter, offsets are sorted when a call is looked up.
    int next = -1;
    if (const auto first = firstWithKey_.find(key); first != firstWithKey_.end()) {
        next = *first;
        *first = id;
        wordEnds_[next].previous = id;
    } else {
        firstWithKey_.insert(key, id);
    }
    wordEnds_[id] = {quint32(offset), key | (shifted ? shiftedFlag : 0u), -1, next};
    return id;
}

void CallFieldIndex::forgetWordEnd(int id)
{
    const WordEnd &end = wordEnds_[id];
    const quint32 key = end.keyAndShifted & ~shiftedFlag;
    if (end.previous >= 0)
        wordEnds_[end.previous].next = end.next;
    else if (end.next >= 0)
        firstWithKey_[key] = end.next;
    else
        firstWithKey_.remove(key);
    if (end.next >= 0)
        wordEnds_[end.next].previous = end.previous;
    freeIds_.push_back(id);
}

qsizetype CallFieldIndex::firstAtOrAfter(qsizetype offset) const
{
    return std::partition_point(inLogOrder_.begin(), inLogOrder_.end(),
                                [this, offset](int id) { return offsetOf(id) < offset; }) -
           inLogOrder_.begin();
}
