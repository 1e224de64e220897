#include "contact_lines.h"
#include "frame.h"
#include "sent_number.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestSentNumber : public QObject
{
    Q_OBJECT

private slots:
    void formatPadsToThreeDigits()
    {
        Frame frame(QStringLiteral("Frame1"));
        FormatSentNumber(frame, u"7");
        QCOMPARE(frame.caption(), QStringLiteral("007"));
        FormatSentNumber(frame, u"42");
        QCOMPARE(frame.caption(), QStringLiteral("042"));
        FormatSentNumber(frame, u"999");
        QCOMPARE(frame.caption(), QStringLiteral("999"));
        FormatSentNumber(frame, u"1000"); // any other length leaves it
        QCOMPARE(frame.caption(), QStringLiteral("999"));
        FormatSentNumber(frame, u"");
        QCOMPARE(frame.caption(), QStringLiteral("999"));
    }

    void advanceMovesOnAndStopsAt999_data()
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
        QTest::newRow("998") << "998"
                             << "999"
                             << "999";
        QTest::newRow("999 stays") << "999"
                                   << "999"
                                   << "";
    }
    void advanceMovesOnAndStopsAt999()
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

    void advancingAThousandTimesEndsAt999()
    {
        Frame frame(QStringLiteral("Frame1"));
        frame.setCaption(QStringLiteral("001"));
        QString NextNumber;
        for (int i = 0; i < 1000; ++i)
            AdvanceSentNumber(frame, NextNumber);
        QCOMPARE(frame.caption(), QStringLiteral("999"));
        QCOMPARE(NextNumber, QStringLiteral("999"));
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
        QTest::newRow("last line 999 gives 999, not an older number")
            << first + u"999-+-16/07/2016---1346---Q2XY---59---007---JN81AA\r\n"_s << "005"
            << "999";
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
        QTest::newRow("carriage return in front reads 0") << "x\r012-+-a"
                                                          << "005"
                                                          << "001";
        QTest::newRow("negative number stays in range") << "ab\n-50-+-"
                                                        << "005"
                                                        << "001";
        QTest::newRow("overflowing digits stay in range") << "99999999999999999999-+-"
                                                          << "005"
                                                          << "999";
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
};

QTEST_GUILESS_MAIN(TestSentNumber)
#include "tst_sent_number.moc"
