#include "log_file.h"

#include "contact_form.h"
#include "log_file_text.h"
#include "sent_number.h"
#include "window_services.h"

#include <QDir>
#include <optional>

namespace {

const QString messageTitle = QStringLiteral("Morvit Vandrel");
const QString logFileName = QStringLiteral("vandrel.txt");
const QString recoveryFileName = QStringLiteral("vandrel.recovery");
constexpr QByteArrayView crLf = "\r\n";

// The path as the operator knows it, with the platform's own separator.
QString shownPath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString reasonOf(const QIODevice &file)
{
    const QString reason = file.errorString();
    return reason.isEmpty() ? QStringLiteral("Unknown error") : reason;
}

// Writes the log text and one CR LF into a new file that takes the place of the old one only
// when every byte is written. Returns why it could not, or nothing when it could.
std::optional<QString> replaceLogFile(const FileService &files, const QString &path,
                                      QStringView logText)
{
    const std::unique_ptr<QSaveFile> file = files.fileToReplace(path);
    if (!file->open(QIODevice::WriteOnly))
        return reasonOf(*file);
    // One encoded copy of the log, however long; the last line end is written after it rather
    // than appended to a copy of the text.
    const QByteArray bytes = logText.toUtf8();
    if (file->write(bytes) != bytes.size() ||
        file->write(crLf.data(), crLf.size()) != crLf.size()) {
        const QString reason = reasonOf(*file);
        file->cancelWriting();
        return reason;
    }
    if (!file->commit())
        return reasonOf(*file);
    return std::nullopt;
}

// The whole file at once, or why it cannot be read.
std::optional<QByteArray> readLogFile(const FileService &files, const QString &path,
                                      QString &reason)
{
    const std::unique_ptr<QFile> file = files.fileToRead(path);
    if (!file->open(QIODevice::ReadOnly)) {
        reason = reasonOf(*file);
        return std::nullopt;
    }
    QByteArray bytes = file->readAll();
    if (file->error() != QFileDevice::NoError) {
        reason = reasonOf(*file);
        return std::nullopt;
    }
    return bytes;
}

} // namespace

QString logFilePath(const ProgramDirectory &directory)
{
    return directory.path() + u'/' + logFileName;
}

QString recoveryFilePath(const ProgramDirectory &directory)
{
    return directory.path() + u'/' + recoveryFileName;
}

void SaveLog(const ContactForm &form, const WindowServices &services)
{
    const QString &logText = form.Text1.text();
    if (logText.isEmpty()) {
        services.messages.msgBox(QStringLiteral("Impossible to save an empty log"), vbInformation,
                                 messageTitle);
        return;
    }
    const QString path = logFilePath(services.programDirectory);
    if (const auto failure = replaceLogFile(services.files, path, logText)) {
        services.messages.msgBox(
            QStringLiteral("Impossible to save the log in %1:\n%2\nThe file is as it was before; "
                           "the log is still in the window.")
                .arg(shownPath(path), *failure),
            vbExclamation, messageTitle);
        return;
    }
    services.messages.msgBox(QStringLiteral("Log saved in ") + shownPath(path), vbInformation,
                             messageTitle);
}

void OpenLog(ContactForm &form, const WindowServices &services)
{
    const QString path = logFilePath(services.programDirectory);
    if (!services.files.exists(path)) {
        services.messages.msgBox(QStringLiteral("Log not found!."), vbExclamation, messageTitle);
        return;
    }
    QString reason;
    std::optional<QByteArray> bytes = readLogFile(services.files, path, reason);
    if (!bytes) {
        services.messages.msgBox(
            QStringLiteral(
                "Impossible to read the log %1:\n%2\nThe log in the window is unchanged.")
                .arg(shownPath(path), reason),
            vbExclamation, messageTitle);
        return;
    }
    const QString logText = logTextAfterOpen(form.Text1.text(), *bytes);
    bytes.reset(); // not kept while the log box is drawn
    // The whole file goes into the log box in one change, however many lines it holds: the box
    // is drawn once and its change procedure runs once.
    form.Text1.setText(logText);
    RestoreSentNumber(form.Text1.text(), form.Frame1);
}
