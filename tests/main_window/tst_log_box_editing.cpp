#include "control_bindings.h"
#include "text_box.h"

#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>

using namespace Qt::StringLiterals;

namespace {

// The log box alone: its control and its widget, bound as in the window.
struct LogBox
{
    TextBox box{QStringLiteral("Text1")};
    QPlainTextEdit edit;

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
};

QTEST_MAIN(TestLogBoxEditing)
#include "tst_log_box_editing.moc"
