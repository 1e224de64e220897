#include "contact_log/logged_call_search.h"

#include "contact_line/contact_line.h"
#include "contact_log/call_field_index.h"
#include "controls/text_box.h"

LoggedCallSearch::LoggedCallSearch(const CallFieldIndex &index, QStringView call)
    : log_(index.log()), offsets_(index.callOffsets(call))
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
        const qsizetype size = log_.textLength();
        bandLineEnd_ = callOffset_;
        while (bandLineEnd_ < size && !isLineBreak(log_.charAt(bandLineEnd_)))
            ++bandLineEnd_;
        qsizetype lineStart = callOffset_;
        while (lineStart > 0 && !isLineBreak(log_.charAt(lineStart - 1)))
            --lineStart;
        const QString line = log_.textBetween(lineStart, bandLineEnd_);
        const qsizetype arrow = line.lastIndexOf(bandSeparator);
        lineHasBand_ = arrow >= 0;
        lineBand_ = lineHasBand_ ? line.sliced(arrow + bandSeparator.size()) : QString();
    }
    return lineHasBand_ && lineBand_ == band;
}
