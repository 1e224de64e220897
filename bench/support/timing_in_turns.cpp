#include "timing_in_turns.h"

#include "timing.h"

namespace {

double timeOnce(const Timed &work)
{
    const double milliseconds = timeRuns(1, work.prepare, work.measure).constFirst();
    work.finish();
    return milliseconds;
}

} // namespace

TimesInTurns timeInTurns(int runs, const Timed &program, const Timed &floor)
{
    TimesInTurns times;
    for (int i = 0; i < runs; ++i) {
        times.program.append(timeOnce(program));
        times.floor.append(timeOnce(floor));
    }
    return times;
}

double medianOfRatios(const QList<double> &program, const QList<double> &floor)
{
    stopUnless(program.size() == floor.size() && !program.isEmpty(),
               "program and floor were not taken in pairs");
    QList<double> ratios;
    ratios.reserve(program.size());
    for (qsizetype i = 0; i < program.size(); ++i)
        ratios.append(floor[i] > 0 ? program[i] / floor[i] : 0);
    return median(ratios);
}
