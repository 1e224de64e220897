#include "station/waiting_contacts.h"

void WaitingContacts::add(qint64 number, const QByteArray &line)
{
    if (number > storedUpTo_)
        waiting_.insert_or_assign(number, line);
}

std::optional<WaitingContacts::Contact> WaitingContacts::first() const
{
    if (waiting_.empty())
        return std::nullopt;
    return Contact{waiting_.begin()->first, waiting_.begin()->second};
}

void WaitingContacts::storedUpTo(qint64 number)
{
    if (number <= storedUpTo_)
        return;
    storedUpTo_ = number;
    waiting_.erase(waiting_.begin(), waiting_.upper_bound(number));
}
