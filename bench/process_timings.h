#pragma once

#include "results_table.h"

// Paths of the programs the process measurements start, given by the build.
struct BenchPrograms
{
    QString program;      // the real program
    QString emptyWindow;  // a Qt Widgets program that shows an empty window
    QString memoryProbe;  // opens a log file and reports its peak memory
    QString pluginFolder; // holds generic/ with the plugin that reports a shown window
};

// From the start of the process until its window is shown (offscreen), `runs` times each, in
// turns: the program next to an empty window, and, for information, next to a window with one
// label, which like the program has to load a font before it can show.
QList<Measurement> timeStart(const BenchPrograms &programs, int runs);

// Peak resident memory after opening a log file of `contacts` contacts, next to a plain
// QPlainTextEdit holding the same text, each in a process of its own, `runs` times each.
Measurement measureMemory(const BenchPrograms &programs, int contacts, int runs);
