#pragma once

#include "recovery_file.h"
#include "recovery_records.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>

// Keeps the log text of the window in the recovery file: contacts and "Open" are on the disk
// before the procedure that made them returns; the operator's own edits of the log box follow
// within `editDelay`, so a burst of typing costs one write of the whole log, not one per key.
class RecoveryJournal : public QObject
{
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds editDelay{2000};

    // `logLength` and `logTextFrom` read the log text as the window holds it now: its length,
    // and its characters from an offset on (all of them from 0). A contact reads only its own.
    RecoveryJournal(const FileService &files, const QString &path,
                    std::function<qsizetype()> logLength,
                    std::function<QString(qsizetype from)> logTextFrom, QObject *parent = nullptr);

    const QString &path() const { return file_.path(); }

    // The window starts with the log restored from the file: the file is written anew at once,
    // holding that log, unsaved.
    bool startFrom(qint64 lastAddMsecs);

    // A contact was added at `when`: the log text grew at its end from `oldSize` characters.
    void contactAdded(qsizetype oldSize, const QDateTime &when);
    // The log text grew at its end from `oldSize` characters.
    void logGrew(qsizetype oldSize);
    // The log text was replaced by the program; `sameAsLogFile` when it is just what the log
    // file holds, so that nothing would be lost without the recovery file.
    void logReplaced(bool sameAsLogFile = false);
    // The operator changed the log box: written within editDelay.
    void logEdited();
    // "Save" wrote the log text and one CR LF, `bytes` in all, to `logFilePath`, flushed and
    // committed: once the file on the disk has that size, the journal says so.
    void logSaved(const QString &logFilePath, qint64 bytes);
    // Writes an edit still waiting for its delay now.
    void flush();

    // Whether everything the window holds is in the log file.
    bool isSaved() const { return saved_; }
    bool hasWaitingEdit() const { return editWaiting_; }

signals:
    // A write failed; the next change writes the whole log again.
    void writeFailed(const FileError &error);

private:
    void replaceWith(const QByteArray &records);
    void append(const QByteArray &record);
    // Whether `status` is done; tells why not.
    bool done(const FileStatus &status);
    QByteArray wholeLog() const;

    RecoveryFile file_;
    std::function<qsizetype()> logLength_;
    std::function<QString(qsizetype from)> logTextFrom_;
    QTimer editTimer_;
    bool onDisk_ = false; // the file holds the log text as it was before any waiting edit
    bool editWaiting_ = false;
    bool saved_ = true;
    qint64 lastAddMsecs_ = 0;
};
