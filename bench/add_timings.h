#pragma once

#include <QList>

struct BenchWindow;

// The times of `runs` accepted contacts ("Add" with a complete entry, drawn) in each window,
// taken in turns so that a change in the machine's load falls on every window alike.
QList<QList<double>> timeAdds(const QList<BenchWindow *> &windows, int runs);
