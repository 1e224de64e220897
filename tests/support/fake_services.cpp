#include "fake_services.h"

#include "controls/vb_constants.h"

#include <algorithm>

namespace {

// A new file that the disk refuses to create.
class UncreatableFile : public QFile
{
public:
    UncreatableFile(const QString &path, const QString &reason) : QFile(path), reason_(reason) {}

    bool open(OpenMode) override
    {
        setErrorString(reason_);
        return false;
    }

private:
    QString reason_;
};

class UnreadableFile : public QFile
{
public:
    UnreadableFile(const QString &path, const QString &reason) : QFile(path), reason_(reason) {}

protected:
    qint64 readData(char *, qint64) override
    {
        setErrorString(reason_);
        return -1;
    }

private:
    QString reason_;
};

// Opens, or refuses to, and takes a limited number of bytes before every write fails; what it
// took lies in the temporary file only, as with a real disk that fills up.
class FailingSaveFile : public QSaveFile
{
public:
    FailingSaveFile(const QString &path, const FakeFileService &fake)
        : QSaveFile(path), openFailure_(fake.replaceFailure), writable_(fake.writableBytes),
          writeFailure_(fake.writeFailure)
    {}

    bool open(OpenMode mode) override
    {
        if (!openFailure_.isEmpty()) {
            setErrorString(openFailure_);
            return false;
        }
        return QSaveFile::open(mode);
    }

protected:
    qint64 writeData(const char *data, qint64 length) override
    {
        if (writable_ < 0)
            return QSaveFile::writeData(data, length);
        const qint64 taken = std::min(length, writable_);
        if (taken > 0 && QSaveFile::writeData(data, taken) != taken)
            return -1;
        writable_ -= taken;
        if (taken < length) {
            setErrorString(writeFailure_);
            return -1;
        }
        return length;
    }

private:
    QString openFailure_;
    qint64 writable_;
    QString writeFailure_;
};

} // namespace

std::unique_ptr<QFile> FakeFileService::fileToRead(const QString &path) const
{
    if (!readFailure.isEmpty())
        return std::make_unique<UnreadableFile>(path, readFailure);
    return DiskFileService::fileToRead(path);
}

std::unique_ptr<QSaveFile> FakeFileService::fileToReplace(const QString &path) const
{
    if (replaceFailure.isEmpty() && writableBytes < 0)
        return DiskFileService::fileToReplace(path);
    return std::make_unique<FailingSaveFile>(path, *this);
}

std::unique_ptr<QFile> FakeFileService::fileToCreate(const QString &path) const
{
    if (!createFailure.isEmpty())
        return std::make_unique<UncreatableFile>(path, createFailure);
    return DiskFileService::fileToCreate(path);
}

FileStatus FakeFileService::flushToDisk(QFileDevice &file) const
{
    ++fileSyncs;
    if (!flushFailure.isEmpty())
        return FileError{FileErrorKind::CannotWrite, file.fileName(), flushFailure};
    return DiskFileService::flushToDisk(file);
}

FileStatus FakeFileService::syncData(QFile &file) const
{
    ++dataSyncs;
    if (!syncDataFailure.isEmpty())
        return FileError{FileErrorKind::CannotWrite, file.fileName(), syncDataFailure};
    return DiskFileService::syncData(file);
}

FileStatus FakeFileService::syncDirectory(const QString &directory) const
{
    ++directorySyncs;
    if (!syncDirectoryFailure.isEmpty())
        return FileError{FileErrorKind::CannotCommit, directory, syncDirectoryFailure};
    return DiskFileService::syncDirectory(directory);
}

MsgBoxResult FakeMessageService::show(const QString &prompt, MsgBoxStyle style,
                                      const QString &title)
{
    shown.append({prompt, style, title});
    if (buttonsOf(style) != vbYesNo)
        return vbOK;
    return answers.isEmpty() ? vbNo : answers.takeFirst();
}

FixedClock::FixedClock()
{
    set(QDate(2016, 7, 16), 15, 45);
}

QString FixedClock::shortDateText(QDate date) const
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

void FixedClock::set(QDate date, int hour, int minute)
{
    now_ = QDateTime(date, QTime(hour, minute));
}
