#pragma once

#include "results_table.h"

// "Open" of a log file of `contacts` generated contacts into an empty window, drawn, and "Save"
// of that log, each next to what Qt alone needs for the same work.
QList<Measurement> timeOpenAndSave(int contacts, int runs);
