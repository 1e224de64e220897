#include "timing.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

QList<double> timeRuns(int runs, const std::function<void()> &prepare,
                       const std::function<void()> &measure)
{
    QList<double> times;
    times.reserve(runs);
    for (int i = 0; i < runs; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        measure();
        times.append(double(timer.nsecsElapsed()) / 1e6);
    }
    return times;
}

double median(QList<double> values)
{
    const auto middle = values.begin() + values.size() / 2;
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

void stopUnless(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "benchmark stopped: %s\n", what);
        std::exit(1);
    }
}
