#pragma once

struct ContactForm;
class Clock;

// Why "Add" refused a contact, or that it did not.
enum class ContactRefusal
{
    None,
    Duplicate, // the call is marked as worked before
    MissingCall,
    MissingNumber,
    MissingLocator, // only asked for while the locator box is shown
};

// Stamps the contact about to be added: DateText, HourText, MinuteText and TimeText, from one
// reading of the clock and the "gmt+1" box.
void UtcTimeStamp(ContactForm &form, const Clock &clock);

// What "Add" does: refuses a duplicate or an incomplete contact, changing nothing, and says
// why; otherwise appends the contact line to the log, empties the entry boxes, advances the
// sent number and puts the focus back into the call box. The form says why and takes the
// operator back to the box a refusal names.
ContactRefusal AddContact(ContactForm &form, const Clock &clock);
