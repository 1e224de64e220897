#include "file_service.h"

#include <QFileInfo>

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
