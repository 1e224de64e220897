#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class JournalWriters;
struct WindowServices;

// What start does with the log directory and with the recovery files the last runs left; the
// question about the recovery files is composed here, why a file failed is worded with the other
// file messages in operator_messages.

// Tells the operator, once, when no file can be created in the log's directory. Returns whether
// it can.
bool checkLogDirectory(const WindowServices &services);

// The logs the last runs left unsaved, when the operator chose to restore them: one log, the
// older one first.
struct RestoredLog
{
    QString logText;
    qint64 lastAddMsecs = 0;
    // Recovery files of other windows whose logs it holds: set aside once the window's own
    // recovery file holds them too.
    QStringList otherJournals;
};

// Looks at every recovery file a window that ended left: this window's own, `ownJournal`
// (vandrel.recovery, or vandrel.recovery.PID beside another running window), the files of
// second windows (vandrel.recovery.PID) that `writers` does not know as running, and those left
// where the log was kept before. When they hold logs that were never saved, asks once whether
// to restore them, saying how many contacts each holds. No sets them aside under dated names;
// so does a file that cannot be read (never read through a link of another user, nor anything
// but a regular file of a sane size). A damaged file offers what it holds up to the damage and
// says how much was skipped.
std::optional<RestoredLog> askToRestoreUnsavedLogs(const WindowServices &services,
                                                   const QString &ownJournal,
                                                   const JournalWriters *writers);

// Sets the other windows' recovery files aside once their logs are safe in this one's.
void setAsideRestoredJournals(const WindowServices &services, const QStringList &journals);
