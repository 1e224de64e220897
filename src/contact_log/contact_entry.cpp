#include "contact_entry.h"

#include "contact_form.h"
#include "contact_line.h"
#include "sent_number.h"
#include "window_services.h"

namespace {

QString lastSentNumberMessage()
{
    return QStringLiteral("Last sent number %1 reached").arg(lastSentNumber);
}

// The local clock is taken to run one hour ahead of UTC with "gmt+1" ticked, two without.
int utcOffsetHours(const ContactForm &form)
{
    return form.Check1.value() == 1 ? 1 : 2;
}

QString twoDigits(int number)
{
    return QString::number(number).rightJustified(2, u'0');
}

// Why a contact cannot be added, and the box the operator has to go back to.
struct Refusal
{
    QString message; // empty: the contact can be added
    TextBox *box = nullptr;
};

Refusal refusal(ContactForm &form)
{
    if (form.Text2.foreColor() == vbRed)
        return {QStringLiteral("Duplicate!"), &form.Text2};
    if (form.Text2.text().isEmpty())
        return {QStringLiteral("Insert CallSign"), &form.Text2};
    if (form.Text3.text().isEmpty())
        return {QStringLiteral("Insert Progressive Number"), &form.Text3};
    if (form.Check3.value() == 0 && form.Text4.text().isEmpty())
        return {QStringLiteral("Insert Locator"), &form.Text4};
    if (sentNumbersUsedUp(form.Text1.text(), form.Frame1))
        return {lastSentNumberMessage()};
    return {};
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

void AddContact(ContactForm &form, const WindowServices &services)
{
    if (const Refusal refused = refusal(form); !refused.message.isEmpty()) {
        services.messages.msgBox(refused.message, vbOKOnly);
        if (refused.box) {
            // Back to the box the message names, its text selected: a duplicate call is
            // replaced by typing the next one.
            refused.box->setFocus();
            refused.box->setSelStart(0);
            refused.box->setSelLength(int(refused.box->text().size()));
        }
        return;
    }

    UtcTimeStamp(form, services.clock);
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
    if (sentNumbersUsedUp(form.Text1.text(), form.Frame1))
        services.messages.msgBox(lastSentNumberMessage(), vbOKOnly);
}
