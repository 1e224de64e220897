#include "clock.h"

#include <QLocale>

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

QString SystemClock::shortDateText(QDate date) const
{
    return QLocale::system().toString(date, QLocale::ShortFormat);
}
