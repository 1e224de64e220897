#include "recovery_file.h"

#include "recovery_records.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

QString systemReason()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

QString reasonOf(const QFileDevice &file)
{
    const QString reason = file.errorString();
    return reason.isEmpty() ? QStringLiteral("Unknown error") : reason;
}

} // namespace

RecoveryFile::RecoveryFile(const QString &path) : path_(path) {}

QString RecoveryFile::directoryPath() const
{
    return QFileInfo(path_).absolutePath();
}

bool RecoveryFile::fail(const QString &reason)
{
    error_ = reason;
    return false;
}

bool RecoveryFile::replace(QByteArrayView records)
{
    // Appends after this go to the new file, not to the one it replaces.
    appending_.close();
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly))
        return fail(reasonOf(file));
    const QByteArray header = recoveryFileHeader();
    const bool written = file.write(header) == header.size() &&
                         file.write(records.data(), records.size()) == records.size() &&
                         file.flush();
    if (!written || ::fsync(file.handle()) != 0) {
        const QString reason = written ? systemReason() : reasonOf(file);
        file.cancelWriting();
        return fail(reason);
    }
    if (!file.commit())
        return fail(reasonOf(file));
    return syncDirectory();
}

bool RecoveryFile::append(QByteArrayView record)
{
    if (!appending_.isOpen()) {
        appending_.setFileName(path_);
        // Never creates the file: only replace() writes a header.
        if (!appending_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::ExistingOnly |
                             QIODevice::Unbuffered))
            return fail(reasonOf(appending_));
    }
    // One write: a crash leaves the record whole or cut short, never interleaved.
    const bool written = appending_.write(record.data(), record.size()) == record.size();
    if (!written || ::fdatasync(appending_.handle()) != 0) {
        const QString reason = written ? systemReason() : reasonOf(appending_);
        appending_.close();
        return fail(reason);
    }
    return true;
}

bool RecoveryFile::syncDirectory()
{
    const int directory =
        ::open(QFile::encodeName(directoryPath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory < 0)
        return fail(systemReason());
    const bool synced = ::fsync(directory) == 0;
    const QString reason = synced ? QString() : systemReason();
    ::close(directory);
    return synced || fail(reason);
}

QString moveAside(const QString &path, QString &error, bool keepOriginal)
{
    const QFileInfo info(path);
    const QString stamp = info.lastModified().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
    const QString stem = path + u'.' + stamp;
    for (int n = 1; n < 1000; ++n) {
        const QString aside = n == 1 ? stem : stem + u'-' + QString::number(n);
        if (QFileInfo::exists(aside))
            continue;
        QFile file(path);
        // rename() is atomic: after a crash the file is under one name or the other.
        if (keepOriginal ? file.copy(aside) : file.rename(aside))
            return aside;
        if (QFileInfo::exists(aside))
            continue;
        error = reasonOf(file);
        return {};
    }
    error = QStringLiteral("Too many files set aside");
    return {};
}

bool canWriteIn(const QString &directory, QString &error)
{
    QTemporaryFile probe(directory + QStringLiteral("/.vandrel-write-test-XXXXXX"));
    if (probe.open())
        return true;
    error = reasonOf(probe);
    return false;
}
