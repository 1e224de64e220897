#include "contact_lines.h"
#include "contact_log/sent_number.h"
#include "controls/frame.h"
#include "controls/text_box.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestSentNumber : public QObject
{
    Q_OBJECT

private slots:
    void formatPadsToThreeDigitsAndShowsLongerNumbers()
    {
        Frame frame(QStringLiteral("Frame1"));
        FormatSentNumber(frame, u"7");
        QCOMPARE(frame.caption(), QStringLiteral("007"));
        FormatSentNumber(frame, u"42");
        QCOMPARE(frame.caption(), QStringLiteral("042"));
        FormatSentNumber(frame, u"999");
        QCOMPARE(frame.caption(), QStringLiteral("999"));
        FormatSentNumber(frame, u"1000");
        QCOMPARE(frame.caption(), QStringLiteral("1000"));
        FormatSentNumber(frame, u"10000");
        QCOMPARE(frame.caption(), QStringLiteral("10000"));
        FormatSentNumber(frame, u"1234567");
        QCOMPARE(frame.caption(), QStringLiteral("1234567"));
        FormatSentNumber(frame, u""); // nothing to show leaves it
        QCOMPARE(frame.caption(), QStringLiteral("1234567"));
    }

    void advanceMovesOnWithAsManyDigitsAsItNeeds_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("nextNumber");
        QTest::newRow("001") << "001"
                             << "002"
                             << "2";
        QTest::newRow("009") << "009"
                             << "010"
                             << "10";
        QTest::newRow("099") << "099"
                             << "100"
                             << "100";
        QTest::newRow("999") << "999"
                             << "1000"
                             << "1000";
        QTest::newRow("1000") << "1000"
                              << "1001"
                              << "1001";
        QTest::newRow("9999") << "9999"
                              << "10000"
                              << "10000";
        QTest::newRow("10000") << "10000"
                               << "10001"
                               << "10001";
        QTest::newRow("99999") << "99999"
                               << "100000"
                               << "100000";
        QTest::newRow("past what an int holds") << "99999999999999999999"
                                                << "100000000000000000000"
                                                << "100000000000000000000";
    }
    void advanceMovesOnWithAsManyDigitsAsItNeeds()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(QString, nextNumber);
        Frame frame(QStringLiteral("Frame1"));
        frame.setCaption(before);
        QString NextNumber;
        AdvanceSentNumber(frame, NextNumber);
        QCOMPARE(frame.caption(), after);
        QCOMPARE(NextNumber, nextNumber);
    }

    void restoreFollowsTheLastLine_data()
    {
        QTest::addColumn<QString>("log");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        const QString first = firstContact + QStringLiteral("\r\n");
        QTest::newRow("041 gives 042")
            << first + u"041-+-16/07/2016---1346---Q2XY---59---007---JN81AA\r\n"_s << "005"
            << "042";
        QTest::newRow("999 gives 1000")
            << first + u"999-+-16/07/2016---1346---Q2XY---59---007---JN81AA\r\n"_s << "005"
            << "1000";
        QTest::newRow("1000 gives 1001")
            << first + u"1000-+-16/07/2016---1346---Q2XY---59---007---JN81AA\r\n"_s << "005"
            << "1001";
        QTest::newRow("9999 gives 10000")
            << first + u"9999-+-16/07/2016---1346---Q2XY---59---007---JN81AA\r\n"_s << "005"
            << "10000";
        QTest::newRow("12345 gives 12346")
            << first + u"12345-+-16/07/2016---1346---Q2XY---59---007---JN81AA\r\n"_s << "005"
            << "12346";
        QTest::newRow("leading zeros are dropped")
            << first + u"00041-+-16/07/2016---1346---Q2XY---59---007---JN81AA\r\n"_s << "005"
            << "042";
        QTest::newRow("separators typed into the fields")
            << first + u"041-+-16/07/2016---1346---Q2-+-XY---59---0-+-07---JN-+-81AA\r\n"_s << "005"
            << "042";
        QTest::newRow("a number the last line does not start with")
            << first + u"x\r\n012-+-16/07/2016---1346---Q2-+-XY---59---007---JN81AA\r\n"_s << "005"
            << "013";
        QTest::newRow("a line without a number reads before its last separator")
            << first + u"ab-+-16/07/2016---1346---Q2XY---59---007---JN 012-+-\r\n"_s << "005"
            << "013";
        QTest::newRow("only contact in the first line") << first << "005"
                                                        << "002";
        QTest::newRow("first line numbered 41") << "41-+-x\r\n"
                                                << "005"
                                                << "042";
        QTest::newRow("no -+- at all leaves it") << "hello\r\nworld\r\n"
                                                 << "005"
                                                 << "005";
        QTest::newRow("empty log leaves it") << ""
                                             << "005"
                                             << "005";
        QTest::newRow("-+- at the very start") << "-+-abc"
                                               << "005"
                                               << "001";
        QTest::newRow("a lone carriage return ends a line too") << "x\r012-+-a"
                                                                << "005"
                                                                << "013";
        QTest::newRow("carriage return in front of a line without a number reads 0") << "x\r12a-+-a"
                                                                                     << "005"
                                                                                     << "001";
        QTest::newRow("negative number stays in range") << "ab\n-50-+-"
                                                        << "005"
                                                        << "001";
        QTest::newRow("digits past what an int holds") << "99999999999999999999-+-"
                                                       << "005"
                                                       << "100000000000000000000";
        QTest::newRow("an exponent before -+- on a line without a number") << "ab\n1e99-+-"
                                                                           << "005"
                                                                           << "10000";
        QTest::newRow("fraction is cut") << "ab\n1.5-+-"
                                         << "005"
                                         << "002";
    }
    void restoreFollowsTheLastLine()
    {
        QFETCH(QString, log);
        QFETCH(QString, before);
        QFETCH(QString, after);
        Frame frame(QStringLiteral("Frame1"));
        frame.setCaption(before);
        RestoreSentNumber(log, frame);
        QCOMPARE(frame.caption(), after);
    }

    void restoreLooksOnlyAtTheLastSeparator()
    {
        Frame frame(QStringLiteral("Frame1"));
        const QString log = QStringLiteral("x\r\n500-+-a\r\n010-+-b\r\n");
        RestoreSentNumber(log, frame);
        QCOMPARE(frame.caption(), QStringLiteral("011"));
    }

    void theLogBoxsLastContactLineGivesTheSameNumber_data()
    {
        QTest::addColumn<QString>("log");
        const QString line = QStringLiteral("0041-+-16/07/2016---1345---Q1ABC---59---1---JN\r\n");
        QTest::newRow("many lines") << line.repeated(50) + u"0042-+-x\r\n"_s;
        QTest::newRow("a long last line") << line + QString(1000, u'7') + u"-+-x"_s;
        QTest::newRow("the last -+- far back") << line + u"12-+-"_s + QString(1000, u'x');
        QTest::newRow("the number's digits across a piece's start")
            << QStringLiteral("x\n") + QString(300, u'5') + u"-+-"_s;
        QTest::newRow("two characters before the last -+-")
            << QString(600, u'y') + u"\r\nab-+-"_s + QString(300, u'z');
        QTest::newRow("in the first line") << QString(700, u'a') + u"3-+-a"_s;
        QTest::newRow("a -+- typed in a field")
            << line.repeated(20) + u"0042-+-a-+-b\r\n"_s + QString(400, u'c');
        QTest::newRow("none in a long log") << QString(5000, u'a');
        QTest::newRow("utf-16") << line.repeated(20) + u"\u20ac0042-+-\u0416\r\n"_s;
    }
    void theLogBoxsLastContactLineGivesTheSameNumber()
    {
        QFETCH(QString, log);
        TextBox box(QStringLiteral("Text1"));
        box.setMultiLine(true);
        box.setText(log);
        box.replaceText(1, 0, u"-"); // the gap in the text, near its start
        log.insert(1, u'-');
        const QString line = lastContactLineOf(box);
        // The box read again, whole and in pieces, before the line is used: what was read first
        // must be neither moved nor freed by what is read after it.
        QCOMPARE(box.text(), log);
        QVERIFY(box.holds(log));
        QCOMPARE(lastSentNumberIn(line), lastSentNumberIn(log));
    }
};

QTEST_GUILESS_MAIN(TestSentNumber)
#include "tst_sent_number.moc"
