#include "contact_log/sent_number.h"
#include "controls/frame.h"
#include "fuzz_targets.h"
#include "log_file/log_file_text.h"

#include <algorithm>

namespace {

const QString captionBefore = QStringLiteral("517");

// "001" to "999", then as many digits as the number needs, without leading zeros.
bool isSentNumber(QStringView caption)
{
    if (!std::all_of(caption.begin(), caption.end(), isAsciiDigit))
        return false;
    return (caption.size() == 3 && caption != u"000") || (caption.size() > 3 && caption[0] != u'0');
}

// The number a well-formed last contact line carries: the line holding the last "-+-" starts
// with three to eighteen digits and then "-+-", whatever its fields hold. -1 when the text does
// not end its log that way.
qint64 lastLineNumber(QStringView text)
{
    const qsizetype separator = text.lastIndexOf(u"-+-");
    if (separator < 0)
        return -1;
    qsizetype start = separator;
    while (start > 0 && text[start - 1] != u'\n' && text[start - 1] != u'\r')
        --start;
    const QStringView line = text.sliced(start);
    const qsizetype first = line.indexOf(u"-+-");
    if (first < 3 || first > 18 || !std::all_of(line.begin(), line.begin() + first, isAsciiDigit))
        return -1;
    return line.first(first).toLongLong();
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
        return QStringLiteral("sent number \"%1\" is not 001 or more").arg(caption);
    if (!logText.contains(u"-+-") && caption != captionBefore)
        return QStringLiteral("a log without contact lines changed the sent number");
    if (const qint64 last = lastLineNumber(logText); last >= 0) {
        const QString expected = QString::number(last + 1).rightJustified(3, u'0');
        if (caption != expected)
            return QStringLiteral("last line %1 gave %2").arg(last).arg(caption);
    }
    return {};
}
