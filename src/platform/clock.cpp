#include "clock.h"

#include <QLocale>

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

QString SystemClock::shortDateText(QDate date) const
{
    // Some locales' short formats carry direction marks; in a contact line they would reorder
    // the fields around the date when the line is shown.
    QString text = locale_.toString(date, QLocale::ShortFormat);
    text.removeIf([](QChar c) { return c.category() == QChar::Other_Format; });
    return text;
}
