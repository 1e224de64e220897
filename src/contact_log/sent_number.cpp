#include "sent_number.h"

#include "contact_line.h"
#include "frame.h"
#include "text_box.h"
#include "text_helpers.h"

#include <algorithm>
#include <cmath>

namespace {

// The greatest number four characters can write without an exponent: the most a line that does
// not start with its number is read as.
constexpr double largestFourCharacterNumber = 9999;

bool allAsciiDigits(QStringView text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), isAsciiDigit);
}

// The digits a line starts with, when they are all that stands before its first "-+-"; an
// empty view for a line that does not start with a number.
QStringView leadingNumber(QStringView line)
{
    const qsizetype separator = line.indexOf(sentNumberSeparator);
    const QStringView number = line.first(std::max<qsizetype>(separator, 0));
    return allAsciiDigits(number) ? number : QStringView();
}

// Decimal digits without their leading zeros; "0" for zero.
QString withoutLeadingZeros(QStringView digits)
{
    while (digits.size() > 1 && digits.front() == u'0')
        digits = digits.sliced(1);
    return digits.toString();
}

// One more than a number in decimal digits, worked on the digits themselves: no number of
// digits is too many.
QString nextNumberAfter(QStringView digits)
{
    QString next = withoutLeadingZeros(digits);
    qsizetype i = next.size();
    while (i > 0 && next[i - 1] == u'9')
        next[--i] = u'0';
    if (i == 0)
        next.prepend(u'1');
    else
        next[i - 1] = QChar(next[i - 1].unicode() + 1);
    return next;
}

} // namespace

void FormatSentNumber(Frame &Frame1, QStringView number)
{
    if (!number.isEmpty())
        Frame1.setCaption(number.toString().rightJustified(3, u'0'));
}

void AdvanceSentNumber(Frame &Frame1, QString &NextNumber)
{
    const QString &caption = Frame1.caption();
    NextNumber = nextNumberAfter(allAsciiDigits(caption) ? QStringView(caption) : u"0");
    FormatSentNumber(Frame1, NextNumber);
}

std::optional<QString> lastSentNumberIn(QStringView logText)
{
    const qsizetype p = findTextBackward(logText, sentNumberSeparator);
    if (p == 0)
        return std::nullopt;
    // A field typed with "-+-" in it must not be taken for the number: the line's own start is.
    qsizetype lineStart = p - 1;
    while (lineStart > 0 && !isLineBreak(logText[lineStart - 1]))
        --lineStart;
    if (const QStringView number = leadingNumber(logText.sliced(lineStart)); !number.isEmpty())
        return withoutLeadingZeros(number);
    // Normally the line feed ending the previous line and the three digits of the last line;
    // when the last "-+-" stands in the first line, whatever comes before it. A negative or
    // unreadable number is none, and an exponent is read up to the most four digits write.
    const QStringView before = p > 4 ? logText.mid(p - 5, 4) : logText.left(p - 1);
    const double number = std::trunc(numericValue(before));
    if (!(number > 0))
        return QStringLiteral("0");
    return QString::number(qint64(std::min(number, largestFourCharacterNumber)));
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
    if (const std::optional<QString> last = lastSentNumberIn(logText))
        FormatSentNumber(Frame1, nextNumberAfter(*last));
}
