#include "contact_lines.h"
#include "file_bytes.h"
#include "main_window/form15.h"
#include "main_window/form15_view.h"
#include "main_window/qt_message_service.h"
#include "offscreen_window.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>

namespace {

// Real message boxes, counted, as the operator gets them.
class CountingQtMessages : public QtMessageService
{
public:
    MsgBoxResult show(const QString &prompt, MsgBoxStyle style, const QString &title) override
    {
        prompts.append(prompt);
        return QtMessageService::show(prompt, style, title);
    }
    QStringList prompts;
};

struct RealMessages
{
    CountingQtMessages realMessages;
};

// The real window, offscreen, with fake services behind it (or real message boxes).
struct Window : RealMessages, OffscreenWindow
{
    explicit Window(bool withRealMessages = false)
        : OffscreenWindow(withRealMessages ? &realMessages : nullptr)
    {
        realMessages.setParentWindow(&view);
    }

    using OffscreenWindow::edit;
    QLineEdit *edit(const QString &name) { return view.findChild<QLineEdit *>(name); }
    QCheckBox *check(CheckBox &box) { return widget<QCheckBox>(box); }
    QComboBox *combo() { return widget<QComboBox>(form.Combo1); }
    QPlainTextEdit *log() { return widget<QPlainTextEdit>(form.Text1); }

    // Types a contact with the keyboard only: call, Tab, number, Tab, locator (unless hidden).
    void type(const QString &call, const QString &number, const QString &locator)
    {
        QTest::keyClicks(QApplication::focusWidget(), call);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), number);
        if (locator.isEmpty())
            return;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), locator);
    }
    void pressEnter(Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return, modifiers);
    }
    int lines() const { return int(form.Text1.text().count(u"\r\n")); }
};

// Whether the whole of a line of the log box, from its start to its end, is in view.
bool shown(QPlainTextEdit *log, const QTextBlock &line)
{
    QTextCursor cursor(line);
    const QRect start = log->cursorRect(cursor);
    cursor.movePosition(QTextCursor::EndOfBlock);
    const QRect end = log->cursorRect(cursor);
    const QRect view = log->viewport()->rect();
    return view.contains(start) && view.contains(end);
}

// Types into whatever has the focus in `window`, the way the platform delivers keys.
void typeInto(QWindow *window, const char *text)
{
    for (const char *c = text; *c; ++c)
        QTest::keyClick(window, *c);
}

} // namespace

class TestEntryConveniencesView : public QObject
{
    Q_OBJECT

private slots:
    void enterInNumberOrLocatorBoxAdds_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Return in the number box") << "Text3" << int(Qt::Key_Return) << 0;
        QTest::newRow("Return in the locator box") << "Text4" << int(Qt::Key_Return) << 0;
        QTest::newRow("keypad Enter in the locator box")
            << "Text4" << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
        QTest::newRow("Shift+Return in the number box")
            << "Text3" << int(Qt::Key_Return) << int(Qt::ShiftModifier);
    }
    void enterInNumberOrLocatorBoxAdds()
    {
        QFETCH(QString, box);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        Window w;
        w.type(QStringLiteral("Q1ABC"), QStringLiteral("012"), QStringLiteral("jn80xy"));
        w.edit(box)->setFocus();
        QSignalSpy returnPressed(w.edit(box), &QLineEdit::returnPressed);
        QTest::keyClick(w.edit(box), Qt::Key(key), Qt::KeyboardModifiers(modifiers));

        QVERIFY(w.fakes.messages.shown.isEmpty());
        QCOMPARE(w.form.Text1.text(), firstContact + QStringLiteral("\r\n"));
        QCOMPARE(w.log()->toPlainText(), firstContact + u'\n');
        for (const char *name : {"Text2", "Text3", "Text4"})
            QVERIFY(w.edit(QString::fromLatin1(name))->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), w.edit(w.form.Text2));
        QCOMPARE(returnPressed.size(),
                 1); // the line edit saw the key once, and nothing hangs on it
    }

    void enterRefusesAnIncompleteContactOnce_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("locator");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("named");
        QTest::newRow("no locator") << "Q1ABC"
                                    << "012"
                                    << ""
                                    << "Insert Locator"
                                    << "Text4";
        QTest::newRow("no number") << "Q1ABC"
                                   << ""
                                   << "jn80xy"
                                   << "Insert Progressive Number"
                                   << "Text3";
        QTest::newRow("no call") << ""
                                 << "012"
                                 << "jn80xy"
                                 << "Insert CallSign"
                                 << "Text2";
    }
    // Each refusal leaves the operator in the box its message names, typing there.
    void enterRefusesAnIncompleteContactOnce()
    {
        QFETCH(QString, call);
        QFETCH(QString, number);
        QFETCH(QString, locator);
        QFETCH(QString, message);
        QFETCH(QString, named);
        Window w;
        QTest::keyClicks(w.edit(w.form.Text2), call);
        QTest::keyClicks(w.edit(w.form.Text3), number);
        QTest::keyClicks(w.edit(w.form.Text4), locator);
        for (TextBox *box : {&w.form.Text3, &w.form.Text4}) {
            w.edit(*box)->setFocus();
            w.pressEnter();
            QCOMPARE(w.fakes.messages.shown.size(), box == &w.form.Text3 ? 1 : 2);
            QCOMPARE(w.fakes.messages.lastPrompt(), message);
            QCOMPARE(QApplication::focusWidget(), w.edit(named));
        }
        QVERIFY(w.log()->toPlainText().isEmpty());
        QCOMPARE(w.edit(w.form.Text2)->text(), call);
        QCOMPARE(w.edit(w.form.Text3)->text(), number);
        QCOMPARE(w.edit(w.form.Text4)->text(), locator.toUpper());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("7"));
        QVERIFY(w.view.findChild<QLineEdit *>(named)->text().endsWith(u'7'));
    }

    // Enter from the locator box meets "Duplicate!" in a real message box; Enter closes it and
    // the operator types the next call over the refused one.
    void duplicateLeavesTheCallSelectedForTheNextOne()
    {
        Window w(true);
        QWindow *window = w.view.windowHandle();
        w.type(QStringLiteral("q1abc"), QStringLiteral("012"), QStringLiteral("jn80xy"));
        w.pressEnter();
        w.edit(w.form.Text2)->setFocus();
        w.type(QStringLiteral("q1abc"), QStringLiteral("013"), QStringLiteral("jn80xy"));
        QCOMPARE(w.form.Text2.foreColor(), vbRed);

        bool boxWasOpen = false;
        QTimer::singleShot(0, [&] {
            QWidget *box = QApplication::activeModalWidget();
            boxWasOpen = box != nullptr;
            if (box)
                QTest::keyClick(box->windowHandle(), Qt::Key_Return);
        });
        QTest::keyClick(window, Qt::Key_Return);
        QVERIFY(boxWasOpen);
        QCOMPARE(w.realMessages.prompts, QStringList{QStringLiteral("Duplicate!")});
        QTRY_VERIFY(w.view.isActiveWindow());
        QLineEdit *call = w.edit(w.form.Text2);
        QCOMPARE(QApplication::focusWidget(), call);
        QCOMPARE(call->selectedText(), QStringLiteral("Q1ABC"));

        typeInto(window, "dl1xyz");
        QCOMPARE(w.form.Text2.text(), QStringLiteral("DL1XYZ"));
        QCOMPARE(w.form.Text2.foreColor(), vbButtonText);
        QTest::keyClick(window, Qt::Key_Tab);
        QTest::keyClick(window, Qt::Key_Tab);
        QTest::keyClick(window, Qt::Key_Return);
        QVERIFY(w.form.Text1.text().endsWith(u"---DL1XYZ---59---013---JN80XY\r\n"));
    }

    // "Want to exit now?" in a real message box: a stray Enter answers No.
    void enterAtTheExitQuestionKeepsTheWindow()
    {
        Window w(true);
        w.type(QStringLiteral("q1abc"), QStringLiteral("012"), QStringLiteral("jn80xy"));
        w.pressEnter();
        const QString log = w.form.Text1.text();

        QString defaultButton;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            defaultButton = box->defaultButton()->text();
            QTest::keyClick(box->windowHandle(), Qt::Key_Return);
        });
        QTest::mouseClick(w.widget<QPushButton>(w.form.Command4), Qt::LeftButton);
        QCOMPARE(w.realMessages.prompts, QStringList{QStringLiteral("Want to exit now?")});
        QCOMPARE(defaultButton, QStringLiteral("&No"));
        QVERIFY(!QApplication::activeModalWidget());
        QCoreApplication::processEvents();
        QVERIFY(w.view.isVisible());
        QVERIFY(!w.form.isUnloaded());
        QCOMPARE(w.form.Text1.text(), log);
    }

    // "Open" and "Save" clicked with the mouse, and every box they show answered with Enter: the
    // keyboard goes back to the call box, so a stray Enter presses neither button again and the
    // next call typed goes where it belongs.
    void openAndSaveHandTheKeyboardBackToTheCallBox_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("fileThere");
        QTest::addColumn<bool>("logFirst"); // the log already holds the file's contacts
        QTest::addColumn<QString>("box");   // the start of the box's prompt; empty: none
        QTest::newRow("Open") << "Command2" << true << false << "";
        QTest::newRow("Open, no log file") << "Command2" << false << false << "Log not found!.";
        QTest::newRow("Open again, Enter at the question")
            << "Command2" << true << true << "The log file ";
        QTest::newRow("Save") << "Command3" << false << true << "Log saved in ";
        QTest::newRow("Save, empty log")
            << "Command3" << false << false << "Impossible to save an empty log";
    }
    void openAndSaveHandTheKeyboardBackToTheCallBox()
    {
        QFETCH(QString, button);
        QFETCH(bool, fileThere);
        QFETCH(bool, logFirst);
        QFETCH(QString, box);
        Window w(true);
        if (fileThere)
            writeBytes(w.fakes.directory.path() + QStringLiteral("/vandrel.txt"),
                       twoContacts.toUtf8());
        if (logFirst)
            w.form.Text1.setText(twoContacts);
        const QString log = w.form.Text1.text();
        QWindow *window = w.view.windowHandle();

        // Every box that comes up is answered as a hurried operator would: Enter.
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [] {
            if (QWidget *modal = QApplication::activeModalWidget())
                QTest::keyClick(modal->windowHandle(), Qt::Key_Return);
        });
        answer.start(10);
        QTest::mouseClick(w.view.findChild<QPushButton *>(button), Qt::LeftButton);
        QCOMPARE(w.realMessages.prompts.size(), box.isEmpty() ? 0 : 1);
        if (!box.isEmpty())
            QVERIFY2(w.realMessages.prompts.first().startsWith(box),
                     qPrintable(w.realMessages.prompts.first()));
        QTRY_VERIFY(w.view.isActiveWindow());
        QCOMPARE(QApplication::focusWidget(), w.edit(w.form.Text2));

        const QString afterClick = w.form.Text1.text();
        QCOMPARE(afterClick, fileThere && !logFirst ? twoContacts : log);
        QTest::keyClick(window, Qt::Key_Return);
        typeInto(window, "dl1xyz");
        QCOMPARE(w.form.Text2.text(), QStringLiteral("DL1XYZ"));
        QCOMPARE(w.form.Text1.text(), afterClick);
        QCOMPARE(w.realMessages.prompts.size(), box.isEmpty() ? 0 : 1);
    }

    void enterInTheCallBoxDoesNothing()
    {
        Window w;
        w.type(QStringLiteral("Q1ABC"), QStringLiteral("012"), QStringLiteral("JN80XY"));
        w.edit(w.form.Text2)->setFocus();
        w.pressEnter();
        QVERIFY(w.fakes.messages.shown.isEmpty());
        QVERIFY(w.form.Text1.text().isEmpty());
        QCOMPARE(w.edit(w.form.Text2)->text(), QStringLiteral("Q1ABC"));
        QCOMPARE(QApplication::focusWidget(), w.edit(w.form.Text2));
    }

    // The refusal box opens from inside the key press. Keys the operator sends to the window
    // meanwhile are not taken by it, the Enter that closes the box belongs to the box alone,
    // and typing then goes on in the box the message names.
    void refusalBoxOpenedByEnterTakesNoKeystrokeTwice()
    {
        Window w(true);
        const QStringList &prompts = w.realMessages.prompts;
        QWindow *window = w.view.windowHandle();
        QLineEdit *locator = w.edit(w.form.Text4);
        QTest::keyClicks(w.edit(w.form.Text2), QStringLiteral("Q1ABC"));
        locator->setFocus();
        typeInto(window, "jn80");

        bool boxWasOpen = false;
        QTimer::singleShot(0, [&] {
            QWidget *box = QApplication::activeModalWidget();
            boxWasOpen = box != nullptr;
            if (!box)
                return;
            QTest::keyClick(window, Qt::Key_Return);
            QTest::keyClick(window, Qt::Key_Q);
            QTest::keyClick(box->windowHandle(), Qt::Key_Return);
        });
        QTest::keyClick(window, Qt::Key_Return);
        QVERIFY(boxWasOpen);
        QCOMPARE(prompts, QStringList{QStringLiteral("Insert Progressive Number")});
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(locator->text(), QStringLiteral("JN80"));
        // The window is active again, with the keyboard in the number box.
        QTRY_VERIFY(w.view.isActiveWindow());
        QCOMPARE(QApplication::focusWidget(), w.edit(w.form.Text3));

        typeInto(window, "012");
        QTest::keyClick(window, Qt::Key_Tab);
        QTest::keyClick(window, Qt::Key_End);
        typeInto(window, "xy");
        QCOMPARE(w.form.Text4.text(), QStringLiteral("JN80XY"));
        QTest::keyClick(window, Qt::Key_Return);
        QCOMPARE(prompts.size(), 1);
        QCOMPARE(w.form.Text1.text(), firstContact + QStringLiteral("\r\n"));
        QCOMPARE(QApplication::focusWidget(), w.edit(w.form.Text2));
    }

    void locatorIsUpperCasedAsTyped()
    {
        Window w;
        QLineEdit *locator = w.edit(w.form.Text4);
        locator->setFocus();
        QTest::keyClicks(locator, QStringLiteral("jn80xy"));
        QCOMPARE(locator->text(), QStringLiteral("JN80XY"));
        QCOMPARE(locator->cursorPosition(), 6);
        QCOMPARE(w.form.Text4.text(), QStringLiteral("JN80XY"));
        QCOMPARE(w.form.Text4.selStart(), 6);

        // A correction in the middle is upper-cased too, and the caret stays where the operator
        // typed, so the next keystroke lands beside it rather than at the end.
        QTest::keyClick(locator, Qt::Key_Home);
        QTest::keyClicks(locator, QStringLiteral("ab"));
        QCOMPARE(locator->text(), QStringLiteral("ABJN80XY"));
        QCOMPARE(locator->cursorPosition(), 2);
        QTest::keyClick(locator, Qt::Key_End);
        QTest::keyClick(locator, Qt::Key_Backspace);
        QCOMPARE(locator->text(), QStringLiteral("ABJN80X"));
        QCOMPARE(w.form.Text4.text(), QStringLiteral("ABJN80X"));
    }

    void checkBoxClicksLeaveTheFocus_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<QString>("focus");
        QTest::newRow("ticking gmt+1") << "Check1" << 1 << "Text2";
        QTest::newRow("unticking gmt+1") << "Check1" << 2 << "Text2";
        QTest::newRow("ticking Multiband") << "Check2" << 1 << "Check2";
        QTest::newRow("unticking Multiband") << "Check2" << 2 << "Text2";
        QTest::newRow("ticking HF") << "Check3" << 1 << "Check3";
        QTest::newRow("unticking HF") << "Check3" << 2 << "Check3";
    }
    void checkBoxClicksLeaveTheFocus()
    {
        QFETCH(QString, box);
        QFETCH(int, clicks);
        QFETCH(QString, focus);
        Window w;
        auto *check = w.view.findChild<QCheckBox *>(box);
        for (int i = 0; i < clicks; ++i) {
            w.edit(w.form.Text3)->setFocus();
            QTest::mouseClick(check, Qt::LeftButton);
        }
        QCOMPARE(check->isChecked(), clicks == 1);
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QCOMPARE(w.form.activeControl()->name(), focus);
    }

    void spaceBarOnACheckBoxClicksItToo()
    {
        Window w;
        QCheckBox *gmt = w.check(w.form.Check1);
        gmt->setFocus();
        QTest::keyClick(gmt, Qt::Key_Space);
        QCOMPARE(w.form.Check1.value(), 1);
        QCOMPARE(QApplication::focusWidget(), w.edit(w.form.Text2));
    }

    void multibandShowsAndHidesTheBandControls()
    {
        Window w;
        QTest::mouseClick(w.check(w.form.Check2), Qt::LeftButton);
        QVERIFY(w.widget<QLabel>(w.form.Label4)->isVisible());
        QVERIFY(w.combo()->isVisible());
        QCOMPARE(w.combo()->currentText(), QStringLiteral("..."));

        // From "Multiband" back past "gmt+1" into the band list: typing replaces the "...".
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), w.combo());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("144 Mhz"));
        QCOMPARE(w.form.Combo1.text(), QStringLiteral("144 Mhz"));

        QTest::mouseClick(w.check(w.form.Check2), Qt::LeftButton);
        QVERIFY(w.widget<QLabel>(w.form.Label4)->isHidden());
        QVERIFY(w.combo()->isHidden());
        QCOMPARE(w.combo()->currentText(), QStringLiteral("..."));
        QCOMPARE(w.form.Combo1.text(), QStringLiteral("..."));
        QCOMPARE(w.combo()->count(), 8);

        QTest::mouseClick(w.check(w.form.Check2), Qt::LeftButton);
        QCOMPARE(w.combo()->currentText(), QStringLiteral("..."));
    }

    void typedBandWithEnterAddsNeitherAnEntryNorAContact()
    {
        Window w;
        QTest::mouseClick(w.check(w.form.Check2), Qt::LeftButton);
        w.edit(w.form.Text2)->setFocus();
        w.type(QStringLiteral("Q1ABC"), QStringLiteral("012"), QStringLiteral("JN80XY"));
        w.combo()->setFocus();
        w.combo()->lineEdit()->selectAll();
        QTest::keyClicks(w.combo(), QStringLiteral("2m"));
        w.pressEnter();
        QCOMPARE(w.combo()->count(), 8);
        QCOMPARE(w.form.Combo1.items().size(), 8);
        QCOMPARE(w.form.Combo1.text(), QStringLiteral("2m"));
        QCOMPARE(w.combo()->currentText(), QStringLiteral("2m"));
        QVERIFY(w.form.Text1.text().isEmpty());
        QVERIFY(w.fakes.messages.shown.isEmpty());

        w.edit(w.form.Text4)->setFocus();
        w.pressEnter();
        QVERIFY(w.form.Text1.text().endsWith(u"---JN80XY-->2m\r\n"));

        // A band of the list typed in another case is taken as the list writes it, so that
        // lines of one band always carry the same text.
        w.combo()->setFocus();
        w.combo()->lineEdit()->selectAll();
        QTest::keyClicks(w.combo(), QStringLiteral("144 MHZ"));
        w.pressEnter();
        QCOMPARE(w.form.Combo1.text(), QStringLiteral("144 Mhz"));
        QCOMPARE(w.combo()->count(), 8);
    }

    void bandPickedFromTheListReachesTheControl()
    {
        Window w;
        QTest::mouseClick(w.check(w.form.Check2), Qt::LeftButton);
        QComboBox *combo = w.combo();
        combo->setFocus();
        combo->showPopup();
        QAbstractItemView *list = combo->view();
        QTRY_VERIFY(list->isVisible());
        const QModelIndex band = combo->model()->index(5, 0);
        list->setCurrentIndex(band);
        QTest::keyClick(list, Qt::Key_Return);
        QTRY_VERIFY(!list->isVisible());
        QCOMPARE(combo->currentText(), QStringLiteral("144 Mhz"));
        QCOMPARE(w.form.Combo1.text(), QStringLiteral("144 Mhz"));

        // Picking from the keyboard without opening the list.
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(w.form.Combo1.text(), QStringLiteral("432 Mhz"));
        QCOMPARE(combo->count(), 8);
    }

    // A wheel turned over the band box while typing elsewhere must not change the band; with
    // the focus in the band box it does, and the call is judged again for the new band.
    void wheelTurnsTheBandOnlyInTheFocusedBandBox()
    {
        Window w;
        w.form.Text1.setText(
            QStringLiteral("001-+-16/07/2016---1345---Q1ABC---59---1---JN80XY-->144 Mhz\r\n"));
        QTest::mouseClick(w.check(w.form.Check2), Qt::LeftButton);
        w.form.Combo1.setText(QStringLiteral("144 Mhz"));
        QLineEdit *call = w.edit(w.form.Text2);
        call->setFocus();
        QTest::keyClicks(call, QStringLiteral("q1abc"));
        QCOMPARE(w.form.Text2.foreColor(), vbRed);

        QComboBox *combo = w.combo();
        auto turnWheel = [combo] {
            const QPointF at = QRectF(combo->rect()).center();
            QWheelEvent wheel(at, combo->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(combo, &wheel);
        };
        turnWheel();
        QCOMPARE(w.form.Combo1.text(), QStringLiteral("144 Mhz"));
        QCOMPARE(QApplication::focusWidget(), call);
        QCOMPARE(w.form.Text2.foreColor(), vbRed);

        combo->setFocus();
        turnWheel();
        QCOMPARE(w.form.Combo1.text(), QStringLiteral("432 Mhz"));
        QCOMPARE(w.form.Text2.foreColor(), vbBlue);
        QCOMPARE(call->palette().color(QPalette::Text), QColor(0, 0, 255));
    }

    void hfHidesTheLocatorAndTheLineStillCarriesItsText()
    {
        Window w;
        QTest::keyClicks(w.edit(w.form.Text4), QStringLiteral("jn80xy"));
        QTest::mouseClick(w.check(w.form.Check3), Qt::LeftButton);
        QVERIFY(w.edit(w.form.Text4)->isHidden());
        QVERIFY(w.widget<QLabel>(w.form.Label2)->isHidden());
        QCOMPARE(w.edit(w.form.Text4)->text(), QStringLiteral("JN80XY"));

        // Tab skips the hidden locator.
        w.edit(w.form.Text2)->setFocus();
        w.type(QStringLiteral("Q1ABC"), QStringLiteral("5"), QString());
        QCOMPARE(QApplication::focusWidget(), w.edit(w.form.Text3));
        QTest::keyClick(w.edit(w.form.Text3), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.widget<QPushButton>(w.form.Command1));
        w.edit(w.form.Text3)->setFocus();
        w.pressEnter();
        QVERIFY(w.form.Text1.text().endsWith(u"---Q1ABC---59---5---JN80XY\r\n"));
        QVERIFY(w.edit(w.form.Text4)->text().isEmpty());

        QTest::mouseClick(w.check(w.form.Check3), Qt::LeftButton);
        QVERIFY(w.edit(w.form.Text4)->isVisible());
        QVERIFY(w.widget<QLabel>(w.form.Label2)->isVisible());
    }

    void logShowsItsLastLineAfterEveryAdd()
    {
        Window w;
        QPlainTextEdit *log = w.log();
        for (int i = 1; i <= 30; ++i) {
            w.edit(w.form.Text2)->setFocus();
            w.type(QStringLiteral("Q%1X").arg(i), QString::number(i), QStringLiteral("jn80xy"));
            w.pressEnter();
            QCOMPARE(w.lines(), i);
            const QTextBlock last = log->document()->lastBlock().previous();
            QVERIFY(last.text().contains(QStringLiteral("---Q%1X---").arg(i)));
            QVERIFY2(shown(log, last), qPrintable(QStringLiteral("contact %1").arg(i)));
            QVERIFY(log->viewport()->rect().contains(log->cursorRect()));
        }
        // The log is longer than the box and has scrolled; its first line is out of view.
        QVERIFY(log->verticalScrollBar()->value() > 0);
        QVERIFY(!shown(log, log->document()->firstBlock()));
        QCOMPARE(QApplication::focusWidget(), w.edit(w.form.Text2));
    }

    void logShowsTheEndOfALongLogPutInAtOnce()
    {
        Window w;
        QString text;
        for (int i = 1; i <= 2000; ++i)
            text += QStringLiteral("%1-+-16/07/2016---1345---Q%1X---59---1---JN80XY\r\n")
                        .arg(i % 1000, 3, 10, QLatin1Char('0'));
        w.form.Text1.setText(text);
        QPlainTextEdit *log = w.log();
        QCOMPARE(log->document()->blockCount(), 2001);
        const QTextBlock last = log->document()->lastBlock().previous();
        QVERIFY(shown(log, last));
    }

    void typingIntoTheLogKeepsEveryCharacter()
    {
        Window w;
        w.form.Text1.setText(
            QStringLiteral("001-+-16/07/2016---1345---Q1ABC---59---1---JN80XY\r\n"));
        QPlainTextEdit *log = w.log();
        log->setFocus();
        QTest::keyClicks(log, QStringLiteral("note"));
        QCOMPARE(w.form.Text1.text(),
                 QStringLiteral("001-+-16/07/2016---1345---Q1ABC---59---1---JN80XY\r\nnote"));
        QCOMPARE(log->toPlainText(),
                 QStringLiteral("001-+-16/07/2016---1345---Q1ABC---59---1---JN80XY\nnote"));
        QCOMPARE(w.form.Text1.selStart(), int(w.form.Text1.text().size()));
    }
};

QTEST_MAIN(TestEntryConveniencesView)
#include "tst_entry_conveniences_view.moc"
