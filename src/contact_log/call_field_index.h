#pragma once

#include <QHash>
#include <QList>
#include <QMetaObject>
#include <QStringView>
#include <vector>

class TextBox;

// Where the log text holds a report, "---59---", filed under the four characters just before
// it: the last four characters of the call it follows. A call of four characters or more is in
// the log only where a report follows it, so looking for a call reads the few places filed
// under its last four characters, however long the log.
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

    // 0-based offsets in the text of every place where "---", `call` and "---59---" follow each
    // other, in log order; none for a call shorter than four characters or holding a line break.
    QList<qsizetype> callOffsets(QStringView call) const;

private:
    // Sixteen bytes a report, one report a contact: the index of a log of 1,000,000 contacts
    // keeps about 20 MB. Offsets are kept modulo 2^32 (the document the log box shows counts
    // its characters in an int), keys in 28 bits (`keyBefore`), the flag in the key's top bit.
    struct Report
    {
        quint32 offset;        // where "---59---" begins, less `pendingShift_` when shifted
        quint32 keyAndShifted; // the four characters before it, and `shiftedFlag`
        qint32 previous;       // the neighbours filed under the same key, -1 for none
        qint32 next;
    };
    static_assert(sizeof(Report) == 16);
    static constexpr quint32 shiftedFlag = 0x80000000u;

    qsizetype offsetOf(int id) const
    {
        const Report &report = reports_[id];
        const bool shifted = report.keyAndShifted & shiftedFlag;
        return qsizetype(quint32(report.offset + (shifted ? quint32(pendingShift_) : 0u)));
    }
    // Makes the report at log place `place` shifted or not, keeping the offset it stands for.
    void setShifted(qsizetype place, bool shifted);
    // Makes the places from `place` on in log order the shifted ones.
    void moveShiftStart(qsizetype place);

    void rebuild();
    void takeAppend(qsizetype appended);
    void takeEdit(qsizetype position, qsizetype removed, qsizetype added);
    // Files every report that begins in [from, to) of the text, at `at` in log order.
    void fileReportsIn(qsizetype from, qsizetype to, qsizetype at);
    int newReport(qsizetype offset, quint32 key, bool shifted);
    void forgetReport(int id);
    // The first place in log order whose report begins at or after `offset`.
    qsizetype firstAtOrAfter(qsizetype offset) const;

    const TextBox &log_;
    std::vector<Report> reports_;
    std::vector<int> freeIds_;
    std::vector<int> inLogOrder_;
    QHash<quint32, int> firstWithKey_;
    // The places from `shiftStart_` on in log order are the shifted ones.
    qsizetype shiftStart_ = 0;
    qsizetype pendingShift_ = 0;
    QList<QMetaObject::Connection> connections_;
};
