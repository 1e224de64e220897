#include "log_recovery.h"

#include "contact_line.h"
#include "log_file.h"
#include "recovery_file.h"
#include "recovery_records.h"
#include "window_services.h"

#include <QDir>

namespace {

// The title of the log file's boxes: the recovery file belongs with them.
const QString messageTitle = QStringLiteral("Morvit Vandrel");

QString shownPath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString countOf(qsizetype n, const char *one, const char *many)
{
    return QString::number(n) + u' ' + QString::fromLatin1(n == 1 ? one : many);
}

QString question(const WindowServices &services, const RecoveredLog &log)
{
    QString prompt = QStringLiteral("The log of the last session was not saved: %1")
                         .arg(countOf(contactLineCount(log.logText), "contact", "contacts"));
    if (log.lastAddMsecs > 0) {
        const QDateTime last = QDateTime::fromMSecsSinceEpoch(log.lastAddMsecs);
        prompt += QStringLiteral(", the last one added at %1 on %2")
                      .arg(last.toString(QStringLiteral("HH:mm")),
                           services.clock.shortDateText(last.date()));
    }
    prompt += u'.';
    if (log.skippedBytes > 0)
        prompt += QStringLiteral("\nThe end of the recovery file is damaged: %1 could not be read "
                                 "and %2 skipped.")
                      .arg(countOf(log.skippedBytes, "byte", "bytes"),
                           log.skippedBytes == 1 ? QStringLiteral("is") : QStringLiteral("are"));
    return prompt + QStringLiteral("\nRestore the log?");
}

// Sets the file aside, naming where it went, or says why it could not.
QString setAside(const QString &path)
{
    QString error;
    const QString aside = moveAside(path, error);
    if (aside.isEmpty())
        return QStringLiteral("it could not be set aside (%1) and is still there").arg(error);
    return QStringLiteral("it was kept as %1").arg(shownPath(aside));
}

// A file that holds nothing to restore but is not a plain saved journal: kept aside, never
// written over.
void keepUnreadable(const WindowServices &services, const QString &path, const QString &why)
{
    const QString kept = setAside(path);
    services.messages.msgBox(
        QStringLiteral("The recovery file %1 %2; %3.").arg(shownPath(path), why, kept),
        vbExclamation, messageTitle);
}

} // namespace

bool checkLogDirectory(const WindowServices &services)
{
    // The user's data directory, when the log lives there, is made now: the recovery file is
    // written there from the first contact on.
    services.programDirectory.prepareForWriting();
    const QString directory = services.programDirectory.path();
    QString reason;
    if (canWriteIn(directory, reason))
        return true;
    services.messages.msgBox(
        QStringLiteral("Impossible to write in %1:\n%2\nThe log will be only in the window: "
                       "neither \"Save\" nor the recovery file can keep it there.")
            .arg(shownPath(directory), reason),
        vbExclamation, messageTitle);
    return false;
}

std::optional<RestoredLog> askToRestoreUnsavedLog(const WindowServices &services)
{
    const QString path = recoveryFilePath(services.programDirectory);
    if (!services.files.exists(path))
        return std::nullopt;
    const std::unique_ptr<QFile> file = services.files.fileToRead(path);
    if (!file->open(QIODevice::ReadOnly)) {
        keepUnreadable(services, path,
                       QStringLiteral("cannot be read (%1)").arg(file->errorString()));
        return std::nullopt;
    }
    const RecoveredLog log = readRecoveryRecords(file->readAll());
    file->close();

    switch (log.status) {
    case RecoveredLog::Status::NewerFormat:
        keepUnreadable(services, path,
                       QStringLiteral("was written by a newer version of Vandrel (format %1) and "
                                      "cannot be read by this one")
                           .arg(log.version));
        return std::nullopt;
    case RecoveredLog::Status::NotAJournal:
        keepUnreadable(services, path,
                       QStringLiteral("is not one of Vandrel's or is damaged from its start"));
        return std::nullopt;
    case RecoveredLog::Status::Journal:
        break;
    }
    if (!log.holdsUnsavedLog()) {
        // Saved, or empty: nothing to ask. Damage after the last save may have held contacts.
        if (log.skippedBytes > 0)
            keepUnreadable(services, path,
                           QStringLiteral("is damaged after the last save: %1 could not be read")
                               .arg(countOf(log.skippedBytes, "byte", "bytes")));
        return std::nullopt;
    }

    const MsgBoxResult answer =
        services.messages.msgBox(question(services, log), vbYesNo + vbQuestion, messageTitle);
    // No sets the file aside. Yes writes it anew from the restored log; a damaged file is first
    // copied aside with what could not be read, and stays in place until the new one replaces it,
    // so a kill at any moment of this leaves the log offered at the next start.
    if (answer != vbYes || log.skippedBytes > 0) {
        QString error;
        if (moveAside(path, error, answer == vbYes).isEmpty())
            services.messages.msgBox(
                QStringLiteral("Impossible to set the recovery file %1 aside:\n%2")
                    .arg(shownPath(path), error),
                vbExclamation, messageTitle);
    }
    if (answer != vbYes)
        return std::nullopt;
    return RestoredLog{log.logText, log.lastAddMsecs};
}

void reportRecoveryWriteFailure(const WindowServices &services, const QString &path,
                                const QString &reason)
{
    services.messages.msgBox(
        QStringLiteral("Impossible to write the recovery file %1:\n%2\nThe contacts added since "
                       "the last \"Save\" are only in the window.")
            .arg(shownPath(path), reason),
        vbExclamation, messageTitle);
}
