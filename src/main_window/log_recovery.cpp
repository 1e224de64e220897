#include "main_window/log_recovery.h"

#include "contact_line/contact_line.h"
#include "log_file/log_file.h"
#include "main_window/operator_messages.h"
#include "platform/file_io.h"
#include "platform/journal_writers.h"
#include "platform/window_services.h"
#include "recovery/recovery_records.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace {

// The largest recovery file read: the largest log "Open" reads, with room for the records of
// the contacts added after it. Anything larger is no recovery file of this program.
constexpr qint64 recoveryReadLimit = defaultReadLimit + defaultReadLimit / 4;

// A recovery file left by a window, holding a log that was never saved.
struct LeftJournal
{
    QString path;
    RecoveredLog log;
};

QString countOf(qsizetype n, const char *one, const char *many)
{
    return QString::number(n) + u' ' + QString::fromLatin1(n == 1 ? one : many);
}

// Sets the file aside, naming where it went, or says why it could not.
QString setAsideText(const QString &path)
{
    const FileResult<QString> aside = setAside(path);
    if (!aside)
        return QStringLiteral("it could not be set aside (%1) and is still there")
            .arg(aside.error().reason);
    return QStringLiteral("it was kept as %1").arg(shownPath(aside.value()));
}

// A file that holds nothing to restore but is not a plain saved journal: kept aside, never
// written over.
void keepUnreadable(const WindowServices &services, const QString &path, const QString &why)
{
    const QString kept = setAsideText(path);
    services.messages.msgBox(
        QStringLiteral("The recovery file %1 %2; %3.").arg(shownPath(path), why, kept),
        vbExclamation, logFileTitle);
}

// What a journal without an unsaved log but with damage may have lost, said as it is.
QString damageText(const RecoveredLog &log)
{
    if (log.savedOnce)
        return QStringLiteral("is damaged after the last save: %1 could not be read")
            .arg(countOf(log.skippedBytes, "byte", "bytes"));
    if (log.records == 0)
        return QStringLiteral("is damaged from its first record on: nothing could be read");
    return QStringLiteral("is damaged: %1 could not be read")
        .arg(countOf(log.skippedBytes, "byte", "bytes"));
}

// The file's unsaved log; any other file is set aside with a message.
std::optional<LeftJournal> readLeftJournal(const WindowServices &services, const QString &path)
{
    // As "Open" reads the log: a regular file only, never through another user's link, never
    // more than the limit; a FIFO cannot block the start.
    const FileResult<QString> target = regularTarget(path);
    const FileResult<QByteArray> bytes =
        target ? readFile(services.files, target.value(), recoveryReadLimit)
               : FileResult<QByteArray>(target.error());
    if (!bytes) {
        keepUnreadable(services, path, recoveryReadProblem(bytes.error(), recoveryReadLimit));
        return std::nullopt;
    }
    RecoveredLog log = readRecoveryRecords(bytes.value());
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
            keepUnreadable(services, path, damageText(log));
        return std::nullopt;
    }
    return LeftJournal{path, std::move(log)};
}

// The recovery files in `directory` a window that ended may have left.
void addLeftJournals(QStringList &paths, const QString &directory, bool withMainJournal,
                     const QString &ownJournal, const JournalWriters *writers)
{
    static const QRegularExpression name(QStringLiteral("^vandrel\\.recovery(\\.[0-9]{1,10})?$"));
    const QStringList entries = QDir(directory).entryList(
        QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &entry : entries) {
        const auto match = name.match(entry);
        if (!match.hasMatch() || (!withMainJournal && match.capturedLength(1) == 0))
            continue;
        const QString path = directory + u'/' + entry;
        // A running window's file is its own: never offered, moved or written over.
        if (path != ownJournal && writers && writers->isBeingWritten(path))
            continue;
        paths.append(path);
    }
}

QString contactsText(const WindowServices &services, const RecoveredLog &log)
{
    QString text = countOf(contactLineCount(log.logText), "contact", "contacts");
    if (log.lastAddMsecs > 0) {
        const QDateTime last = QDateTime::fromMSecsSinceEpoch(log.lastAddMsecs);
        text += QStringLiteral(", the last one added at %1 on %2")
                    .arg(last.toString(QStringLiteral("HH:mm")),
                         services.clock.shortDateText(last.date()));
    }
    return text + u'.';
}

QString skippedText(const RecoveredLog &log, const char *whose)
{
    if (log.skippedBytes == 0)
        return {};
    return QStringLiteral("%1 is damaged: %2 could not be read and %3 skipped.")
        .arg(QString::fromLatin1(whose), countOf(log.skippedBytes, "byte", "bytes"),
             log.skippedBytes == 1 ? QStringLiteral("is") : QStringLiteral("are"));
}

QString question(const WindowServices &services, const QList<LeftJournal> &journals,
                 const QString &ownJournal)
{
    if (journals.size() == 1 && journals[0].path == ownJournal) {
        const RecoveredLog &log = journals[0].log;
        QString prompt = QStringLiteral("The log of the last session was not saved: ") +
                         contactsText(services, log);
        if (log.skippedBytes > 0)
            prompt += u'\n' + skippedText(log, "The end of the recovery file");
        return prompt + QStringLiteral("\nRestore the log?");
    }
    const QString directory = QFileInfo(ownJournal).absolutePath();
    QString prompt;
    for (const LeftJournal &journal : journals) {
        const QString where = QFileInfo(journal.path).absolutePath();
        if (where != directory && prompt.isEmpty())
            prompt = QStringLiteral("The log is now kept in %1, no longer in %2.\n")
                         .arg(shownPath(directory), shownPath(where));
    }
    prompt += journals.size() == 1 ? QStringLiteral("The log of the last session was not saved:")
                                   : QStringLiteral("The logs of the last sessions were not "
                                                    "saved:");
    for (const LeftJournal &journal : journals) {
        prompt += u'\n' + shownPath(journal.path) + QStringLiteral(": ") +
                  contactsText(services, journal.log);
        if (journal.log.skippedBytes > 0)
            prompt += u' ' + skippedText(journal.log, "Its end");
    }
    return prompt + QStringLiteral("\nRestore the log?");
}

// The logs one after the other, the oldest first, so that the sent number goes on from the
// newest contact.
RestoredLog joined(QList<LeftJournal> journals, const QString &ownJournal)
{
    std::stable_sort(journals.begin(), journals.end(), [](const auto &a, const auto &b) {
        return a.log.lastAddMsecs < b.log.lastAddMsecs;
    });
    RestoredLog restored;
    for (const LeftJournal &journal : journals) {
        if (!restored.logText.isEmpty() && !restored.logText.endsWith(u'\n'))
            restored.logText += QStringLiteral("\r\n");
        restored.logText += journal.log.logText;
        restored.lastAddMsecs = std::max(restored.lastAddMsecs, journal.log.lastAddMsecs);
        if (journal.path != ownJournal)
            restored.otherJournals.append(journal.path);
    }
    return restored;
}

} // namespace

bool checkLogDirectory(const WindowServices &services)
{
    // The user's data directory, when the log lives there, is made now: the recovery file is
    // written there from the first contact on.
    services.logDirectory.prepareForWriting();
    const QString directory = services.logDirectory.path();
    const FileStatus writable = canCreateFileIn(directory);
    if (writable)
        return true;
    showDirectoryNotWritable(services.messages, writable.error());
    return false;
}

std::optional<RestoredLog> askToRestoreUnsavedLogs(const WindowServices &services,
                                                   const QString &ownJournal,
                                                   const JournalWriters *writers)
{
    QStringList paths;
    const bool ownsMainJournal = QFileInfo(ownJournal).fileName() ==
                                 QFileInfo(recoveryFilePath(services.logDirectory)).fileName();
    addLeftJournals(paths, services.logDirectory.path(), ownsMainJournal, ownJournal, writers);
    if (const QString other = services.logDirectory.otherPath(); !other.isEmpty())
        addLeftJournals(paths, other, true, ownJournal, writers);
    QList<LeftJournal> journals;
    for (const QString &path : paths) {
        if (std::optional<LeftJournal> journal = readLeftJournal(services, path))
            journals.append(std::move(*journal));
    }
    if (journals.isEmpty())
        return std::nullopt;

    const MsgBoxResult answer = services.messages.msgBox(question(services, journals, ownJournal),
                                                         vbYesNo + vbQuestion, logFileTitle);
    for (const LeftJournal &journal : journals) {
        // No sets every file aside. Yes writes the window's own file anew from the restored
        // log; a damaged one first gets a second name that keeps what could not be read, and
        // stays in place until the new one replaces it, so a kill at any moment of this leaves
        // the log offered at the next start. The other windows' files go once it is written.
        const bool keep = answer == vbYes && journal.path == ownJournal;
        if (keep && journal.log.skippedBytes == 0)
            continue;
        if (answer == vbYes && !keep)
            continue;
        const FileResult<QString> aside =
            setAside(journal.path, keep ? SetAside::KeepInPlace : SetAside::Move);
        if (!aside)
            showSetAsideFailure(services.messages, aside.error());
    }
    if (answer != vbYes)
        return std::nullopt;
    return joined(journals, ownJournal);
}

void setAsideRestoredJournals(const WindowServices &services, const QStringList &journals)
{
    for (const QString &path : journals) {
        const FileResult<QString> aside = setAside(path);
        if (!aside)
            showSetAsideFailure(services.messages, aside.error());
    }
}
