#pragma once

#include "platform/journal_writers.h"

#include <QString>
#include <optional>

// Who holds a lock: the process and the host it runs on, as its lock file says; 0 and empty
// when the file does not say.
struct LockHolder
{
    qint64 processId = 0;
    QString hostName;
};

// Marks the log's directory as in use by this running program, for as long as the object
// lives: the log file and the recovery file beside it are then this program's. The mark is a
// lock the kernel holds on vandrel.lock for the process (an open file description lock), so it
// goes with the process however it ends, and nothing written into the file can fake or hide
// it. The file's text only names the holder for the operator.
//
// Every window also marks its own recovery file, vandrel.recovery.PID, the same way: a byte of
// the lock file per process, so that a recovery file whose window is gone can be told from one
// still being written.
class LogDirectoryLock : public JournalWriters
{
public:
    explicit LogDirectoryLock(const QString &directory);
    ~LogDirectoryLock() override;
    LogDirectoryLock(const LogDirectoryLock &) = delete;
    LogDirectoryLock &operator=(const LogDirectoryLock &) = delete;

    // Takes the log unless another running program holds it: false only then (`holder()` says
    // which). Anything at vandrel.lock that is not a regular file (a directory, a link, a FIFO)
    // is set aside first. Where no lock file can be made at all (a read-only directory) the log
    // is not locked, and nothing can be written there either.
    bool tryLock();
    bool isLocked() const { return locked_; }
    // The other program that holds the lock, after `tryLock()` failed because of it.
    std::optional<LockHolder> holder() const { return holder_; }

    // Whether another running window writes the recovery file at `journalPath`
    // (vandrel.recovery or vandrel.recovery.PID in this directory or another log directory).
    bool isBeingWritten(const QString &journalPath) const override;

private:
    bool openLockFile();
    void writeHolder() const;

    QString directory_;
    int handle_ = -1;
    bool locked_ = false;
    std::optional<LockHolder> holder_;
};
