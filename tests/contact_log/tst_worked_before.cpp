#include "contact_form.h"
#include "contact_line.h"
#include "worked_before.h"

#include <QTest>

namespace {

// A contact line as "Add" writes it; with the default date its call field begins at the 27th
// character of the line, and a line with a five-character call and no band is 53 long.
QString line(QStringView call, QStringView band = u"...", QStringView number = u"012",
             QStringView locator = u"JN80XY", QStringView date = u"16/07/2016")
{
    return composeContactLine({
        .sentNumber = u"001",
        .date = date,
        .time = u"1345---",
        .call = call,
        .receivedNumber = number,
        .locator = locator,
        .band = band,
    });
}

// The contact part of the window, with the call box's Change wired to the check as the window
// wires it.
struct CallBox
{
    ContactForm form;

    CallBox(const QString &log, bool multiband, const QString &band)
    {
        QObject::connect(&form.Text2, &TextBox::Change, &form.Text2,
                         [this] { CheckWorkedBefore(form); });
        form.Text1.setText(log);
        if (multiband)
            form.Check2.click();
        form.Combo1.setText(band);
    }
};

} // namespace

class TestWorkedBefore : public QObject
{
    Q_OBJECT

private slots:
    void markFollowsTheCallFieldsOfTheLog_data()
    {
        QTest::addColumn<QString>("log");
        QTest::addColumn<bool>("multiband");
        QTest::addColumn<QString>("band");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<OleColor>("mark");
        QTest::addColumn<int>("callPosition");

        const QString q1abc = line(u"Q1ABC");
        const QString q2xyz = line(u"Q2XYZ");
        const QString none = QStringLiteral("...");
        auto row = [](const char *name) -> QTestData & { return QTest::newRow(name); };

        row("logged call") << q1abc << false << none << "Q1ABC" << vbRed << 27;
        row("typed in lower case") << q1abc << false << none << "q1abc" << vbRed << 27;
        row("on the second line") << q2xyz + q1abc << false << none << "Q1ABC" << vbRed << 80;
        row("first of its lines") << q1abc + q2xyz + q1abc << false << none << "Q1ABC" << vbRed
                                  << 27;
        row("not logged") << q1abc << false << none << "Q2XYZ" << vbButtonText << 0;
        row("only inside a longer call") << q1abc << false << none << "Q1AB" << vbButtonText << 0;
        row("longer than a logged call") << q1abc << false << none << "Q1ABCD" << vbButtonText << 0;
        row("logged only as portable")
            << line(u"Q1ABC/P") << false << none << "Q1ABC" << vbButtonText << 0;
        row("portable call") << line(u"Q1ABC/P") << false << none << "Q1ABC/P" << vbRed << 27;
        row("only as a locator") << q1abc << false << none << "JN80XY" << vbButtonText << 0;
        row("only inside a date") << line(u"Q1ABC", u"...", u"012", u"JN80XY", u"16-JULY-2016")
                                  << false << none << "JULY" << vbButtonText << 0;
        row("received number shaped like a call field")
            << line(u"Q1ABC", u"...", u"7---Q2XYZ---59---8", u"JN80") << false << none << "Q2XYZ"
            << vbButtonText << 0;

        // The date is written in the system's short date format, whatever its width and order.
        row("ISO date") << line(u"Q1ABC", u"...", u"012", u"JN80XY", u"2016-07-16") << false << none
                        << "Q1ABC" << vbRed << 27;
        row("short US date") << line(u"Q1ABC", u"...", u"012", u"JN80XY", u"7/16/16") << false
                             << none << "Q1ABC" << vbRed << 24;
        row("dotted date with spaces") << line(u"Q1ABC", u"...", u"012", u"JN80XY", u"2016. 7. 16.")
                                       << false << none << "Q1ABC" << vbRed << 29;
        row("lines ended by line feeds")
            << QString(q2xyz + q1abc).remove(u'\r') << false << none << "Q1ABC" << vbRed << 79;
        row("last line without its line end")
            << q2xyz + q1abc.chopped(2) << false << none << "Q1ABC" << vbRed << 80;
        row("empty locator (HF)") << line(u"Q1ABC", u"...", u"5", u"") << false << none << "Q1ABC"
                                  << vbRed << 27;

        // Lines typed by hand into the log box have no call field.
        const QString typedNote = QStringLiteral("Q1ABC worked before\r\n");
        row("hand-typed note") << typedNote << false << none << "Q1ABC" << vbButtonText << 0;
        row("note before the contact")
            << typedNote + q1abc << false << none << "Q1ABC" << vbRed << int(typedNote.size()) + 27;
        row("call field alone") << "---Q1ABC---59---012---JN80XY\r\n"
                                << false << none << "Q1ABC" << vbButtonText << 0;
        row("no sent number") << "-+-16/07/2016---1345---Q1ABC---59---012---JN80XY\r\n"
                              << false << none << "Q1ABC" << vbButtonText << 0;
        row("sent number not digits") << "0A1-+-16/07/2016---1345---Q1ABC---59---012---JN80\r\n"
                                      << false << none << "Q1ABC" << vbButtonText << 0;
        row("no date") << "001-+----1345---Q1ABC---59---012---JN80XY\r\n"
                       << false << none << "Q1ABC" << vbButtonText << 0;
        row("time of three characters") << "001-+-16/07/2016---134---Q1ABC---59---012---JN80\r\n"
                                        << false << none << "Q1ABC" << vbButtonText << 0;
        row("cut after the received number") << "001-+-16/07/2016---1345---Q1ABC---59---012\r\n"
                                             << false << none << "Q1ABC" << vbButtonText << 0;
        row("contact split over two lines")
            << "001-+-16/07/2016---1345---\r\nQ1ABC---59---012---JN80XY\r\n"
            << false << none << "Q1ABC" << vbButtonText << 0;
        const QString longJunk =
            QStringLiteral("001-+-16/07/2016") + QStringLiteral("---Q1ABC---59---").repeated(20000);
        row("long junk line of call fields")
            << longJunk + QStringLiteral("\r\n") + q1abc << false << none << "Q1ABC" << vbRed
            << int(longJunk.size()) + 2 + 27;

        // Calls of three characters or fewer are never looked for.
        row("short logged call") << line(u"Q1A") << false << none << "Q1A" << vbButtonText << 0;
        row("short call typed in lower case")
            << line(u"Q1A") << false << none << "q1a" << vbButtonText << 0;

        // Multiband: a duplicate is the same station on the same band.
        const QString q1abc144 = line(u"Q1ABC", u"144 Mhz");
        const QString q2xyz432 = line(u"Q2XYZ", u"432 Mhz");
        const QString q1abc432 = line(u"Q1ABC", u"432 Mhz");
        row("multiband, logged on the chosen band") << q1abc144 << true << "144 Mhz"
                                                    << "Q1ABC" << vbRed << 27;
        row("multiband, another station later on the chosen band")
            << q1abc144 + q2xyz432 << true << "432 Mhz"
            << "Q1ABC" << vbBlue << 27;
        row("multiband, the same station later on the chosen band")
            << q1abc144 + q2xyz432 + q1abc432 << true << "432 Mhz"
            << "Q1ABC" << vbRed << 27;
        row("multiband, no band chosen") << q1abc144 << true << none << "Q1ABC" << vbBlue << 27;
        row("multiband, logged without a band") << q1abc << true << "144 Mhz"
                                                << "Q1ABC" << vbBlue << 27;
        row("multiband, band compared exactly") << q1abc144 << true << "44 Mhz"
                                                << "Q1ABC" << vbBlue << 27;
        row("multiband, band of a hand-typed line")
            << "Q1ABC -->432 Mhz\r\n" + q1abc144 << true << "432 Mhz"
            << "Q1ABC" << vbBlue << 45;
        row("multiband, not logged") << q2xyz432 << true << "432 Mhz"
                                     << "Q1ABC" << vbButtonText << 0;
        row("multiband unticked, any band") << q1abc144 << false << "432 Mhz"
                                            << "Q1ABC" << vbRed << 27;
    }
    void markFollowsTheCallFieldsOfTheLog()
    {
        QFETCH(QString, log);
        QFETCH(bool, multiband);
        QFETCH(QString, band);
        QFETCH(QString, typed);
        QFETCH(OleColor, mark);
        QFETCH(int, callPosition);
        CallBox box(log, multiband, band);
        box.form.Text2.setText(typed);

        QCOMPARE(box.form.Text2.text(), typed.toUpper());
        QCOMPARE(box.form.CurrentCall, typed.toUpper());
        QCOMPARE(box.form.Text2.foreColor(), mark);
        QCOMPARE(box.form.CallPosition, callPosition);
    }

    void markFollowsEveryChangeOfTheCall()
    {
        CallBox box(line(u"Q1ABC"), false, QStringLiteral("..."));
        box.form.Text2.setText(QStringLiteral("Q1ABC"));
        QCOMPARE(box.form.Text2.foreColor(), vbRed);
        box.form.Text2.setText(QStringLiteral("Q1AB"));
        QCOMPARE(box.form.Text2.foreColor(), vbButtonText);
        QCOMPARE(box.form.CallPosition, 0);
        box.form.Text2.setText(QStringLiteral("Q1ABC"));
        box.form.Text2.setText(QStringLiteral("Q1A"));
        QCOMPARE(box.form.Text2.foreColor(), vbButtonText);
        box.form.Text2.setText(QStringLiteral("Q1ABC"));
        box.form.Text2.setText(QString());
        QCOMPARE(box.form.Text2.foreColor(), vbButtonText);
        QCOMPARE(box.form.CurrentCall, QString());
    }

    void checkWorksWithoutTheNestedRun()
    {
        // Nothing runs the check again when it upper-cases the box: it still looks for the
        // upper-cased call.
        ContactForm form;
        form.Text1.setText(line(u"Q1ABC"));
        form.Text2.setText(QStringLiteral("q1abc"));
        CheckWorkedBefore(form);
        QCOMPARE(form.Text2.text(), QStringLiteral("Q1ABC"));
        QCOMPARE(form.CurrentCall, QStringLiteral("Q1ABC"));
        QCOMPARE(form.Text2.selStart(), 5);
        QCOMPARE(form.Text2.foreColor(), vbRed);
        QCOMPARE(form.CallPosition, 27);
    }
};

QTEST_GUILESS_MAIN(TestWorkedBefore)
#include "tst_worked_before.moc"
