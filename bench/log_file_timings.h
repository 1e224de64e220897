#pragma once

#include "results_table.h"

// "Open" of a log file of `contacts` generated contacts into an empty window, drawn, next to
// reading the file into a bare QPlainTextEdit with the log box's settings, drawn; after each
// open, the first keystroke in the call box, next to a key into a bare QLineEdit; and "Save" of
// that log next to writing the same bytes through QSaveFile. Each with its floor in turns,
// `openRuns` opens and `saveRuns` saves.
QList<Measurement> timeOpenAndSave(int contacts, int openRuns, int saveRuns);
