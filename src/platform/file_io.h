#pragma once

#include "file_service.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <initializer_list>
#include <utility>
#include <variant>

// What went wrong with a file, in the terms the program acts on.
enum class FileErrorKind
{
    CannotOpen,   // the file could not be opened (missing directory, no permission, a directory)
    CannotRead,   // opened, but reading it failed part way
    TooLarge,     // larger than the reader was willing to take
    CannotWrite,  // writing the replacing file failed (a full disk)
    CannotCommit, // the complete replacing file could not take the old one's place
};

// A failed read or write: which file, what kind of failure and the system's own words for it
// (empty when the system gave none).
struct FileError
{
    FileErrorKind kind;
    QString path;
    QString reason;
};

// A value, or the error that kept it from being made.
template <typename T> class FileResult
{
public:
    FileResult(T value) : state_(std::move(value)) {}
    FileResult(FileError error) : state_(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(state_); }
    explicit operator bool() const { return ok(); }
    T &value() { return std::get<T>(state_); }
    const T &value() const { return std::get<T>(state_); }
    const FileError &error() const { return std::get<FileError>(state_); }

private:
    std::variant<T, FileError> state_;
};

// Generous enough for any log of a contest weekend, small enough not to exhaust memory on a
// file that is not a log at all.
inline constexpr qint64 defaultReadLimit = 256 * 1024 * 1024;

// The whole file at `path`, or why not; a file of more than `maxSize` bytes is not read.
[[nodiscard]] FileResult<QByteArray> readFile(const FileService &files, const QString &path,
                                              qint64 maxSize = defaultReadLimit);

// Writes `parts`, one after the other, into a new file that takes the place of the one at
// `path` only once every byte is written; otherwise the old file stays as it was and nothing
// half-written is left. Returns the number of bytes written.
[[nodiscard]] FileResult<qint64> replaceFile(const FileService &files, const QString &path,
                                             std::initializer_list<QByteArrayView> parts);
