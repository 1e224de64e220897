#pragma once

#include "file_io.h"

#include <QString>

struct ContactForm;
struct WindowServices;
class ProgramDirectory;

// The log file: vandrel.txt in the directory the log lives in.
QString logFilePath(const ProgramDirectory &directory);
// The recovery file beside it: the log in the window since the last "Save".
QString recoveryFilePath(const ProgramDirectory &directory);

// What "Save" did.
struct SaveResult
{
    enum Outcome
    {
        Saved,    // the log is in the file at `path`
        EmptyLog, // refused: there is nothing to save; no file was touched
        Failed,   // `error` says why; the old file is as it was
    };
    Outcome outcome;
    QString path;
    FileError error{};
};

// What "Open" did.
struct OpenResult
{
    enum Outcome
    {
        Opened,   // the file's lines were added to the log
        NotFound, // nothing at `path`; the log is as it was
        Failed,   // `error` says why; the log is as it was
    };
    Outcome outcome;
    QString path;
    FileError error{};
};

// What "Save" does: writes the log text and one CR LF to the log file as UTF-8. The new file
// replaces the old one only once it is complete. An empty log is refused.
SaveResult SaveLog(const ContactForm &form, const WindowServices &services);

// What "Open" does: appends the log file's lines to the log text, folds its blank lines and
// recomputes the sent number from the last contact line. A missing or unreadable file leaves
// the log text and the sent number as they were.
OpenResult OpenLog(ContactForm &form, const WindowServices &services);
