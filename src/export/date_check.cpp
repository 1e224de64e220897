#include "export/date_check.h"

#include <algorithm>

namespace {

// A contest lasts a weekend, two days at most; a log of a few contests in a row still fits.
constexpr qint64 longestSpanDays = 4;

QString isoDate(QDate date)
{
    return date.toString(Qt::ISODate);
}

QString formatQuestion(QStringView dateFormat)
{
    return QStringLiteral("was the log written with the date format \"%1\" (--date-format)?")
        .arg(dateFormat);
}

} // namespace

QStringList dateWarnings(const ContactRecords &contacts, QStringView dateFormat)
{
    QStringList warnings;
    if (contacts.empty())
        return warnings;
    const auto [first, last] = std::minmax_element(
        contacts.begin(), contacts.end(),
        [](const ContactRecord &a, const ContactRecord &b) { return a.date < b.date; });
    const qint64 span = first->date.daysTo(last->date);
    if (span > longestSpanDays)
        warnings.append(QStringLiteral("the log's dates span %1 days, from %2 (line %3) to %4 "
                                       "(line %5): %6")
                            .arg(span)
                            .arg(isoDate(first->date))
                            .arg(first->lineNumber)
                            .arg(isoDate(last->date))
                            .arg(last->lineNumber)
                            .arg(formatQuestion(dateFormat)));
    const auto backwards = std::adjacent_find(
        contacts.begin(), contacts.end(),
        [](const ContactRecord &a, const ContactRecord &b) { return b.date < a.date; });
    if (backwards != contacts.end()) {
        const ContactRecord &earlier = *backwards;
        const ContactRecord &later = *std::next(backwards);
        warnings.append(QStringLiteral("line %1: the date %2 comes before %3 of line %4; the "
                                       "dates run backwards (a day and month swapped?): %5")
                            .arg(later.lineNumber)
                            .arg(isoDate(later.date))
                            .arg(isoDate(earlier.date))
                            .arg(earlier.lineNumber)
                            .arg(formatQuestion(dateFormat)));
    }
    return warnings;
}
