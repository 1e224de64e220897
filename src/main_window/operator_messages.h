#pragma once

#include "contact_log/contact_entry.h"
#include "log_file/log_file.h"
#include "platform/log_directory_lock.h"
#include "platform/message_service.h"

struct FileError;

// Every message box the event procedures show about what the contact log and the log file
// did; the texts, titles and styles the operator knows live here.

// The title of the boxes about the log file and the recovery file beside it.
inline const QString logFileTitle = QStringLiteral("Morvit Vandrel");

// A path as the operator knows it, with the platform's own separator.
QString shownPath(const QString &path);

// "Add" refused the contact: says why. Nothing for a contact that was added.
void showRefusal(MessageService &messages, ContactRefusal refusal);

// Where the log was saved, that an empty log is not saved, or why the save failed.
void showSaveResult(MessageService &messages, const FileResult<SavedLog> &result);

// Before "Open" adds a log file `held` of whose `contacts` contacts the log already holds: says
// so and asks whether to add the file all the same. True to add it.
bool addContactsAlreadyInLog(MessageService &messages, const QString &path, qsizetype held,
                             qsizetype contacts);

// Why the log could not be opened; nothing when it was or when adding it was declined.
void showOpenResult(MessageService &messages, const FileResult<OpenedLog> &result);

// At start, no file can be created in the log's directory: says why, and that the log will be
// only in the window.
void showDirectoryNotWritable(MessageService &messages, const FileError &error);

// Why a recovery file left by the last run cannot be read, as the end of a sentence that begins
// with its name ("... is not a regular file"); `readLimit` is the largest one read.
QString recoveryReadProblem(const FileError &error, qint64 readLimit);

// A recovery file could not be set aside: says which, and why.
void showSetAsideFailure(MessageService &messages, const FileError &error);

// A write of the recovery file failed: says why, and that the contacts added since the last
// "Save" are only in the window.
void showRecoveryWriteFailure(MessageService &messages, const FileError &error);

// The station holds `contacts` contacts of this position that the log lacks (a position started
// again on another computer): says so and asks whether to put them back into the log. True to
// restore them.
bool restoreStationContacts(MessageService &messages, const QString &call, const QString &position,
                            qsizetype contacts);

// At start, when another running Vandrel holds the log's directory: says so and asks whether to
// go on all the same. True to go on.
bool goOnWithLogInUse(MessageService &messages, const QString &directory, const LockHolder &holder);
