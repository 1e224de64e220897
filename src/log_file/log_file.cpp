#include "log_file.h"

#include "contact_form.h"
#include "log_file_text.h"
#include "sent_number.h"
#include "window_services.h"

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

SaveResult SaveLog(const ContactForm &form, const WindowServices &services)
{
    const QString &logText = form.Text1.text();
    const QString path = logFilePath(services.programDirectory);
    if (logText.isEmpty())
        return {SaveResult::EmptyLog, path};
    services.programDirectory.prepareForWriting();
    // One encoded copy of the log, however long; the last line end is written after it rather
    // than appended to a copy of the text.
    const QByteArray bytes = logText.toUtf8();
    const FileResult<qint64> written = replaceFile(services.files, path, {bytes, crLf});
    if (!written)
        return {SaveResult::Failed, path, written.error()};
    return {SaveResult::Saved, path};
}

OpenResult OpenLog(ContactForm &form, const WindowServices &services)
{
    const QString path = logFilePath(services.programDirectory);
    if (!services.files.exists(path))
        return {OpenResult::NotFound, path};
    FileResult<QByteArray> bytes = readFile(services.files, path);
    if (!bytes)
        return {OpenResult::Failed, path, bytes.error()};
    const QString logText = logTextAfterOpen(form.Text1.text(), bytes.value());
    bytes = QByteArray(); // not kept while the log box is drawn
    // The whole file goes into the log box in one change, however many lines it holds: the box
    // is drawn once and its change procedure runs once.
    form.Text1.setText(logText);
    RestoreSentNumber(form.Text1.text(), form.Frame1);
    return {OpenResult::Opened, path};
}
