#include "log_file/held_lines.h"
#include "log_file/log_file_text.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestLogFileText : public QObject
{
    Q_OBJECT

private slots:
    void decodesUtf8ElseWindows1252_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("ascii") << QByteArray("001-+-Q1ABC\r\n")
                               << QStringLiteral("001-+-Q1ABC\r\n");
        QTest::newRow("utf-8") << QByteArray("OZ/D\xC3\x98"
                                             "A \xE2\x82\xAC")
                               << QStringLiteral("OZ/D\u00D8A \u20AC");
        QTest::newRow("byte-order mark dropped") << QByteArray("\xEF\xBB\xBF"
                                                               "001\r\n")
                                                 << QStringLiteral("001\r\n");
        QTest::newRow("only a byte-order mark") << QByteArray("\xEF\xBB\xBF") << QString();
        QTest::newRow("latin letters of an 8-bit file")
            << QByteArray("S\xE9te \xC0 Z\xFCrich")
            << QStringLiteral("S\u00E9te \u00C0 Z\u00FCrich");
        QTest::newRow("windows-1252 punctuation")
            << QByteArray("\x80 \x93quoted\x94 \x9F")
            << QStringLiteral("\u20AC \u201Cquoted\u201D \u0178");
        QTest::newRow("bytes windows-1252 leaves undefined are kept")
            << QByteArray("a\x81\x8D\x8F\x90\x9D")
            << QStringLiteral("a\u0081\u008D\u008F\u0090\u009D");
        QTest::newRow("sequence cut short at the end")
            << QByteArray("abc\xC3") << QStringLiteral("abc\u00C3");
        QTest::newRow("encoded surrogate")
            << QByteArray("\xED\xA0\x80") << QStringLiteral("\u00ED\u00A0\u20AC");
        QTest::newRow("utf-8 mixed with one 8-bit byte: that line is 8-bit")
            << QByteArray("\xC3\xA9 \xE9") << QStringLiteral("\u00C3\u00A9 \u00E9");
        QTest::newRow("one 8-bit line among utf-8 lines changes only itself")
            << QByteArray("OH2\xC3\x84\xC3\x96\r\nS\xE9te\rOZ/D\xC3\x98"
                          "A\n\xC3\x84")
            << QStringLiteral("OH2\u00C4\u00D6\r\nS\u00E9te\rOZ/D\u00D8A\n\u00C4");
        QTest::newRow("byte-order mark, then an 8-bit line") << QByteArray("\xEF\xBB\xBF"
                                                                           "\xC3\x84\r\n\xC4")
                                                             << QStringLiteral("\u00C4\r\n\u00C4");
        QTest::newRow("utf-16 little-endian with its mark") << QByteArray("\xFF\xFE"
                                                                          "0\x00"
                                                                          "4\x00"
                                                                          "1\x00"
                                                                          "\xC4\x00"
                                                                          "\r\x00\n\x00",
                                                                          14)
                                                            << QStringLiteral("041\u00C4\r\n");
        QTest::newRow("utf-16 big-endian with its mark") << QByteArray("\xFE\xFF"
                                                                       "\x00"
                                                                       "0"
                                                                       "\x20\xAC",
                                                                       6)
                                                         << QStringLiteral("0\u20AC");
        QTest::newRow("utf-16 cut after an odd byte: the byte is marked, not dropped")
            << QByteArray("\xFF\xFE"
                          "A\x00"
                          "\xD5",
                          5)
            << QStringLiteral("A\uFFFD");
        QTest::newRow("byte-order mark before invalid utf-8") << QByteArray("\xEF\xBB\xBF"
                                                                            "\xE9")
                                                              << QStringLiteral("\u00E9");
    }

    void decodesUtf8ElseWindows1252()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(decodeLogFile(bytes), text);
    }

    void splitsLinesAtCrLfAndLoneCr_data()
    {
        QTest::addColumn<QString>("fileText");
        QTest::addColumn<QString>("lines");
        QTest::newRow("no text, no line") << ""
                                          << "";
        QTest::newRow("CR LF lines") << "a\r\nb\r\n"
                                     << "a\r\nb\r\n";
        QTest::newRow("last line without a break") << "a\r\nb"
                                                   << "a\r\nb\r\n";
        QTest::newRow("lone CR ends a line") << "a\rb\r"
                                             << "a\r\nb\r\n";
        QTest::newRow("lone LF stays inside the line") << "a\nb\r\nc\n"
                                                       << "a\nb\r\nc\n\r\n";
        QTest::newRow("LF then CR LF") << "a\n\r\nb"
                                       << "a\n\r\nb\r\n";
        QTest::newRow("CR then CR LF: an empty line") << "a\r\r\nb"
                                                      << "a\r\n\r\nb\r\n";
        QTest::newRow("only an LF") << "\n"
                                    << "\n\r\n";
    }

    void splitsLinesAtCrLfAndLoneCr()
    {
        QFETCH(QString, fileText);
        QFETCH(QString, lines);
        QString logText = QStringLiteral("old\r\n");
        appendFileLines(logText, fileText);
        QCOMPARE(logText, QStringLiteral("old\r\n") + lines);
    }

    void findsTheFirstLineLongerThanTheLimit_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qsizetype>("line");
        const QString atLimit(4, u'x');
        const QString over(5, u'x');
        QTest::newRow("none") << u"a\r\n"_s + atLimit + u"\r\n"_s + atLimit << qsizetype(0);
        QTest::newRow("empty text") << QString() << qsizetype(0);
        QTest::newRow("first line") << over + u"\r\n"_s << qsizetype(1);
        QTest::newRow("after CR LF, CR and LF") << u"a\r\nb\rc\n"_s + over << qsizetype(4);
        QTest::newRow("blank lines count") << u"\r\n\r\n"_s + over << qsizetype(3);
        QTest::newRow("last line without a break") << u"a\r\n"_s + over << qsizetype(2);
    }
    void findsTheFirstLineLongerThanTheLimit()
    {
        QFETCH(QString, text);
        QFETCH(qsizetype, line);
        QCOMPARE(firstLineLongerThan(text, 4), line);
    }

    // Whole lines, in any order, whatever ends them; a line that only starts like a log line is
    // not held.
    void findsTheFilesLinesInTheLog_data()
    {
        QTest::addColumn<QString>("log");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("contacts"); // the file's contact lines
        QTest::addColumn<int>("held");     // how many of them the log holds
        QTest::addColumn<bool>("lacking"); // whether the file holds a line the log lacks
        QTest::newRow("same lines, other order, other line ends")
            << "002-+-b\r\n001-+-a\r\n"
            << "001-+-a\n002-+-b\r" << 2 << 2 << false;
        QTest::newRow("a line the log holds longer") << "001-+-a\r\n001-+-ab\r\n"
                                                     << "001-+-a\r\n001-+-abc\r\n"
                                                     << 2 << 1 << true;
        QTest::newRow("the file's repeated line, held once") << "001-+-a\r\n"
                                                             << "001-+-a\r\n001-+-a\r\n"
                                                             << 2 << 2 << false;
        QTest::newRow("blank lines are no lines") << "001-+-a\r\n"
                                                  << "\r\n\r\n001-+-a\r\n\r\n"
                                                  << 1 << 1 << false;
        QTest::newRow("a note is no contact, but it is a line") << "001-+-a\r\n"
                                                                << "note\r\n001-+-a\r\n"
                                                                << 1 << 1 << true;
        // The table is made of the shorter text: these rows have the longer log.
        QTest::newRow("a long log holding one of the file's two lines")
            << "001-+-a\r\n003-+-a line far longer than the file\r\n"
            << "001-+-a\r\n002-+-b\r\n"
            << 2 << 1 << true;
        QTest::newRow("a long log holding the file's lines, a note among them")
            << "a note\r\n002-+-b\r\n003-+-c line far longer than the file\r\n001-+-a\r\n"
            << "001-+-a\n002-+-b\na note" << 2 << 2 << false;
        QTest::newRow("a long log and a file line that only starts like one of its lines")
            << "001-+-abc\r\n003-+-a line far longer than the file\r\n"
            << "001-+-ab\r\n"
            << 1 << 0 << true;
        QTest::newRow("empty log") << ""
                                   << "001-+-a\r\n"
                                   << 1 << 0 << true;
        QTest::newRow("empty file") << "001-+-a\r\n"
                                    << "" << 0 << 0 << false;
    }
    void findsTheFilesLinesInTheLog()
    {
        QFETCH(QString, log);
        QFETCH(QString, file);
        QFETCH(int, contacts);
        QFETCH(int, held);
        QFETCH(bool, lacking);
        const HeldContacts found = contactsHeld(log, file);
        QCOMPARE(found.contacts, contacts);
        QCOMPARE(found.held, held);
        QCOMPARE(holdsLinesNotIn(file.toUtf8(), log.toUtf8()), lacking);
    }

    void opensAfterTheOldLogAndFoldsTheWholeText()
    {
        // The fold runs over the old text too, and over the seam between old text and file.
        QCOMPARE(logTextAfterOpen(u"a\r\n\r\nb\r\n", u"\r\nc\r\n"),
                 QStringLiteral("a\r\nb\r\nc\r\n"));
        QCOMPARE(logTextAfterOpen(u"", u"a\r\nb\r\n\r\n"), QStringLiteral("a\r\nb\r\n"));
        // Three breaks in a row become two; a lone LF between two breaks is no blank line.
        QCOMPARE(logTextAfterOpen(u"", u"a\r\n\r\n\r\nb\r\n\nc"),
                 QStringLiteral("a\r\n\r\nb\r\n\nc\r\n"));
    }
};

QTEST_APPLESS_MAIN(TestLogFileText)
#include "tst_log_file_text.moc"
