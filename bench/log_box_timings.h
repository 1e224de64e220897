#pragma once

#include "results_table.h"

struct BenchWindow;
struct GeneratedLog;

// Keystrokes in the log box of the real window (offscreen, drawn), typed through its widget
// with real key events in the middle of the last contact line: a character inserted, one deleted
// (Backspace), a copied contact line pasted (Ctrl+V) at the start of that line, and Enter. Each
// edit is taken back, untimed, before the next run. The floor is the same key in a bare
// QPlainTextEdit with the log box's settings, place and font, holding the same text, in a window
// of the program window's size; the two are taken in turns. Targets: at most 2x from 100,000
// contacts, under 5 ms from 1,000,000.
QList<Measurement> timeLogBoxKeystrokes(BenchWindow &window, const GeneratedLog &log, int runs);
