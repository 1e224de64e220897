#include "platform/file_io.h"

#include <QDateTime>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

FileStamp stampOf(const struct stat &status)
{
    return {true, quint64(status.st_dev), quint64(status.st_ino), qint64(status.st_size),
            qint64(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec};
}

QString lastSystemReason()
{
    return systemReason(errno);
}

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

// The name `path` is set aside under, the n-th try.
QString asideName(const QString &path, const struct stat &status, int n)
{
    const QDateTime changed = QDateTime::fromSecsSinceEpoch(status.st_mtim.tv_sec);
    const QString stem = path + u'.' + changed.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
    return n == 1 ? stem : stem + u'-' + QString::number(n);
}

// Gives what is at `from` the new name `to`, never replacing a file there: EEXIST when one is.
int renameWithoutReplacing(const QByteArray &from, const QByteArray &to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    // Some file systems (NFS) cannot promise it; the name is checked just before instead.
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    struct stat status;
    if (::lstat(to.constData(), &status) == 0)
        return EEXIST;
    return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

// Gives the new file the old one's owner, group and mode. Only root may give a file away; an
// owner may still set its group (where it belongs to it) and mode.
void keepOwnership(int handle, const struct stat &old)
{
    const uid_t user = ::geteuid();
    if (user != 0 && user != old.st_uid)
        return;
    // Changing the owner clears set-user-ID bits, so the mode comes after it.
    [[maybe_unused]] const int owned = ::fchown(handle, old.st_uid, old.st_gid);
    ::fchmod(handle, old.st_mode & 07777);
}

// Writes the copy into a file only this call created, or says why not.
FileStatus writeNewFile(const FileService &files, QFile &file, QByteArrayView bytes)
{
    errno = 0;
    if (file.write(bytes.data(), bytes.size()) != bytes.size())
        return FileError{FileErrorKind::CannotWrite, file.fileName(), writeFailure(file)};
    if (const FileStatus flushed = files.flushToDisk(file); !flushed)
        return flushed;
    file.close();
    return files.syncDirectory(QFileInfo(file.fileName()).absolutePath());
}

} // namespace

QString systemReason(int errorNumber)
{
    return qt_error_string(errorNumber);
}

FileResult<QString> regularTarget(const QString &path)
{
    struct stat status;
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0) {
        if (errno == ENOENT)
            return path;
        return FileError{FileErrorKind::CannotOpen, path, lastSystemReason()};
    }
    if (S_ISREG(status.st_mode))
        return path;
    if (!S_ISLNK(status.st_mode))
        return FileError{FileErrorKind::NotRegularFile, path, {}};

    const QFileInfo link(path);
    // A dangling link still names the file it would create.
    const QString canonical = link.canonicalFilePath();
    const QString target = canonical.isEmpty() ? link.symLinkTarget() : canonical;
    if (status.st_uid != ::geteuid())
        return FileError{FileErrorKind::ForeignLink, path, {}, target};
    struct stat targetStatus;
    if (::stat(QFile::encodeName(target).constData(), &targetStatus) == 0 &&
        !S_ISREG(targetStatus.st_mode))
        return FileError{FileErrorKind::NotRegularFile, target, {}};
    return target;
}

QString writeFailure(const QFileDevice &file)
{
    // Qt words a failed write of a file being saved "Unknown error"; the system's own word for
    // it is still in errno.
    return errno != 0 ? lastSystemReason() : file.errorString();
}

FileStamp fileStamp(const QString &path)
{
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return {};
    return stampOf(status);
}

FileResult<std::unique_ptr<QFile>> openFileToRead(const FileService &files, const QString &path,
                                                  qint64 maxSize, FileStamp *stamp)
{
    // Without O_NONBLOCK, opening a FIFO would wait for a writer that may never come.
    const int handle =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (handle < 0)
        return FileError{FileErrorKind::CannotOpen, path, lastSystemReason()};
    struct stat status;
    if (::fstat(handle, &status) != 0) {
        const QString reason = lastSystemReason();
        ::close(handle);
        return FileError{FileErrorKind::CannotOpen, path, reason};
    }
    if (!S_ISREG(status.st_mode) || status.st_size > maxSize) {
        ::close(handle);
        const auto kind =
            S_ISREG(status.st_mode) ? FileErrorKind::TooLarge : FileErrorKind::NotRegularFile;
        return FileError{kind, path, {}};
    }

    std::unique_ptr<QFile> file = files.fileToRead(path);
    if (!file->open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(handle);
        return FileError{FileErrorKind::CannotOpen, path, file->errorString()};
    }
    if (stamp)
        *stamp = stampOf(status);
    return file;
}

FileResult<QByteArray> readFile(const FileService &files, const QString &path, qint64 maxSize,
                                FileStamp *stamp)
{
    FileStamp opened;
    FileResult<std::unique_ptr<QFile>> open = openFileToRead(files, path, maxSize, &opened);
    if (!open)
        return open.error();
    const std::unique_ptr<QFile> &file = open.value();
    QByteArray bytes;
    bytes.reserve(opened.size);
    char chunk[64 * 1024];
    for (;;) {
        const qint64 read = file->read(chunk, sizeof chunk);
        if (read < 0)
            return FileError{FileErrorKind::CannotRead, path, file->errorString()};
        if (read == 0)
            break;
        // A file that grows while it is read.
        if (bytes.size() + read > maxSize)
            return FileError{FileErrorKind::TooLarge, path, {}};
        bytes.append(chunk, read);
    }
    if (stamp)
        *stamp = opened;
    return bytes;
}

FileResult<WrittenFile> replaceFile(const FileService &files, const QString &path,
                                    std::initializer_list<QByteArrayView> parts)
{
    const FileResult<QString> target = regularTarget(path);
    if (!target)
        return target.error();
    const QString &realPath = target.value();
    struct stat old;
    const bool hadOld = ::stat(QFile::encodeName(realPath).constData(), &old) == 0;

    // An uncommitted file is discarded when it goes out of scope, leaving the old one alone.
    const std::unique_ptr<QSaveFile> file = files.fileToReplace(realPath);
    if (!file->open(QIODevice::WriteOnly))
        return FileError{FileErrorKind::CannotOpen, realPath, file->errorString()};
    if (hadOld)
        keepOwnership(file->handle(), old);
    qint64 written = 0;
    for (const QByteArrayView part : parts) {
        errno = 0;
        if (file->write(part.data(), part.size()) != part.size())
            return FileError{FileErrorKind::CannotWrite, realPath, writeFailure(*file)};
        written += part.size();
    }
    // A full disk or a file-size limit often shows only when the buffer goes out; the file
    // must not take the old one's place before that is known.
    if (const FileStatus flushed = files.flushToDisk(*file); !flushed)
        return flushed.error();
    struct stat status;
    const FileStamp stamp = ::fstat(file->handle(), &status) == 0 ? stampOf(status) : FileStamp{};
    if (!file->commit())
        return FileError{FileErrorKind::CannotCommit, realPath, file->errorString()};
    return WrittenFile{realPath, written, stamp};
}

FileResult<QString> keepCopyAside(const FileService &files, const QString &path,
                                  const QDateTime &when, QByteArrayView bytes)
{
    const QString stem = path + u'.' + when.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
    for (int n = 1; n < 1000; ++n) {
        const QString copyPath = n == 1 ? stem : stem + u'-' + QString::number(n);
        const std::unique_ptr<QFile> file = files.fileToCreate(copyPath);
        // NewOnly: the name is taken or not in one step, so no other file is ever written over.
        if (!file->open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (files.exists(copyPath))
                continue;
            return FileError{FileErrorKind::CannotKeepCopy, path, file->errorString(), copyPath};
        }
        // Readable by no one the old file was not readable by.
        struct stat kept;
        if (::stat(QFile::encodeName(path).constData(), &kept) == 0)
            keepOwnership(file->handle(), kept);
        const FileStatus written = writeNewFile(files, *file, bytes);
        if (written)
            return copyPath;
        // Incomplete, it keeps nothing; the file it was to keep is still in its place.
        file->remove();
        return FileError{FileErrorKind::CannotKeepCopy, path, written.error().reason, copyPath};
    }
    return FileError{FileErrorKind::CannotKeepCopy, path, QStringLiteral("Too many copies kept"),
                     stem};
}

FileResult<std::unique_ptr<QFile>> openToAppend(const FileService &files, const QString &path)
{
    // O_NOFOLLOW: a link planted since the file was written is not followed; no O_CREAT: a file
    // that went away is not made again without the header the writer puts first.
    const int handle = ::open(encoded(path).constData(),
                              O_WRONLY | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (handle < 0)
        return FileError{FileErrorKind::CannotOpen, path, lastSystemReason()};
    struct stat status;
    if (::fstat(handle, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(handle);
        return FileError{FileErrorKind::NotRegularFile, path, {}};
    }
    std::unique_ptr<QFile> file = files.fileToAppend(path);
    if (!file->open(handle, QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered,
                    QFileDevice::AutoCloseHandle)) {
        ::close(handle);
        return FileError{FileErrorKind::CannotOpen, path, file->errorString()};
    }
    return file;
}

FileStatus appendToFile(const FileService &files, QFile &file, const QString &path,
                        QByteArrayView bytes)
{
    // One write: a crash leaves the bytes whole or cut short, never interleaved.
    errno = 0;
    if (file.write(bytes.data(), bytes.size()) != bytes.size())
        return FileError{FileErrorKind::CannotWrite, path, writeFailure(file)};
    if (const FileStatus synced = files.syncData(file); !synced)
        return FileError{FileErrorKind::CannotWrite, path, synced.error().reason};
    return fileDone;
}

FileResult<QString> setAside(const QString &path, SetAside how)
{
    const QByteArray from = encoded(path);
    struct stat status;
    if (::lstat(from.constData(), &status) != 0)
        return FileError{FileErrorKind::CannotOpen, path, lastSystemReason()};
    if (how == SetAside::KeepInPlace && !S_ISREG(status.st_mode))
        return FileError{FileErrorKind::NotRegularFile, path, {}};
    for (int n = 1; n < 1000; ++n) {
        const QString aside = asideName(path, status, n);
        const QByteArray to = encoded(aside);
        // Both are atomic: after a crash the file is under one name or the other (or both).
        const int error = how == SetAside::Move
                              ? renameWithoutReplacing(from, to)
                              : (::link(from.constData(), to.constData()) == 0 ? 0 : errno);
        if (error == 0)
            return aside;
        if (error != EEXIST)
            return FileError{FileErrorKind::CannotCommit, path, systemReason(error)};
    }
    return FileError{FileErrorKind::CannotCommit, path, QStringLiteral("Too many files set aside")};
}

FileStatus canCreateFileIn(const QString &directory)
{
    QTemporaryFile probe(directory + QStringLiteral("/.vandrel-write-test-XXXXXX"));
    if (probe.open())
        return fileDone;
    return FileError{FileErrorKind::CannotOpen, directory, probe.errorString()};
}
