#include "sent_number.h"

#include "contact_line.h"
#include "frame.h"
#include "text_helpers.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int firstSentNumber = 1;
constexpr int lastSentNumber = 999;
} // namespace

void FormatSentNumber(Frame &Frame1, QStringView number)
{
    switch (number.size()) {
    case 1:
        Frame1.setCaption(QStringLiteral("00") + number.toString());
        break;
    case 2:
        Frame1.setCaption(QLatin1Char('0') + number.toString());
        break;
    case 3:
        Frame1.setCaption(number.toString());
        break;
    default:
        break;
    }
}

void AdvanceSentNumber(Frame &Frame1, QString &NextNumber)
{
    const int n = Frame1.caption().toInt();
    if (n < lastSentNumber) {
        NextNumber = QString::number(n + 1);
        FormatSentNumber(Frame1, NextNumber);
    }
}

void RestoreSentNumber(QStringView logText, Frame &Frame1)
{
    const int p = findTextBackward(logText, sentNumberSeparator);
    if (p == 0)
        return;
    // Normally the line feed ending the previous line and the three digits of the last line;
    // when the last "-+-" stands in the first line, whatever comes before it.
    const QStringView before = p > 4 ? logText.mid(p - 5, 4) : logText.left(p - 1);
    const double value = std::trunc(numericValue(before)) + 1;
    // An unreadable number, a negative one or one past the last would not be a serial the
    // operator can send; keep it within the range a contest allows.
    const double next = std::clamp(value, double(firstSentNumber), double(lastSentNumber));
    FormatSentNumber(Frame1, QString::number(int(next)));
}
