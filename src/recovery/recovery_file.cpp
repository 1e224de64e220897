#include "recovery/recovery_file.h"

#include "recovery/recovery_records.h"

#include <QFileInfo>

RecoveryFile::RecoveryFile(const FileService &files, const QString &path)
    : files_(files), path_(path)
{}

QString RecoveryFile::directoryPath() const
{
    return QFileInfo(path_).absolutePath();
}

FileStatus RecoveryFile::replace(QByteArrayView records)
{
    // Appends after this go to the new file, not to the one it replaces.
    appending_.reset();
    written_.clear();
    const FileResult<WrittenFile> written =
        replaceFile(files_, path_, {recoveryFileHeader(), records});
    if (!written)
        return written.error();
    written_ = written.value().path;
    return ofThisFile(files_.syncDirectory(QFileInfo(written_).absolutePath()));
}

FileStatus RecoveryFile::append(QByteArrayView record)
{
    const QString &path = written_.isEmpty() ? path_ : written_;
    if (!appending_) {
        // Only replace() writes a header: without one written, there is nothing to add to.
        FileResult<std::unique_ptr<QFile>> opened = openToAppend(files_, path);
        if (!opened)
            return opened.error();
        appending_ = std::move(opened.value());
    }
    const FileStatus appended = appendToFile(files_, *appending_, path, record);
    if (!appended)
        appending_.reset();
    return appended;
}

FileStatus RecoveryFile::syncDirectory()
{
    return ofThisFile(files_.syncDirectory(directoryPath()));
}

FileStatus RecoveryFile::ofThisFile(FileStatus status) const
{
    // A directory that cannot be synced leaves this file's new name unsafe: the operator hears
    // of the file.
    if (status)
        return status;
    FileError error = status.error();
    error.path = path_;
    return error;
}
