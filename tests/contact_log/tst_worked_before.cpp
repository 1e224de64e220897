#include "contact_log/contact_form.h"
#include "contact_log/worked_before.h"

#include <QTest>
#include <random>

using namespace Qt::StringLiterals;

namespace {

// A contact line as "Add" writes it; with the default date its call field begins at the 27th
// character of the line, and a line with a five-character call and no band is 53 long.
QString line(QStringView call, QStringView band = u"...", QStringView number = u"012",
             QStringView locator = u"JN80XY", QStringView date = u"16/07/2016")
{
    const QString bandField = band == u"..." ? QString() : QStringLiteral("-->") + band.toString();
    return QStringLiteral("001-+-%1---1345---%2---59---%3---%4%5\r\n")
        .arg(date, call, number, locator, bandField);
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
        row("a locator is a word like a call") << q1abc << false << none << "JN80XY" << vbRed << 46;
        row("a word between dashes inside a date")
            << line(u"Q1ABC", u"...", u"012", u"JN80XY", u"16-JULY-2016") << false << none << "JULY"
            << vbRed << 10;
        row("only inside a word of a date")
            << line(u"Q1ABC", u"...", u"012", u"JN80XY", u"16JULY2016") << false << none << "JULY"
            << vbButtonText << 0;
        row("call in a received number") << line(u"Q1ABC", u"...", u"7---Q2XYZ---59---8", u"JN80")
                                         << false << none << "Q2XYZ" << vbRed << 44;

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

        // A call is logged wherever it stands as a word in a line, with no letter, digit or '/'
        // directly before or after it: lines written by older versions, edited, joined or typed
        // by hand count as well.
        const QString typedNote = QStringLiteral("Q1ABC worked before\r\n");
        row("hand-typed note") << typedNote << false << none << "Q1ABC" << vbRed << 1;
        row("note before the contact")
            << typedNote + q1abc << false << none << "Q1ABC" << vbRed << 1;
        row("report edited to 57") << QString(q1abc).replace(u"---59---"_s, u"---57---"_s) << false
                                   << none << "Q1ABC" << vbRed << 27;
        row("hand-typed line") << q2xyz + u"Q3MAN manual note\r\n"_s << false << none << "Q3MAN"
                               << vbRed << 54;
        row("hand-typed call ending the log")
            << u"manual Q3MAN"_s << false << none << "Q3MAN" << vbRed << 8;
        row("hand-typed call in lower case")
            << u"q3man manual note\r\n"_s << false << none << "Q3MAN" << vbButtonText << 0;
        row("call after a prefix and a slash")
            << line(u"DL/Q1ABC") << false << none << "Q1ABC" << vbButtonText << 0;
        row("call before a letter that is not ASCII")
            << u"Q1ABC\u00c4 note\r\n"_s << false << none << "Q1ABC" << vbButtonText << 0;
        row("call after a character that is neither a letter nor a digit")
            << u"\u00b0Q1ABC\u00b7\r\n"_s << false << none << "Q1ABC" << vbRed << 2;
        row("special call ending in digits")
            << line(u"DR2018") << false << none << "DR2018" << vbRed << 27;
        row("special call ending in digits, logged with one more")
            << line(u"DR20189") << false << none << "DR2018" << vbButtonText << 0;
        row("call of digits alone, as the time") << q1abc << false << none << "1345" << vbRed << 20;
        row("call of digits alone, inside a date")
            << q1abc << false << none << "2016" << vbButtonText << 0;
        row("call with a blank in it")
            << u"x Q1 AB y\r\n"_s << false << none << "Q1 AB" << vbRed << 3;
        row("call with a blank and a long word")
            << u"x Q1 ABCD y\r\n"_s << false << none << "Q1 ABCD" << vbRed << 3;
        row("call with a blank, a longer word in the log")
            << u"x Q1 ABCDE y\r\n"_s << false << none << "Q1 ABCD" << vbButtonText << 0;
        row("time written just after midnight")
            << "001-+-16/07/2016---0-230---Q1ABC---59---1---X\r\n"
            << false << none << "Q1ABC" << vbRed << 28;
        row("two lines joined") << q2xyz.chopped(2) + q1abc << false << none << "Q1ABC" << vbRed
                                << 78;
        row("hand-typed shorter date") << "004-+-1/7/16---1345---Q1ABC---59---1---JN80\r\n"
                                       << false << none << "Q1ABC" << vbRed << 23;
        row("call field alone") << "---Q1ABC---59---012---JN80XY\r\n"
                                << false << none << "Q1ABC" << vbRed << 4;
        row("cut after the report")
            << "001-+-16/07/2016---1345---Q1ABC---59---" << false << none << "Q1ABC" << vbRed << 27;
        row("no separator before the call") << "001-+-16/07/2016 1345 Q1ABC---59---012\r\n"
                                            << false << none << "Q1ABC" << vbRed << 23;
        row("report cut short") << "001-+-16/07/2016---1345---Q1ABC---59--\r\n"
                                << false << none << "Q1ABC" << vbRed << 27;
        row("contact split over two lines")
            << "001-+-16/07/2016---1345---\r\nQ1ABC---59---012---JN80XY\r\n"
            << false << none << "Q1ABC" << vbRed << 29;
        row("call split over two lines") << "001-+-16/07/2016---1345---Q1A\nBC---59---012\r\n"
                                         << false << none << "Q1ABC" << vbButtonText << 0;
        const QString longJunk =
            QStringLiteral("001-+-16/07/2016") + QStringLiteral("---Q1ABD---59---").repeated(20000);
        row("long junk line of other calls")
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
            << u"Q1ABC -->432 Mhz\r\n"_s + q1abc144 << true << "432 Mhz"
            << "Q1ABC" << vbRed << 1;
        row("multiband, band of a line whose report was edited")
            << q2xyz432 + QString(q1abc432).replace(u"---59---"_s, u"---57---"_s) << true
            << "432 Mhz"
            << "Q1ABC" << vbRed << 90;
        row("multiband, only in another station's line on the chosen band")
            << q1abc144 + u"Q2XYZ worked Q1ABC -->432 Mhz\r\n"_s << true << "432 Mhz"
            << "Q1ABC" << vbRed << 27;
        row("multiband, band of two joined lines is the last one")
            << q1abc144.chopped(2) + q2xyz432 << true << "432 Mhz"
            << "Q1ABC" << vbRed << 27;
        row("multiband, band of two joined lines is not the first one")
            << q1abc144.chopped(2) + q2xyz432 << true << "144 Mhz"
            << "Q1ABC" << vbBlue << 27;
        row("multiband, band of a line written under the old time")
            << "001-+-16/07/2016---0-230---Q1ABC---59---1---X-->144 Mhz\r\n"
            << true << "144 Mhz"
            << "Q1ABC" << vbRed << 28;
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

    void markFollowsTheLogThroughAppendsAndRewrites_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("rewrite");
        QTest::addColumn<QString>("rewritten");
        QTest::addColumn<QString>("appended");
        QTest::addColumn<OleColor>("mark");
        QTest::addColumn<int>("callPosition");

        const QString q1abc = line(u"Q1ABC");
        const QString q2xyz = line(u"Q2XYZ");
        auto row = [](const char *name) -> QTestData & { return QTest::newRow(name); };

        // Appends: only the new end is read, and the last line again.
        row("contact appended") << q2xyz << false << "" << q1abc << vbRed << 80;
        row("line cut in its date, then the rest")
            << q2xyz + q1abc.left(10) << false << "" << q1abc.mid(10) << vbRed << 80;
        row("line cut in its call, then the rest")
            << q2xyz + q1abc.left(28) << false << "" << q1abc.mid(28) << vbRed << 80;
        row("line cut before its locator, then the rest")
            << q1abc.left(42) << false << "" << q1abc.mid(42) << vbRed << 27;
        row("line break appended, then a contact")
            << q2xyz.chopped(2) << false << "" << u"\r\n"_s + q1abc << vbRed << 80;
        row("line cut in its time, the rest on a new line")
            << q1abc.left(21) << false << "" << u"\r\n"_s + q1abc.mid(21) << vbRed << 29;
        row("line cut before its call, the rest on a new line")
            << q1abc.left(26) << false << "" << u"\r\n"_s + q1abc.mid(26) << vbRed << 29;
        row("hand-typed line appended")
            << q2xyz << false << "" << u"Q1ABC manual note\r\n"_s << vbRed << 54;
        row("call ending the log, then a blank")
            << u"note Q1ABC"_s << false << "" << u" "_s << vbRed << 6;
        row("call ending the log, then a letter")
            << u"note Q1ABC"_s << false << "" << u"D\r\n"_s << vbButtonText << 0;
        row("call cut at the log's end, then the rest")
            << u"note Q1AB"_s << false << "" << u"C\r\n"_s << vbRed << 6;
        // Any other change: the whole log is read again.
        row("log replaced") << q1abc << true << q2xyz << "" << vbButtonText << 0;
        row("log replaced by one as long")
            << q1abc << true << line(u"Q1ABD") << "" << vbButtonText << 0;
        row("log replaced by a longer one")
            << q2xyz << true << u"\r\n"_s + q1abc << "" << vbRed << 29;
        row("line put in front") << q1abc << true << q2xyz + q1abc << "" << vbRed << 80;
        row("log emptied") << q1abc << true << ""
                           << "" << vbButtonText << 0;
        row("line put in front of the call")
            << q1abc << true << q1abc.left(26) + q2xyz + q1abc.mid(26) << "" << vbRed << 80;
        row("letters put in front of the call")
            << q1abc << true << q1abc.left(26) + u"DL/"_s + q1abc.mid(26) << "" << vbButtonText
            << 0;
        row("replaced, then appended before the next look-up")
            << q1abc << true << q2xyz << q1abc << vbRed << 80;
    }
    void markFollowsTheLogThroughAppendsAndRewrites()
    {
        QFETCH(QString, before);
        QFETCH(bool, rewrite);
        QFETCH(QString, rewritten);
        QFETCH(QString, appended);
        QFETCH(OleColor, mark);
        QFETCH(int, callPosition);
        CallBox box(before, false, QStringLiteral("..."));
        box.form.Text2.setText(QStringLiteral("Q1ABC")); // the log is read as it was
        box.form.Text2.setText({});

        if (rewrite)
            box.form.Text1.setText(rewritten);
        box.form.Text1.appendText(appended);
        box.form.Text2.setText(QStringLiteral("Q1ABC"));
        QCOMPARE(box.form.Text2.foreColor(), mark);
        QCOMPARE(box.form.CallPosition, callPosition);
    }

    void markFollowsEditsInPlace_data()
    {
        QTest::addColumn<QString>("log");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("removed");
        QTest::addColumn<QString>("inserted");
        QTest::addColumn<OleColor>("mark");
        QTest::addColumn<int>("callPosition");

        const QString q1abd = line(u"Q1ABD");
        const QString q2xyz = line(u"Q2XYZ");
        auto row = [](const char *name) -> QTestData & { return QTest::newRow(name); };

        row("last letter of a call changed") << q1abd << 30 << 1 << "C" << vbRed << 27;
        row("first letter of the report typed over")
            << line(u"Q1ABC") << 31 << 1 << "+" << vbRed << 27;
        row("report edited to 57") << line(u"Q1ABC") << 35 << 1 << "7" << vbRed << 27;
        row("letter typed after a call") << line(u"Q1ABC") << 31 << 0 << "D" << vbButtonText << 0;
        row("letter after a call deleted") << line(u"Q1ABCD") << 31 << 1 << "" << vbRed << 27;
        row("dash typed between a prefix and a call")
            << line(u"DL/Q1ABC") << 28 << 1 << "-" << vbRed << 30;
        row("report typed after a call") << "---Q1ABC" << 8 << 0 << "---59---" << vbRed << 4;
        row("line break typed into a call") << line(u"Q1ABC") << 28 << 0 << "\r\n"
                                            << vbButtonText << 0;
        row("line break deleted from a call")
            << "---Q1A\r\nBC---59---" << 6 << 2 << "" << vbRed << 4;
        row("line deleted before the call")
            << q2xyz + line(u"Q1ABC") << 0 << 53 << "" << vbRed << 27;
        row("line typed before the call") << line(u"Q1ABC") << 0 << 0 << q2xyz << vbRed << 80;
    }
    void markFollowsEditsInPlace()
    {
        QFETCH(QString, log);
        QFETCH(int, position);
        QFETCH(int, removed);
        QFETCH(QString, inserted);
        QFETCH(OleColor, mark);
        QFETCH(int, callPosition);
        CallBox box(log, false, QStringLiteral("..."));
        box.form.Text1.replaceText(position, removed, inserted);
        box.form.Text2.setText(QStringLiteral("Q1ABC"));
        QCOMPARE(box.form.Text2.foreColor(), mark);
        QCOMPARE(box.form.CallPosition, callPosition);
    }

    void logKeptUpToDateThroughEditsAnswersAsOneReadAfresh()
    {
        // A log grown in pieces cut anywhere, with lone line breaks, notes, edits in place and now
        // and then a rewrite, must give every call the same mark as the same text read from its
        // start.
        std::mt19937 random(2016); // a fixed start: the same pieces every run
        const auto below = [&random](int n) { return int(random() % unsigned(n)); };
        const QStringList calls = {QStringLiteral("Q1ABC"), QStringLiteral("Q1AB"),
                                   QStringLiteral("Q1ABC/P"), QStringLiteral("DL1XYZ")};
        const QStringList bands = {QStringLiteral("144 Mhz"), QStringLiteral("...")};
        const QStringList breaks = {QStringLiteral("\r\n"), QStringLiteral("\n"),
                                    QStringLiteral("\r")};

        ContactForm kept;
        kept.Check2.click();
        kept.Combo1.setText(QStringLiteral("144 Mhz"));
        QString pending;
        for (int step = 0; step < 400; ++step) {
            if (pending.isEmpty()) {
                pending = below(8) == 0 ? QStringLiteral("note Q1ABC---59---1---X")
                                        : line(calls[below(int(calls.size()))],
                                               bands[below(int(bands.size()))])
                                              .chopped(2);
                pending += breaks[below(8) == 0 ? 1 + below(2) : 0];
            }
            const int length = 1 + below(int(pending.size()));
            kept.Text1.appendText(QStringView(pending).first(length));
            pending.remove(0, length);
            // The operator edits the log box now and then: a range anywhere replaced by a piece
            // of a contact line, a line break or nothing.
            if (below(3) == 0) {
                const QStringList typed = {QString(),
                                           QStringLiteral("\r\n"),
                                           QStringLiteral("---59---"),
                                           QStringLiteral("---Q1AB"),
                                           QStringLiteral("C"),
                                           QStringLiteral("-->144 Mhz")};
                const qsizetype size = kept.Text1.text().size();
                const qsizetype at = below(int(size) + 1);
                kept.Text1.replaceText(at, std::min<qsizetype>(below(12), size - at),
                                       typed[below(int(typed.size()))]);
            }
            if (below(25) == 0) {
                QString text = kept.Text1.text();
                text.remove(below(int(text.size()) + 1), below(60));
                kept.Text1.setText(text);
            }

            ContactForm fresh;
            fresh.Check2.click();
            fresh.Combo1.setText(QStringLiteral("144 Mhz"));
            fresh.Text1.setText(kept.Text1.text());
            for (const QString &call : calls) {
                kept.Text2.setText(call);
                CheckWorkedBefore(kept);
                fresh.Text2.setText(call);
                CheckWorkedBefore(fresh);
                QCOMPARE(kept.Text2.foreColor(), fresh.Text2.foreColor());
                QCOMPARE(kept.CallPosition, fresh.CallPosition);
            }
        }
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

    // One position of a station: the other positions' contact lines mark the call by the same
    // rule and band logic; the place of the call stays one in this position's own log.
    void stationContactsMarkTheCallByTheSameRule_data()
    {
        QTest::addColumn<QString>("log");
        QTest::addColumn<QString>("station");
        QTest::addColumn<bool>("multiband");
        QTest::addColumn<QString>("band");
        QTest::addColumn<OleColor>("mark");
        QTest::addColumn<int>("callPosition");

        const QString none = QStringLiteral("...");
        const QString q2xyz = line(u"Q2XYZ");
        auto row = [](const char *name) -> QTestData & { return QTest::newRow(name); };

        row("at another position") << q2xyz << line(u"Q1ABC") << false << none << vbRed << 0;
        row("nowhere") << q2xyz << line(u"Q1ABCD") << false << none << vbButtonText << 0;
        row("own and another") << line(u"Q1ABC") << line(u"Q1ABC") << false << none << vbRed << 27;
        row("multiband, same band elsewhere")
            << q2xyz << line(u"Q1ABC", u"144 Mhz") << true << "144 Mhz" << vbRed << 0;
        row("multiband, other band elsewhere")
            << q2xyz << line(u"Q1ABC", u"432 Mhz") << true << "144 Mhz" << vbBlue << 0;
        row("multiband, own other band, station same band")
            << line(u"Q1ABC", u"432 Mhz") << line(u"Q1ABC", u"144 Mhz") << true << "144 Mhz"
            << vbRed << 27;
        row("multiband, own same band, station other band")
            << line(u"Q1ABC", u"144 Mhz") << line(u"Q1ABC", u"432 Mhz") << true << "144 Mhz"
            << vbRed << 27;
    }
    void stationContactsMarkTheCallByTheSameRule()
    {
        QFETCH(QString, log);
        QFETCH(QString, station);
        QFETCH(bool, multiband);
        QFETCH(QString, band);
        QFETCH(OleColor, mark);
        QFETCH(int, callPosition);

        CallBox box(log, multiband, band);
        // The station's contacts come one by one, as the link delivers them.
        box.form.stationLog.appendText(line(u"Q3OTH"));
        box.form.stationLog.appendText(station);
        box.form.stationLog.appendText(line(u"Q4OTH", u"144 Mhz"));
        box.form.Text2.setText(QStringLiteral("q1abc"));
        QCOMPARE(box.form.Text2.foreColor(), mark);
        QCOMPARE(box.form.CallPosition, callPosition);
    }
};

QTEST_GUILESS_MAIN(TestWorkedBefore)
#include "tst_worked_before.moc"
