#include "logged_call_search.h"

#include "call_field_index.h"
#include "contact_line.h"

LoggedCallSearch::LoggedCallSearch(const CallFieldIndex &index, QStringView call)
    : log_(index.text()), offsets_(index.callOffsets(call))
{}

bool LoggedCallSearch::next()
{
    if (nextPlace_ == offsets_.size()) {
        callOffset_ = -1;
        return false;
    }
    callOffset_ = offsets_[nextPlace_++];
    return true;
}

bool LoggedCallSearch::carriesBand(QStringView band)
{
    if (callOffset_ < 0)
        return false;
    if (callOffset_ >= bandLineEnd_) {
        bandLineEnd_ = lineBreakFrom(log_, callOffset_);
        qsizetype lineStart = callOffset_;
        while (lineStart > 0 && !isLineBreak(log_[lineStart - 1]))
            --lineStart;
        const QStringView line = log_.sliced(lineStart, bandLineEnd_ - lineStart);
        const qsizetype arrow = line.lastIndexOf(bandSeparator);
        lineHasBand_ = arrow >= 0;
        lineBand_ = lineHasBand_ ? line.sliced(arrow + bandSeparator.size()) : QStringView();
    }
    return lineHasBand_ && lineBand_ == band;
}
