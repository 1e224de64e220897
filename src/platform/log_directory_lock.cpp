#include "platform/log_directory_lock.h"

#include "platform/file_io.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSysInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The byte of vandrel.lock whose lock marks the log as in use; the byte of a window's own
// recovery file is its process number plus one.
constexpr off_t logByte = 0;
const QString journalName = QStringLiteral("vandrel.recovery");

off_t journalByte(qint64 processId)
{
    return off_t(processId) + 1;
}

// The byte that marks the recovery file `name` as being written, if it is one a window writes.
std::optional<off_t> journalByteOf(const QString &name)
{
    if (name == journalName)
        return logByte;
    if (!name.startsWith(journalName + u'.'))
        return std::nullopt;
    bool isNumber = false;
    const qint64 processId = name.sliced(journalName.size() + 1).toLongLong(&isNumber);
    if (!isNumber || processId <= 0 || processId > INT_MAX)
        return std::nullopt;
    return journalByte(processId);
}

struct flock region(short type, off_t byte)
{
    struct flock lock
    {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = byte;
    lock.l_len = 1;
    return lock;
}

bool lockByte(int handle, off_t byte)
{
    struct flock lock = region(F_WRLCK, byte);
    return ::fcntl(handle, F_OFD_SETLK, &lock) == 0;
}

// Locks held through the same open file (this object's own) never count.
bool heldByOther(int handle, off_t byte)
{
    struct flock lock = region(F_WRLCK, byte);
    return ::fcntl(handle, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
}

// The regular file at `path`, never through a link; -1 for anything else.
int openRegular(const QString &path, int flags)
{
    const int handle = ::open(QFile::encodeName(path).constData(),
                              flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666);
    struct stat status;
    if (handle >= 0 && (::fstat(handle, &status) != 0 || !S_ISREG(status.st_mode))) {
        ::close(handle);
        return -1;
    }
    return handle;
}

// Whether `path` still names the file open as `handle`: another start may have set it aside.
bool namesOpenFile(const QString &path, int handle)
{
    struct stat atPath;
    struct stat open;
    return ::lstat(QFile::encodeName(path).constData(), &atPath) == 0 &&
           ::fstat(handle, &open) == 0 && atPath.st_dev == open.st_dev &&
           atPath.st_ino == open.st_ino;
}

// What the lock file says of its holder: "PID\nvandrel\nHOST\n"; nothing known from anything
// else.
LockHolder holderNamedIn(int handle)
{
    char text[512];
    const ssize_t size = ::pread(handle, text, sizeof text, 0);
    const QList<QByteArray> lines = QByteArray(text, size > 0 ? qsizetype(size) : 0).split('\n');
    LockHolder holder;
    if (lines.size() < 3)
        return holder;
    bool isNumber = false;
    holder.processId = lines[0].toLongLong(&isNumber);
    if (!isNumber || holder.processId <= 0)
        return {};
    holder.hostName = QString::fromUtf8(lines[2]);
    return holder;
}

} // namespace

LogDirectoryLock::LogDirectoryLock(const QString &directory) : directory_(directory) {}

LogDirectoryLock::~LogDirectoryLock()
{
    // Closing the last descriptor of the file releases its locks; the file stays, since
    // removing it would let a start that opened it just before lock a file nobody else sees.
    if (handle_ >= 0)
        ::close(handle_);
}

bool LogDirectoryLock::tryLock()
{
    if (locked_)
        return true;
    const QString path = directory_ + QStringLiteral("/vandrel.lock");
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (handle_ >= 0)
            ::close(handle_);
        handle_ = openRegular(path, O_RDWR | O_CREAT);
        if (handle_ < 0) {
            // Another user's lock file that this user may not write still tells whether it
            // is held.
            const int probe = openRegular(path, O_RDONLY);
            const bool held = probe >= 0 && heldByOther(probe, logByte);
            if (held)
                holder_ = holderNamedIn(probe);
            if (probe >= 0)
                ::close(probe);
            if (held)
                return false;
            // Not a lock anyone holds: a directory, a link, a FIFO, a file left by a crash.
            if (!setAside(path))
                return true; // no lock file can be made here
            continue;
        }
        lockByte(handle_, journalByte(QCoreApplication::applicationPid()));
        if (!lockByte(handle_, logByte)) {
            // A file system without locks (ENOLCK) holds no other program's lock either.
            if (errno != EAGAIN && errno != EACCES)
                return true;
            holder_ = holderNamedIn(handle_);
            return false;
        }
        if (namesOpenFile(path, handle_)) {
            locked_ = true;
            writeHolder();
            return true;
        }
    }
    return true;
}

void LogDirectoryLock::writeHolder() const
{
    const QByteArray text = QByteArray::number(QCoreApplication::applicationPid()) + "\nvandrel\n" +
                            QSysInfo::machineHostName().toUtf8() + '\n';
    // Only words for the operator: the lock itself is the kernel's.
    if (::ftruncate(handle_, 0) == 0) {
        [[maybe_unused]] const ssize_t written = ::pwrite(handle_, text.data(), text.size(), 0);
    }
}

bool LogDirectoryLock::isBeingWritten(const QString &journalPath) const
{
    const QFileInfo journal(journalPath);
    const std::optional<off_t> byte = journalByteOf(journal.fileName());
    if (!byte)
        return false;
    const QString directory = QDir::cleanPath(journal.absolutePath());
    if (handle_ >= 0 && directory == QDir::cleanPath(QFileInfo(directory_).absoluteFilePath()))
        return heldByOther(handle_, *byte);
    // Another log directory (the one the log was kept in before): its own lock file.
    const int probe = openRegular(directory + QStringLiteral("/vandrel.lock"), O_RDONLY);
    if (probe < 0)
        return false;
    const bool held = heldByOther(probe, *byte);
    ::close(probe);
    return held;
}
