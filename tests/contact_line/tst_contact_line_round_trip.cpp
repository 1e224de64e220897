#include "contact_line/bands.h"
#include "contact_line/contact_date.h"
#include "export/contact_log_reader.h"
#include "fake_services.h"
#include "log_file/log_file.h"
#include "main_window/form15.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The system clock's date text in a chosen locale, at a time the test sets.
class LocaleClock : public Clock
{
public:
    explicit LocaleClock(const QLocale &locale) : locale_(locale) {}
    QDateTime now() const override { return now_; }
    QString shortDateText(QDate date) const override { return contactDateText(date, locale_); }

    QDateTime now_;

private:
    QLocale locale_;
};

// One contact as the operator enters it, and what the log must give back for it.
struct Entry
{
    QDateTime localTime;
    QString band; // the band list's text, or "..." for none
    QString call;
    QString receivedNumber;
    QString locator; // empty: the locator box is switched off (HF)
    QDate utcDate;   // "gmt+1" is not ticked: the local clock runs two hours ahead of UTC
    QString utcTime;
};

const QList<Entry> entries{
    {QDateTime({2026, 7, 5}, {10, 15}),
     u"144 Mhz"_s,
     u"Q1ABC"_s,
     u"012"_s,
     u"JN80XY"_s,
     {2026, 7, 5},
     u"0815"_s},
    // Just after local midnight: in UTC still the day before, the last of a year.
    {QDateTime({2027, 1, 1}, {1, 30}),
     u"1296 Mhz"_s,
     u"DL1XYZ/P"_s,
     u"5NN7"_s,
     u"JO62QM"_s,
     {2026, 12, 31},
     u"2330"_s},
    {QDateTime({2026, 11, 12}, {23, 59}),
     u"14 Mhz"_s,
     u"Q2DEF"_s,
     u"27"_s,
     QString(),
     {2026, 11, 12},
     u"2159"_s},
    {QDateTime({2026, 2, 3}, {12, 0}),
     u"..."_s,
     u"Q3GHI"_s,
     u"0999"_s,
     u"IO91WM"_s,
     {2026, 2, 3},
     u"1000"_s},
};

} // namespace

// The contract between the window and the exporter: contacts added with "Add" and saved with
// "Save" come back, field for field, from the exporter's reader, in each locale the window's
// date can be written in, with the exporter's default date format of that locale.
class TestContactLineRoundTrip : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void savedContactsReadBackInEveryLocale_data()
    {
        QTest::addColumn<QString>("locale");
        // Day before month, month before day, year first; four- and two-digit years; Latin,
        // Arabic-Indic and Persian digits; direction marks; a literal after the date.
        for (const char *name : {"en_GB", "en_US", "de_DE", "ja_JP", "ar_EG", "fa_IR", "ko_KR",
                                 "hi_IN", "bn_BD", "my_MM", "ne_NP", "hu_HU", "bg_BG", "nl_NL"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void savedContactsReadBackInEveryLocale()
    {
        QFETCH(QString, locale);
        QLocale::setDefault(QLocale(locale));
        FakeServices fakes;
        LocaleClock clock{QLocale(locale)};
        Form15 form{WindowServices{clock, fakes.messages, fakes.directory, fakes.files}};
        form.Form_Load();

        QStringList sentNumbers;
        for (const Entry &entry : entries) {
            clock.now_ = entry.localTime;
            form.Combo1.setText(entry.band);
            if ((form.Check3.value() == 1) != entry.locator.isEmpty())
                form.Check3.click(); // "HF": no locator asked for
            form.Text2.setText(entry.call);
            form.Text3.setText(entry.receivedNumber);
            form.Text4.setText(entry.locator);
            sentNumbers.append(form.Frame1.caption());
            form.Command1_Click();
        }
        form.Command3_Click();

        QFile saved(logFilePath(fakes.directory));
        QVERIFY2(saved.open(QIODevice::ReadOnly), qPrintable(saved.fileName()));
        const ContactLog log = readContactLog(saved, defaultDateFormat());
        for (const BadLine &bad : log.badLines)
            qWarning("line %d: %s: %s", bad.lineNumber, qUtf8Printable(bad.problem),
                     qUtf8Printable(bad.text));
        QCOMPARE(log.badLines.size(), 0u);
        QCOMPARE(log.contacts.size(), size_t(entries.size()));
        for (qsizetype i = 0; i < entries.size(); ++i) {
            const Entry &entry = entries[i];
            const ContactRecord &contact = log.contacts[size_t(i)];
            QCOMPARE(contact.lineNumber, int(i + 1));
            QCOMPARE(contact.sentNumber, sentNumbers[i]);
            QCOMPARE(contact.date, entry.utcDate);
            QCOMPARE(contact.time, entry.utcTime);
            QCOMPARE(contact.call, entry.call);
            QCOMPARE(contact.report, u"59");
            QCOMPARE(contact.receivedNumber, entry.receivedNumber);
            QCOMPARE(contact.locator, entry.locator);
            QCOMPARE(contact.band ? contact.band->windowText.toString() : u"..."_s, entry.band);
        }
    }
};

QTEST_GUILESS_MAIN(TestContactLineRoundTrip)
#include "tst_contact_line_round_trip.moc"
