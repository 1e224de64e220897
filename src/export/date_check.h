#pragma once

#include "export/contact_log_reader.h"

#include <QStringList>
#include <QStringView>

// What the contacts' dates say about the date format they were read with: a log read with its
// day and month swapped still reads wherever the day is 12 or less, with dates a month or more
// apart, every contact outside the contest. A warning when the dates span more than four days
// and one when they run backwards, each naming the format; none when they look like a contest.
QStringList dateWarnings(const ContactRecords &contacts, QStringView dateFormat);
