#pragma once

#include <QLockFile>
#include <QString>
#include <optional>

// Who holds a lock: the process and the host it runs on.
struct LockHolder
{
    qint64 processId = 0;
    QString hostName;
};

// Marks the log's directory as in use by this running program, for as long as the object
// lives: the log file and the recovery file beside it are then this program's. The lock file,
// vandrel.lock, outlives a crash; a lock whose process no longer runs is taken over.
class LogDirectoryLock
{
public:
    explicit LogDirectoryLock(const QString &directory);

    // Takes the lock if no other running program holds it. False when another one does (then
    // `holder()` says which) or when no lock file can be made in the directory.
    bool tryLock();
    bool isLocked() const { return lock_.isLocked(); }
    // The other program that holds the lock, after `tryLock()` failed because of it.
    std::optional<LockHolder> holder() const;

private:
    QLockFile lock_;
};
