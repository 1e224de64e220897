#include "export/contact_log_reader.h"

#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;

// Contact lines read back into their fields, in the date formats logs are written with.
class TestContactReader : public QObject
{
    Q_OBJECT

private slots:
    void readsBothLineForms()
    {
        const auto single =
            readContactLine(u"003-+-16/07/2016---1345---Q1ABC---59---012---JN80XW", u"dd/MM/yyyy");
        QVERIFY2(single.contact, qPrintable(single.problem));
        QCOMPARE(single.contact->sentNumber, u"003");
        QCOMPARE(single.contact->date, QDate(2016, 7, 16));
        QCOMPARE(single.contact->time, u"1345");
        QCOMPARE(single.contact->call, u"Q1ABC");
        QCOMPARE(single.contact->report, u"59");
        QCOMPARE(single.contact->receivedNumber, u"012");
        QCOMPARE(single.contact->locator, u"JN80XW");
        QVERIFY(!single.contact->band);

        const auto multi = readContactLine(
            u"1000-+-16/07/2016---1345---q1abc/p---59---5nn12---jn80xw-->1296 Mhz", u"dd/MM/yyyy");
        QVERIFY2(multi.contact, qPrintable(multi.problem));
        QCOMPARE(multi.contact->sentNumber, u"1000");
        QCOMPARE(multi.contact->call, u"Q1ABC/P");
        QCOMPARE(multi.contact->receivedNumber, u"5nn12");
        QCOMPARE(multi.contact->locator, u"JN80XW");
        QCOMPARE(multi.contact->band->adif, u"23cm");

        // HF: no locator, with and without a band.
        const auto hf = readContactLine(u"002-+-16/07/2016---1347---Q2DEF---59---003----->21 Mhz",
                                        u"dd/MM/yyyy");
        QVERIFY2(hf.contact, qPrintable(hf.problem));
        QCOMPARE(hf.contact->receivedNumber, u"003");
        QCOMPARE(hf.contact->locator, u"");
        QCOMPARE(hf.contact->band->cabrillo, u"21000");

        // The window numbers on past 9999.
        for (const QString &number : {u"10000"_s, u"123456"_s}) {
            const auto past9999 = readContactLine(
                number + u"-+-16/07/2016---1345---Q1ABC---59---012---JN80XW-->144 Mhz"_s,
                u"dd/MM/yyyy");
            QVERIFY2(past9999.contact, qPrintable(past9999.problem));
            QCOMPARE(past9999.contact->sentNumber, number);
        }
    }

    void readsTheDateFormatsOfLocales_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        QTest::newRow("dd/MM/yyyy") << "dd/MM/yyyy"
                                    << "05/07/2016" << QDate(2016, 7, 5);
        QTest::newRow("M/d/yy") << "M/d/yy"
                                << "7/5/16" << QDate(2016, 7, 5);
        QTest::newRow("M/d/yy, two-digit day and month") << "M/d/yy"
                                                         << "12/31/99" << QDate(2099, 12, 31);
        QTest::newRow("dd.MM.yy") << "dd.MM.yy"
                                  << "05.07.00" << QDate(2000, 7, 5);
        QTest::newRow("yyyy-MM-dd") << "yyyy-MM-dd"
                                    << "2016-07-05" << QDate(2016, 7, 5);
        QTest::newRow("day and month swapped") << "dd/MM/yyyy"
                                               << "07/31/2016" << QDate();
        QTest::newRow("other format") << "dd.MM.yy"
                                      << "05/07/16" << QDate();
        // Short dates in the locale's own digits, as the window writes them in ar_EG and fa_IR,
        // with the format of the locale (direction marks in it) or one typed in ASCII.
        QTest::newRow("ar_EG") << u"d\u200F/M\u200F/yyyy"_s
                               << u"\u0665/\u0667/\u0662\u0660\u0661\u0666"_s << QDate(2016, 7, 5);
        QTest::newRow("ar_EG, format typed")
            << u"d/M/yyyy"_s << u"\u0665/\u0667/\u0662\u0660\u0661\u0666"_s << QDate(2016, 7, 5);
        QTest::newRow("fa_IR") << u"yyyy/M/d"_s << u"\u06F2\u06F0\u06F1\u06F6/\u06F7/\u06F5"_s
                               << QDate(2016, 7, 5);
        QTest::newRow("ne_NP, two-digit year")
            << u"yy/M/d"_s << u"\u0967\u096C/\u096D/\u096B"_s << QDate(2016, 7, 5);
        QTest::newRow("bg_BG, a literal after the date")
            << u"d.MM.yy 'г'."_s << u"5.07.16 г."_s << QDate(2016, 7, 5);
    }

    void readsTheDateFormatsOfLocales()
    {
        QFETCH(QString, format);
        QFETCH(QString, text);
        QFETCH(QDate, date);
        QCOMPARE(readLogDate(text, format), date);
        const auto reading = readContactLine(
            QStringLiteral("001-+-") + text + QStringLiteral("---1345---Q1ABC---59---012---JN80XW"),
            format);
        QCOMPARE(reading.contact.has_value(), date.isValid());
        if (reading.contact)
            QCOMPARE(reading.contact->date, date);
    }

    void defaultsToTheLocalesShortDateFormat()
    {
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const QString format = defaultDateFormat();
        const auto reading =
            readContactLine(u"001-+-05.07.16---1345---Q1ABC---59---012---JN80XW", format);
        QLocale::setDefault(before);
        QCOMPARE(format, u"dd.MM.yy");
        QVERIFY2(reading.contact, qPrintable(reading.problem));
        QCOMPARE(reading.contact->date, QDate(2016, 7, 5));
    }

    void refusesLinesThatAreNotContactLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::newRow("hand note") << "QRT for dinner";
        QTest::newRow("broken date") << "001-+-32/07/2016---1345---Q1ABC---59---012---JN80XW";
        QTest::newRow("time not HHMM") << "001-+-16/07/2016---145---Q1ABC---59---012---JN80XW";
        QTest::newRow("hour 24") << "001-+-16/07/2016---2400---Q1ABC---59---012---JN80XW";
        QTest::newRow("minute 60") << "001-+-16/07/2016----160---Q1ABC---59---012---JN80XW";
        QTest::newRow("sent number of letters")
            << "0O1-+-16/07/2016---1345---Q1ABC---59---012---JN80XW";
        QTest::newRow("empty call") << "001-+-16/07/2016---1345------59---012---JN80XW";
        QTest::newRow("call with a blank")
            << "001-+-16/07/2016---1345---Q1 ABC---59---012---JN80XW";
        QTest::newRow("report of letters") << "001-+-16/07/2016---1345---Q1ABC---5N---012---JN80XW";
        QTest::newRow("empty received number")
            << "001-+-16/07/2016---1345---Q1ABC---59------JN80XW";
        QTest::newRow("';' in received number")
            << "001-+-16/07/2016---1345---Q1ABC---59---0;12---JN80XW";
        QTest::newRow("unknown band")
            << "001-+-16/07/2016---1345---Q1ABC---59---012---JN80XW-->145 Mhz";
        QTest::newRow("lone LF in locator")
            << "001-+-16/07/2016---1345---Q1ABC---59---012---JN80\nXW";
        QTest::newRow("non-ASCII locator")
            << "001-+-16/07/2016---1345---Q1ABC---59---012---JN80X\u00DF";
        QTest::newRow("missing locator field") << "001-+-16/07/2016---1345---Q1ABC---59---012";
    }

    void refusesLinesThatAreNotContactLines()
    {
        QFETCH(QString, line);
        const auto reading = readContactLine(line, u"dd/MM/yyyy");
        QVERIFY(!reading.contact);
        QVERIFY(!reading.problem.isEmpty());
    }

    void countsLinesAsOpenDoesAndPassesOverBlankOnes()
    {
        const QByteArray file = "001-+-16/07/2016---1345---Q1ABC---59---012---JN80XW\r\n"
                                "\r\n"
                                "   \r\n"
                                "written by hand\r" // a lone CR ends a line too
                                "002-+-16/07/2016---1346---Q2DEF---59---013---JN61FW";
        const ContactLog log = readContactLog(file, u"dd/MM/yyyy");
        QCOMPARE(log.contacts.size(), 2u);
        QCOMPARE(log.contacts[0].lineNumber, 1);
        QCOMPARE(log.contacts[1].lineNumber, 5);
        QCOMPARE(log.contacts[1].call, u"Q2DEF");
        QCOMPARE(log.badLines.size(), 1u);
        QCOMPARE(log.badLines[0].lineNumber, 4);
        QCOMPARE(log.badLines[0].text, u"written by hand");
    }
};

QTEST_GUILESS_MAIN(TestContactReader)
#include "tst_contact_reader.moc"
