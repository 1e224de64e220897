#include "sent_number.h"

#include "contact_line.h"
#include "frame.h"
#include "text_box.h"
#include "text_helpers.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int firstSentNumber = 1;

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The digits a line starts with, when they are all that stands before its first "-+-"; an
// empty view for a line that does not start with a number.
QStringView leadingNumber(QStringView line)
{
    const qsizetype separator = line.indexOf(sentNumberSeparator);
    const QStringView number = line.first(std::max<qsizetype>(separator, 0));
    if (number.isEmpty() || !std::all_of(number.begin(), number.end(), isAsciiDigit))
        return {};
    return number;
}

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
    case 4:
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

std::optional<double> lastSentNumberIn(QStringView logText)
{
    const int p = findTextBackward(logText, sentNumberSeparator);
    if (p == 0)
        return std::nullopt;
    // A field typed with "-+-" in it must not be taken for the number: the line's own start is.
    qsizetype lineStart = p - 1;
    while (lineStart > 0 && !isLineBreak(logText[lineStart - 1]))
        --lineStart;
    if (const QStringView number = leadingNumber(logText.sliced(lineStart)); !number.isEmpty())
        return std::min(number.toDouble(), double(std::numeric_limits<int>::max()));
    // Normally the line feed ending the previous line and the three digits of the last line;
    // when the last "-+-" stands in the first line, whatever comes before it.
    const QStringView before = p > 4 ? logText.mid(p - 5, 4) : logText.left(p - 1);
    return std::trunc(numericValue(before));
}

QString lastContactLineOf(const TextBox &log)
{
    // Read from the end in growing pieces: the last contact line is normally the last line.
    const qsizetype size = log.textLength();
    for (qsizetype length = 256;; length *= 2) {
        const qsizetype from = std::max<qsizetype>(0, size - length);
        QString end = log.textFrom(from);
        const qsizetype separator = end.lastIndexOf(sentNumberSeparator);
        const QStringView before = QStringView(end).first(std::max<qsizetype>(separator, 0));
        if (from == 0 || (separator >= 4 && std::any_of(before.begin(), before.end(),
                                                        [](QChar c) { return isLineBreak(c); })))
            return end;
    }
}

void RestoreSentNumber(QStringView logText, Frame &Frame1)
{
    const std::optional<double> last = lastSentNumberIn(logText);
    if (!last)
        return;
    // An unreadable number, a negative one or one past the last would not be a serial the
    // operator can send; keep it within the range a contest allows.
    const double next = std::clamp(*last + 1, double(firstSentNumber), double(lastSentNumber));
    FormatSentNumber(Frame1, QString::number(int(next)));
}

bool sentNumbersUsedUp(QStringView logText, const Frame &Frame1)
{
    return Frame1.caption().toInt() >= lastSentNumber &&
           lastSentNumberIn(logText).value_or(0) >= lastSentNumber;
}
