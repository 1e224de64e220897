#pragma once

#include "form15.h"
#include "form15_view.h"
#include "window_services.h"

#include <QString>

class QWidget;

// Message boxes that answer at once and remember what they said last.
class QuietMessages : public MessageService
{
public:
    MsgBoxResult show(const QString &prompt, MsgBoxStyle, const QString &) override
    {
        last = prompt;
        return vbOK;
    }
    QString last;
};

// The log's directory, wherever the benchmark keeps its log file.
class BenchDirectory : public LogDirectoryService
{
public:
    explicit BenchDirectory(const QString &path) : path_(path) {}
    QString path() const override { return path_; }

private:
    QString path_;
};

// The real services, except that message boxes answer themselves.
struct BenchServices
{
    explicit BenchServices(const QString &directoryPath) : directory(directoryPath) {}

    SystemClock clock;
    QuietMessages messages;
    BenchDirectory directory;
    DiskFileService files;
    WindowServices all() { return {clock, messages, directory, files}; }
};

// The program's window as main() builds it, shown (offscreen) and drawn.
struct BenchWindow
{
    explicit BenchWindow(const WindowServices &services);

    Form15 form;
    Form15View view;
};

// Writes `logText` to the log file as "Save" does.
void saveLogText(BenchServices &services, const QString &logText);

// Draws whatever is pending: the layout a change asked for and the paint of every widget.
void drawNow(QWidget &widget);
