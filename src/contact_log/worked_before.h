#pragma once

struct ContactForm;

// What the call box's Change procedure does: keeps the call in upper case with the caret at its
// end, and colours the box by the log text. A call of four characters or more that stands in a
// line of the log with no call character (letter, digit, '/') directly before or after it is red
// (a duplicate, which "Add" refuses), however the line was written or edited; in multiband mode
// it is red only when one of its lines carries the chosen band, blue otherwise. Anything else is
// neutral.
// Sets `CurrentCall` and, for a call long enough to be looked for, `CallPosition`.
void CheckWorkedBefore(ContactForm &form);
