#pragma once

#include <QString>

struct ContactForm;
struct WindowServices;
class ProgramDirectory;

// The log file: vandrel.txt in the program's directory.
QString logFilePath(const ProgramDirectory &directory);
// The recovery file beside it: the log in the window since the last "Save".
QString recoveryFilePath(const ProgramDirectory &directory);

// What "Save" does: writes the log text and one CR LF to the log file as UTF-8 and says where.
// The new file replaces the old one only once it is complete: when it cannot be, a message
// names the file and the reason, and the old file stays as it was. An empty log is refused.
void SaveLog(const ContactForm &form, const WindowServices &services);

// What "Open" does: appends the log file's lines to the log text, folds its blank lines and
// recomputes the sent number from the last contact line. A missing or unreadable file leaves
// the log text and the sent number as they were, with a message.
void OpenLog(ContactForm &form, const WindowServices &services);
