#include "main_window/operator_messages.h"

#include <QDir>

namespace {

// The line that says where the old log file was kept, after a message about "Save".
QString keptCopyLine(const QString &keptCopy, bool saved)
{
    if (keptCopy.isEmpty())
        return {};
    const QString line = saved ? QStringLiteral("\nThe file it replaced held lines this log lacks; "
                                                "it was kept as %1")
                               : QStringLiteral("\nIt holds lines this log lacks; a copy of it was "
                                                "kept as %1");
    return line.arg(shownPath(keptCopy));
}

// The system's own words for the failure.
QString systemWords(const FileError &error)
{
    return error.reason.isEmpty() ? QStringLiteral("Unknown error") : error.reason;
}

QString reasonText(const FileError &error)
{
    switch (error.kind) {
    case FileErrorKind::TooLarge:
        return QStringLiteral("The file is larger than %1 MB").arg(defaultReadLimit >> 20);
    case FileErrorKind::NotRegularFile:
        return QStringLiteral("It is not a regular file (a device, a FIFO or a directory); it "
                              "is left alone");
    case FileErrorKind::ForeignLink:
        return QStringLiteral("It is a link to %1 that belongs to another user; the log is not "
                              "written through it")
            .arg(shownPath(error.target));
    case FileErrorKind::CannotKeepCopy:
        return QStringLiteral("It holds lines this log lacks, and they could not be kept in %1 "
                              "(%2)")
            .arg(shownPath(error.target), error.reason);
    case FileErrorKind::UnusableDirectory:
        return QStringLiteral("The program's directory cannot be found under this name (is the "
                              "name valid UTF-8?)");
    case FileErrorKind::LineTooLong:
        return QStringLiteral("Line %1 is longer than %2 characters; it is no log line")
            .arg(error.line)
            .arg(maxLineLength);
    default:
        return systemWords(error);
    }
}

} // namespace

QString shownPath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

void showRefusal(MessageService &messages, ContactRefusal refusal)
{
    QString prompt;
    switch (refusal) {
    case ContactRefusal::None:
        return;
    case ContactRefusal::Duplicate:
        prompt = QStringLiteral("Duplicate!");
        break;
    case ContactRefusal::MissingCall:
        prompt = QStringLiteral("Insert CallSign");
        break;
    case ContactRefusal::MissingNumber:
        prompt = QStringLiteral("Insert Progressive Number");
        break;
    case ContactRefusal::MissingLocator:
        prompt = QStringLiteral("Insert Locator");
        break;
    }
    messages.msgBox(prompt, vbOKOnly);
}

void showSaveResult(MessageService &messages, const FileResult<SavedLog> &result)
{
    if (result) {
        const SavedLog &saved = result.value();
        messages.msgBox(QStringLiteral("Log saved in ") + shownPath(saved.path) +
                            keptCopyLine(saved.keptCopy, true),
                        vbInformation, logFileTitle);
        return;
    }
    const FileError &error = result.error();
    if (error.kind == FileErrorKind::NothingToWrite) {
        messages.msgBox(QStringLiteral("Impossible to save an empty log"), vbInformation,
                        logFileTitle);
        return;
    }
    messages.msgBox(
        QStringLiteral("Impossible to save the log in %1:\n%2\nThe file is as it was before; "
                       "the log is still in the window.")
                .arg(shownPath(error.path), reasonText(error)) +
            keptCopyLine(error.keptCopy, false),
        vbExclamation, logFileTitle);
}

void showDirectoryNotWritable(MessageService &messages, const FileError &error)
{
    messages.msgBox(
        QStringLiteral("Impossible to write in %1:\n%2\nThe log will be only in the window: "
                       "neither \"Save\" nor the recovery file can keep it there.")
            .arg(shownPath(error.path), error.reason),
        vbExclamation, logFileTitle);
}

QString recoveryReadProblem(const FileError &error, qint64 readLimit)
{
    switch (error.kind) {
    case FileErrorKind::NotRegularFile:
        return QStringLiteral("is not a regular file");
    case FileErrorKind::ForeignLink:
        return QStringLiteral("is a link to %1 that belongs to another user")
            .arg(shownPath(error.target));
    case FileErrorKind::TooLarge:
        return QStringLiteral("is larger than %1 MB").arg(readLimit >> 20);
    default:
        return QStringLiteral("cannot be read (%1)").arg(systemWords(error));
    }
}

void showSetAsideFailure(MessageService &messages, const FileError &error)
{
    messages.msgBox(QStringLiteral("Impossible to set the recovery file %1 aside:\n%2")
                        .arg(shownPath(error.path), error.reason),
                    vbExclamation, logFileTitle);
}

void showRecoveryWriteFailure(MessageService &messages, const FileError &error)
{
    QString reason = systemWords(error);
    if (error.kind == FileErrorKind::ForeignLink)
        reason = QStringLiteral("It is a link to %1 that belongs to another user; the recovery "
                                "file is not written through it")
                     .arg(shownPath(error.target));
    else if (error.kind == FileErrorKind::NotRegularFile)
        reason = QStringLiteral("It is not a regular file; the recovery file is not written "
                                "there");
    messages.msgBox(
        QStringLiteral("Impossible to write the recovery file %1:\n%2\nThe contacts added since "
                       "the last \"Save\" are only in the window.")
            .arg(shownPath(error.path), reason),
        vbExclamation, logFileTitle);
}

bool goOnWithLogInUse(MessageService &messages, const QString &directory, const LockHolder &holder)
{
    // The lock file may not say who holds it; the lock itself is held all the same.
    const QString who =
        holder.processId > 0
            ? QStringLiteral(" (process %1 on %2)").arg(holder.processId).arg(holder.hostName)
            : QString();
    const QString prompt =
        QStringLiteral("The log in %1 is in use by another Vandrel%2.\nIf you go "
                       "on, Save keeps aside the other window's saved contacts this log lacks.\n"
                       "Go on?")
            .arg(shownPath(directory), who);
    // A stray Return must not start a second window on the log: No is the default, as in the
    // exit question.
    return messages.msgBox(prompt, vbYesNo + vbExclamation + vbDefaultButton2, logFileTitle) ==
           vbYes;
}

void showOpenResult(MessageService &messages, const FileResult<OpenedLog> &result)
{
    if (result)
        return;
    const FileError &error = result.error();
    if (error.kind == FileErrorKind::NotFound) {
        messages.msgBox(QStringLiteral("Log not found!."), vbExclamation, logFileTitle);
        return;
    }
    messages.msgBox(
        QStringLiteral("Impossible to read the log %1:\n%2\nThe log in the window is unchanged.")
            .arg(shownPath(error.path), reasonText(error)),
        vbExclamation, logFileTitle);
}

bool addContactsAlreadyInLog(MessageService &messages, const QString &path, qsizetype held,
                             qsizetype contacts)
{
    const QString prompt =
        QStringLiteral("The log file %1 holds %2 %3; %4 of them %5 already in this log.\nAdd the "
                       "file's lines to the log all the same?")
            .arg(shownPath(path))
            .arg(contacts)
            .arg(contacts == 1 ? QStringLiteral("contact") : QStringLiteral("contacts"))
            .arg(held)
            .arg(held == 1 ? QStringLiteral("is") : QStringLiteral("are"));
    // Yes repeats contacts and their sent numbers: a stray Enter answers No.
    return messages.msgBox(prompt, vbYesNo + vbQuestion + vbDefaultButton2, logFileTitle) == vbYes;
}

bool restoreStationContacts(MessageService &messages, const QString &call, const QString &position,
                            qsizetype contacts)
{
    const QString prompt =
        QStringLiteral("The station %1 holds %2 %3 of the position %4 that this log lacks.\n"
                       "Restore them to the log?")
            .arg(call)
            .arg(contacts)
            .arg(contacts == 1 ? QStringLiteral("contact") : QStringLiteral("contacts"))
            .arg(position);
    // The contacts are this position's own, as it logged them: Yes is the default.
    return messages.msgBox(prompt, vbYesNo + vbQuestion, logFileTitle) == vbYes;
}
