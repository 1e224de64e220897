#include "log_file/log_file_lines.h"

#include <QBuffer>
#include <QStringEncoder>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Lines of every length from 0 up, each ended by the next of CR LF, a lone CR and a lone LF
// (which stays inside its line), so that line breaks fall on and across the reader's piece
// boundaries.
QString mixedText(qsizetype size, QStringView letters)
{
    static const QString breaks[] = {u"\r\n"_s, u"\r"_s, u"\n"_s};
    QString text;
    for (int line = 0; text.size() < size; ++line) {
        for (int i = 0; i < line % 97; ++i)
            text.append(letters[(line + i) % letters.size()]);
        text.append(breaks[line % 3]);
    }
    return text;
}

QByteArray encoded(const QString &text, QStringConverter::Encoding encoding)
{
    QStringEncoder encoder(encoding, QStringConverter::Flag::WriteBom);
    return encoder.encode(text);
}

// The lines "Open" makes of the whole file at once.
QStringList openLines(const QByteArray &bytes)
{
    QString text;
    appendFileLines(text, decodeLogFile(bytes));
    QStringList lines = text.split(u"\r\n"_s);
    lines.removeLast(); // after the last line's break
    return lines;
}

QStringList streamedLines(const QByteArray &bytes, LogFileLines::Stop &stop)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    LogFileLines reader(buffer);
    QStringList lines;
    while (const std::optional<QString> line = reader.next()) {
        if (reader.lineNumber() != lines.size() + 1)
            qFatal("line %lld numbered %lld", qlonglong(lines.size() + 1),
                   qlonglong(reader.lineNumber()));
        lines.append(*line);
    }
    stop = reader.stop();
    return lines;
}

} // namespace

// The exporter reads a log piece by piece: it must make the same lines of it as "Open" makes of
// the whole file.
class TestLogFileLines : public QObject
{
    Q_OBJECT

private slots:
    void givesTheLinesOpenMakes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QString ascii = mixedText(300'000, u"0123456789-+ABCXYZ");
        const QString calls = mixedText(300'000, u"Q1\u00D8\u00C5\u20AC/\U0001F4E1");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("ASCII over several pieces") << ascii.toUtf8();
        QTest::newRow("UTF-8 over several pieces") << calls.toUtf8();
        QTest::newRow("UTF-8 with a byte-order mark") << "\xEF\xBB\xBF" + calls.toUtf8();
        QByteArray mixed = calls.toUtf8();
        for (qsizetype at = 5; at < mixed.size(); at += 7919)
            mixed[at] = '\xE9'; // bytes of an 8-bit file among the UTF-8 lines
        QTest::newRow("8-bit lines among UTF-8 lines") << mixed;
        QTest::newRow("UTF-16 little-endian") << encoded(calls, QStringConverter::Utf16LE);
        QTest::newRow("UTF-16 big-endian") << encoded(calls, QStringConverter::Utf16BE);
        QTest::newRow("UTF-16 cut in a character")
            << encoded(calls, QStringConverter::Utf16LE).chopped(1);
        // A CR as the last byte of a piece, its LF the first of the next.
        for (const qsizetype crAt : {65535, 2 * 65536 - 1, 65536, 65534}) {
            QByteArray straddling;
            while (straddling.size() + 50 < crAt)
                straddling += "001-+-16/07/2016---1345---Q1ABC---59---012---\r\n";
            straddling += QByteArray(crAt - straddling.size(), 'A') + "\r\n002\r\n";
            QTest::addRow("CR LF at %lld", qlonglong(crAt)) << straddling;
        }
        QTest::newRow("last line without a break") << QByteArray("001\r\n002\r\n003");
        QTest::newRow("CR at the very end") << QByteArray("001\r\n002\r");
        QTest::newRow("only a byte-order mark") << QByteArray("\xFF\xFE");
    }

    void givesTheLinesOpenMakes()
    {
        QFETCH(QByteArray, bytes);
        LogFileLines::Stop stop;
        QCOMPARE(streamedLines(bytes, stop), openLines(bytes));
        QCOMPARE(stop, LogFileLines::Stop::End);
    }

    void stopsAtALineLongerThanOpenTakes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray tooLong(maxLineLength + 1, 'A');
        QTest::newRow("ended by CR LF") << "001\r\n" + tooLong + "\r\n003\r\n";
        QTest::newRow("last, without a break") << "001\r\n" + tooLong;
        QTest::newRow("of line feeds and letters, no CR")
            << "001\r\n" + QByteArray(3 * maxLineLength + 10, '\n');
        QTest::newRow("UTF-8, three bytes a character")
            << "001\r\n" + QString(maxLineLength + 1, u'\u20AC').toUtf8() + "\r\n";
    }

    void stopsAtALineLongerThanOpenTakes()
    {
        QFETCH(QByteArray, bytes);
        LogFileLines::Stop stop;
        const QStringList lines = streamedLines(bytes, stop);
        QCOMPARE(lines, QStringList{u"001"_s});
        QCOMPARE(stop, LogFileLines::Stop::LineTooLong);
    }

    void takesTheLongestLine()
    {
        const QByteArray longest = "001\r\n" + QByteArray(maxLineLength, 'A') + "\r\n";
        LogFileLines::Stop stop;
        QCOMPARE(streamedLines(longest, stop).size(), 2);
        QCOMPARE(stop, LogFileLines::Stop::End);
    }
};

QTEST_GUILESS_MAIN(TestLogFileLines)
#include "tst_log_file_lines.moc"
