#pragma once

#include "platform/clock.h"
#include "platform/file_service.h"
#include "platform/log_directory.h"
#include "platform/message_service.h"
#include "platform/window_services.h"

#include <QList>
#include <QString>
#include <QTemporaryDir>

// One message box as the program asked for it.
struct ShownMessage
{
    QString prompt;
    MsgBoxStyle style = vbOKOnly;
    QString title;
};

// Records every message box and answers with what the test scripted (vbOK by default, and
// the scripted answers, in turn, for Yes/No boxes).
class FakeMessageService : public MessageService
{
public:
    MsgBoxResult show(const QString &prompt, MsgBoxStyle style, const QString &title) override;

    QList<ShownMessage> shown;
    QList<MsgBoxResult> answers; // taken from the front, for Yes/No boxes

    QString lastPrompt() const { return shown.isEmpty() ? QString() : shown.last().prompt; }
};

// A clock that reads whatever the test set, with a day/month/year short date format.
class FixedClock : public Clock
{
public:
    FixedClock();
    QDateTime now() const override { return now_; }
    QString shortDateText(QDate date) const override;

    void set(QDate date, int hour, int minute);

private:
    QDateTime now_;
};

// The log's directory, a fresh temporary directory.
class TemporaryDirectory : public LogDirectoryService
{
public:
    QString path() const override { return dir_.path(); }
    QString otherPath() const override { return other; }

    QString other; // where the log was kept before, when the test says so

private:
    QTemporaryDir dir_;
};

// The real files, except where a test makes them fail as a disk, a full disk or a locked file
// would: reading, opening the replacing file, writing it after some bytes, creating a new file,
// or moving what was written onto the disk.
class FakeFileService : public DiskFileService
{
public:
    std::unique_ptr<QFile> fileToRead(const QString &path) const override;
    std::unique_ptr<QSaveFile> fileToReplace(const QString &path) const override;
    std::unique_ptr<QFile> fileToCreate(const QString &path) const override;
    FileStatus flushToDisk(QFileDevice &file) const override;
    FileStatus syncData(QFile &file) const override;
    FileStatus syncDirectory(const QString &directory) const override;

    QString readFailure;       // when set, reading fails with this reason
    QString replaceFailure;    // when set, opening a replacing file fails with this reason
    QString createFailure;     // when set, creating a new file fails with this reason
    qint64 writableBytes = -1; // when not negative, writing fails after this many bytes
    QString writeFailure = QStringLiteral("No space left on device");
    QString flushFailure;         // when set, every write is taken but none reaches the disk
    QString syncDataFailure;      // when set, bytes appended never reach the disk
    QString syncDirectoryFailure; // when set, no new name in a directory reaches the disk

    // The steps that put bytes on the disk, counted as they are asked for.
    mutable int fileSyncs = 0;      // a replacing file flushed and synced
    mutable int dataSyncs = 0;      // bytes appended synced
    mutable int directorySyncs = 0; // a directory synced
};

// All the fakes, ready to hand to a form.
struct FakeServices
{
    FixedClock clock;
    FakeMessageService messages;
    TemporaryDirectory directory;
    FakeFileService files;

    WindowServices services() { return {clock, messages, directory, files}; }
};
