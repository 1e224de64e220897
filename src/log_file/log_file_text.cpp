#include "log_file_text.h"

#include "contact_line.h"
#include "text_helpers.h"

#include <QStringDecoder>

namespace {

constexpr QByteArrayView utf8ByteOrderMark = "\xEF\xBB\xBF";

// Whole files are decoded at once, so a sequence cut short at the end is an error too.
constexpr auto wholeText =
    QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom;

QString decodeCodePage(QByteArrayView bytes)
{
    QStringDecoder windows1252("windows-1252", wholeText);
    if (windows1252.isValid())
        return windows1252.decode(bytes);
    // A Qt built without a Windows-1252 decoder: Latin-1 differs from it only in 0x80 to 0x9F,
    // which it keeps as control characters rather than losing them.
    QStringDecoder latin1(QStringDecoder::Latin1, wholeText);
    return latin1.decode(bytes);
}

} // namespace

QString decodeLogFile(QByteArrayView bytes)
{
    if (bytes.startsWith(utf8ByteOrderMark))
        bytes = bytes.sliced(utf8ByteOrderMark.size());
    QStringDecoder utf8(QStringDecoder::Utf8, wholeText);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return decodeCodePage(bytes);
}

void appendFileLines(QString &logText, QStringView fileText)
{
    qsizetype lineStart = 0;
    for (qsizetype cr = fileText.indexOf(u'\r'); cr >= 0; cr = fileText.indexOf(u'\r', lineStart)) {
        logText.append(fileText.sliced(lineStart, cr - lineStart)).append(lineEnd);
        lineStart = cr + 1;
        if (lineStart < fileText.size() && fileText[lineStart] == u'\n')
            ++lineStart;
    }
    if (lineStart < fileText.size())
        logText.append(fileText.sliced(lineStart)).append(lineEnd);
}

QString foldBlankLines(QString logText)
{
    return replaceText(std::move(logText), u"\r\n\r\n", lineEnd);
}

QString logTextAfterOpen(QStringView logText, QByteArrayView fileBytes)
{
    const QString fileText = decodeLogFile(fileBytes);
    QString text;
    // Room for the usual case, lines ended by CR LF; only lone CRs and a missing last break
    // make it grow.
    text.reserve(logText.size() + fileText.size() + lineEnd.size());
    text.append(logText);
    appendFileLines(text, fileText);
    return foldBlankLines(std::move(text));
}
