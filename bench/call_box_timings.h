#pragma once

#include "results_table.h"

struct BenchWindow;
struct GeneratedLog;

// One keystroke in the call box of the real window (offscreen, drawn): the last letter of a call
// typed after the rest, for a call no contact line holds and for the call of one of the last
// lines, and, with `afterLogEdit`, the first look-up after the operator edited the log box. The
// floor is the same key typed into a bare QLineEdit of the call box's place and font, in a window
// of the program window's size, drawn; the two are taken in turns. Target: at most 1.5x.
QList<Measurement> timeCallBoxKeystrokes(BenchWindow &window, const GeneratedLog &log, int runs,
                                         bool afterLogEdit);

// The floor's name in the table, for every call-box keystroke.
QString bareLineEditFloor();
