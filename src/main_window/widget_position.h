#pragma once

#include <QtGlobal>
#include <algorithm>
#include <limits>

// A position in a box's text as Qt's widgets count it, in an int. No widget shows a text that
// long ("Open" refuses such a log), so a position past what an int holds is the widget's end,
// never a number wrapped round.
inline int widgetPosition(qsizetype position)
{
    return int(std::min<qsizetype>(position, std::numeric_limits<int>::max()));
}
