#pragma once

#include <QString>
#include <optional>

struct WindowServices;

// What start does with the log directory and with the recovery file the last run left; the
// texts the operator sees about the recovery file are composed here.

// Tells the operator, once, when no file can be created in the log's directory. Returns whether
// it can.
bool checkLogDirectory(const WindowServices &services);

// The log a last run left unsaved, when the operator chose to restore it.
struct RestoredLog
{
    QString logText;
    qint64 lastAddMsecs = 0;
};

// When the recovery file holds a log that was never saved, asks whether to restore it. No sets
// the file aside under a dated name; so does a file that cannot be read. A damaged file offers
// what it holds up to the damage and says how much was skipped.
std::optional<RestoredLog> askToRestoreUnsavedLog(const WindowServices &services);

// A write of the recovery file failed.
void reportRecoveryWriteFailure(const WindowServices &services, const QString &path,
                                const QString &reason);
