#pragma once

#include "results_table.h"

struct BoxPlace;

// Paths of the programs the process measurements start, given by the build.
struct BenchPrograms
{
    QString program;        // the real program
    QString oneLabelWindow; // a Qt Widgets program that shows a window with one label
    QString sameWindow;     // shows the program's window built from bare Qt widgets
    QString memoryProbe;    // opens a log file and reports its memory
    QString pluginFolder;   // holds generic/ with the plugin that reports a shown window
};

// The whole process, as a user's `time` would see it: from its start until it has exited, the
// program ending right after its window is first shown and painted (offscreen); next to a window
// with one label, and next to the program's window built from bare Qt widgets, each started and
// ended the same way; `runs` times each, in turns.
QList<Measurement> timeStart(const BenchPrograms &programs, int runs);

// Peak and current resident memory after opening a log file of `contacts` contacts, next to a
// bare QPlainTextEdit at the log box's place, with its settings, holding the same text; each in
// a process of its own, `runs` times each, in turns.
QList<Measurement> measureMemory(const BenchPrograms &programs, const BoxPlace &logBox,
                                 int contacts, int runs);
