#include "platform/file_service.h"

#include "platform/file_io.h"

#include <QFileInfo>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

void ignoreFileSizeSignal()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

bool DiskFileService::exists(const QString &path) const
{
    return QFileInfo::exists(path);
}

std::unique_ptr<QFile> DiskFileService::fileToRead(const QString &path) const
{
    return std::make_unique<QFile>(path);
}

std::unique_ptr<QFile> DiskFileService::fileToAppend(const QString &path) const
{
    return std::make_unique<QFile>(path);
}

std::unique_ptr<QSaveFile> DiskFileService::fileToReplace(const QString &path) const
{
    return std::make_unique<QSaveFile>(path);
}

std::unique_ptr<QFile> DiskFileService::fileToCreate(const QString &path) const
{
    return std::make_unique<QFile>(path);
}

FileStatus DiskFileService::flushToDisk(QFileDevice &file) const
{
    errno = 0;
    if (!file.flush())
        return FileError{FileErrorKind::CannotWrite, file.fileName(), writeFailure(file)};
    if (::fsync(file.handle()) != 0)
        return FileError{FileErrorKind::CannotWrite, file.fileName(), systemReason(errno)};
    return fileDone;
}

FileStatus DiskFileService::syncData(QFile &file) const
{
    if (::fdatasync(file.handle()) != 0)
        return FileError{FileErrorKind::CannotWrite, file.fileName(), systemReason(errno)};
    return fileDone;
}

FileStatus DiskFileService::syncDirectory(const QString &directory) const
{
    const int handle =
        ::open(QFile::encodeName(directory).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0)
        return FileError{FileErrorKind::CannotCommit, directory, systemReason(errno)};
    const bool synced = ::fsync(handle) == 0;
    const QString reason = synced ? QString() : systemReason(errno);
    ::close(handle);
    if (!synced)
        return FileError{FileErrorKind::CannotCommit, directory, reason};
    return fileDone;
}
