#include "contact_log/contact_entry.h"

#include "contact_line/contact_line.h"
#include "contact_log/contact_form.h"
#include "contact_log/sent_number.h"
#include "platform/clock.h"

namespace {

// The local clock is taken to run one hour ahead of UTC with "gmt+1" ticked, two without.
int utcOffsetHours(const ContactForm &form)
{
    return form.Check1.value() == 1 ? 1 : 2;
}

QString twoDigits(int number)
{
    return QString::number(number).rightJustified(2, u'0');
}

ContactRefusal refusal(const ContactForm &form)
{
    if (form.Text2.foreColor() == vbRed)
        return ContactRefusal::Duplicate;
    if (form.Text2.text().isEmpty())
        return ContactRefusal::MissingCall;
    if (form.Text3.text().isEmpty())
        return ContactRefusal::MissingNumber;
    if (form.Check3.value() == 0 && form.Text4.text().isEmpty())
        return ContactRefusal::MissingLocator;
    return ContactRefusal::None;
}

} // namespace

void UtcTimeStamp(ContactForm &form, const Clock &clock)
{
    // One reading, so a contact added at midnight cannot take one day's date and the next
    // day's hour.
    const QDateTime now = clock.now();
    const int hour = now.time().hour();
    QDate utcDate = now.date();
    int utcHour = hour - utcOffsetHours(form);
    if (utcHour < 0) {
        // Before local midnight plus the offset, UTC is still on the previous day.
        utcHour += 24;
        utcDate = utcDate.addDays(-1);
    }
    form.DateText = clock.shortDateText(utcDate);
    form.HourText = QString::number(hour);
    form.MinuteText = twoDigits(now.time().minute());
    form.TimeText = twoDigits(utcHour) + form.MinuteText + fieldSeparator.toString();
}

ContactRefusal AddContact(ContactForm &form, const Clock &clock)
{
    if (const ContactRefusal refused = refusal(form); refused != ContactRefusal::None)
        return refused;

    UtcTimeStamp(form, clock);
    const QString line = composeContactLine({
        .sentNumber = form.Frame1.caption(),
        .date = form.DateText,
        .time = form.TimeText,
        .call = form.Text2.text(),
        .receivedNumber = form.Text3.text(),
        .locator = form.Text4.text(),
        .band = form.Combo1.text(),
    });
    form.Text1.appendText(line);

    form.Text2.setText({});
    form.Text3.setText({});
    form.Text4.setText({});
    AdvanceSentNumber(form.Frame1, form.NextNumber);
    form.Text2.setFocus();
    return ContactRefusal::None;
}
