#include "log_directory_lock.h"

LogDirectoryLock::LogDirectoryLock(const QString &directory)
    : lock_(directory + QStringLiteral("/vandrel.lock"))
{
    // A lock is stale only when its process is gone, however long a contest runs.
    lock_.setStaleLockTime(0);
}

bool LogDirectoryLock::tryLock()
{
    return lock_.tryLock(0);
}

std::optional<LockHolder> LogDirectoryLock::holder() const
{
    LockHolder holder;
    if (lock_.error() != QLockFile::LockFailedError ||
        !lock_.getLockInfo(&holder.processId, &holder.hostName, nullptr))
        return std::nullopt;
    return holder;
}
