#include "controls/text_box.h"
#include "drop_events.h"
#include "main_window/control_bindings.h"
#include "main_window/log_text_edit.h"
#include "offscreen_window.h"
#include "painted_region.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <random>

using namespace Qt::StringLiterals;

namespace {

// The log box alone: its control and its widget, bound as in the window.
struct LogBox
{
    TextBox box{QStringLiteral("Text1")};
    LogTextEdit edit;

    explicit LogBox(const QString &text)
    {
        box.setMultiLine(true);
        box.setText(text);
        bindLogEdit(box, &edit);
        edit.show();
    }

    void caretTo(int shownPosition)
    {
        QTextCursor cursor = edit.textCursor();
        cursor.setPosition(shownPosition);
        edit.setTextCursor(cursor);
    }
};

const QString lineWithLoneLf = QStringLiteral("001-+-a\nb---59---1---X\r\n");
const QString secondLine = QStringLiteral("002-+-c---59---2---Y\r\n");

} // namespace

class TestLogBoxEditing : public QObject
{
    Q_OBJECT

private slots:
    void showsEachCrLfAsOneLineBreak()
    {
        LogBox log(lineWithLoneLf + secondLine);
        QCOMPARE(log.edit.blockCount(), 4); // the lone LF breaks the line on screen too
        log.box.appendText(u"003-+-d\r\n");
        QCOMPARE(log.edit.document()->lastBlock().previous().text(), QStringLiteral("003-+-d"));
    }

    void anAddedLineRedrawsOnlyTheLinesAtTheEnd()
    {
        QString text;
        for (int n = 1; n <= 50; ++n)
            text += QStringLiteral("%1-+-c---59---2---Y\r\n").arg(n, 3, 10, QLatin1Char('0'));
        LogBox log(text);
        log.edit.resize(300, 160);
        QVERIFY(QTest::qWaitForWindowExposed(&log.edit));
        // Following the end, as the window's log box does after every change.
        log.box.setSelStart(int(log.box.textLength()));
        QApplication::processEvents();
        const PaintedRegion painted(log.edit.viewport());

        const QString added = QStringLiteral("051-+-d---59---3---Z\r\n");
        log.box.appendText(added);
        log.box.setSelStart(int(log.box.textLength()));
        QTRY_VERIFY(!painted.region().isEmpty());
        QVERIFY(painted.region().boundingRect().height() < log.edit.viewport()->height() / 2);
        QCOMPARE(log.edit.toPlainText(), QString(text + added).replace(u"\r\n"_s, u"\n"_s));
        QCOMPARE(log.edit.blockCount(), 52);
    }

    void typingReachesTheLogTextAtItsPlace()
    {
        LogBox log(lineWithLoneLf + secondLine);
        log.caretTo(log.edit.document()->findBlockByNumber(2).position() + 3); // after "002"
        QTest::keyClicks(&log.edit, QStringLiteral("Z"));
        QCOMPARE(log.box.text(), lineWithLoneLf + u"002Z-+-c---59---2---Y\r\n"_s);
    }

    void typingInTheMiddleStaysThereThoughTheBoxFollowsItsEnd()
    {
        LogBox log(lineWithLoneLf + secondLine);
        // As the window's log box does after every change, to show the newest contact.
        QObject::connect(&log.box, &TextBox::Change,
                         [&log] { log.box.setSelStart(int(log.box.text().size())); });
        log.caretTo(log.edit.document()->findBlockByNumber(2).position() + 3); // after "002"
        QTest::keyClicks(&log.edit, QStringLiteral("AB"));
        QCOMPARE(log.box.text(), lineWithLoneLf + u"002AB-+-c---59---2---Y\r\n"_s);
        QCOMPARE(log.box.selStart(), int(lineWithLoneLf.size()) + 5);
        // The program's own changes still bring the end into view.
        log.box.appendText(u"003-+-d\r\n");
        QVERIFY(log.edit.textCursor().atEnd());
    }

    void untouchedLineBreaksStayAsTheyWere()
    {
        LogBox log(lineWithLoneLf + secondLine);
        log.edit.moveCursor(QTextCursor::End);
        QTest::keyClicks(&log.edit, QStringLiteral("x"));
        QCOMPARE(log.box.text(), lineWithLoneLf + secondLine + u"x"_s);
    }

    void deletingALineBreakRemovesItsCrLf()
    {
        LogBox log(lineWithLoneLf + secondLine);
        log.caretTo(log.edit.document()->findBlockByNumber(2).position());
        QTest::keyClick(&log.edit, Qt::Key_Backspace);
        QCOMPARE(log.box.text(), QStringLiteral("001-+-a\nb---59---1---X002-+-c---59---2---Y\r\n"));
    }

    void pastedLinesGetCrLf()
    {
        LogBox log(secondLine);
        log.edit.moveCursor(QTextCursor::End);
        log.edit.insertPlainText(QStringLiteral("p\nq"));
        QCOMPARE(log.box.text(), secondLine + u"p\r\nq"_s);
    }

    void clearingTheWidgetEmptiesTheLog()
    {
        LogBox log(lineWithLoneLf + secondLine);
        log.edit.selectAll();
        QTest::keyClick(&log.edit, Qt::Key_Delete);
        QVERIFY(log.box.text().isEmpty());
        QTest::keyClicks(&log.edit, QStringLiteral("a"));
        QCOMPARE(log.box.text(), QStringLiteral("a"));
    }

    void programCaretLandsOnTheSameCharacter()
    {
        LogBox log(lineWithLoneLf + secondLine);
        const int offset = int(lineWithLoneLf.size()) + 3; // after "002" in the log text
        log.box.setSelStart(offset);
        QCOMPARE(log.edit.textCursor().block().text().left(3), QStringLiteral("002"));
        QCOMPARE(log.edit.textCursor().positionInBlock(), 3);
    }

    void undoNeverReachesAcrossTheProgramsChanges()
    {
        LogBox log(secondLine);
        log.edit.setFocus();
        auto pressEveryUndoAndRedo = [&log] {
            QTest::keyClick(&log.edit, Qt::Key_Z, Qt::ControlModifier);
            QTest::keyClick(&log.edit, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            QTest::keyClick(&log.edit, Qt::Key_Y, Qt::ControlModifier);
            const std::unique_ptr<QMenu> menu(log.edit.createStandardContextMenu());
            for (const char *name : {"edit-undo", "edit-redo"}) {
                auto *action = menu->findChild<QAction *>(QLatin1String(name));
                QVERIFY(action);
                action->trigger();
            }
        };

        // Opened, then two contacts added.
        log.box.setText(lineWithLoneLf);
        log.box.appendText(u"002-+-c---59---2---Y\r\n");
        log.box.appendText(u"003-+-d---59---3---Z\r\n");
        const QString logged = log.box.text();
        pressEveryUndoAndRedo();
        QCOMPARE(log.box.text(), logged);

        // The operator's own typing can be undone and redone, but not past the next contact.
        log.edit.moveCursor(QTextCursor::End);
        QTest::keyClicks(&log.edit, QStringLiteral("x"));
        QTest::keyClick(&log.edit, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(log.box.text(), logged);
        QTest::keyClick(&log.edit, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(log.box.text(), logged + u"x"_s);
        log.box.appendText(u"\r\n004-+-e---59---4---W\r\n");
        const QString added = log.box.text();
        pressEveryUndoAndRedo();
        QCOMPARE(log.box.text(), added);
    }

    void everyLineBreakTheOperatorEntersBecomesCrLf_data()
    {
        QTest::addColumn<QString>("way"); // "paste", "drop" or "input method"; empty: typed
        QTest::addColumn<QString>("entered");

        QTest::newRow("Enter") << QString() << QString();
        const std::pair<const char *, QString> breaks[] = {
            {"line feed", QStringLiteral("\n")},
            {"carriage return", QStringLiteral("\r")},
            {"CR LF", QStringLiteral("\r\n")},
            {"line separator", QString(QChar::LineSeparator)},
            {"paragraph separator", QString(QChar::ParagraphSeparator)},
        };
        for (const char *way : {"paste", "drop", "input method"}) {
            for (const auto &[name, entered] : breaks)
                QTest::addRow("%s, %s", way, name) << QString::fromLatin1(way) << entered;
        }
    }
    void everyLineBreakTheOperatorEntersBecomesCrLf()
    {
        QFETCH(QString, way);
        QFETCH(QString, entered);
        for (const Qt::KeyboardModifiers modifiers : {Qt::NoModifier, Qt::ShiftModifier}) {
            LogBox log(secondLine);
            log.edit.moveCursor(QTextCursor::End);
            QTest::keyClicks(&log.edit, QStringLiteral("p"));
            if (way.isEmpty()) {
                QTest::keyClick(&log.edit, Qt::Key_Return, modifiers);
            } else if (way == u"paste") {
                QApplication::clipboard()->setText(entered);
                log.edit.paste();
            } else if (way == u"drop") {
                // Below the last line: the drop lands at the end of the text.
                QMimeData data;
                data.setText(entered);
                dropOn(log.edit.viewport(), log.edit.viewport()->rect().bottomRight(), &data);
            } else {
                QInputMethodEvent commit;
                commit.setCommitString(entered);
                QCoreApplication::sendEvent(&log.edit, &commit);
            }
            QTest::keyClicks(&log.edit, QStringLiteral("q"));
            QCOMPARE(log.box.text(), secondLine + u"p\r\nq"_s);
            QCOMPARE(log.edit.blockCount(), 3);
        }
    }

    void editsAnywhereKeepLogAndWidgetInStep()
    {
        // Lines ended every way a file may end them; the widget's edits land at their place in
        // the log text, and line breaks no edit touched stay as they were.
        std::mt19937 random(14); // a fixed start: the same edits every run
        const auto below = [&random](int n) { return int(random() % unsigned(n)); };
        const QStringList pieces = {QStringLiteral("a"), QStringLiteral("\n"),
                                    QStringLiteral("bc\nd"), QString()};
        LogBox log(QStringLiteral("1\r\n2\n3\r4\r\n\r\n5\n\n6\r\r\n7\u20298\uFDD09"));
        auto shown = [](QString text) {
            return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                .replace(QRegularExpression(QStringLiteral("[\r\u2029\uFDD0]")),
                         QStringLiteral("\n"));
        };
        for (int step = 0; step < 300; ++step) {
            const int size = log.edit.document()->characterCount() - 1;
            QTextCursor cursor(log.edit.document());
            cursor.setPosition(below(size + 1));
            cursor.setPosition(std::min(size, cursor.position() + below(4)),
                               QTextCursor::KeepAnchor);
            cursor.insertText(pieces[below(int(pieces.size()))]);
            QCOMPARE(shown(log.box.text()), log.edit.toPlainText());
        }
        const QString text = log.box.text();
        QVERIFY(text.contains(u"\r\n") && text.contains(QRegularExpression(u"\n[^\r]|\r[^\n]"_s)));
    }

    void everyKindOfKeystrokeInTheWindowsLogBoxLandsAtTheCaret()
    {
        // The real window: its log box follows the end after every change, and the call box is
        // checked against the log between the operator's keystrokes.
        OffscreenWindow w;
        const QString first = QStringLiteral("001-+-16/07/2016---1345---Q1ABC---59---012---JN80");
        const QString second =
            QStringLiteral("002-+-16/07/2016---1346---DL2KU---59---935---QD78CK");
        const QString logged = first + u"\r\n"_s + second + u"\r\n"_s;
        w.form.Text1.setText(logged);
        QPlainTextEdit *log = w.log();
        log->setFocus();
        const int beforeC = int(first.size() + 1 + second.indexOf(u"CK"));
        QTextCursor caret = log->textCursor();
        caret.setPosition(beforeC);
        log->setTextCursor(caret);
        const qsizetype atC = beforeC + 1; // one CR LF before, shown as one paragraph break
        auto callBoxLooksUp = [&w] {
            w.form.Text2.setText(QStringLiteral("DL2KU"));
            QCOMPARE(w.form.Text2.foreColor(), vbRed);
            w.form.Text2.setText({});
        };
        auto logReads = [&](qsizetype removed, const QString &inserted) {
            return QString(logged).replace(atC - removed, removed, inserted);
        };

        QTest::keyClick(log, Qt::Key_X);
        QCOMPARE(w.form.Text1.text(), logReads(0, QStringLiteral("x")));
        callBoxLooksUp();
        QTest::keyClick(log, Qt::Key_Backspace);
        QCOMPARE(w.form.Text1.text(), logged);

        QTest::keyClick(log, Qt::Key_Backspace);
        QCOMPARE(w.form.Text1.text(), logReads(1, {}));
        callBoxLooksUp();
        QTest::keyClick(log, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.form.Text1.text(), logged);

        QTest::keyClick(log, Qt::Key_Return);
        QCOMPARE(w.form.Text1.text(), logReads(0, QStringLiteral("\r\n")));
        callBoxLooksUp();
        QTest::keyClick(log, Qt::Key_Backspace);
        QCOMPARE(w.form.Text1.text(), logged);

        QApplication::clipboard()->setText(first + u"\n"_s);
        log->paste();
        QCOMPARE(w.form.Text1.text(), logReads(0, first + u"\r\n"_s));
        callBoxLooksUp();
        QTest::keyClick(log, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.form.Text1.text(), logged);
        QCOMPARE(log->textCursor().position(), beforeC);
    }

    void typingEditsTheLogTextInPlace()
    {
        // Every key reaches the text as an edit where it was typed, never as a new whole text
        // (a copy of the log per key). A character above U+00FF keeps the text in UTF-16.
        LogBox log(lineWithLoneLf + secondLine + u"\u20ac"_s);
        log.caretTo(3);
        QSignalSpy replaced(&log.box, &TextBox::textReplaced);
        QSignalSpy edited(&log.box, &TextBox::textEdited);
        QTest::keyClicks(&log.edit, QStringLiteral("abc"));
        QTest::keyClick(&log.edit, Qt::Key_Backspace);
        QCOMPARE(log.box.text(), u"001ab"_s + lineWithLoneLf.mid(3) + secondLine + u"\u20ac"_s);
        QCOMPARE(edited.size(), 4);
        QCOMPARE(replaced.size(), 0);
    }
};

QTEST_MAIN(TestLogBoxEditing)
#include "tst_log_box_editing.moc"
