#pragma once

#include <QList>
#include <functional>

// One piece of work to time: `measure` is timed, `prepare` and `finish` around it are not.
struct Timed
{
    std::function<void()> prepare = [] {};
    std::function<void()> measure;
    std::function<void()> finish = [] {};
};

// Milliseconds of each run of the program's work and of its floor.
struct TimesInTurns
{
    QList<double> program;
    QList<double> floor;
};

// `runs` runs of each, taken in turns (program, floor, program, floor ...), so that a change of
// the machine's load or of the allocator's state falls on both alike.
TimesInTurns timeInTurns(int runs, const Timed &program, const Timed &floor);

// The median of program[i] / floor[i]: each run next to the floor run taken right after it.
double medianOfRatios(const QList<double> &program, const QList<double> &floor);
