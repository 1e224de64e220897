#include "contact_form.h"
#include "fake_services.h"
#include "file_bytes.h"
#include "log_file.h"

#include <QTest>
#include <algorithm>

namespace {

const QString captionBefore = QStringLiteral("017");

// All the bytes of a literal, NULs included.
template <qsizetype N> QByteArray bytesOf(const char (&literal)[N])
{
    return QByteArray(literal, N - 1);
}

// "001" to "999", then as many digits as the number needs, without leading zeros.
bool isSentNumber(const QString &caption)
{
    const bool digits =
        !caption.isEmpty() &&
        std::all_of(caption.begin(), caption.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    return digits && caption != QStringLiteral("000") &&
           (caption.size() == 3 || (caption.size() > 3 && caption[0] != u'0'));
}

} // namespace

// Log files the program did not write, opened through "Open": each gives the log text the rules
// say, and the sent number is three digits from 001 to 999 or a longer number.
class TestHostileLogFiles : public QObject
{
    Q_OBJECT

private slots:
    void opensWhateverTheFileHolds_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("sentNumber");

        QTest::newRow("only blank lines: of four, two remain")
            << QByteArray("\r\n\r\n\r\n\r\n") << "\r\n\r\n"
            << captionBefore;
        QTest::newRow("CR-only line ends")
            << QByteArray("001-+-a\r002-+-b\r") << "001-+-a\r\n002-+-b\r\n"
            << "003";
        QTest::newRow("LF-only line ends: one line, numbered by its last LF")
            << QByteArray("001-+-a\n002-+-b\n") << "001-+-a\n002-+-b\n\r\n"
            << "003";
        const QByteArray nuls = bytesOf("001-+-a\0b\r\n\0\0\r\n002-+-\0\r\n");
        QTest::newRow("NUL bytes are characters like any other")
            << nuls << QString::fromLatin1(nuls) << "003";
        QTest::newRow("invalid UTF-8 is read byte for byte")
            << QByteArray("001-+-\xFF\xC0\xAF\r\n002-+-\xED\xA0\x80\r\n")
            << "001-+-\u00FF\u00C0\u00AF\r\n002-+-\u00ED\u00A0\u20AC\r\n"
            << "003";
        // With the mark kept, the number in front of the first "-+-" would be unreadable.
        QTest::newRow("UTF-8 byte-order mark") << QByteArray("\xEF\xBB\xBF"
                                                             "041-+-a\r\n")
                                               << "041-+-a\r\n"
                                               << "042";
        QTest::newRow("a line of only -+-")
            << QByteArray("041-+-a\r\n-+-\r\n") << "041-+-a\r\n-+-\r\n"
            << "001";
        QTest::newRow("-+- at the very start") << QByteArray("-+-a\r\n") << "-+-a\r\n"
                                               << "001";
        QTest::newRow("digits that overflow an int before -+-")
            << QByteArray("041-+-a\r\n99999999999999999999-+-b\r\n")
            << "041-+-a\r\n99999999999999999999-+-b\r\n"
            << "100000000000000000000";
        QTest::newRow("a last number of 9999")
            << QByteArray("9998-+-a\r\n9999-+-b\r\n") << "9998-+-a\r\n9999-+-b\r\n"
            << "10000";
        QTest::newRow("a last number of five digits")
            << QByteArray("041-+-a\r\n12345-+-b\r\n") << "041-+-a\r\n12345-+-b\r\n"
            << "12346";
        QTest::newRow("a negative number before -+-")
            << QByteArray("a\r\n-12-+-b\r\n") << "a\r\n-12-+-b\r\n"
            << "001";

        QTest::newRow("UTF-16 with its byte-order mark") << QByteArray("\xFF\xFE"
                                                                       "0\x00"
                                                                       "4\x00"
                                                                       "1\x00"
                                                                       "-\x00+\x00-\x00"
                                                                       "\xC4\x00"
                                                                       "\r\x00\n\x00",
                                                                       18)
                                                         << "041-+-\u00C4\r\n"
                                                         << "042";
        QTest::newRow("one 8-bit byte in one line of a UTF-8 file")
            << QByteArray("001-+-OH2\xC3\x84\xC3\x96\r\n002-+-S\xE9te\r\n")
            << "001-+-OH2\u00C4\u00D6\r\n002-+-S\u00E9te\r\n"
            << "003";
        const QByteArray longCall(maxLineLength - 40, 'A');
        QTest::newRow("a line just under the limit")
            << QByteArray("001-+-a\r\n002-+-16/07/2016---1345---" + longCall + "---59---1---X\r\n")
            << QString::fromLatin1("001-+-a\r\n002-+-16/07/2016---1345---" + longCall +
                                   "---59---1---X\r\n")
            << "003";

        QByteArray shortLines;
        for (int i = 0; i < 1'000'000; ++i)
            shortLines += QByteArray::number(100 + i % 900) + "-+-Q\r\n";
        QTest::newRow("1,000,000 short lines") << shortLines << QString::fromLatin1(shortLines)
                                               << QString::number(100 + 999'999 % 900 + 1);
        QTest::newRow("1,000,000 blank lines: half remain")
            << QByteArray("005-+-a\r\n") + QByteArray("\r\n").repeated(1'000'000)
            << QStringLiteral("005-+-a\r\n") + QStringLiteral("\r\n").repeated(500'000) << "006";
    }

    void opensWhateverTheFileHolds()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(QString, sentNumber);
        FakeServices fakes;
        ContactForm form;
        form.Frame1.setCaption(captionBefore);
        writeBytes(fakes.directory.path() + QStringLiteral("/vandrel.txt"), bytes);

        OpenLog(form, {fakes.directory, fakes.files});

        QVERIFY(fakes.messages.shown.isEmpty());
        // Compared without QCOMPARE, which would print megabytes on a mismatch.
        QVERIFY2(form.Text1.text() == text,
                 qPrintable(QStringLiteral("log text of %1 characters, expected %2")
                                .arg(form.Text1.text().size())
                                .arg(text.size())));
        QCOMPARE(form.Frame1.caption(), sentNumber);
        QVERIFY(isSentNumber(form.Frame1.caption()));
    }
};

QTEST_APPLESS_MAIN(TestHostileLogFiles)
#include "tst_hostile_log_files.moc"
