#pragma once

#include "file_io.h"
#include "log_file_text.h"

#include <QString>

struct ContactForm;
struct WindowServices;
class ProgramDirectory;

// The log file: vandrel.txt in the directory the log lives in.
QString logFilePath(const ProgramDirectory &directory);
// The recovery file beside it: the log in the window since the last "Save".
QString recoveryFilePath(const ProgramDirectory &directory);

// The log file's path, or an `UnusableDirectory` error when the program has lost the
// directory's name (empty, or its bytes not valid UTF-8), so that nothing is read or written
// anywhere else.
FileResult<QString> usableLogFilePath(const ProgramDirectory &directory);

// What "Save" did.
struct SaveResult
{
    enum Outcome
    {
        Saved,    // the log is in the file at `path` (the target of a link at vandrel.txt)
        EmptyLog, // refused: there is nothing to save; no file was touched
        Failed,   // `error` says why; the old file is as it was
    };
    Outcome outcome;
    QString path;
    FileError error{};
    qint64 bytesWritten = 0; // when saved: the size of the file written
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
    qsizetype line = 0; // for a line too long: its number, from 1
};

// Notes the log file as it is when the window starts, so that "Save" can tell when another
// program has changed it since.
void RememberLogFile(ContactForm &form, const WindowServices &services);

// What "Save" does: writes the log text and one CR LF to the log file as UTF-8. The new file
// replaces the old one only once it is complete and on the disk. An empty log is refused, and
// so is a file that changed since this window first found, read or wrote it.
SaveResult SaveLog(ContactForm &form, const WindowServices &services);

// What "Open" does: appends the log file's lines to the log text, folds its blank lines and
// recomputes the sent number from the last contact line. A missing, unreadable or unfit file
// (not a regular file, too large, a line too long) leaves the log text and the sent number as
// they were.
OpenResult OpenLog(ContactForm &form, const WindowServices &services);
