#pragma once

#include <QList>
#include <functional>

// Milliseconds of `runs` runs of `measure`, each after an untimed `prepare`.
QList<double> timeRuns(int runs, const std::function<void()> &prepare,
                       const std::function<void()> &measure);

// The middle value of a list of timings (the upper middle one for an even count).
double median(QList<double> values);

// Ends the benchmark, saying `what` went wrong, unless the measured work did what it should.
void stopUnless(bool condition, const char *what);
