#pragma once

#include "timing_in_turns.h"

#include <QList>
#include <QString>

struct BenchWindow;

// The times of `runs` accepted contacts ("Add" with a complete entry, drawn) in each window,
// taken in turns so that a change in the machine's load falls on every window alike.
QList<QList<double>> timeAdds(const QList<BenchWindow *> &windows, int runs);

// `runs` accepted contacts in `window`, whose recovery file is on a disk, each next to its floor
// done by Qt alone: the same line appended to a bare QPlainTextEdit with the log box's settings,
// place and font, holding `logText`, drawn, and the recovery file's record of that line appended
// to a file in `folder` and synced (fdatasync), as the add does before it returns.
TimesInTurns timeAddsOnDisk(BenchWindow &window, const QString &logText, const QString &folder,
                            int runs);
