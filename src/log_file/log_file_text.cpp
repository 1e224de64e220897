#include "log_file_text.h"

#include "contact_line.h"

#include <QStringDecoder>

namespace {

// A UTF-16 file after its byte-order mark. A last byte without its pair (a file cut short) is
// marked as unreadable rather than silently dropped.
QString decodeUtf16(QByteArrayView body, QStringDecoder::Encoding encoding)
{
    const bool oddByte = body.size() % 2 != 0;
    QString text = QStringDecoder(encoding, wholeText).decode(body.chopped(oddByte ? 1 : 0));
    if (oddByte)
        text.append(QChar::ReplacementCharacter);
    return text;
}

} // namespace

void LineDecoder::append(QString &text, QByteArrayView line)
{
    utf8_.resetState();
    const QString decoded = utf8_.decode(line);
    if (!utf8_.hasError()) {
        text.append(decoded);
        return;
    }
    // A Qt built without a Windows-1252 decoder: Latin-1 differs from it only in 0x80 to 0x9F,
    // which it keeps as control characters rather than losing them.
    QStringDecoder &codePage = windows1252_.isValid() ? windows1252_ : latin1_;
    codePage.resetState();
    text.append(codePage.decode(line));
}

QString decodeLogFile(QByteArrayView bytes)
{
    if (bytes.startsWith(utf16LeByteOrderMark))
        return decodeUtf16(bytes.sliced(2), QStringDecoder::Utf16LE);
    if (bytes.startsWith(utf16BeByteOrderMark))
        return decodeUtf16(bytes.sliced(2), QStringDecoder::Utf16BE);
    if (bytes.startsWith(utf8ByteOrderMark))
        bytes = bytes.sliced(utf8ByteOrderMark.size());
    // The usual file, UTF-8 throughout, in one pass.
    QStringDecoder utf8(QStringDecoder::Utf8, wholeText);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;

    text.clear();
    text.reserve(bytes.size());
    LineDecoder decoder;
    qsizetype lineStart = 0;
    while (lineStart < bytes.size()) {
        qsizetype lineEnd = lineStart;
        while (lineEnd < bytes.size() && !isLineBreak(bytes[lineEnd]))
            ++lineEnd;
        decoder.append(text, bytes.sliced(lineStart, lineEnd - lineStart));
        if (lineEnd < bytes.size())
            text.append(QLatin1Char(bytes[lineEnd++]));
        lineStart = lineEnd;
    }
    return text;
}

qsizetype firstLineLongerThan(QStringView fileText, qsizetype maxLength)
{
    qsizetype line = 1;
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < fileText.size(); ++i) {
        const QChar c = fileText[i];
        if (c != u'\r' && c != u'\n')
            continue;
        if (i - lineStart > maxLength)
            return line;
        // CR LF is one break.
        if (c == u'\r' && i + 1 < fileText.size() && fileText[i + 1] == u'\n')
            ++i;
        ++line;
        lineStart = i + 1;
    }
    return fileText.size() - lineStart > maxLength ? line : 0;
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
    // QString::replace finds the occurrences left to right and never rescans what it inserted.
    return logText.replace(QStringLiteral("\r\n\r\n"), lineEnd.toString());
}

QString logTextAfterOpen(QStringView logText, QStringView fileText)
{
    QString text;
    // Room for the usual case, lines ended by CR LF; only lone CRs and a missing last break
    // make it grow.
    text.reserve(logText.size() + fileText.size() + lineEnd.size());
    text.append(logText);
    appendFileLines(text, fileText);
    return foldBlankLines(std::move(text));
}
