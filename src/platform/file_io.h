#pragma once

#include "platform/file_result.h"
#include "platform/file_service.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <initializer_list>
#include <memory>
#include <utility>
#include <variant>

// Which file is at a path and in which state: a file replaced (a new inode), grown, cut or
// rewritten (a new modification time) no longer matches the stamp taken before.
struct FileStamp
{
    bool exists = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;

    friend bool operator==(const FileStamp &, const FileStamp &) = default;
};

// The stamp of whatever the path leads to, links followed; `exists` is false when nothing is
// there.
FileStamp fileStamp(const QString &path);

// The system's words for an error number: the one place the program words errno.
QString systemReason(int errorNumber);

// Why the last write to `file` failed, in the system's words; errno must be cleared before the
// write.
QString writeFailure(const QFileDevice &file);

// Generous enough for any log of a contest weekend, small enough not to exhaust memory on a
// file that is not a log at all.
inline constexpr qint64 defaultReadLimit = 256 * 1024 * 1024;

// The regular file at `path`, opened for reading, or why not. Only a regular file is opened,
// checked on the opened descriptor (so a FIFO cannot block and a device cannot pour out bytes),
// and a file of more than `maxSize` bytes is not opened at all. `stamp`, when given, receives
// the stamp of the file as it was opened.
[[nodiscard]] FileResult<std::unique_ptr<QFile>> openFileToRead(const FileService &files,
                                                                const QString &path,
                                                                qint64 maxSize = defaultReadLimit,
                                                                FileStamp *stamp = nullptr);

// The whole file at `path`, or why not. Only a regular file is read, checked on the opened
// descriptor (so a FIFO cannot block and a device cannot pour out bytes), and a file of more
// than `maxSize` bytes is not read at all. `stamp`, when given, receives the stamp of the file
// as it was read.
[[nodiscard]] FileResult<QByteArray> readFile(const FileService &files, const QString &path,
                                              qint64 maxSize = defaultReadLimit,
                                              FileStamp *stamp = nullptr);

// The file a replace wrote: the real file (the target of a link at the path), the number of
// bytes and its stamp.
struct WrittenFile
{
    QString path;
    qint64 size = 0;
    FileStamp stamp;
};

// Writes `parts`, one after the other, into a new file that takes the place of the one at
// `path` only once every byte is on the disk; otherwise the old file stays as it was and
// nothing half-written is left. Only a regular file is replaced; a symbolic link is written
// through only when it belongs to the user running the program. The new file keeps the old
// one's owner, group and mode where the program may give them.
[[nodiscard]] FileResult<WrittenFile> replaceFile(const FileService &files, const QString &path,
                                                  std::initializer_list<QByteArrayView> parts);

// Keeps `bytes`, the contents of the file at `path`, in a new file beside it named after it and
// `when`, as files set aside are: `path`.yyyy-MM-dd_HH-mm-ss, then -2, -3 ... should that name be
// taken, with the owner, group and mode of the file at `path`. Never replaces anything. The copy
// and its name are on the disk before this returns, so the old file may then be replaced; a copy
// that could not be completed is removed. Returns the copy's path, or a `CannotKeepCopy` error for
// `path` naming the copy and the system's reason.
[[nodiscard]] FileResult<QString> keepCopyAside(const FileService &files, const QString &path,
                                                const QDateTime &when, QByteArrayView bytes);

// The file a read or a replace of `path` reaches: the path itself when it holds a regular file or
// nothing, the target of a link the running user owns; a `ForeignLink` error for a link someone
// else owns, `NotRegularFile` for a directory, a device, a FIFO or a socket.
[[nodiscard]] FileResult<QString> regularTarget(const QString &path);

// The regular file at `path` (never a link, never made anew), opened to be appended to with
// appendToFile().
[[nodiscard]] FileResult<std::unique_ptr<QFile>> openToAppend(const FileService &files,
                                                              const QString &path);
// Adds `bytes` at the end of `file`, opened by openToAppend(`path`), with one write, on the
// disk before it returns.
[[nodiscard]] FileStatus appendToFile(const FileService &files, QFile &file, const QString &path,
                                      QByteArrayView bytes);

// Whether a new file can be created in `directory`, or why not.
[[nodiscard]] FileStatus canCreateFileIn(const QString &directory);

// How a file is set aside: moved to its new name, or given a second name while it stays.
enum class SetAside
{
    Move,
    KeepInPlace,
};
// Sets what is at `path` (a file, a link, a FIFO, a directory) aside, under a name beside it
// carrying its date and time of last change, and returns that name. Never copies a byte and
// never replaces anything already there. KeepInPlace works for a regular file only.
[[nodiscard]] FileResult<QString> setAside(const QString &path, SetAside how = SetAside::Move);
