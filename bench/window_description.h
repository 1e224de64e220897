#pragma once

#include <QString>

// The program's window as Qt alone would show it: for each of its controls, the kind of bare Qt
// widget, its parent, place, font, text and whether it is shown, one line each, tab-separated,
// after a first line with the window's size and title. Read by bench_same_window.
QString describeProgramWindow();
