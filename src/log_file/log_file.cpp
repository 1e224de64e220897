#include "log_file/log_file.h"

#include "contact_log/contact_form.h"
#include "contact_log/sent_number.h"
#include "log_file/held_lines.h"
#include "log_file/log_file_text.h"

#include <QDir>
#include <QFileInfo>
#include <utility>

namespace {

const QString recoveryFileName = QStringLiteral("vandrel.recovery");
constexpr QByteArrayView crLf = "\r\n";
constexpr QByteArrayView utf8ByteOrderMark = "\xEF\xBB\xBF";

// Before "Save" replaces a file this window did not last read or write: a copy of it is kept
// aside when it holds lines the log lacks. The copy's path; empty when nothing needed keeping.
FileResult<QString> keepLinesTheLogLacks(const LogFileServices &services, const QString &logPath,
                                         QByteArrayView logUtf8)
{
    // The file "Save" would replace, and beside which its copy goes: a link's target.
    const FileResult<QString> target = regularTarget(logPath);
    if (!target)
        return target.error();
    const QString &path = target.value();
    if (!services.files.exists(path))
        return QString();
    FileStamp stamp;
    const FileResult<QByteArray> bytes = readFile(services.files, path, defaultReadLimit, &stamp);
    // Unread, its lines cannot be known to be in the log: it is not replaced.
    if (!bytes)
        return bytes.error();
    const QByteArray &old = bytes.value();
    // Compared as the log is written, in UTF-8; a file of an older version's encoding is decoded
    // first, as "Open" would read it.
    const bool asWritten = QByteArrayView(old).isValidUtf8() && !old.startsWith(utf8ByteOrderMark);
    const QByteArray decoded = asWritten ? QByteArray() : decodeLogFile(old).toUtf8();
    if (!holdsLinesNotIn(asWritten ? old : decoded, logUtf8))
        return QString();
    // Named after the time the file was last written, as the recovery file's copies are.
    const QDateTime written = QDateTime::fromMSecsSinceEpoch(stamp.modifiedNs / 1'000'000);
    return keepCopyAside(services.files, path, written, old);
}

} // namespace

QString recoveryFilePath(const LogDirectoryService &directory)
{
    return directory.path() + u'/' + recoveryFileName;
}

FileResult<QString> usableLogFilePath(const LogDirectoryService &directory)
{
    const QString path = directory.path();
    // Bytes that are not UTF-8 come back as replacement marks, a name for another directory
    // or for none; an empty name would put the log at the root.
    const bool nameLost = path.contains(QChar::ReplacementCharacter) && !QFileInfo(path).isDir();
    if (!QDir::isAbsolutePath(path) || nameLost)
        return FileError{FileErrorKind::UnusableDirectory, path, {}};
    return logFilePath(directory);
}

FileResult<SavedLog> SaveLog(ContactForm &form, const LogFileServices &services)
{
    const FileResult<QString> usablePath = usableLogFilePath(services.directory);
    if (!usablePath)
        return usablePath.error();
    const QString &path = usablePath.value();
    if (form.Text1.textLength() == 0)
        return FileError{FileErrorKind::NothingToWrite, path, {}};
    services.directory.prepareForWriting();
    // One encoded copy of the log, however long; the last line end is written after it rather
    // than appended to a copy of the text.
    const QByteArray bytes = form.Text1.textUtf8();
    // The file as this window last read or wrote it holds what the operator chose to keep; any
    // other (never opened, or saved meanwhile by another window) may hold contacts the log lacks.
    QString keptCopy;
    if (!form.logFileSeen || fileStamp(path) != *form.logFileSeen) {
        const FileResult<QString> kept = keepLinesTheLogLacks(services, path, bytes);
        if (!kept) {
            FileError error = kept.error();
            error.path = path;
            return error;
        }
        keptCopy = kept.value();
    }
    const FileResult<WrittenFile> written = replaceFile(services.files, path, {bytes, crLf});
    if (!written) {
        FileError error = written.error();
        error.keptCopy = keptCopy;
        return error;
    }
    form.logFileSeen = written.value().stamp;
    return SavedLog{written.value().path, written.value().size, keptCopy};
}

FileResult<OpenedLog> OpenLog(ContactForm &form, const LogFileServices &services,
                              const AddHeldContacts &addHeld)
{
    const FileResult<QString> usablePath = usableLogFilePath(services.directory);
    if (!usablePath)
        return usablePath.error();
    const QString &path = usablePath.value();
    if (!services.files.exists(path))
        return FileError{FileErrorKind::NotFound, path, {}};
    FileStamp stamp;
    FileResult<QByteArray> bytes = readFile(services.files, path, defaultReadLimit, &stamp);
    if (!bytes)
        return bytes.error();
    QString fileText = decodeLogFile(bytes.value());
    bytes = QByteArray(); // not kept while the log box is drawn
    if (const qsizetype line = firstLineLongerThan(fileText, maxLineLength))
        return FileError{FileErrorKind::LineTooLong, path, {}, {}, line};
    QString logText = form.Text1.text();
    // A second "Open", or "Open" after the log came back from the recovery file, would repeat
    // contacts and their sent numbers. An empty log holds none: nothing to look for.
    if (addHeld && !logText.isEmpty()) {
        const HeldContacts held = contactsHeld(logText, fileText);
        if (held.held > 0 && !addHeld(held.held, held.contacts))
            return OpenedLog::Declined;
    }
    logText = logTextAfterOpen(logText, fileText);
    fileText = QString();
    // The whole file goes into the log box in one change, however many lines it holds: the box
    // is drawn once and its change procedure runs once.
    form.Text1.setText(std::move(logText));
    RestoreSentNumber(lastContactLineOf(form.Text1), form.Frame1);
    form.logFileSeen = stamp;
    return OpenedLog::Added;
}
