#include "fake_services.h"

#include "vb_constants.h"

int FakeMessageService::show(const QString &prompt, int style, const QString &title)
{
    shown.append({prompt, style, title});
    if ((style & vbButtonsMask) != vbYesNo)
        return vbOK;
    return answers.isEmpty() ? vbNo : answers.takeFirst();
}

FixedClock::FixedClock()
{
    set(QDate(2016, 7, 16), 15, 45);
}

QString FixedClock::shortDateText(QDate date) const
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

void FixedClock::set(QDate date, int hour, int minute)
{
    now_ = QDateTime(date, QTime(hour, minute));
}
