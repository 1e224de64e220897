#include "recovery_file.h"

#include "recovery_records.h"

#include <QFileInfo>
#include <QTemporaryFile>

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
    return ::syncDirectory(files_, QFileInfo(written_).absolutePath());
}

FileStatus RecoveryFile::append(QByteArrayView record)
{
    if (!appending_) {
        // Only replace() writes a header: without one written, there is nothing to add to.
        FileResult<std::unique_ptr<QFile>> opened =
            openToAppend(files_, written_.isEmpty() ? path_ : written_);
        if (!opened)
            return opened.error();
        appending_ = std::move(opened.value());
    }
    const FileStatus appended = appendToFile(files_, *appending_, record);
    if (!appended)
        appending_.reset();
    return appended;
}

FileStatus RecoveryFile::syncDirectory()
{
    return ::syncDirectory(files_, directoryPath());
}

bool canWriteIn(const QString &directory, QString &error)
{
    QTemporaryFile probe(directory + QStringLiteral("/.vandrel-write-test-XXXXXX"));
    if (probe.open())
        return true;
    error = probe.errorString();
    return false;
}
