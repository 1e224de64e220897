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
    struct Report
    {
        qsizetype offset; // where "---59---" begins, less `pendingShift_` when shifted
        quint64 key;      // the four characters before it
        int previous;     // the neighbours filed under the same key, -1 for none
        int next;
        bool shifted;
    };

    qsizetype offsetOf(int id) const
    {
        return reports_[id].offset + (reports_[id].shifted ? pendingShift_ : 0);
    }
    // Makes the places from `place` on in log order the shifted ones.
    void moveShiftStart(qsizetype place);

    void rebuild();
    void takeAppend(qsizetype appended);
    void takeEdit(qsizetype position, qsizetype removed, qsizetype added);
    // Files every report that begins in [from, to) of the text, at `at` in log order.
    void fileReportsIn(qsizetype from, qsizetype to, qsizetype at);
    int newReport(qsizetype offset, quint64 key, bool shifted);
    void forgetReport(int id);
    // The first place in log order whose report begins at or after `offset`.
    qsizetype firstAtOrAfter(qsizetype offset) const;

    const TextBox &log_;
    std::vector<Report> reports_;
    std::vector<int> freeIds_;
    std::vector<int> inLogOrder_;
    QHash<quint64, int> firstWithKey_;
    // The places from `shiftStart_` on in log order are the shifted ones.
    qsizetype shiftStart_ = 0;
    qsizetype pendingShift_ = 0;
    QList<QMetaObject::Connection> connections_;
};
