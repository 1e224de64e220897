#include "loaded_form.h"
#include "main_window/form15.h"

#include <QSignalSpy>
#include <QTest>

namespace {

struct Session : LoadedForm
{
    TextBox &box(const QString &name)
    {
        for (TextBox *box : {&form.Text1, &form.Text2, &form.Text3, &form.Text4}) {
            if (box->name() == name)
                return *box;
        }
        qFatal("no text box %s", qPrintable(name));
    }
    // What an operator can see of the window after an action.
    QStringList outcome() const
    {
        QStringList seen = {form.Text1.text(), form.Text2.text(),     form.Text3.text(),
                            form.Text4.text(), form.Frame1.caption(), form.activeControl()->name()};
        for (const ShownMessage &message : fakes.messages.shown)
            seen << message.prompt << QString::number(int(message.style)) << message.title;
        return seen;
    }
};

} // namespace

class TestEntryConveniences : public QObject
{
    Q_OBJECT

private slots:
    void enterAddsExactlyAsAddDoes_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("shift");
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("locator");
        QTest::addColumn<bool>("duplicate");
        QTest::addColumn<QString>("message");
        for (const char *box : {"Text3", "Text4"}) {
            const auto row = [box](const char *what) -> QTestData & {
                return QTest::addRow("%s, %s", box, what) << QString::fromLatin1(box);
            };
            row("complete") << 0 << "Q1ABC"
                            << "012"
                            << "JN80XY" << false << "";
            row("with Shift") << 1 << "Q1ABC"
                              << "012"
                              << "JN80XY" << false << "";
            row("with Ctrl+Alt") << 6 << "Q1ABC"
                                 << "012"
                                 << "JN80XY" << false << "";
            row("no call") << 0 << ""
                           << "012"
                           << "JN80XY" << false << "Insert CallSign";
            row("no number") << 0 << "Q1ABC"
                             << ""
                             << "JN80XY" << false << "Insert Progressive Number";
            row("no locator") << 0 << "Q1ABC"
                              << "012"
                              << "" << false << "Insert Locator";
            row("duplicate") << 0 << "Q1ABC"
                             << "012"
                             << "JN80XY" << true << "Duplicate!";
        }
    }
    void enterAddsExactlyAsAddDoes()
    {
        QFETCH(QString, box);
        QFETCH(int, shift);
        QFETCH(QString, call);
        QFETCH(QString, number);
        QFETCH(QString, locator);
        QFETCH(bool, duplicate);
        QFETCH(QString, message);

        Session byEnter;
        Session byClick;
        for (Session *s : {&byEnter, &byClick}) {
            s->enter(call, number, locator);
            if (duplicate)
                s->form.Text2.setForeColor(vbRed);
            s->box(box).setFocus();
        }
        QSignalSpy clicks(&byEnter.form.Command1, &CommandButton::Click);
        byEnter.box(box).keyDown(vbKeyReturn, shift);
        byClick.form.Command1.click();

        QCOMPARE(clicks.size(), 1);
        QCOMPARE(byEnter.outcome(), byClick.outcome());
        QCOMPARE(byEnter.fakes.messages.lastPrompt(), message);
        QCOMPARE(byEnter.form.Text1.text().isEmpty(), !message.isEmpty());
    }

    void otherKeysAndEnterInTheCallBoxDoNothing_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("keyCode");
        QTest::newRow("Enter in the call box") << "Text2" << 13;
        QTest::newRow("Enter in the log box") << "Text1" << 13;
        QTest::newRow("a letter in the number box") << "Text3" << int('A');
        QTest::newRow("Tab in the number box") << "Text3" << 9;
        QTest::newRow("Escape in the locator box") << "Text4" << 27;
        QTest::newRow("an unnamed key in the locator box") << "Text4" << 0;
    }
    void otherKeysAndEnterInTheCallBoxDoNothing()
    {
        QFETCH(QString, box);
        QFETCH(int, keyCode);
        Session s;
        s.enter(QStringLiteral("Q1ABC"), QStringLiteral("012"), QStringLiteral("JN80XY"));
        QSignalSpy clicks(&s.form.Command1, &CommandButton::Click);
        s.box(box).keyDown(KeyCode(keyCode), 0);
        QCOMPARE(clicks.size(), 0);
        QVERIFY(s.fakes.messages.shown.isEmpty());
        QVERIFY(s.form.Text1.text().isEmpty());
        QCOMPARE(s.form.Text2.text(), QStringLiteral("Q1ABC"));
    }

    void locatorIsUpperCasedWithTheCaretAtItsEnd()
    {
        Session s;
        QSignalSpy changes(&s.form.Text4, &TextBox::Change);
        // Keystroke by keystroke, as the box's text grows under the operator's typing.
        const QString typed = QStringLiteral("jn80xy");
        for (qsizetype i = 1; i <= typed.size(); ++i) {
            s.form.Text4.setSelStart(0); // wherever the caret was, it ends at the end
            s.form.Text4.setText(s.form.Text4.text() + typed.at(i - 1));
            QCOMPARE(s.form.Text4.text(), typed.left(i).toUpper());
            QCOMPARE(s.form.Text4.selStart(), int(i));
        }
        // A lower-case letter changes the text twice (typed, then upper-cased); a digit once.
        QCOMPARE(changes.size(), 4 * 2 + 2);

        s.form.Text4.setText(QStringLiteral("JN80xyz"));
        QCOMPARE(s.form.Text4.text(), QStringLiteral("JN80XYZ"));
        QCOMPARE(s.form.Text4.selStart(), 7);
    }

    void logCaretFollowsItsEnd()
    {
        Session s;
        s.enter(QStringLiteral("Q1ABC"), QStringLiteral("012"), QStringLiteral("JN80XY"));
        s.form.Command1.click();
        QCOMPARE(s.form.Text1.selStart(), int(s.form.Text1.text().size()));
        s.enter(QStringLiteral("Q2XY"), QStringLiteral("013"), QStringLiteral("JN81AB"));
        s.form.Text4.keyDown(vbKeyReturn, 0);
        QCOMPARE(s.form.Text1.text().count(u"\r\n"), 2);
        QCOMPARE(s.form.Text1.selStart(), int(s.form.Text1.text().size()));

        // A whole log put in at once, as reading a file does, and text typed into the middle.
        QString log;
        for (int i = 1; i <= 500; ++i)
            log += QStringLiteral("%1-+-16/07/2016---1345---Q%1---59---1---JN80XY\r\n").arg(i);
        s.form.Text1.setSelStart(3);
        s.form.Text1.setText(log);
        QCOMPARE(s.form.Text1.selStart(), int(log.size()));
        s.form.Text1.setText(log.left(10) + u'x' + log.mid(10));
        QCOMPARE(s.form.Text1.selStart(), int(log.size()) + 1);
    }

    void multibandShowsTheBandListAndUntickingPutsNoBandBack()
    {
        Session s;
        s.form.Check2.click();
        QVERIFY(s.form.Label4.isVisible());
        QVERIFY(s.form.Combo1.isVisible());
        QCOMPARE(s.form.Combo1.text(), QStringLiteral("..."));

        // Until a band is chosen the lines carry none.
        s.enter(QStringLiteral("Q1ABC"), QStringLiteral("012"), QStringLiteral("JN80XY"));
        s.form.Text4.keyDown(vbKeyReturn, 0);
        QVERIFY(s.form.Text1.text().endsWith(u"---JN80XY\r\n"));

        s.form.Combo1.setText(QStringLiteral("144 Mhz"));
        s.enter(QStringLiteral("Q2XY"), QStringLiteral("013"), QStringLiteral("JN81AB"));
        s.form.Text4.keyDown(vbKeyReturn, 0);
        QVERIFY(s.form.Text1.text().endsWith(u"---JN81AB-->144 Mhz\r\n"));

        s.form.Check2.click();
        QVERIFY(!s.form.Label4.isVisible());
        QVERIFY(!s.form.Combo1.isVisible());
        QCOMPARE(s.form.Combo1.text(), QStringLiteral("..."));
        QCOMPARE(s.form.Combo1.items().size(), 8);
        s.enter(QStringLiteral("Q3Z"), QStringLiteral("014"), QStringLiteral("JN82CD"));
        s.form.Text4.keyDown(vbKeyReturn, 0);
        QVERIFY(s.form.Text1.text().endsWith(u"---JN82CD\r\n"));

        // Ticking again shows the list with no band chosen.
        s.form.Check2.click();
        QCOMPARE(s.form.Combo1.text(), QStringLiteral("..."));
        QVERIFY(s.form.Combo1.isVisible());
    }

    void hfHidesTheLocatorButKeepsItsText()
    {
        Session s;
        s.form.Text4.setText(QStringLiteral("jn80xy"));
        s.form.Check3.click();
        QVERIFY(!s.form.Text4.isVisible());
        QVERIFY(!s.form.Label2.isVisible());
        QVERIFY(s.form.Label1.isVisible() && s.form.Label3.isVisible());
        QCOMPARE(s.form.Text4.text(), QStringLiteral("JN80XY"));

        // The hidden locator still goes into the next line, then is emptied as usual.
        s.form.Text2.setText(QStringLiteral("Q1ABC"));
        s.form.Text3.setText(QStringLiteral("5"));
        s.form.Text3.keyDown(vbKeyReturn, 0);
        QVERIFY(s.form.Text1.text().endsWith(u"---Q1ABC---59---5---JN80XY\r\n"));
        QVERIFY(s.form.Text4.text().isEmpty());

        // No locator is asked for in HF mode.
        s.form.Text2.setText(QStringLiteral("Q2XY"));
        s.form.Text3.setText(QStringLiteral("6"));
        s.form.Text3.keyDown(vbKeyReturn, 0);
        QVERIFY(s.fakes.messages.shown.isEmpty());
        QVERIFY(s.form.Text1.text().endsWith(u"---Q2XY---59---6---\r\n"));

        s.form.Check3.click();
        QVERIFY(s.form.Text4.isVisible());
        QVERIFY(s.form.Label2.isVisible());
        s.form.Text2.setText(QStringLiteral("Q3Z"));
        s.form.Text3.setText(QStringLiteral("7"));
        s.form.Text3.keyDown(vbKeyReturn, 0);
        QCOMPARE(s.fakes.messages.lastPrompt(), QStringLiteral("Insert Locator"));
    }
};

QTEST_GUILESS_MAIN(TestEntryConveniences)
#include "tst_entry_conveniences.moc"
