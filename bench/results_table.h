#pragma once

#include <QList>
#include <QString>
#include <optional>

// One line of the results: the program's median next to its floor, the same visible work done
// by Qt alone, and the target the ratio between them has to meet.
struct Measurement
{
    QString what;
    QString contacts;
    QString unit; // "ms" or "MB"
    double program = 0;
    double floor = 0;
    double ratio = 0; // the median of the ratios of runs taken in pairs, not program / floor
    QString floorName;
    std::optional<double> maxRatio = {};   // no target: shown for information
    std::optional<double> maxProgram = {}; // an absolute bound as well, in `unit`

    bool hasTarget() const { return maxRatio || maxProgram; }
    bool met() const;
};

// `row` with the medians of the program's and the floor's runs, taken in turns, and the median
// of their pairwise ratios.
Measurement fromPairs(Measurement row, const QList<double> &program, const QList<double> &floor);

// A number of contacts as the table writes it, 100,000 say.
QString contactCount(qsizetype contacts);

// The results as a Markdown table, so that they can be pasted into the documentation as they are.
QString resultsTable(const QList<Measurement> &results);
