#pragma once

#include <QList>
#include <QString>
#include <QStringView>

class CallFieldIndex;
class TextBox;

// Walks, in log order, the places where the log text holds `call` as a logged call: the call with
// no call character directly before or after it, anywhere in a line. Runs on every keystroke in
// the call box, so it never copies the log or a line: the index names the few places to read, and
// it reads them in place.
class LoggedCallSearch
{
public:
    LoggedCallSearch(const CallFieldIndex &index, QStringView call);
    LoggedCallSearch(const LoggedCallSearch &) = delete;
    LoggedCallSearch &operator=(const LoggedCallSearch &) = delete;

    // Moves to the next place with that call; false when there is none left.
    bool next();

    // 0-based offset in the log text of the call at the current place.
    qsizetype callOffset() const { return callOffset_; }

    // Whether the band of the current place's line (the text after the line's last "-->", up to
    // the line end) is exactly `band`. A line without "-->" has no band.
    bool carriesBand(QStringView band);

private:
    const TextBox &log_;
    QList<qsizetype> offsets_;
    qsizetype nextPlace_ = 0;
    qsizetype callOffset_ = -1;

    // The line read last for its band: several places may share one line.
    qsizetype bandLineEnd_ = -1;
    QString lineBand_;
    bool lineHasBand_ = false;
};
