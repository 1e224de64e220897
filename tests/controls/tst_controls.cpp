#include "controls/check_box.h"
#include "controls/combo_box.h"
#include "controls/command_button.h"
#include "controls/text_box.h"

#include <QSignalSpy>
#include <QTest>

class TestControls : public QObject
{
    Q_OBJECT

private slots:
    void settingADifferentTextRunsChangeAtOnce()
    {
        TextBox box(QStringLiteral("Text2"));
        QStringList seen;
        connect(&box, &TextBox::Change, this, [&] { seen.append(box.text()); });
        box.setText(QStringLiteral("abc"));
        QCOMPARE(seen, QStringList{QStringLiteral("abc")});
        box.setText(QStringLiteral("abc"));
        QCOMPARE(seen.size(), 1); // the same text runs nothing
    }

    void changeProcedureCanRewriteItsOwnBoxWithoutLooping()
    {
        TextBox box(QStringLiteral("Text4"));
        int runs = 0;
        connect(&box, &TextBox::Change, this, [&] {
            ++runs;
            box.setText(box.text().toUpper()); // nested run finds it upper-cased already
            box.setSelStart(int(box.text().size()));
        });
        box.setText(QStringLiteral("jn80xy"));
        QCOMPARE(box.text(), QStringLiteral("JN80XY"));
        QCOMPARE(runs, 2);
        QCOMPARE(box.selStart(), 6);
    }

    void singleLineBoxKeepsTheFirstLine()
    {
        TextBox call(QStringLiteral("Text2"));
        QSignalSpy changes(&call, &TextBox::Change);
        call.setText(QStringLiteral("Q1ABC\r\nDL1XYZ"));
        QCOMPARE(call.text(), QStringLiteral("Q1ABC"));
        call.setText(QStringLiteral("Q1ABC\nX")); // nothing left to change
        QCOMPARE(changes.size(), 1);
        call.setText(QStringLiteral("\rQ2"));
        QVERIFY(call.text().isEmpty());

        TextBox log(QStringLiteral("Text1"));
        log.setMultiLine(true);
        log.setText(QStringLiteral("a\r\nb\rc\nd"));
        QCOMPARE(log.text(), QStringLiteral("a\r\nb\rc\nd"));
    }

    // Pasted escapes, direction overrides and separators would reorder or split the contact's
    // line when it is shown, or go raw into the file; no call, number, locator or band has them.
    void entryBoxesAndTheBandDropInvisibleCharacters_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("right-to-left override") << QStringLiteral("Q1\u202EABC") << "Q1ABC";
        QTest::newRow("direction marks") << QStringLiteral("\u200EQ1ABC\u200F\u061C") << "Q1ABC";
        QTest::newRow("zero-width joiner, byte-order mark")
            << QStringLiteral("Q1\u200DA\uFEFFBC") << "Q1ABC";
        QTest::newRow("language tag beyond the first plane")
            << QStringLiteral("Q1\U000E0041ABC") << "Q1ABC";
        QTest::newRow("line and paragraph separators")
            << QStringLiteral("Q1\u2028AB\u2029C") << "Q1ABC";
        QTest::newRow("escape sequence, tab, delete") << QStringLiteral("Q1\x1B[31mA\tB\x7F"
                                                                        "C\u0085")
                                                      << "Q1[31mABC";
        QTest::newRow("visible letters of any script stay")
            << QStringLiteral("OH2ÄÖ\U0001D400 \u05D0") << QStringLiteral("OH2ÄÖ\U0001D400 \u05D0");
    }
    void entryBoxesAndTheBandDropInvisibleCharacters()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        TextBox call(QStringLiteral("Text2"));
        call.setText(typed);
        QCOMPARE(call.text(), kept);
        ComboBox band(QStringLiteral("Combo1"));
        QSignalSpy bandChanges(&band, &ComboBox::textChanged);
        band.setText(typed);
        QCOMPARE(band.text(), kept);
        band.setText(kept + QStringLiteral("\u202E")); // nothing left to change
        QCOMPARE(bandChanges.size(), 1);

        // The log box keeps what it is given.
        TextBox log(QStringLiteral("Text1"));
        log.setMultiLine(true);
        log.setText(typed);
        QCOMPARE(log.text(), typed);
    }

    void appendIsASetOfTheLongerText()
    {
        TextBox box(QStringLiteral("Text1"));
        box.setMultiLine(true);
        box.setText(QStringLiteral("one\r\n"));
        QSignalSpy changes(&box, &TextBox::Change);
        QSignalSpy appended(&box, &TextBox::textAppended);
        box.appendText(u"two\r\n");
        QCOMPARE(box.text(), QStringLiteral("one\r\ntwo\r\n"));
        QCOMPARE(changes.size(), 1);
        QCOMPARE(appended.size(), 1);
        box.appendText(u"");
        QCOMPARE(changes.size(), 1);

        // A single-line box takes an append as a new text, and tells its widget so.
        TextBox call(QStringLiteral("Text2"));
        call.setText(QStringLiteral("Q1"));
        QSignalSpy callAppended(&call, &TextBox::textAppended);
        QSignalSpy callReplaced(&call, &TextBox::textReplaced);
        call.appendText(u"ABC");
        QCOMPARE(call.text(), QStringLiteral("Q1ABC"));
        QCOMPARE(callAppended.size(), 0);
        QCOMPARE(callReplaced.size(), 1);
    }

    void aLongLogIsComparedAndReadInPieces()
    {
        // Longer than a piece of the comparison, differing only in its last character.
        TextBox box(QStringLiteral("Text1"));
        box.setMultiLine(true);
        const QString log = QStringLiteral("001-+-a\r\n\r").repeated(20000) + u'x';
        box.setText(log);
        box.replaceText(5, 0, u"\u00e9"); // the gap, and a Latin-1 character, near the start
        box.replaceText(5, 1, u"");
        QSignalSpy changes(&box, &TextBox::Change);
        box.setText(log); // the same text
        QCOMPARE(changes.size(), 0);
        QVERIFY(box.holds(log));
        QVERIFY(!box.holds(log.chopped(1) + u'y'));
        QVERIFY(box.textStartsWith(log.chopped(1)));
        QVERIFY(!box.textStartsWith(log + u'x'));
        QVERIFY(!box.textStartsWith(QChar(u'y') + log.chopped(1)));
        QCOMPARE(box.textFrom(log.size() - 4), u"\r\n\rx");
        box.setText(log.chopped(1) + u'y');
        QCOMPARE(changes.size(), 1);
        // A character above U+00FF in the middle; every reader still gets the same characters.
        box.replaceText(9, 0, u"\u20ac");
        const QString edited = log.chopped(1) + u'y';
        const QString expected = edited.first(9) + QChar(u'\u20ac') + edited.sliced(9);
        QCOMPARE(box.text(), expected);
        QCOMPARE(box.textFrom(8), expected.sliced(8));
        QCOMPARE(box.textBetween(8, 12), QStringView(expected).sliced(8, 4));
        QCOMPARE(box.charAt(9), u'\u20ac');
        QVERIFY(box.holds(expected));
    }

    void anEditStaysWithinTheTextAndItsSelection_data()
    {
        QTest::addColumn<bool>("multiLine");
        QTest::addColumn<qsizetype>("position");
        QTest::addColumn<qsizetype>("removed");
        QTest::addColumn<QString>("inserted");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<qsizetype>("selStart");
        QTest::addColumn<qsizetype>("selLength");
        // The box holds "Q1ABC-59" with "59" selected.
        QTest::newRow("within") << true << qsizetype(2) << qsizetype(3) << "X"
                                << "Q1X-59" << qsizetype(6) << qsizetype(0);
        QTest::newRow("removed past the end, the selection with it")
            << true << qsizetype(6) << qsizetype(5) << ""
            << "Q1ABC-" << qsizetype(6) << qsizetype(0);
        QTest::newRow("the selection shortened") << true << qsizetype(7) << qsizetype(1) << ""
                                                 << "Q1ABC-5" << qsizetype(6) << qsizetype(1);
        QTest::newRow("past the end") << true << qsizetype(9) << qsizetype(0) << "X"
                                      << "Q1ABC-59" << qsizetype(6) << qsizetype(2);
        QTest::newRow("before the start") << true << qsizetype(-1) << qsizetype(1) << "X"
                                          << "Q1ABC-59" << qsizetype(6) << qsizetype(2);
        QTest::newRow("negative length") << true << qsizetype(2) << qsizetype(-3) << "X"
                                         << "Q1XABC-59" << qsizetype(6) << qsizetype(2);
        QTest::newRow("single line, removed past the end")
            << false << qsizetype(6) << qsizetype(5) << ""
            << "Q1ABC-" << qsizetype(6) << qsizetype(0);
        QTest::newRow("single line, past the end") << false << qsizetype(9) << qsizetype(0) << "X"
                                                   << "Q1ABC-59" << qsizetype(6) << qsizetype(2);
    }
    void anEditStaysWithinTheTextAndItsSelection()
    {
        QFETCH(bool, multiLine);
        QFETCH(qsizetype, position);
        QFETCH(qsizetype, removed);
        QFETCH(QString, inserted);
        QFETCH(QString, kept);
        QFETCH(qsizetype, selStart);
        QFETCH(qsizetype, selLength);
        TextBox box(QStringLiteral("Text1"));
        box.setMultiLine(multiLine);
        box.setText(QStringLiteral("Q1ABC-59"));
        box.setSelStart(6);
        box.setSelLength(2);
        box.replaceText(position, removed, inserted);
        QCOMPARE(box.text(), kept);
        QCOMPARE(box.selStart(), selStart);
        QCOMPARE(box.selLength(), selLength);
    }

    void caretStaysWithinTheText()
    {
        TextBox box(QStringLiteral("Text2"));
        box.setText(QStringLiteral("Q1ABC"));
        box.setSelStart(99);
        QCOMPARE(box.selStart(), 5);
        box.setSelStart(-1);
        QCOMPARE(box.selStart(), 0);
        box.setSelStart(5);
        box.setText(QStringLiteral("Q1"));
        QCOMPARE(box.selStart(), 2);
    }

    void foreColorReadsBackWhatWasSet()
    {
        TextBox box(QStringLiteral("Text2"));
        QCOMPARE(box.foreColor(), vbWindowText); // a text box's default colour
        for (OleColor color : {vbButtonText, vbRed, vbBlue, OleColor(0x80000012)}) {
            box.setForeColor(color);
            QCOMPARE(box.foreColor(), color);
        }
    }

    void hidingKeepsTextAndValue()
    {
        TextBox box(QStringLiteral("Text4"));
        box.setText(QStringLiteral("JN80XY"));
        box.setVisible(false);
        QCOMPARE(box.text(), QStringLiteral("JN80XY"));
        CheckBox check(QStringLiteral("Check3"));
        check.click();
        check.setVisible(false);
        QCOMPARE(check.value(), 1);
        ComboBox combo(QStringLiteral("Combo1"));
        combo.setText(QStringLiteral("144 Mhz"));
        combo.setVisible(false);
        QCOMPARE(combo.text(), QStringLiteral("144 Mhz"));
    }

    void clickTogglesTheValueBeforeTheClickProcedure()
    {
        CheckBox check(QStringLiteral("Check2"));
        QList<int> valuesSeen;
        connect(&check, &CheckBox::Click, this, [&] { valuesSeen.append(check.value()); });
        check.click();
        check.click();
        QCOMPARE(valuesSeen, (QList<int>{1, 0}));
    }

    void clickingACheckBoxGivesItTheFocus()
    {
        CheckBox check(QStringLiteral("Check1"));
        QSignalSpy focus(&check, &Control::focusRequested);
        check.click();
        QCOMPARE(focus.size(), 1);
    }

    void comboTextNeedNotBeAnEntry()
    {
        ComboBox combo(QStringLiteral("Combo1"));
        combo.addItem(QStringLiteral("7 Mhz"));
        combo.addItem(QStringLiteral("14 Mhz"));
        combo.setText(QStringLiteral("..."));
        QCOMPARE(combo.text(), QStringLiteral("..."));
        QCOMPARE(combo.items(), (QStringList{QStringLiteral("7 Mhz"), QStringLiteral("14 Mhz")}));
    }

    void pressingAButtonFromCodeRunsItsClick()
    {
        CommandButton button(QStringLiteral("Command1"));
        QSignalSpy clicks(&button, &CommandButton::Click);
        button.setValue(true);
        QCOMPARE(clicks.size(), 1);
        button.setValue(false);
        QCOMPARE(clicks.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestControls)
#include "tst_controls.moc"
