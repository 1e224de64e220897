#pragma once

#include <QList>
#include <QString>
#include <optional>

// One line of the results: the program's median next to its floor, what the toolkit alone
// needs for the same work, and the target the ratio between them has to meet.
struct Measurement
{
    QString what;
    QString contacts;
    QString unit; // "ms" or "MB"
    double program = 0;
    double floor = 0;
    QString floorName;
    std::optional<double> maxRatio = {};   // no target: shown for information
    std::optional<double> maxProgram = {}; // an absolute bound as well, in `unit`

    double ratio() const { return floor > 0 ? program / floor : 0; }
    bool hasTarget() const { return maxRatio || maxProgram; }
    bool met() const;
};

// A number of contacts as the table writes it, 100,000 say.
QString contactCount(qsizetype contacts);

// The results as a Markdown table, so that they can be pasted into the documentation as they are.
QString resultsTable(const QList<Measurement> &results);
