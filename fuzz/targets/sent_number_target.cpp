#include "frame.h"
#include "fuzz_targets.h"
#include "log_file_text.h"
#include "sent_number.h"

#include <algorithm>

namespace {

const QString captionBefore = QStringLiteral("517");

bool isSentNumber(QStringView caption)
{
    return caption.size() == 3 && std::all_of(caption.begin(), caption.end(), isAsciiDigit) &&
           caption != u"000";
}

// The number a well-formed last line carries: the line feed ending the line before it, then
// three digits, then "-+-". -1 when the text does not end its log that way.
int lastLineNumber(QStringView text)
{
    const qsizetype separator = text.lastIndexOf(u"-+-");
    if (separator < 4)
        return -1;
    const QStringView before = text.sliced(separator - 4, 4);
    if (before[0] != u'\n' || !std::all_of(before.begin() + 1, before.end(), isAsciiDigit))
        return -1;
    return before.sliced(1).toInt();
}

} // namespace

QString fuzzRestoreSentNumber(QByteArrayView input)
{
    const QString logText = decodeLogFile(input);
    Frame Frame1(QStringLiteral("Frame1"));
    Frame1.setCaption(captionBefore);
    RestoreSentNumber(logText, Frame1);

    const QString &caption = Frame1.caption();
    if (!isSentNumber(caption))
        return QStringLiteral("sent number \"%1\" is not 001 to 999").arg(caption);
    if (!logText.contains(u"-+-") && caption != captionBefore)
        return QStringLiteral("a log without contact lines changed the sent number");
    if (const int last = lastLineNumber(logText); last >= 0) {
        const QString expected = QString::number(std::min(last + 1, 999)).rightJustified(3, u'0');
        if (caption != expected)
            return QStringLiteral("last line %1 gave %2").arg(last).arg(caption);
    }
    return {};
}
