#include "fuzz_targets.h"
#include "log_file_text.h"

namespace {

constexpr QByteArrayView byteOrderMark = "\xEF\xBB\xBF";

QString withoutLineBreaks(QString text)
{
    return text.remove(QStringLiteral("\r\n")).remove(u'\r');
}

// The fold written out the slow, obvious way: left to right, every CR LF CR LF becomes CR LF and
// the scan goes on after it.
QString foldedByHand(QStringView text)
{
    QString folded;
    qsizetype i = 0;
    while (i < text.size()) {
        if (text.sliced(i).startsWith(u"\r\n\r\n")) {
            folded += u"\r\n";
            i += 4;
        } else {
            folded += text[i++];
        }
    }
    return folded;
}

QString checkDecoding(QByteArrayView bytes, const QString &text)
{
    const QByteArrayView body = bytes.startsWith(byteOrderMark) ? bytes.sliced(3) : bytes;
    // Either the bytes were UTF-8 and come back byte for byte, or they were read as an 8-bit
    // code page: one character per byte, none lost.
    if (text.toUtf8() != body && text.size() != body.size())
        return QStringLiteral("decoding lost or invented characters");
    if (text.contains(QChar::ReplacementCharacter) && !body.contains("\xEF\xBF\xBD"))
        return QStringLiteral("decoding turned bytes into replacement marks");
    return {};
}

QString checkLines(const QString &fileText, const QString &lines)
{
    if (lines.isEmpty() != fileText.isEmpty())
        return QStringLiteral("a text without lines or lines without a text");
    if (!lines.isEmpty() && !lines.endsWith(u"\r\n"))
        return QStringLiteral("the last line has no CR LF");
    for (qsizetype cr = lines.indexOf(u'\r'); cr >= 0; cr = lines.indexOf(u'\r', cr + 1)) {
        if (cr + 1 == lines.size() || lines[cr + 1] != u'\n')
            return QStringLiteral("a CR without its LF in the log text");
    }
    // Only line breaks change; every other character, a lone LF included, stays in its place.
    if (withoutLineBreaks(lines) != withoutLineBreaks(fileText))
        return QStringLiteral("characters other than line breaks changed");
    return {};
}

} // namespace

QString fuzzLogFileOpen(QByteArrayView input)
{
    const QString fileText = decodeLogFile(input);
    if (QString failure = checkDecoding(input, fileText); !failure.isEmpty())
        return failure;

    QString lines;
    appendFileLines(lines, fileText);
    if (QString failure = checkLines(fileText, lines); !failure.isEmpty())
        return failure;

    const QString folded = foldBlankLines(lines);
    if (folded != foldedByHand(lines))
        return QStringLiteral("blank lines folded otherwise than one pass left to right");
    if (logTextAfterOpen(u"", input) != folded)
        return QStringLiteral("opening into an empty log differs from its steps");

    // Opened after a log that already holds a contact: the fold runs over the seam too.
    const QString old = QStringLiteral("001-+-16/07/2016---1345---Q1ABC---59---012---JN80XY\r\n");
    if (logTextAfterOpen(old, input) != foldedByHand(old + lines))
        return QStringLiteral("opening after a log differs from its steps");
    return {};
}
