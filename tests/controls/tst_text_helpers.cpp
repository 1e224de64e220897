#include "controls/text_helpers.h"

#include <QTest>

class TestTextHelpers : public QObject
{
    Q_OBJECT

private slots:
    void backwardSearchFindsTheLastOccurrence()
    {
        const QString log = QStringLiteral("001-+-A\r\n002-+-B\r\n");
        QCOMPARE(findTextBackward(log, u"-+-"), 13);
        QCOMPARE(findTextBackward(log, u"+++"), 0);
        QCOMPARE(findTextBackward(u"", u"-+-"), 0);
    }

    void replaceIsOnePassLeftToRight_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("two breaks become one") << "a\r\n\r\nb"
                                               << "a\r\nb";
        QTest::newRow("three become two") << "a\r\n\r\n\r\nb"
                                          << "a\r\n\r\nb";
        QTest::newRow("four become two") << "a\r\n\r\n\r\n\r\nb"
                                         << "a\r\n\r\nb";
        QTest::newRow("five become three") << "\r\n\r\n\r\n\r\n\r\n"
                                           << "\r\n\r\n\r\n";
        QTest::newRow("one stays") << "a\r\nb"
                                   << "a\r\nb";
    }
    void replaceIsOnePassLeftToRight()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(replaceText(text, u"\r\n\r\n", u"\r\n"), expected);
    }

    void numericValueReadsTheLeadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("line feed then digits") << "\n012" << 12.0;
        QTest::newRow("carriage return stops it") << "\r012" << 0.0;
        QTest::newRow("blanks anywhere are skipped") << " 1\t2\n3" << 123.0;
        QTest::newRow("stops at a letter") << "41abc" << 41.0;
        QTest::newRow("no number") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("sign") << "-05" << -5.0;
        QTest::newRow("fraction") << "1.5" << 1.5;
        QTest::newRow("exponent") << "2E3" << 2000.0;
        QTest::newRow("lone sign") << "-" << 0.0;
        QTest::newRow("lone point") << "." << 0.0;
    }
    void numericValueReadsTheLeadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(numericValue(text), expected);
    }

    void numericValueOfHugeNumbersStaysDefined()
    {
        const QString digits(400, u'9');
        QVERIFY(numericValue(digits) > 1e300);
        QCOMPARE(numericValue(u"1e99999"), std::numeric_limits<double>::infinity());
        QCOMPARE(numericValue(u"0e99999"), 0.0);
    }
};

QTEST_GUILESS_MAIN(TestTextHelpers)
#include "tst_text_helpers.moc"
