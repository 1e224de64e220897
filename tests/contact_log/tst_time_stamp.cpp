#include "contact_log/contact_entry.h"
#include "contact_log/contact_form.h"
#include "fake_services.h"
#include "platform/clock.h"

#include <QRegularExpression>
#include <QTest>

class TestTimeStamp : public QObject
{
    Q_OBJECT

private slots:
    void utcTimeFollowsTheGmtBox_data()
    {
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::addColumn<bool>("gmtPlusOne");
        QTest::addColumn<QString>("timeText");
        QTest::addColumn<QString>("hourText");
        QTest::addColumn<QString>("minuteText");
        QTest::newRow("09:05 gmt+1") << 9 << 5 << true << "0805---"
                                     << "9"
                                     << "05";
        QTest::newRow("09:05 gmt+2") << 9 << 5 << false << "0705---"
                                     << "9"
                                     << "05";
        QTest::newRow("10:30 gmt+2") << 10 << 30 << false << "0830---"
                                     << "10"
                                     << "30";
        QTest::newRow("23:59 gmt+1") << 23 << 59 << true << "2259---"
                                     << "23"
                                     << "59";
        QTest::newRow("15:45 gmt+2") << 15 << 45 << false << "1345---"
                                     << "15"
                                     << "45";
    }
    void utcTimeFollowsTheGmtBox()
    {
        QFETCH(int, hour);
        QFETCH(int, minute);
        QFETCH(bool, gmtPlusOne);
        QFETCH(QString, timeText);
        QFETCH(QString, hourText);
        QFETCH(QString, minuteText);
        ContactForm form;
        FixedClock clock;
        clock.set(QDate(2016, 7, 16), hour, minute);
        if (gmtPlusOne)
            form.Check1.click();
        UtcTimeStamp(form, clock);
        QCOMPARE(form.TimeText, timeText);
        QCOMPARE(form.HourText, hourText);
        QCOMPARE(form.MinuteText, minuteText);
        QCOMPARE(form.DateText, QStringLiteral("16/07/2016"));
    }

    void beforeUtcMidnightTheTimeAndDateAreThePreviousDays_data()
    {
        QTest::addColumn<int>("hour");
        QTest::addColumn<bool>("gmtPlusOne");
        QTest::addColumn<QString>("timeText");
        QTest::addColumn<QString>("dateText");
        QTest::newRow("00:30 gmt+2") << 0 << false << "2230---"
                                     << "31/12/2016";
        QTest::newRow("01:30 gmt+2") << 1 << false << "2330---"
                                     << "31/12/2016";
        QTest::newRow("00:30 gmt+1") << 0 << true << "2330---"
                                     << "31/12/2016";
        QTest::newRow("01:30 gmt+1 is already the same day") << 1 << true << "0030---"
                                                             << "01/01/2017";
        QTest::newRow("02:30 gmt+2 is already the same day") << 2 << false << "0030---"
                                                             << "01/01/2017";
    }
    void beforeUtcMidnightTheTimeAndDateAreThePreviousDays()
    {
        QFETCH(int, hour);
        QFETCH(bool, gmtPlusOne);
        QFETCH(QString, timeText);
        QFETCH(QString, dateText);
        ContactForm form;
        FixedClock clock;
        clock.set(QDate(2017, 1, 1), hour, 30);
        if (gmtPlusOne)
            form.Check1.click();
        UtcTimeStamp(form, clock);
        QCOMPARE(form.TimeText, timeText);
        QCOMPARE(form.DateText, dateText);
    }

    // Some locales write direction marks into their short dates; in a contact line they would
    // reorder the fields around the date wherever the line is shown.
    void systemDateTextCarriesNoDirectionMarks_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("marked"); // whether the locale's own text has marks
        QTest::newRow("Arabic, Egypt") << "ar_EG" << true;
        QTest::newRow("Persian") << "fa_IR" << false;
        QTest::newRow("English, UK") << "en_GB" << false;
    }
    void systemDateTextCarriesNoDirectionMarks()
    {
        QFETCH(QString, locale);
        QFETCH(bool, marked);
        const QDate date(2016, 7, 16);
        const QString text = SystemClock(QLocale(locale)).shortDateText(date);
        const QString shown = QLocale(locale).toString(date, QLocale::ShortFormat);
        QString withoutMarks = shown;
        withoutMarks.remove(QRegularExpression(QStringLiteral("[\\x{200E}\\x{200F}\\x{061C}]")));
        QCOMPARE(withoutMarks != shown, marked);
        QCOMPARE(text, withoutMarks);
    }
};

QTEST_GUILESS_MAIN(TestTimeStamp)
#include "tst_time_stamp.moc"
