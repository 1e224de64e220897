#include "logged_call_search.h"

#include "contact_line.h"

namespace {

bool isLineBreak(QChar c)
{
    return c == u'\r' || c == u'\n';
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool hasAt(QStringView text, qsizetype position, QStringView what)
{
    return text.mid(position, what.size()) == what;
}

QString callFieldPattern(QStringView call)
{
    QString pattern;
    pattern.reserve(fieldSeparator.size() + call.size() + reportField.size());
    pattern.append(fieldSeparator).append(call).append(reportField);
    return pattern;
}

// Where the call field of the line that begins at `lineStart` begins, or -1 when the line does not
// start like a contact line: digits, "-+-", a date up to the first "---", four characters of
// time, "---".
qsizetype callFieldOfLine(QStringView log, qsizetype lineStart)
{
    qsizetype p = lineStart;
    while (p < log.size() && isAsciiDigit(log[p]))
        ++p;
    if (p == lineStart || !hasAt(log, p, sentNumberSeparator))
        return -1;

    const qsizetype dateStart = p + sentNumberSeparator.size();
    qsizetype dateEnd = dateStart;
    while (dateEnd < log.size() && !isLineBreak(log[dateEnd]) &&
           !hasAt(log, dateEnd, fieldSeparator))
        ++dateEnd;
    if (dateEnd == dateStart || !hasAt(log, dateEnd, fieldSeparator))
        return -1;

    constexpr qsizetype timeLength = 4;
    const qsizetype timeStart = dateEnd + fieldSeparator.size();
    const QStringView time = log.mid(timeStart, timeLength);
    if (time.size() < timeLength || time.contains(u'\r') || time.contains(u'\n') ||
        !hasAt(log, timeStart + timeLength, fieldSeparator))
        return -1;
    return timeStart + timeLength + fieldSeparator.size();
}

} // namespace

LoggedCallSearch::LoggedCallSearch(QStringView logText, QStringView call)
    : log_(logText), callLength_(call.size()),
      // A call spanning a line break is no call field of any one line.
      searchable_(!call.contains(u'\r') && !call.contains(u'\n')), matcher_(callFieldPattern(call))
{}

bool LoggedCallSearch::next()
{
    const qsizetype patternLength = fieldSeparator.size() + callLength_ + reportField.size();
    while (searchable_ && from_ <= log_.size()) {
        const qsizetype found = matcher_.indexIn(log_, from_);
        if (found < 0)
            break;
        from_ = found + 1;

        const qsizetype callStart = found + fieldSeparator.size();
        if (callOffsetOfLine(lineStartBefore(found)) != callStart)
            continue;
        const qsizetype restStart = found + patternLength;
        const QStringView rest = log_.sliced(restStart, lineEndAfter(restStart) - restStart);
        if (!rest.contains(fieldSeparator))
            continue;

        callOffset_ = callStart;
        rest_ = rest;
        // A line has one call field: go on with the next line.
        from_ = restStart + rest.size();
        return true;
    }
    searchable_ = false;
    callOffset_ = -1;
    rest_ = {};
    return false;
}

bool LoggedCallSearch::carriesBand(QStringView band) const
{
    if (callOffset_ < 0)
        return false;
    // The band field comes after the "---" that ends the received number.
    const qsizetype locatorStart = rest_.indexOf(fieldSeparator) + fieldSeparator.size();
    const qsizetype bandFieldLength = bandSeparator.size() + band.size();
    return rest_.size() - locatorStart >= bandFieldLength && rest_.endsWith(band) &&
           hasAt(rest_, rest_.size() - bandFieldLength, bandSeparator);
}

qsizetype LoggedCallSearch::lineStartBefore(qsizetype position)
{
    // With no line break between the last position asked for and this one, the line began
    // where it began for that one.
    qsizetype p = position;
    while (p > scannedTo_ && !isLineBreak(log_[p - 1]))
        --p;
    const qsizetype lineStart = p > scannedTo_ ? p : knownLineStart_;
    scannedTo_ = position;
    knownLineStart_ = lineStart;
    return lineStart;
}

qsizetype LoggedCallSearch::callOffsetOfLine(qsizetype lineStart)
{
    if (lineStart != readLineStart_) {
        readLineStart_ = lineStart;
        readCallOffset_ = callFieldOfLine(log_, lineStart);
    }
    return readCallOffset_;
}

qsizetype LoggedCallSearch::lineEndAfter(qsizetype position) const
{
    qsizetype p = position;
    while (p < log_.size() && !isLineBreak(log_[p]))
        ++p;
    return p;
}
