#pragma once

#include <QByteArrayView>
#include <QFile>
#include <QString>

// The recovery file on disk. Every write is on the disk before it returns (fsync), and a kill
// or a power cut at any moment leaves a file that holds every record written before it whole,
// perhaps followed by the beginning of the one being written.
class RecoveryFile
{
public:
    explicit RecoveryFile(const QString &path);

    const QString &path() const { return path_; }
    QString directoryPath() const;
    // Why the last write failed.
    const QString &errorString() const { return error_; }

    // Replaces the file with the header and `records`. The new file takes the old one's place
    // only once it is complete and on the disk, and the directory is synced after the rename,
    // so one or the other is found after any crash.
    bool replace(QByteArrayView records);
    // Adds one record at the end of the file with one write, synced.
    bool append(QByteArrayView record);
    // Makes the renames and new files of the directory durable.
    bool syncDirectory();

private:
    bool fail(const QString &reason);

    QString path_;
    QFile appending_; // open from the first append until the file is replaced
    QString error_;
};

// Moves the file at `path` aside, to a name beside it carrying its date and time of last change,
// and returns that path; never overwrites anything. Empty, with `error` set, when it cannot.
// With `keepOriginal` it copies the file there instead, and the original stays in place.
QString moveAside(const QString &path, QString &error, bool keepOriginal = false);

// Whether a new file can be created in `directory`; `error` says why not.
bool canWriteIn(const QString &directory, QString &error);
