#pragma once

#include "platform/file_result.h"

#include <QFile>
#include <QSaveFile>
#include <QString>
#include <memory>

// The files the program reads and writes, handed out unopened so that tests can hand out files
// that fail where a disk or a network share would, and the steps that put written bytes on the
// disk, so that tests can count them and make them fail.
class FileService
{
public:
    virtual ~FileService() = default;
    // Whether anything, a file or a directory, is at `path`.
    virtual bool exists(const QString &path) const = 0;
    // The file at `path`, to be read from a descriptor the caller opened.
    virtual std::unique_ptr<QFile> fileToRead(const QString &path) const = 0;
    // The file at `path`, to be appended to through a descriptor the caller opened.
    virtual std::unique_ptr<QFile> fileToAppend(const QString &path) const = 0;
    // A new file for `path` that takes the place of the old one only when it is committed
    // complete; until then the old file stays as it was.
    virtual std::unique_ptr<QSaveFile> fileToReplace(const QString &path) const = 0;
    // A file for `path` that is only ever created: opened with QIODevice::NewOnly, it fails
    // where anything is already there, so a copy kept aside never takes another file's place.
    virtual std::unique_ptr<QFile> fileToCreate(const QString &path) const = 0;
    // Moves what was written to `file` out of the program's buffer and onto the disk, or says
    // why not (`CannotWrite`, with the file's name).
    [[nodiscard]] virtual FileStatus flushToDisk(QFileDevice &file) const = 0;
    // Puts the bytes appended to `file` on the disk (fdatasync), or says why not
    // (`CannotWrite`).
    [[nodiscard]] virtual FileStatus syncData(QFile &file) const = 0;
    // Puts the names made or changed in `directory` on the disk (fsync of the directory), or
    // says why not (`CannotCommit`, with the directory's path).
    [[nodiscard]] virtual FileStatus syncDirectory(const QString &directory) const = 0;
};

class DiskFileService : public FileService
{
public:
    bool exists(const QString &path) const override;
    std::unique_ptr<QFile> fileToRead(const QString &path) const override;
    std::unique_ptr<QFile> fileToAppend(const QString &path) const override;
    std::unique_ptr<QSaveFile> fileToReplace(const QString &path) const override;
    std::unique_ptr<QFile> fileToCreate(const QString &path) const override;
    FileStatus flushToDisk(QFileDevice &file) const override;
    FileStatus syncData(QFile &file) const override;
    FileStatus syncDirectory(const QString &directory) const override;
};

// A write beyond the file-size limit (ulimit -f) must fail like any other, not end the program
// with the log in it: each program calls this once, first thing in main().
void ignoreFileSizeSignal();
