#include "program_directory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

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
}

LogDirectory LogDirectory::forThisProgram()
{
    const QString programDirectory = QCoreApplication::applicationDirPath();
    // Named after the window whichever program asks, so that vandrel-export, installed beside
    // it, finds the log the window saves.
    const QString dataDirectory =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
        QStringLiteral("/vandrel");
    return LogDirectory(programDirectory, QFileInfo(programDirectory).isWritable(), dataDirectory);
}

void LogDirectory::prepareForWriting() const
{
    // The data directory is made when the program first writes there, never just because its
    // path was asked for.
    if (inDataDirectory_)
        QDir().mkpath(path_);
}

QString logFilePath(const ProgramDirectory &directory)
{
    return directory.path() + u'/' + logFileName;
}
