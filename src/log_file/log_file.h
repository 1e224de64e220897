#pragma once

#include "log_file/log_file_text.h"
#include "platform/file_io.h"
#include "platform/file_service.h"
#include "platform/log_directory.h"

#include <QString>
#include <functional>

struct ContactForm;

// What "Save" and "Open" take from the platform: the log's directory and the files.
struct LogFileServices
{
    LogDirectoryService &directory;
    FileService &files;
};

// The recovery file beside it: the log in the window since the last "Save".
QString recoveryFilePath(const LogDirectoryService &directory);

// The log file's path, or an `UnusableDirectory` error when the program has lost the
// directory's name (empty, or its bytes not valid UTF-8), so that nothing is read or written
// anywhere else.
FileResult<QString> usableLogFilePath(const LogDirectoryService &directory);

// The log file "Save" wrote.
struct SavedLog
{
    QString path;            // the file written (the target of a link at vandrel.txt)
    qint64 bytesWritten = 0; // the size of the file written
    // The copy of the old file kept beside it, which held lines the log lacks; empty when the
    // log held them all.
    QString keptCopy{};
};

// What "Open" did with a file it read.
enum class OpenedLog
{
    Added,    // the file's lines were added to the log
    Declined, // the log holds some of the file's contacts and adding it again was declined
};

// What "Save" does: writes the log text and one CR LF to the log file as UTF-8. The new file
// replaces the old one only once it is complete and on the disk. An empty log is refused
// (`NothingToWrite`). An old file that this window did not last read or write, and that holds
// lines the log lacks (a log this window never opened, or one another window saved meanwhile),
// is first kept aside beside it (named in the error's `keptCopy` should the save then fail); if
// that copy cannot be made, the old file is not replaced. On failure the old file is as it was.
FileResult<SavedLog> SaveLog(ContactForm &form, const LogFileServices &services);

// Asked before "Open" adds a file `held` of whose `contacts` contact lines the log already
// holds: true adds the whole file all the same.
using AddHeldContacts = std::function<bool(qsizetype held, qsizetype contacts)>;

// What "Open" does: appends the log file's lines to the log text, folds its blank lines and
// recomputes the sent number from the last contact line. A missing (`NotFound`), unreadable or
// unfit file (not a regular file, too large, a line too long) leaves the log text and the sent
// number as they were, and so does a file whose contacts the log already holds in part, unless
// `addHeld` says to add it (without it, such a file is added).
FileResult<OpenedLog> OpenLog(ContactForm &form, const LogFileServices &services,
                              const AddHeldContacts &addHeld = {});
