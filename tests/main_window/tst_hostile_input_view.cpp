#include "contact_line/contact_line.h"
#include "contact_lines.h"
#include "drop_events.h"
#include "main_window/form15.h"
#include "main_window/form15_view.h"
#include "offscreen_window.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>

namespace {

using Window = OffscreenWindow;

// Pastes with the keyboard, as the operator does.
void paste(QWidget *widget, const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
    widget->setFocus();
    QTest::keyClick(widget, Qt::Key_V, Qt::ControlModifier);
}

// `length` characters of a repeated pattern.
QString longText(QStringView pattern, qsizetype length)
{
    QString text;
    text.reserve(length);
    while (text.size() < length)
        text.append(pattern.first(std::min(pattern.size(), length - text.size())));
    return text;
}

// How the log box shows a log text: each line break one line.
QString shownText(QString logText)
{
    return logText.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

constexpr qsizetype pastedLength = 100'000;

} // namespace

// Whatever is pasted into the entry boxes and the log box, it reaches the log exactly as it
// stands in the boxes: only the call and the locator are upper-cased, as they always are.
class TestHostileInputView : public QObject
{
    Q_OBJECT

private slots:
    void pastedEntriesAreLoggedExactly_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("locator");
        QTest::newRow("100,000 characters in each box")
            << longText(u"q1abc/p", pastedLength) << longText(u"0123456789", pastedLength)
            << longText(u"jn80xy", pastedLength);
        QTest::newRow("letters of other scripts")
            << QStringLiteral("oh2äö/\u05D0") << QStringLiteral("0١٢") << QStringLiteral("jn80xyß");
        QTest::newRow("the line's own separators")
            << QStringLiteral("q1-+-a---59---b-->c") << QStringLiteral("012---9-+-")
            << QStringLiteral("jn---80-->144 Mhz");
    }

    // An entry box holds one line: a pasted line break would split the contact's line in the
    // log, so only the first line is kept, as the platform's single-line edit does.
    void pastedLineBreaksKeepTheFirstLine()
    {
        Window w;
        paste(w.edit(w.form.Text2), QStringLiteral("q1abc\r\ndl1xyz"));
        paste(w.edit(w.form.Text3), QStringLiteral("1\r2"));
        paste(w.edit(w.form.Text4), QStringLiteral("jn80xy\n"));
        QCOMPARE(w.edit(w.form.Text2)->text(), QStringLiteral("Q1ABC"));
        QCOMPARE(w.form.Text3.text(), QStringLiteral("1"));
        QCOMPARE(w.edit(w.form.Text3)->text(), QStringLiteral("1"));
        QTest::keyClick(w.edit(w.form.Text4), Qt::Key_Return);
        QCOMPARE(w.form.Text1.text(),
                 QStringLiteral("001-+-16/07/2016---1345---Q1ABC---59---1---JN80XY\r\n"));
    }

    // Escapes, direction overrides and line separators pasted with a call would reorder or
    // split the contact's line where it is shown, or go raw into the file: the boxes drop them.
    void pastedInvisibleCharactersAreDropped()
    {
        Window w;
        w.form.Check2.click();
        paste(w.edit(w.form.Text2), QStringLiteral("\u202Eq1\u2028abc\x1B[0m"));
        paste(w.edit(w.form.Text3), QStringLiteral("01\u200E2\t"));
        paste(w.edit(w.form.Text4), QStringLiteral("jn\u2029\u200F80xy\x01"));
        auto *band = w.widget<QComboBox>(w.form.Combo1);
        band->lineEdit()->selectAll();
        paste(band->lineEdit(), QStringLiteral("144\u00A0Mhz\u200D\u0007"));
        QCOMPARE(w.edit(w.form.Text2)->text(), QStringLiteral("Q1ABC[0M"));
        QCOMPARE(w.edit(w.form.Text3)->text(), QStringLiteral("012"));
        QCOMPARE(w.edit(w.form.Text4)->text(), QStringLiteral("JN80XY"));
        QCOMPARE(band->currentText(), QStringLiteral("144\u00A0Mhz"));
        QTest::keyClick(w.edit(w.form.Text4), Qt::Key_Return);
        QCOMPARE(w.form.Text1.text(),
                 QStringLiteral("001-+-16/07/2016---1345---Q1ABC[0M---59---012---JN80XY-->"
                                "144\u00A0Mhz\r\n"));
    }

    // The same characters committed by an input method: the boxes drop them as well.
    void inputMethodCommitsDropInvisibleCharacters()
    {
        Window w;
        const auto commit = [](QWidget *widget, const QString &text) {
            QInputMethodEvent event;
            event.setCommitString(text);
            QCoreApplication::sendEvent(widget, &event);
        };
        commit(w.edit(w.form.Text2), QStringLiteral("\u202Eq1\u2028abc\x1B[0m"));
        commit(w.edit(w.form.Text3), QStringLiteral("01\u200E2\t\r\n3"));
        commit(w.edit(w.form.Text4), QStringLiteral("jn\u2029\u200F80xy\x01"));
        QCOMPARE(w.form.Text2.text(), QStringLiteral("Q1ABC[0M"));
        QCOMPARE(w.form.Text3.text(), QStringLiteral("012"));
        QCOMPARE(w.form.Text4.text(), QStringLiteral("JN80XY"));
        QCOMPARE(w.edit(w.form.Text3)->text(), QStringLiteral("012"));
    }

    // A clipboard whose data holds no text (what the clipboard offers once the program that
    // copied has ended) or a drop without text: every box stays as it was, and the window lives.
    void pastesAndDropsWithoutTextDoNothing_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("way"); // "paste" or "drop"
        QTest::addColumn<QStringList>("formats");
        const QStringList nothing;
        const QStringList notText = {QStringLiteral("application/octet-stream")};
        QTest::newRow("log box, no data") << "log"
                                          << "paste" << nothing;
        QTest::newRow("log box, no text") << "log"
                                          << "paste" << notText;
        QTest::newRow("log box, dropped without data") << "log"
                                                       << "drop" << nothing;
        QTest::newRow("log box, dropped without text") << "log"
                                                       << "drop" << notText;
        QTest::newRow("call box, no data") << "call"
                                           << "paste" << nothing;
        QTest::newRow("number box, no data") << "number"
                                             << "paste" << nothing;
        QTest::newRow("locator box, no data") << "locator"
                                              << "paste" << nothing;
        QTest::newRow("band, no data") << "band"
                                       << "paste" << nothing;
        QTest::newRow("call box, dropped without data") << "call"
                                                        << "drop" << nothing;
    }
    void pastesAndDropsWithoutTextDoNothing()
    {
        QFETCH(QString, box);
        QFETCH(QString, way);
        QFETCH(QStringList, formats);
        Window w;
        w.form.Check2.click();
        w.form.Text1.setText(twoContacts);
        w.form.Text2.setText(QStringLiteral("Q1A"));
        w.form.Text3.setText(QStringLiteral("01"));
        w.form.Text4.setText(QStringLiteral("JN8"));
        auto *band = w.widget<QComboBox>(w.form.Combo1);
        QWidget *const widgets[] = {w.log(), w.edit(w.form.Text2), w.edit(w.form.Text3),
                                    w.edit(w.form.Text4), band->lineEdit()};
        const QStringList boxes = {QStringLiteral("log"), QStringLiteral("call"),
                                   QStringLiteral("number"), QStringLiteral("locator"),
                                   QStringLiteral("band")};
        QWidget *widget = widgets[boxes.indexOf(box)];
        const QString bandBefore = band->currentText();

        auto *data = new QMimeData;
        for (const QString &format : formats)
            data->setData(format, QByteArrayLiteral("\x01\x02"));
        if (way == u"paste") {
            QGuiApplication::clipboard()->setMimeData(data);
            widget->setFocus();
            QTest::keyClick(widget, Qt::Key_V, Qt::ControlModifier);
        } else {
            QWidget *target = widget == w.log() ? w.log()->viewport() : widget;
            dropOn(target, target->rect().center(), data);
            delete data;
        }

        QCOMPARE(w.form.Text1.text(), twoContacts);
        QCOMPARE(w.log()->toPlainText(), shownText(twoContacts));
        QCOMPARE(w.form.Text2.text(), QStringLiteral("Q1A"));
        QCOMPARE(w.form.Text3.text(), QStringLiteral("01"));
        QCOMPARE(w.form.Text4.text(), QStringLiteral("JN8"));
        QCOMPARE(band->currentText(), bandBefore);
    }

    void pastedEntriesAreLoggedExactly()
    {
        QFETCH(QString, call);
        QFETCH(QString, number);
        QFETCH(QString, locator);
        Window w;
        w.form.Text1.setText(twoContacts);
        w.form.Frame1.setCaption(QStringLiteral("003"));

        paste(w.edit(w.form.Text2), call);
        paste(w.edit(w.form.Text3), number);
        paste(w.edit(w.form.Text4), locator);
        QCOMPARE(w.form.Text2.text(), call.toUpper());
        QCOMPARE(w.form.Text3.text(), number);
        QCOMPARE(w.form.Text4.text(), locator.toUpper());
        QTest::keyClick(w.edit(w.form.Text4), Qt::Key_Return);

        QVERIFY(w.fakes.messages.shown.isEmpty());
        const QString line = composeContactLine({
            .sentNumber = u"003",
            .date = u"16/07/2016",
            .time = u"1345---",
            .call = call.toUpper(),
            .receivedNumber = number,
            .locator = locator.toUpper(),
            .band = noBandText,
        });
        QVERIFY(w.form.Text1.text() == twoContacts + line);
        QVERIFY(w.log()->toPlainText() == shownText(twoContacts + line));
        for (TextBox *box : {&w.form.Text2, &w.form.Text3, &w.form.Text4})
            QVERIFY(w.edit(*box)->text().isEmpty());
        QCOMPARE(w.form.Frame1.caption(), QStringLiteral("004"));
    }

    void aLongCallIsStillCheckedAgainstTheLog()
    {
        Window w;
        const QString call = longText(u"Q1ABC/", pastedLength);
        w.form.Text1.setText(twoContacts + QStringLiteral("003-+-16/07/2016---1347---") + call +
                             QStringLiteral("---59---1---JN\r\n"));
        paste(w.edit(w.form.Text2), call.toLower());
        QCOMPARE(w.form.Text2.foreColor(), vbRed);
        QCOMPARE(w.form.CallPosition, int(twoContacts.size()) + 27);
        // One more character makes it a call not yet logged.
        QTest::keyClick(w.edit(w.form.Text2), Qt::Key_End);
        QTest::keyClicks(w.edit(w.form.Text2), QStringLiteral("x"));
        QCOMPARE(w.form.Text2.text(), call + u'X');
        QCOMPARE(w.form.Text2.foreColor(), vbButtonText);
    }

    void pastedIntoTheLogBoxIsKeptExactly_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("logged"); // what the log text gains
        const QString longLine =
            longText(u"003-+-16/07/2016---1347---OK1AB---59---1---X ", pastedLength);
        QTest::newRow("100,000 characters on one line") << longLine << longLine;
        const QString manyLines = longText(u"004-+-x\n", pastedLength);
        QTest::newRow("100,000 characters in short lines")
            << manyLines << QString(manyLines).replace(u'\n', QStringLiteral("\r\n"));
        QTest::newRow("control characters")
            << QStringLiteral("\t\x01\x1B\x7F\x00x") << QStringLiteral("\t\x01\x1B\x7F\x00x");
        QTest::newRow("the line's own separators")
            << QStringLiteral("-+----59-----> -+-") << QStringLiteral("-+----59-----> -+-");
    }

    void pastedIntoTheLogBoxIsKeptExactly()
    {
        QFETCH(QString, pasted);
        QFETCH(QString, logged);
        Window w;
        w.form.Text1.setText(twoContacts);
        QPlainTextEdit *log = w.log();
        log->setFocus();
        log->moveCursor(QTextCursor::End);
        paste(log, pasted);
        QVERIFY(w.form.Text1.text() == twoContacts + logged);

        // The caret is at the end, so typing goes on after what was pasted.
        QTest::keyClicks(log, QStringLiteral("Z"));
        QVERIFY(w.form.Text1.text() == twoContacts + logged + u'Z');
        QVERIFY(log->toPlainText() == shownText(w.form.Text1.text()));
    }

    // Characters the log box draws as line breaks of its own, from a file or a pasted entry:
    // an edit after them still lands on its character, and they stay as they were.
    void editsAfterOddLineBreaksLandInPlace()
    {
        Window w;
        const QString before = QStringLiteral("001-+-a\rb\r\n002-+-c\u2029d\u2028e\uFDD0f\uFDD1"
                                              "g\nh\x00i\r\n\r\r\n003-+-");
        const QString after = QStringLiteral("j\r\n");
        w.form.Text1.setText(before + after);
        QPlainTextEdit *log = w.log();
        QVERIFY(log->toPlainText().endsWith(QStringLiteral("003-+-j\n")));
        // The log box puts its caret at the end after every change, so each edit starts from
        // a caret placed by hand, this many characters before the end.
        const auto caretBeforeEnd = [log](int characters) {
            QTextCursor cursor = log->textCursor();
            cursor.movePosition(QTextCursor::End);
            cursor.movePosition(QTextCursor::PreviousCharacter, QTextCursor::MoveAnchor,
                                characters);
            log->setTextCursor(cursor);
        };
        log->setFocus();
        caretBeforeEnd(2);
        QTest::keyClicks(log, QStringLiteral("Z"));
        QCOMPARE(w.form.Text1.text(), before + u'Z' + after);
        caretBeforeEnd(3);
        QTest::keyClick(log, Qt::Key_Backspace);
        QCOMPARE(w.form.Text1.text(), before.chopped(1) + u'Z' + after);
    }
};

QTEST_MAIN(TestHostileInputView)
#include "tst_hostile_input_view.moc"
