#pragma once

#include <QStringView>

class CallFieldIndex;

// Walks, in log order, the contact lines of the log text whose call field is exactly `call`:
// the call followed by "---59---", with the "---" between the received number and the locator
// still to come on the line. Runs on every keystroke in the call box, so it never copies the log
// or a line: the index points it at the lines whose call begins like `call`, and it reads only
// those, in place.
class LoggedCallSearch
{
public:
    // Brings `index` in step with the log text first.
    LoggedCallSearch(CallFieldIndex &index, QStringView call);
    LoggedCallSearch(const LoggedCallSearch &) = delete;
    LoggedCallSearch &operator=(const LoggedCallSearch &) = delete;

    // Moves to the next contact line with that call; false when there is none left.
    bool next();

    // 0-based offset in the log text where the current line's call field begins.
    qsizetype callOffset() const { return callOffset_; }

    // Whether the current line's band field (what follows "-->" up to the line end) is exactly
    // `band`. A line written without a band has none.
    bool carriesBand(QStringView band) const;

private:
    const CallFieldIndex &index_;
    QStringView log_;
    QStringView call_;
    // A call spanning a line break is no call field of any one line.
    bool searchable_ = true;
    qsizetype nextLine_ = 0;

    qsizetype callOffset_ = -1;
    // What follows "---59---" on the current line: received number, "---", locator, band.
    QStringView rest_;
};
