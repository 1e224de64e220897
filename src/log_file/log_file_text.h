#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <QStringView>

// The longest line "Open" takes. A contact line is under 100 characters; a line of megabytes
// would take the log box minutes to lay out.
inline constexpr qsizetype maxLineLength = 64 * 1024;

// How the bytes of a log file become log text. Nothing here touches a file, so any bytes can be
// fed in directly.

inline constexpr QByteArrayView utf8ByteOrderMark = "\xEF\xBB\xBF";
inline constexpr QByteArrayView utf16LeByteOrderMark = "\xFF\xFE";
inline constexpr QByteArrayView utf16BeByteOrderMark = "\xFE\xFF";

// Each piece is decoded on its own, so a sequence cut short at its end is an error too.
inline constexpr auto wholeText =
    QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom;

// Decodes line after line: a line of valid UTF-8 as UTF-8, any other in the 8-bit code page,
// so that one stray byte changes its own line only.
class LineDecoder
{
public:
    // Appends `line` (no line break in it), decoded, to `text`.
    void append(QString &text, QByteArrayView line);

private:
    QStringDecoder utf8_{QStringDecoder::Utf8, wholeText};
    QStringDecoder windows1252_{"windows-1252", wholeText};
    QStringDecoder latin1_{QStringDecoder::Latin1, wholeText};
};

// The text of a log file, line by line: UTF-8 where a line is valid UTF-8, otherwise the 8-bit
// Windows code page (Windows-1252) that older files were written in, so that no character turns
// into a replacement mark and one stray byte changes only its own line. Lines here end at CR or
// LF bytes, which both encodings share. A file that starts with a UTF-16 byte-order mark is
// UTF-16 throughout. A leading byte-order mark is not part of the text.
QString decodeLogFile(QByteArrayView bytes);

// The number, from 1, of the first line of `fileText` longer than `maxLength` characters, as a
// text editor counts lines (each CR LF, CR or LF ends one); 0 when there is none.
qsizetype firstLineLongerThan(QStringView fileText, qsizetype maxLength);

// Appends the lines of a file's text to `logText`, each followed by CR LF. A line ends at CR LF
// or at a lone CR, and the break is not part of it; a lone LF stays inside its line. A last line
// without a break is a line too; an empty text has no lines.
void appendFileLines(QString &logText, QStringView fileText);

// Every CR LF CR LF replaced by CR LF in one pass from left to right: of a run of line breaks
// half remain, rounded up, so a single blank line disappears and of two one remains.
QString foldBlankLines(QString logText);

// The log text after reading a log file into it: the old text, the decoded file's lines after
// it, then the blank lines folded over the whole text.
QString logTextAfterOpen(QStringView logText, QStringView fileText);
