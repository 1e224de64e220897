#pragma once

#include <QHash>
#include <QList>
#include <QMetaObject>
#include <QStringView>
#include <vector>

class TextBox;

// Where the log text holds the end of a word a call can be looked up by: a run of four call
// characters or more (`call_word.h`) with a letter among its last eight, followed by a character
// that is not one. Each such end is filed under the word's last four characters, so looking for
// a call reads the few places filed under the last four characters of one of its words, however
// long the log. In a contact line those are the call and the locator; dates, times and numbers,
// without letters, are not filed.
//
// The index follows the log box as it changes, never holding a copy of its text: it is built
// when the text is replaced (as "Open" does), reads only the new end after an append, and after
// an edit of the operator's reads only the few characters around the edited range. The places
// after an edit move by the change in length without being touched: they hold a flag saying that
// a common shift applies to them, and only the places between one edit and the next change sides.
// Typing at one place in the middle of a long log therefore costs the same as typing at its end.
class CallFieldIndex
{
public:
    explicit CallFieldIndex(const TextBox &log);
    ~CallFieldIndex();
    CallFieldIndex(const CallFieldIndex &) = delete;
    CallFieldIndex &operator=(const CallFieldIndex &) = delete;

    // The log box the index describes.
    const TextBox &log() const { return log_; }

    // 0-based offsets in the text of every place where `call` stands with no call character
    // directly before or after it, in log order; none for a call shorter than four characters or
    // holding a line break. A call with no word the index files (digits alone) is looked for
    // through the whole text.
    QList<qsizetype> callOffsets(QStringView call) const;

private:
    // Sixteen bytes a word end, two a contact (the call and the locator): the index of a log of
    // 1,000,000 contacts keeps about 40 MB. Offsets are kept modulo 2^32 (the document the log
    // box shows counts its characters in an int), keys in 28 bits (`keyBefore`), the flag in the
    // key's top bit.
    struct WordEnd
    {
        quint32 offset;        // the character after the word, less `pendingShift_` when shifted
        quint32 keyAndShifted; // the four characters before it, and `shiftedFlag`
        qint32 previous;       // the neighbours filed under the same key, -1 for none
        qint32 next;
    };
    static_assert(sizeof(WordEnd) == 16);
    static constexpr quint32 shiftedFlag = 0x80000000u;

    qsizetype offsetOf(int id) const
    {
        const WordEnd &end = wordEnds_[id];
        const bool shifted = end.keyAndShifted & shiftedFlag;
        return qsizetype(quint32(end.offset + (shifted ? quint32(pendingShift_) : 0u)));
    }
    // Makes the word end at log place `place` shifted or not, keeping the offset it stands for.
    void setShifted(qsizetype place, bool shifted);
    // Makes the places from `place` on in log order the shifted ones.
    void moveShiftStart(qsizetype place);

    void rebuild();
    void takeAppend(qsizetype appended);
    void takeEdit(qsizetype position, qsizetype removed, qsizetype added);
    // Files every word end at an offset in [from, to) of the text, at `at` in log order.
    void fileWordEndsIn(qsizetype from, qsizetype to, qsizetype at);
    int newWordEnd(qsizetype offset, quint32 key, bool shifted);
    void forgetWordEnd(int id);
    // The first place in log order whose word end is at or after `offset`.
    qsizetype firstAtOrAfter(qsizetype offset) const;

    // Whether `call` stands alone in the text from `at` on.
    bool callStandsAt(QStringView call, qsizetype at) const;
    // The offsets of `call` standing alone, found by reading the whole text.
    QList<qsizetype> searchedCallOffsets(QStringView call) const;

    const TextBox &log_;
    std::vector<WordEnd> wordEnds_;
    std::vector<int> freeIds_;
    std::vector<int> inLogOrder_;
    QHash<quint32, int> firstWithKey_;
    // The places from `shiftStart_` on in log order are the shifted ones.
    qsizetype shiftStart_ = 0;
    qsizetype pendingShift_ = 0;
    QList<QMetaObject::Connection> connections_;
};
