#include "contact_lines.h"
#include "loaded_form.h"
#include "main_window/form15.h"
#include "version.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct Session : LoadedForm
{
    // Into the call box, one character at a time.
    void type(const QString &text)
    {
        for (QChar c : text)
            form.Text2.setText(form.Text2.text() + c);
    }
};

} // namespace

class TestForm15 : public QObject
{
    Q_OBJECT

private slots:
    void startsWithTheLayoutTablesState()
    {
        Session s;
        QCOMPARE(s.form.caption(), QStringLiteral("Vandrel v1.2 - Morvit"));
        // The caption names the version the program is built as.
        QVERIFY(s.form.caption().contains(u" v" VANDREL_VERSION u" "));
        QCOMPARE(s.form.controls().size(), 17);
        QCOMPARE(s.form.Frame1.caption(), QStringLiteral("001"));
        QVERIFY(!s.form.Label4.isVisible());
        QVERIFY(!s.form.Combo1.isVisible());
        QCOMPARE(s.form.Check1.value() + s.form.Check2.value() + s.form.Check3.value(), 0);
        QCOMPARE(s.form.activeControl(), &s.form.Text2);
        QVERIFY(s.form.Text1.text().isEmpty());
        QVERIFY(s.form.NextNumber.isEmpty() && s.form.DateText.isEmpty());
        QCOMPARE(s.form.CallPosition, 0);
    }

    void loadFillsTheBandListWhileItsTextStaysNoBand()
    {
        Session s;
        QCOMPARE(s.form.Combo1.items(),
                 (QStringList{u"7 Mhz"_s, u"14 Mhz"_s, u"21 Mhz"_s, u"28 Mhz"_s, u"50 Mhz"_s,
                              u"144 Mhz"_s, u"432 Mhz"_s, u"1296 Mhz"_s}));
        QCOMPARE(s.form.Combo1.text(), QStringLiteral("..."));
    }

    void refusalsComeInTheirOrder_data()
    {
        QTest::addColumn<bool>("duplicate");
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("locator");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("duplicate wins even with empty fields") << true << ""
                                                               << ""
                                                               << ""
                                                               << "Duplicate!"
                                                               << "Text2";
        QTest::newRow("duplicate call") << true << "Q1ABC"
                                        << "012"
                                        << "JN80XY"
                                        << "Duplicate!"
                                        << "Text2";
        QTest::newRow("everything empty") << false << ""
                                          << ""
                                          << ""
                                          << "Insert CallSign"
                                          << "Text2";
        QTest::newRow("only the call") << false << "Q1ABC"
                                       << ""
                                       << ""
                                       << "Insert Progressive Number"
                                       << "Text3";
        QTest::newRow("number but no locator") << false << "Q1ABC"
                                               << "012"
                                               << ""
                                               << "Insert Locator"
                                               << "Text4";
        QTest::newRow("locator without a number") << false << "Q1ABC"
                                                  << ""
                                                  << "JN80XY"
                                                  << "Insert Progressive Number"
                                                  << "Text3";
    }
    void refusalsComeInTheirOrder()
    {
        QFETCH(bool, duplicate);
        QFETCH(QString, call);
        QFETCH(QString, number);
        QFETCH(QString, locator);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        Session s;
        s.enter(call, number, locator);
        if (duplicate)
            s.form.Text2.setForeColor(vbRed);
        // As with Enter in the locator box, or after the caret was put into the call's middle.
        s.form.Text2.setSelStart(1);
        s.form.Text4.setFocus();
        s.add();

        QCOMPARE(s.fakes.messages.shown.size(), 1);
        QCOMPARE(s.fakes.messages.lastPrompt(), message);
        QCOMPARE(s.fakes.messages.shown.last().style, vbOKOnly);
        QCOMPARE(s.fakes.messages.shown.last().title, QStringLiteral("Vandrel"));
        // The operator is taken to the box the message names; a duplicate call is selected, so
        // that the next call typed replaces it.
        QCOMPARE(s.form.activeControl()->name(), focus);
        if (duplicate) {
            QCOMPARE(s.form.Text2.selStart(), 0);
            QCOMPARE(s.form.Text2.selLength(), call.size());
        }
        // Nothing else changed.
        QVERIFY(s.form.Text1.text().isEmpty());
        QCOMPARE(s.form.Text2.text(), call);
        QCOMPARE(s.form.Text3.text(), number);
        QCOMPARE(s.form.Text4.text(), locator);
        QCOMPARE(s.form.Frame1.caption(), QStringLiteral("001"));
    }

    void addAppendsTheContactLine()
    {
        Session s;
        s.fakes.clock.set(QDate(2016, 7, 16), 15, 45);
        for (const char *call : {"Q1AA", "Q1BB", "Q1ABC"}) {
            s.enter(QString::fromLatin1(call), QStringLiteral("012"), QStringLiteral("JN80XY"));
            s.add();
        }
        QVERIFY(s.fakes.messages.shown.isEmpty());
        QVERIFY(s.form.Text1.text().endsWith(
            u"003-+-16/07/2016---1345---Q1ABC---59---012---JN80XY\r\n"));
        QCOMPARE(s.form.Text1.text().count(u"\r\n"), 3);
    }

    void multibandLineCarriesTheBand()
    {
        Session s;
        s.form.Combo1.setText(QStringLiteral("144 Mhz"));
        s.enter(QStringLiteral("Q1ABC"), QStringLiteral("012"), QStringLiteral("JN80XY"));
        s.add();
        QCOMPARE(s.form.Text1.text(), firstContact + QStringLiteral("-->144 Mhz\r\n"));
    }

    void hfLineMayHaveNoLocator()
    {
        Session s;
        s.form.Check3.click();
        s.enter(QStringLiteral("Q1ABC"), QStringLiteral("5"), QString());
        s.add();
        QCOMPARE(s.form.Text1.text(),
                 QStringLiteral("001-+-16/07/2016---1345---Q1ABC---59---5---\r\n"));
        s.form.Combo1.setText(QStringLiteral("14 Mhz"));
        s.enter(QStringLiteral("Q2XY"), QStringLiteral("6"), QString());
        s.add();
        QVERIFY(s.form.Text1.text().endsWith(QStringLiteral("---59---6----->14 Mhz\r\n")));
    }

    void fieldsAreTakenAsTyped()
    {
        Session s;
        s.enter(QStringLiteral("Q-+-1"), QStringLiteral("0 1/2"), QStringLiteral("-->X"));
        s.add();
        QCOMPARE(s.form.Text1.text(),
                 QStringLiteral("001-+-16/07/2016---1345---Q-+-1---59---0 1/2----->X\r\n"));
    }

    void acceptedAddResetsTheEntryAndMovesOn()
    {
        Session s;
        s.form.Check1.click(); // the focus is elsewhere now
        s.form.Combo1.setText(QStringLiteral("432 Mhz"));
        s.enter(QStringLiteral("Q1ABC"), QStringLiteral("012"), QStringLiteral("JN80XY"));
        s.add();
        QVERIFY(s.form.Text2.text().isEmpty());
        QVERIFY(s.form.Text3.text().isEmpty());
        QVERIFY(s.form.Text4.text().isEmpty());
        QCOMPARE(s.form.activeControl(), &s.form.Text2);
        QCOMPARE(s.form.Frame1.caption(), QStringLiteral("002"));
        QCOMPARE(s.form.NextNumber, QStringLiteral("2"));
        // The mode and the band stay for the next contact.
        QCOMPARE(s.form.Check1.value(), 1);
        QCOMPARE(s.form.Combo1.text(), QStringLiteral("432 Mhz"));
        QCOMPARE(s.form.DateText, QStringLiteral("16/07/2016"));
        QCOMPARE(s.form.TimeText, QStringLiteral("1445---"));
    }

    void sentNumberGoesOnPast999AndPast9999()
    {
        Session s;
        s.form.Check3.click();
        auto addOne = [&s](int i) {
            s.enter(QStringLiteral("Q%1").arg(i), QStringLiteral("1"), QString());
            s.add();
        };
        s.form.Frame1.setCaption(QStringLiteral("998"));
        for (int i = 1; i <= 3; ++i)
            addOne(i);
        QStringList lines = s.form.Text1.text().split(QStringLiteral("\r\n"));
        QVERIFY(lines[0].startsWith(u"998-+-"));
        QVERIFY(lines[1].startsWith(u"999-+-"));
        QVERIFY(lines[2].startsWith(u"1000-+-"));
        QCOMPARE(s.form.Frame1.caption(), QStringLiteral("1001"));
        QVERIFY(s.fakes.messages.shown.isEmpty());

        // No number is the last: a contest goes on with five digits, and nothing is refused.
        s.form.Frame1.setCaption(QStringLiteral("9999"));
        addOne(4);
        addOne(5);
        lines = s.form.Text1.text().split(QStringLiteral("\r\n"));
        QVERIFY(lines[3].startsWith(u"9999-+-"));
        QVERIFY(lines[4].startsWith(u"10000-+-"));
        QCOMPARE(s.form.Frame1.caption(), QStringLiteral("10001"));
        QCOMPARE(s.form.NextNumber, QStringLiteral("10001"));
        QVERIFY(s.fakes.messages.shown.isEmpty());
        QVERIFY(s.form.Text2.text().isEmpty());
    }

    void midnightContactTakesTheUtcDate()
    {
        Session s;
        s.fakes.clock.set(QDate(2016, 7, 17), 0, 30);
        s.enter(QStringLiteral("Q1ABC"), QStringLiteral("012"), QStringLiteral("JN80XY"));
        s.add();
        QCOMPARE(s.form.Text1.text(),
                 QStringLiteral("001-+-16/07/2016---2230---Q1ABC---59---012---JN80XY\r\n"));
    }

    void typedCallIsUpperCasedWithTheCaretAtItsEnd()
    {
        Session s;
        s.type(QStringLiteral("q1abc"));
        QCOMPARE(s.form.Text2.text(), QStringLiteral("Q1ABC"));
        QCOMPARE(s.form.Text2.selStart(), 5);
        QCOMPARE(s.form.CurrentCall, QStringLiteral("Q1ABC"));
    }

    void loggedCallIsRefusedAsDuplicateWhileOthersPass()
    {
        Session s;
        s.enter(QStringLiteral("Q1ABC"), QStringLiteral("012"), QStringLiteral("JN80XY"));
        s.add();
        QCOMPARE(s.form.Text2.foreColor(), vbButtonText); // emptied after the add
        const QString log = s.form.Text1.text();

        s.type(QStringLiteral("q1abc"));
        QCOMPARE(s.form.Text2.foreColor(), vbRed);
        QCOMPARE(s.form.CallPosition, 27);
        s.form.Text3.setText(QStringLiteral("013"));
        s.form.Text4.setText(QStringLiteral("JN80XY"));
        s.add();
        QCOMPARE(s.fakes.messages.lastPrompt(), QStringLiteral("Duplicate!"));
        QCOMPARE(s.form.Text1.text(), log);
        QCOMPARE(s.form.Text2.text(), QStringLiteral("Q1ABC"));
        QCOMPARE(s.form.Frame1.caption(), QStringLiteral("002"));

        // A call that only begins like the logged one is another station.
        s.form.Text2.setText(QStringLiteral("Q1AB"));
        QCOMPARE(s.form.Text2.foreColor(), vbButtonText);
        QCOMPARE(s.form.CallPosition, 0);
        s.add();
        QCOMPARE(s.fakes.messages.shown.size(), 1);
        QVERIFY(s.form.Text1.text().endsWith(u"---Q1AB---59---013---JN80XY\r\n"));
        QCOMPARE(s.form.Text2.foreColor(), vbButtonText);
    }

    void multibandLogsAStationOncePerBand()
    {
        Session s;
        s.form.Check2.click();
        s.form.Combo1.setText(QStringLiteral("144 Mhz"));
        s.enter(QStringLiteral("Q1ABC"), QStringLiteral("012"), QStringLiteral("JN80XY"));
        s.add();
        s.enter(QStringLiteral("Q2XYZ"), QStringLiteral("013"), QStringLiteral("JN80XY"));
        s.add();

        s.form.Combo1.setText(QStringLiteral("432 Mhz"));
        s.form.Text2.setText(QStringLiteral("Q2XYZ"));
        QCOMPARE(s.form.Text2.foreColor(), vbBlue);
        s.form.Text2.setText(QString());
        s.enter(QStringLiteral("Q1ABC"), QStringLiteral("014"), QStringLiteral("JN80XY"));
        QCOMPARE(s.form.Text2.foreColor(), vbBlue);
        s.add();
        QVERIFY(s.fakes.messages.shown.isEmpty());
        QVERIFY(s.form.Text1.text().endsWith(u"---Q1ABC---59---014---JN80XY-->432 Mhz\r\n"));

        s.form.Text2.setText(QStringLiteral("Q1ABC"));
        QCOMPARE(s.form.Text2.foreColor(), vbRed);
        QCOMPARE(s.form.CallPosition, 27);
    }

    // The mark depends on the band and the mode as much as on the call: changing either judges
    // the call in the box again, as a keystroke would.
    void callIsJudgedAgainWhenTheBandOrTheModeChanges()
    {
        Session s;
        s.form.Check2.click();
        s.form.Combo1.setText(QStringLiteral("144 Mhz"));
        s.enter(QStringLiteral("Q1ABC"), QStringLiteral("012"), QStringLiteral("JN80XY"));
        s.add();

        s.type(QStringLiteral("q1abc"));
        s.form.Text2.setSelStart(2); // the operator's caret stays where it was
        QCOMPARE(s.form.Text2.foreColor(), vbRed);
        s.form.Combo1.setText(QStringLiteral("1296 Mhz"));
        QCOMPARE(s.form.Text2.foreColor(), vbBlue);
        s.form.Combo1.setText(QStringLiteral("144 Mhz"));
        QCOMPARE(s.form.Text2.foreColor(), vbRed);
        s.form.Combo1.setText(QStringLiteral("432 Mhz"));
        QCOMPARE(s.form.Text2.foreColor(), vbBlue);
        QCOMPARE(s.form.Text2.selStart(), 2);

        // Unticking "Multiband": any logged call is a duplicate; ticking it again: per band.
        s.form.Check2.click();
        QCOMPARE(s.form.Text2.foreColor(), vbRed);
        s.form.Check2.click();
        QCOMPARE(s.form.Combo1.text(), QStringLiteral("..."));
        QCOMPARE(s.form.Text2.foreColor(), vbBlue);
        s.form.Text3.setText(QStringLiteral("013"));
        s.form.Text4.setText(QStringLiteral("JN80XY"));
        s.add();
        QVERIFY(s.fakes.messages.shown.isEmpty());
        QCOMPARE(s.form.Text1.text().count(u"Q1ABC"), 2);

        // A call too short to be marked stays unmarked.
        s.type(QStringLiteral("Q1A"));
        s.form.Check2.click();
        QCOMPARE(s.form.Text2.foreColor(), vbButtonText);
        QCOMPARE(s.form.Text2.text(), QStringLiteral("Q1A"));
    }

    void exitAsksAndOnlyYesUnloads()
    {
        Session s;
        s.enter(QStringLiteral("Q1ABC"), QStringLiteral("012"), QStringLiteral("JN80XY"));
        s.add();
        const QString log = s.form.Text1.text();
        QSignalSpy unloaded(&s.form, &Form15::Unloaded);

        s.fakes.messages.answers = {vbNo};
        s.form.Command4.click();
        QCOMPARE(s.fakes.messages.lastPrompt(), QStringLiteral("Want to exit now?"));
        // A stray Enter answers No.
        QCOMPARE(s.fakes.messages.shown.last().style, vbYesNo + vbDefaultButton2);
        QCOMPARE(unloaded.size(), 0);
        QCOMPARE(s.form.Text1.text(), log);
        QCOMPARE(s.form.Frame1.caption(), QStringLiteral("002"));

        s.fakes.messages.answers = {vbYes};
        QVERIFY(s.form.requestClose()); // the close box
        QCOMPARE(unloaded.size(), 1);
        QVERIFY(s.form.isUnloaded());
        QCOMPARE(s.fakes.messages.shown.size(), 2); // no question about saving
    }
};

QTEST_GUILESS_MAIN(TestForm15)
#include "tst_form15.moc"
