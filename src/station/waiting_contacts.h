#pragma once

#include <QByteArray>
#include <map>
#include <optional>

// This position's contacts that the station's stream has not yet acknowledged, in the order of
// their numbers (their places in the position's log). The window hands each contact once it is
// on the disk, and may hand them all again after a restart; a number already waiting or
// already stored is taken once. Not thread-safe: the link guards it.
class WaitingContacts
{
public:
    struct Contact
    {
        qint64 number = 0;
        QByteArray line; // UTF-8
    };

    // Takes contact `number`, unless the stream already holds it (number <= storedUpTo()).
    void add(qint64 number, const QByteArray &line);
    // The first contact waiting, if any.
    std::optional<Contact> first() const;
    // The stream holds every contact up to `number`: they wait no longer.
    void storedUpTo(qint64 number);
    qint64 storedUpTo() const { return storedUpTo_; }
    int count() const { return int(waiting_.size()); }

private:
    std::map<qint64, QByteArray> waiting_;
    qint64 storedUpTo_ = 0;
};
