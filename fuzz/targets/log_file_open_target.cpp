#include "fuzz_targets.h"
#include "log_file/log_file_text.h"

#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>

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

bool isValidUtf8(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    // The decoding runs only when its result becomes a string.
    [[maybe_unused]] const QString text = utf8.decode(bytes);
    return !utf8.hasError();
}

// The pieces of `text` between line breaks (CR or LF); a trailing empty piece too.
template <typename Text> QList<Text> piecesOf(Text text)
{
    QList<Text> pieces;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n') {
            pieces.append(text.sliced(start, i - start));
            start = i + 1;
        }
    }
    pieces.append(text.sliced(start));
    return pieces;
}

QString checkUtf16(QByteArrayView body, const QString &text, QStringConverter::Encoding encoding)
{
    // Either every pair of bytes came back, or what could not be read is marked as such.
    if (!text.contains(QChar::ReplacementCharacter) &&
        QByteArray(QStringEncoder(encoding).encode(text)) != body)
        return QStringLiteral("UTF-16 decoding lost or invented characters");
    return {};
}

QString checkDecoding(QByteArrayView bytes, const QString &text)
{
    if (bytes.startsWith("\xFF\xFE"))
        return checkUtf16(bytes.sliced(2), text, QStringConverter::Utf16LE);
    if (bytes.startsWith("\xFE\xFF"))
        return checkUtf16(bytes.sliced(2), text, QStringConverter::Utf16BE);
    const QByteArrayView body = bytes.startsWith(byteOrderMark) ? bytes.sliced(3) : bytes;
    const QList<QByteArrayView> lines = piecesOf(body);
    const QList<QStringView> decoded = piecesOf(QStringView(text));
    if (lines.size() != decoded.size())
        return QStringLiteral("decoding added or lost line breaks");
    // Line by line: a line of valid UTF-8 comes back byte for byte; any other was read in an
    // 8-bit code page, one character per byte, none lost.
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (isValidUtf8(lines[i]) ? decoded[i].toUtf8() != lines[i]
                                  : decoded[i].size() != lines[i].size())
            return QStringLiteral("decoding lost or invented characters in line %1").arg(i + 1);
        if (decoded[i].contains(QChar::ReplacementCharacter) && !lines[i].contains("\xEF\xBF\xBD"))
            return QStringLiteral("decoding turned bytes into replacement marks");
    }
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
    if (logTextAfterOpen(u"", fileText) != folded)
        return QStringLiteral("opening into an empty log differs from its steps");

    // Opened after a log that already holds a contact: the fold runs over the seam too.
    const QString old = QStringLiteral("001-+-16/07/2016---1345---Q1ABC---59---012---JN80XY\r\n");
    if (logTextAfterOpen(old, fileText) != foldedByHand(old + lines))
        return QStringLiteral("opening after a log differs from its steps");
    return {};
}
