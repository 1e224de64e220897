#include "platform/clock.h"

#include "contact_line/contact_date.h"

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

QString SystemClock::shortDateText(QDate date) const
{
    return contactDateText(date, locale_);
}
