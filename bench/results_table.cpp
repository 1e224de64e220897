#include "results_table.h"

#include "timing.h"
#include "timing_in_turns.h"

#include <QLocale>
#include <QStringList>

namespace {

QString number(double value, const QString &unit)
{
    return QString::number(value, 'f', value < 10 ? 3 : 1) + u' ' + unit;
}

QString target(const Measurement &m)
{
    QStringList parts;
    if (m.maxRatio)
        parts << QStringLiteral("≤ %1x").arg(*m.maxRatio);
    if (m.maxProgram)
        parts << QStringLiteral("< %1").arg(number(*m.maxProgram, m.unit));
    return parts.isEmpty() ? QStringLiteral("–") : parts.join(QStringLiteral(", "));
}

} // namespace

Measurement fromPairs(Measurement row, const QList<double> &program, const QList<double> &floor)
{
    row.program = median(program);
    row.floor = median(floor);
    row.ratio = medianOfRatios(program, floor);
    return row;
}

QString contactCount(qsizetype contacts)
{
    return QLocale(QLocale::English).toString(contacts);
}

bool Measurement::met() const
{
    return (!maxRatio || ratio <= *maxRatio) && (!maxProgram || program < *maxProgram);
}

QString resultsTable(const QList<Measurement> &results)
{
    QString table = QStringLiteral("| measure | contacts | program | floor | floor is | ratio "
                                   "| target | met |\n|---|---:|---:|---:|---|---:|---|---|\n");
    for (const Measurement &m : results) {
        table += QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6x | %7 | %8 |\n")
                     .arg(m.what, m.contacts, number(m.program, m.unit), number(m.floor, m.unit),
                          m.floorName, QString::number(m.ratio, 'f', 2), target(m),
                          !m.hasTarget() ? QStringLiteral("–")
                          : m.met()      ? QStringLiteral("yes")
                                         : QStringLiteral("**no**"));
    }
    return table;
}
