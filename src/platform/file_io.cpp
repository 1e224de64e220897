#include "file_io.h"

FileResult<QByteArray> readFile(const FileService &files, const QString &path, qint64 maxSize)
{
    const std::unique_ptr<QFile> file = files.fileToRead(path);
    if (!file->open(QIODevice::ReadOnly))
        return FileError{FileErrorKind::CannotOpen, path, file->errorString()};
    if (!file->isSequential() && file->size() > maxSize)
        return FileError{FileErrorKind::TooLarge, path, {}};
    QByteArray bytes = file->readAll();
    if (file->error() != QFileDevice::NoError)
        return FileError{FileErrorKind::CannotRead, path, file->errorString()};
    // A file that grew while it was read, or one with no size to ask for beforehand.
    if (bytes.size() > maxSize)
        return FileError{FileErrorKind::TooLarge, path, {}};
    return bytes;
}

FileResult<qint64> replaceFile(const FileService &files, const QString &path,
                               std::initializer_list<QByteArrayView> parts)
{
    // An uncommitted file is discarded when it goes out of scope, leaving the old one alone.
    const std::unique_ptr<QSaveFile> file = files.fileToReplace(path);
    if (!file->open(QIODevice::WriteOnly))
        return FileError{FileErrorKind::CannotOpen, path, file->errorString()};
    qint64 written = 0;
    for (const QByteArrayView part : parts) {
        if (file->write(part.data(), part.size()) != part.size())
            return FileError{FileErrorKind::CannotWrite, path, file->errorString()};
        written += part.size();
    }
    if (!file->commit())
        return FileError{FileErrorKind::CannotCommit, path, file->errorString()};
    return written;
}
