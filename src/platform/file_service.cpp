#include "file_service.h"

#include "file_io.h"

#include <QFileInfo>
#include <cerrno>
#include <csignal>
#include <unistd.h>

DiskFileService::DiskFileService()
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

std::unique_ptr<QSaveFile> DiskFileService::fileToReplace(const QString &path) const
{
    return std::make_unique<QSaveFile>(path);
}

std::unique_ptr<QFile> DiskFileService::fileToCreate(const QString &path) const
{
    return std::make_unique<QFile>(path);
}

QString DiskFileService::flushToDisk(QFileDevice &file) const
{
    errno = 0;
    if (!file.flush())
        return writeFailure(file);
    if (::fsync(file.handle()) != 0)
        return qt_error_string(errno);
    return {};
}
