#pragma once

#include <QString>
#include <utility>
#include <variant>

// What went wrong with a file, in the terms the program acts on.
enum class FileErrorKind
{
    CannotOpen,        // the file could not be opened (missing directory, no permission)
    CannotRead,        // opened, but reading it failed part way
    TooLarge,          // larger than the reader was willing to take
    CannotWrite,       // writing the replacing file failed (a full disk, a file-size limit)
    CannotCommit,      // the complete replacing file could not take the old one's place
    NotRegularFile,    // a directory, a device, a FIFO or a socket is at the path
    ForeignLink,       // a symbolic link that another user owns is at the path
    UnusableDirectory, // the directory is not there under the name the program has for it, or
                       // could not be made
    LineTooLong,       // a line far longer than any contact line
    CannotKeepCopy,    // the copy of a file to be kept aside could not be made (`target`)
    NotFound,          // nothing is at the path
    NothingToWrite,    // refused: there was nothing to write, and no file was touched
};

// A failed read or write: which file, what kind of failure and the system's own words for it
// (empty when the system gave none).
struct FileError
{
    FileErrorKind kind;
    QString path;
    QString reason;
    QString target{};   // for a link: the file it points to; for a copy: the copy's path
    qsizetype line = 0; // for a line too long: its number, from 1
    // A copy of the old file kept aside before a replace failed: the copy's path.
    QString keptCopy{};
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

// Done, or the error that kept it from being done.
using FileStatus = FileResult<std::monostate>;
inline const FileStatus fileDone{std::monostate{}};
