#pragma once

#include "platform/file_io.h"
#include "platform/file_service.h"

#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <memory>

// The recovery file on disk, written through the file service with the log file's checks
// (never through another user's link, never onto anything but a regular file, keeping the
// old file's owner and mode). Every write is on the disk before it returns, and a kill or a
// power cut at any moment leaves a file that holds every record written before it whole,
// perhaps followed by the beginning of the one being written.
class RecoveryFile
{
public:
    RecoveryFile(const FileService &files, const QString &path);

    const QString &path() const { return path_; }
    QString directoryPath() const;

    // Replaces the file with the header and `records`. The new file takes the old one's place
    // only once it is complete and on the disk, and the directory is synced after the rename,
    // so one or the other is found after any crash.
    [[nodiscard]] FileStatus replace(QByteArrayView records);
    // Adds one record at the end of the file with one write, synced.
    [[nodiscard]] FileStatus append(QByteArrayView record);
    // Makes the renames and new files of the directory durable.
    [[nodiscard]] FileStatus syncDirectory();

private:
    FileStatus ofThisFile(FileStatus status) const;

    const FileService &files_;
    QString path_;
    QString written_;                  // the real file the last replace wrote
    std::unique_ptr<QFile> appending_; // open from the first append until the file is replaced
};
