#pragma once

#include <QString>

// The log file's name, in whichever directory it lives.
inline const QString logFileName = QStringLiteral("vandrel.txt");

// The directory the log file lives in, as a service: the program's own directory or the user's data
// directory in the program, a temporary one in tests.
class LogDirectoryService
{
public:
    virtual ~LogDirectoryService() = default;
    // The directory path without a trailing separator.
    virtual QString path() const = 0;
    // Where the log was kept under the other choice of its place (the program's folder or the
    // user's data directory), when there is one: a log left there is looked for at start.
    virtual QString otherPath() const { return {}; }
    // Makes the directory before the log is first written there, when it is the program's to
    // make. A directory that went missing is not made again: saving then fails and says so.
    virtual void prepareForWriting() const {}
};

// Where this program keeps its log. Beside the program when the operator keeps it in a folder
// of their own they can write to, as the program always did. Installed programs (in a "bin"
// directory, such as /usr/bin) and programs in a directory the user cannot write keep it in the
// user's data directory instead, unless a log is already kept beside them and can be written.
class LogDirectory : public LogDirectoryService
{
public:
    LogDirectory(const QString &programDirectory, bool programDirectoryWritable,
                 const QString &dataDirectory);
    // For the running program, the window or vandrel-export: its own directory and the user's
    // data directory for Vandrel (~/.local/share/vandrel).
    static LogDirectory forThisProgram();

    QString path() const override { return path_; }
    QString otherPath() const override { return otherPath_; }
    void prepareForWriting() const override;

private:
    QString path_;
    QString otherPath_;
    bool inDataDirectory_;
};

// The log file in `directory`: what "Save" writes, "Open" reads and vandrel-export reads by
// default.
QString logFilePath(const LogDirectoryService &directory);

// The user's data directory for this program: $XDG_DATA_HOME/vandrel, else
// ~/.local/share/vandrel. A relative XDG_DATA_HOME or HOME is ignored, as the XDG base directory
// rules say: the log must not follow the working folder.
QString userDataDirectory();
