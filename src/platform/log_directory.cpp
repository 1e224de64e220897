#include "log_directory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <pwd.h>
#include <unistd.h>

namespace {

// A program installed with the system's layout, whose directory is shared with other programs
// and belongs to the system even when the user (root, or anyone in an unpacked tree) can write it.
bool isInstalled(const QString &programDirectory)
{
    return QFileInfo(programDirectory).fileName() == QStringLiteral("bin");
}

bool keepsLogBeside(const QString &programDirectory, bool programDirectoryWritable)
{
    if (!programDirectoryWritable)
        return false;
    return !isInstalled(programDirectory) ||
           QFileInfo::exists(programDirectory + u'/' + logFileName);
}

} // namespace

LogDirectory::LogDirectory(const QString &programDirectory, bool programDirectoryWritable,
                           const QString &dataDirectory)
    : inDataDirectory_(!keepsLogBeside(programDirectory, programDirectoryWritable))
{
    path_ = QDir::cleanPath(inDataDirectory_ ? dataDirectory : programDirectory);
    const QString other = QDir::cleanPath(inDataDirectory_ ? programDirectory : dataDirectory);
    if (other != path_)
        otherPath_ = other;
}

LogDirectory LogDirectory::forThisProgram()
{
    const QString programDirectory = QCoreApplication::applicationDirPath();
    // Named after the window whichever program asks, so that vandrel-export, installed beside
    // it, finds the log the window saves.
    return LogDirectory(programDirectory, QFileInfo(programDirectory).isWritable(),
                        userDataDirectory());
}

QString userDataDirectory()
{
    const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    const QString home = qEnvironmentVariable("HOME");
    if (!QDir::isAbsolutePath(dataHome) && !QDir::isAbsolutePath(home)) {
        // No usable base in the environment: the home directory the system has for the user.
        const passwd *user = ::getpwuid(::getuid());
        const QString systemHome = user ? QFile::decodeName(user->pw_dir) : QString();
        if (QDir::isAbsolutePath(systemHome))
            return systemHome + QStringLiteral("/.local/share/vandrel");
    }
    const QString base =
        QDir::isAbsolutePath(dataHome) ? dataHome : home + QStringLiteral("/.local/share");
    return QDir::cleanPath(base + u'/' + QStringLiteral("vandrel"));
}

void LogDirectory::prepareForWriting() const
{
    // The data directory is made when the program first writes there, never just because its
    // path was asked for.
    if (inDataDirectory_)
        QDir().mkpath(path_);
}

QString logFilePath(const LogDirectoryService &directory)
{
    return directory.path() + u'/' + logFileName;
}
