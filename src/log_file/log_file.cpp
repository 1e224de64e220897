#include "log_file.h"

#include "contact_form.h"
#include "log_file_text.h"
#include "sent_number.h"
#include "window_services.h"

#include <QDir>
#include <QFileInfo>
#include <utility>

namespace {

const QString recoveryFileName = QStringLiteral("vandrel.recovery");
constexpr QByteArrayView crLf = "\r\n";

} // namespace

QString logFilePath(const ProgramDirectory &directory)
{
    return directory.path() + u'/' + logFileName;
}

QString recoveryFilePath(const ProgramDirectory &directory)
{
    return directory.path() + u'/' + recoveryFileName;
}

FileResult<QString> usableLogFilePath(const ProgramDirectory &directory)
{
    const QString path = directory.path();
    // Bytes that are not UTF-8 come back as replacement marks, a name for another directory
    // or for none; an empty name would put the log at the root.
    const bool nameLost = path.contains(QChar::ReplacementCharacter) && !QFileInfo(path).isDir();
    if (!QDir::isAbsolutePath(path) || nameLost)
        return FileError{FileErrorKind::UnusableDirectory, path, {}};
    return logFilePath(directory);
}

void RememberLogFile(ContactForm &form, const WindowServices &services)
{
    if (const FileResult<QString> path = usableLogFilePath(services.programDirectory))
        form.logFileSeen = fileStamp(path.value());
}

SaveResult SaveLog(ContactForm &form, const WindowServices &services)
{
    const FileResult<QString> usablePath = usableLogFilePath(services.programDirectory);
    if (!usablePath)
        return {SaveResult::Failed, usablePath.error().path, usablePath.error()};
    const QString &path = usablePath.value();
    if (form.Text1.textLength() == 0)
        return {SaveResult::EmptyLog, path};
    services.programDirectory.prepareForWriting();
    // Contacts another window saved there would be lost; a file that is gone loses nothing.
    const FileStamp now = fileStamp(path);
    if (form.logFileSeen && now.exists && now != *form.logFileSeen)
        return {SaveResult::Failed, path, {FileErrorKind::ChangedSinceSeen, path, {}}};
    // One encoded copy of the log, however long; the last line end is written after it rather
    // than appended to a copy of the text.
    const QByteArray bytes = form.Text1.textUtf8();
    const FileResult<WrittenFile> written = replaceFile(services.files, path, {bytes, crLf});
    if (!written)
        return {SaveResult::Failed, written.error().path, written.error()};
    form.logFileSeen = written.value().stamp;
    return {SaveResult::Saved, written.value().path, {}, written.value().size};
}

OpenResult OpenLog(ContactForm &form, const WindowServices &services)
{
    const FileResult<QString> usablePath = usableLogFilePath(services.programDirectory);
    if (!usablePath)
        return {OpenResult::Failed, usablePath.error().path, usablePath.error()};
    const QString &path = usablePath.value();
    if (!services.files.exists(path))
        return {OpenResult::NotFound, path};
    FileStamp stamp;
    FileResult<QByteArray> bytes = readFile(services.files, path, defaultReadLimit, &stamp);
    if (!bytes)
        return {OpenResult::Failed, path, bytes.error()};
    QString fileText = decodeLogFile(bytes.value());
    bytes = QByteArray(); // not kept while the log box is drawn
    if (const qsizetype line = firstLineLongerThan(fileText, maxLineLength))
        return {OpenResult::Failed, path, {FileErrorKind::LineTooLong, path, {}}, line};
    QString logText = logTextAfterOpen(form.Text1.text(), fileText);
    fileText = QString();
    // The whole file goes into the log box in one change, however many lines it holds: the box
    // is drawn once and its change procedure runs once.
    form.Text1.setText(std::move(logText));
    RestoreSentNumber(lastContactLineOf(form.Text1), form.Frame1);
    form.logFileSeen = stamp;
    return {OpenResult::Opened, path};
}
