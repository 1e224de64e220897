#pragma once

#include "results_table.h"

struct BenchWindow;
struct GeneratedLog;

// One keystroke in the call box of the real window (offscreen): the last letter of a call typed
// after the rest, for a call no contact line holds and for the call of the last line, and the
// first look-up after the operator edited the log box. Floor: one QStringView::indexOf of the
// same call over the same log text. With `targets`, the first two have to be at most twice their
// floor and under 2 ms.
QList<Measurement> timeKeystrokes(BenchWindow &window, const GeneratedLog &log, int runs,
                                  bool targets);

// The medians of `runs` accepted contacts ("Add" with a complete entry, drawn) in each window,
// taken in turns so that a change in the machine's load falls on every window alike.
QList<double> timeAdds(const QList<BenchWindow *> &windows, int runs);
