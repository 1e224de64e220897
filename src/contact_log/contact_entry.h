#pragma once

struct ContactForm;
struct WindowServices;
class Clock;

// Stamps the contact about to be added: DateText, HourText, MinuteText and TimeText, from one
// reading of the clock and the "gmt+1" box.
void UtcTimeStamp(ContactForm &form, const Clock &clock);

// What "Add" does: refuses a duplicate or an incomplete contact with a message, otherwise
// appends the contact line to the log, empties the entry boxes, advances the sent number and
// puts the focus back into the call box.
void AddContact(ContactForm &form, const WindowServices &services);
