#pragma once

#include "bench_window.h"
#include "log_generator.h"

#include <QString>
#include <QTemporaryDir>

// The program's window holding a generated log, in a folder of its own made in `parent` (which
// decides the disk its recovery file is written to), the recovery file up to date and the
// window drawn.
struct LoggedWindow
{
    LoggedWindow(int contacts, const QString &parent);

    GeneratedLog log;
    QTemporaryDir directory;
    BenchServices services;
    BenchWindow window;
};

// The kind of file system `path` is on, as `stat -f -c %T` names the common ones; stops the
// benchmark when it is held in memory (tmpfs), where a sync costs nothing.
QString diskKindOf(const QString &path);
