#include "logged_call_search.h"

#include "call_field_index.h"
#include "contact_line.h"

LoggedCallSearch::LoggedCallSearch(CallFieldIndex &index, QStringView call)
    : index_(index), call_(call), searchable_(!call.contains(u'\r') && !call.contains(u'\n'))
{
    index.update();
    log_ = index.text();
}

bool LoggedCallSearch::next()
{
    qsizetype line = -1;
    while (searchable_ && (line = index_.nextCandidate(nextLine_, call_)) >= 0) {
        nextLine_ = line + 1;
        const qsizetype callStart = index_.callOffset(line);
        const qsizetype reportStart = callStart + call_.size();
        if (!holdsAt(log_, callStart, call_) || !holdsAt(log_, reportStart, reportField))
            continue;
        const qsizetype restStart = reportStart + reportField.size();
        const QStringView rest = log_.sliced(restStart, lineBreakFrom(log_, restStart) - restStart);
        if (!rest.contains(fieldSeparator))
            continue;
        callOffset_ = callStart;
        rest_ = rest;
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
           holdsAt(rest_, rest_.size() - bandFieldLength, bandSeparator);
}
