#include "contact_lines.h"
#include "main_window/form15.h"
#include "main_window/form15_view.h"
#include "main_window/frame_box.h"
#include "offscreen_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOption>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using Window = OffscreenWindow;

// A caption as drawn: its widget, its text, and where in the widget the style puts the text.
struct Caption
{
    QWidget *widget;
    QString text;
    QRect area;
    Qt::Alignment alignment;
};

Caption captionOf(QWidget *widget)
{
    QStyle *style = widget->style();
    if (auto *label = qobject_cast<QLabel *>(widget))
        return {label, label->text(), label->contentsRect(), label->alignment()};
    if (auto *group = qobject_cast<FrameBox *>(widget)) {
        QStyleOptionGroupBox option;
        option.initFrom(group);
        option.text = group->caption();
        option.textAlignment = group->alignment();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        const QRect label =
            style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
        return {group, group->caption(), label, Qt::AlignCenter};
    }
    auto *button = qobject_cast<QAbstractButton *>(widget);
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    if (qobject_cast<QCheckBox *>(button)) {
        return {button, button->text(),
                style->subElementRect(QStyle::SE_CheckBoxContents, &option, button),
                Qt::AlignLeft | Qt::AlignVCenter};
    }
    return {button, button->text(),
            style->subElementRect(QStyle::SE_PushButtonContents, &option, button), Qt::AlignCenter};
}

// The frame's title stands on its border line, not above it.
bool titleOnTheBorder(FrameBox *group)
{
    QStyleOptionGroupBox option;
    option.initFrom(group);
    option.text = group->caption();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    QStyle *style = group->style();
    const QRect label =
        style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
    const QRect frame =
        style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, group);
    return frame.top() > label.top() && frame.top() < label.bottom();
}

} // namespace

class TestForm15View : public QObject
{
    Q_OBJECT

private slots:
    void windowHasTheCaptionAndClientSize()
    {
        Window w;
        QCOMPARE(w.view.windowTitle(), QStringLiteral("Vandrel v1.2 - Morvit"));
        QCOMPARE(w.view.size(), QSize(385, 355));
        QVERIFY(!w.view.windowIcon().isNull());
        QCOMPARE(w.view.windowIcon().availableSizes().size() >= 4, true);
    }

    void controlsStandWhereTheLayoutTableSays_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("pixels");
        QTest::addColumn<QString>("parentName");
        QTest::newRow("Frame1") << "Frame1" << QRect(16, 16, 353, 113) << "";
        QTest::newRow("Label1") << "Label1" << QRect(16, 24, 49, 17) << "Frame1";
        QTest::newRow("Label3") << "Label3" << QRect(88, 24, 57, 17) << "Frame1";
        QTest::newRow("Label2") << "Label2" << QRect(168, 24, 49, 17) << "Frame1";
        QTest::newRow("Label4") << "Label4" << QRect(248, 24, 57, 17) << "Frame1";
        QTest::newRow("Text2") << "Text2" << QRect(8, 48, 65, 19) << "Frame1";
        QTest::newRow("Text3") << "Text3" << QRect(88, 48, 65, 19) << "Frame1";
        QTest::newRow("Text4") << "Text4" << QRect(168, 48, 65, 19) << "Frame1";
        QTest::newRow("Combo1") << "Combo1" << QRect(248, 48, 73, 21) << "Frame1";
        QTest::newRow("Command1") << "Command1" << QRect(8, 80, 57, 19) << "Frame1";
        QTest::newRow("Check1") << "Check1" << QRect(80, 80, 57, 17) << "Frame1";
        QTest::newRow("Check2") << "Check2" << QRect(136, 80, 81, 17) << "Frame1";
        QTest::newRow("Check3") << "Check3" << QRect(208, 80, 41, 17) << "Frame1";
        QTest::newRow("Text1") << "Text1" << QRect(16, 144, 353, 161) << "";
        QTest::newRow("Command2") << "Command2" << QRect(96, 320, 57, 25) << "";
        QTest::newRow("Command3") << "Command3" << QRect(168, 320, 49, 25) << "";
        QTest::newRow("Command4") << "Command4" << QRect(232, 320, 57, 25) << "";
    }
    void controlsStandWhereTheLayoutTableSays()
    {
        QFETCH(QString, name);
        QFETCH(QRect, pixels);
        QFETCH(QString, parentName);
        Window w;
        auto *widget = w.view.findChild<QWidget *>(name);
        QVERIFY(widget);
        QCOMPARE(widget->geometry(), pixels);
        QCOMPARE(widget->parentWidget()->objectName(), parentName);
    }

    void captionsAndStartState()
    {
        Window w;
        QCOMPARE(w.widget<FrameBox>(w.form.Frame1)->caption(), QStringLiteral("001"));
        QCOMPARE(w.widget<QLabel>(w.form.Label3)->text(), QStringLiteral("Prog Numb"));
        QCOMPARE(w.widget<QPushButton>(w.form.Command1)->text(), QStringLiteral("Add"));
        QCOMPARE(w.widget<QCheckBox>(w.form.Check2)->text(), QStringLiteral("Multiband"));
        QVERIFY(!w.widget<QCheckBox>(w.form.Check2)->isChecked());
        QVERIFY(w.widget<QLabel>(w.form.Label4)->isHidden());
        auto *combo = w.widget<QComboBox>(w.form.Combo1);
        QVERIFY(combo->isHidden());
        QCOMPARE(combo->count(), 8);
        QCOMPARE(QApplication::focusWidget(), w.edit(w.form.Text2));
        // Made editable only when first shown, as the band list always was, showing "...".
        QVERIFY(!combo->isEditable());
        w.form.Check2.click();
        QVERIFY(combo->isVisible() && combo->isEditable());
        QCOMPARE(combo->currentText(), QStringLiteral("..."));
    }

    // Every caption is drawn whole, inside its own control and clear of every other control,
    // whatever the screen's scale (this test runs again with QT_SCALE_FACTOR=2).
    void everyCaptionIsWholeAndApart()
    {
        Window w;
        w.form.Check2.click();                               // the band list and its label too
        w.form.Frame1.setCaption(QStringLiteral("1000000")); // the number of a million contacts
        if (const QByteArray scale = qgetenv("QT_SCALE_FACTOR"); !scale.isEmpty())
            QCOMPARE(w.view.devicePixelRatioF(), scale.toDouble());

        const QList<QWidget *> all = w.view.findChildren<QWidget *>();
        for (QWidget *widget : all) {
            // The band box's text too is drawn in the face the layout was made for.
            QVERIFY2(widget->font() == w.view.font(), widget->metaObject()->className());
            if (!widget->isVisible() || widget->objectName().isEmpty() ||
                !(qobject_cast<QLabel *>(widget) || qobject_cast<QGroupBox *>(widget) ||
                  qobject_cast<QAbstractButton *>(widget)))
                continue;
            const Caption caption = captionOf(widget);
            const QFontMetrics metrics = widget->fontMetrics();
            const QSize textSize(metrics.horizontalAdvance(caption.text), metrics.height());
            const QRect text =
                QStyle::alignedRect(Qt::LeftToRight, caption.alignment, textSize, caption.area);
            const QByteArray what =
                widget->objectName().toLatin1() + " \"" + caption.text.toUtf8() + "\" " +
                QByteArray::number(textSize.width()) + "x" + QByteArray::number(textSize.height()) +
                " in " + QByteArray::number(caption.area.width()) + "x" +
                QByteArray::number(caption.area.height());
            QVERIFY2(caption.area.contains(text) && widget->rect().contains(text),
                     what.constData());

            const QRect shown(widget->mapTo(&w.view, text.topLeft()), text.size());
            for (QWidget *other : all) {
                if (other == widget || other->isAncestorOf(widget) || !other->isVisible() ||
                    other->objectName().isEmpty())
                    continue;
                const QRect otherShown(other->mapTo(&w.view, QPoint()), other->size());
                QVERIFY2(!shown.intersects(otherShown),
                         (what + " overlaps " + other->objectName().toLatin1()).constData());
            }
        }
        QVERIFY(titleOnTheBorder(w.widget<FrameBox>(w.form.Frame1)));
    }

    // The narrow faces first; a system with none of them still draws text, in its sans-serif face.
    void layoutFaceFallsBackToTheGenericSansSerif()
    {
        Window w;
        const QFont face = w.view.font();
        QCOMPARE(face.families().constFirst(), u"Liberation Sans Narrow"_s);
        QCOMPARE(face.families().constLast(), u"sans-serif"_s);
        QCOMPARE(face.styleHint(), QFont::SansSerif);
    }

    void widgetsInTheFrameKeepTheApplicationStyle()
    {
        // A style sheet on the frame would route every box in it through the slower style
        // sheet style, at each keystroke.
        Window w;
        QGroupBox *frame = w.widget<QGroupBox>(w.form.Frame1);
        QVERIFY(frame->styleSheet().isEmpty());
        const QList<QWidget *> inside = frame->findChildren<QWidget *>();
        QVERIFY(inside.contains(w.edit(w.form.Text2)));
        for (QWidget *widget : inside)
            QVERIFY2(widget->style() == QApplication::style(), widget->metaObject()->className());
    }

    void screenReadersFindTheLabelsAndTheSentNumber()
    {
        Window w;
        const std::pair<Control *, QString> names[] = {
            {&w.form.Text2, u"Call"_s},    {&w.form.Text3, u"Prog Numb"_s},
            {&w.form.Text4, u"Locator"_s}, {&w.form.Combo1, u"Band"_s},
            {&w.form.Text1, u"Log"_s},     {&w.form.Frame1, u"Sent number 001"_s},
        };
        for (const auto &[control, name] : names)
            QCOMPARE(w.view.widgetFor(control)->accessibleName(), name);
        QCOMPARE(w.widget<QLabel>(w.form.Label1)->buddy(), w.edit(w.form.Text2));
        QCOMPARE(w.widget<QCheckBox>(w.form.Check3)->text(), QStringLiteral("HF"));

        w.form.Text3.setText(QStringLiteral("1"));
        w.form.Text4.setText(QStringLiteral("JN80XY"));
        w.form.Text2.setText(QStringLiteral("Q1ABC"));
        w.form.Command1.click();
        QCOMPARE(w.view.widgetFor(&w.form.Frame1)->accessibleName(),
                 QStringLiteral("Sent number 002"));
    }

    void tabWalksTheTabOrder()
    {
        Window w;
        w.form.Combo1.setVisible(true); // a visible band list takes part in the order
        w.edit(w.form.Text2)->setFocus();
        const QList<Control *> expected = {&w.form.Text3,    &w.form.Text4,    &w.form.Command1,
                                           &w.form.Command2, &w.form.Command3, &w.form.Text1,
                                           &w.form.Command4, &w.form.Combo1,   &w.form.Check1,
                                           &w.form.Check2,   &w.form.Check3,   &w.form.Text2};
        for (Control *next : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget *focus = QApplication::focusWidget();
            QWidget *wanted = w.view.widgetFor(next);
            QVERIFY2(focus == wanted || wanted->isAncestorOf(focus), qPrintable(next->name()));
            QCOMPARE(w.form.activeControl(), next);
        }
    }

    void typingAContactAndClickingAddLogsIt()
    {
        Window w;
        QTest::keyClicks(w.edit(w.form.Text2), QStringLiteral("Q1ABC"));
        QCOMPARE(w.form.Text2.text(), QStringLiteral("Q1ABC"));
        QTest::keyClicks(w.edit(w.form.Text3), QStringLiteral("012"));
        QTest::keyClicks(w.edit(w.form.Text4), QStringLiteral("JN80XY"));
        QTest::mouseClick(w.widget<QPushButton>(w.form.Command1), Qt::LeftButton);

        QCOMPARE(w.form.Text1.text(), firstContact + QStringLiteral("\r\n"));
        QCOMPARE(w.log()->toPlainText(), firstContact + u'\n');
        QVERIFY(w.edit(w.form.Text2)->text().isEmpty());
        QVERIFY(w.edit(w.form.Text4)->text().isEmpty());
        QCOMPARE(w.widget<FrameBox>(w.form.Frame1)->caption(), QStringLiteral("002"));
        QCOMPARE(QApplication::focusWidget(), w.edit(w.form.Text2));
    }

    void selectingAllAndTypingReplacesTheCall()
    {
        Window w;
        QLineEdit *call = w.edit(w.form.Text2);
        QTest::keyClicks(call, QStringLiteral("q1abc"));
        QTest::keyClick(call, Qt::Key_Home); // selecting all then moves the caret
        QTest::keyClick(call, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(call->selectedText(), QStringLiteral("Q1ABC"));
        QTest::keyClicks(call, QStringLiteral("q3def"));
        QCOMPARE(w.form.Text2.text(), QStringLiteral("Q3DEF"));
        QTest::keyClick(call, Qt::Key_Left);
        QTest::keyClick(call, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(call, Qt::Key_Backspace);
        QVERIFY(w.form.Text2.text().isEmpty());
    }

    void enterOnAFocusedButtonPressesIt()
    {
        Window w;
        w.form.Text2.setText(QStringLiteral("Q1ABC"));
        w.form.Text3.setText(QStringLiteral("012"));
        w.form.Text4.setText(QStringLiteral("JN80XY"));
        auto *add = w.widget<QPushButton>(w.form.Command1);
        add->setFocus();
        QTest::keyClick(add, Qt::Key_Return);
        QCOMPARE(w.form.Frame1.caption(), QStringLiteral("002"));
        w.fakes.messages.answers = {vbNo};
        auto *exit = w.widget<QPushButton>(w.form.Command4);
        exit->setFocus();
        QTest::keyClick(exit, Qt::Key_Enter);
        QCOMPARE(w.fakes.messages.lastPrompt(), QStringLiteral("Want to exit now?"));
    }

    void refusalShowsItsMessage()
    {
        Window w;
        QTest::keyClicks(w.edit(w.form.Text2), QStringLiteral("Q1ABC"));
        QTest::mouseClick(w.widget<QPushButton>(w.form.Command1), Qt::LeftButton);
        QCOMPARE(w.fakes.messages.lastPrompt(), QStringLiteral("Insert Progressive Number"));
        QCOMPARE(w.edit(w.form.Text2)->text(), QStringLiteral("Q1ABC"));
    }

    void programChangesReachTheWidgets()
    {
        Window w;
        w.form.Text2.setForeColor(vbRed);
        QCOMPARE(w.edit(w.form.Text2)->palette().color(QPalette::Text), QColor(255, 0, 0));
        w.form.Text2.setForeColor(vbBlue);
        QCOMPARE(w.edit(w.form.Text2)->palette().color(QPalette::Text), QColor(0, 0, 255));
        w.form.Text4.setText(QStringLiteral("JN80"));
        w.form.Text4.setSelStart(2);
        QCOMPARE(w.edit(w.form.Text4)->cursorPosition(), 2);
        w.form.Label4.setVisible(true);
        QVERIFY(w.widget<QLabel>(w.form.Label4)->isVisible());
        w.form.Combo1.setText(QStringLiteral("144 Mhz"));
        QCOMPARE(w.widget<QComboBox>(w.form.Combo1)->currentText(), QStringLiteral("144 Mhz"));
    }

    void typedCallIsUpperCasedWithTheCaretAtItsEnd()
    {
        Window w;
        QLineEdit *call = w.edit(w.form.Text2);
        QTest::keyClicks(call, QStringLiteral("q1abc"));
        QCOMPARE(call->text(), QStringLiteral("Q1ABC"));
        QCOMPARE(call->cursorPosition(), 5);
        QCOMPARE(w.form.Text2.text(), QStringLiteral("Q1ABC"));
        QCOMPARE(w.form.Text2.selStart(), 5);
    }

    void callMarkColoursTheCallBox()
    {
        Window w;
        w.form.Text1.setText(firstContact + QStringLiteral("-->144 Mhz\r\n"));
        QLineEdit *call = w.edit(w.form.Text2);
        const QColor neutral = call->palette().color(QPalette::ButtonText);

        QTest::keyClicks(call, QStringLiteral("q1abc"));
        QCOMPARE(call->palette().color(QPalette::Text), QColor(255, 0, 0));
        QTest::keyClick(call, Qt::Key_Backspace);
        QCOMPARE(call->palette().color(QPalette::Text), neutral);

        w.form.Check2.click();
        w.form.Combo1.setText(QStringLiteral("432 Mhz"));
        QTest::keyClicks(call, QStringLiteral("c"));
        QCOMPARE(w.form.Text2.foreColor(), vbBlue);
        QCOMPARE(call->palette().color(QPalette::Text), QColor(0, 0, 255));
    }

    void callMarkFollowsTheOperatorsEditsOfTheLogBox()
    {
        Window w;
        const QString contact = QStringLiteral("001-+-16/07/2016---1345---Q1ABC---59---012---JN80");
        w.form.Text1.setText(contact + u"\r\n"_s);
        QLineEdit *call = w.edit(w.form.Text2);
        QTest::keyClicks(call, QStringLiteral("q1abc"));
        QCOMPARE(w.form.Text2.foreColor(), vbRed);

        // The operator empties the log box: the call is no longer logged.
        w.log()->selectAll();
        QTest::keyClick(w.log(), Qt::Key_Delete);
        QTest::keyClick(call, Qt::Key_Backspace);
        QTest::keyClicks(call, QStringLiteral("c"));
        QCOMPARE(w.form.Text2.foreColor(), vbButtonText);

        // ... and types the contact back in by hand.
        QTest::keyClicks(w.log(), contact);
        QTest::keyClick(call, Qt::Key_Backspace);
        QTest::keyClicks(call, QStringLiteral("c"));
        QCOMPARE(w.form.Text2.foreColor(), vbRed);
        QCOMPARE(w.form.CallPosition, 27);
    }

    void correctingTheMiddleOfTheCallKeepsTheCaretThere()
    {
        Window w;
        QLineEdit *call = w.edit(w.form.Text2);
        QTest::keyClicks(call, QStringLiteral("q1c"));
        QTest::keyClick(call, Qt::Key_Left);
        QTest::keyClicks(call, QStringLiteral("ab"));
        QCOMPARE(call->text(), QStringLiteral("Q1ABC"));
        QCOMPARE(call->cursorPosition(), 4);
        QCOMPARE(w.form.Text2.selStart(), 4);

        QTest::keyClick(call, Qt::Key_Backspace);
        QCOMPARE(call->text(), QStringLiteral("Q1AC"));
        QCOMPARE(call->cursorPosition(), 3);
        QTest::keyClicks(call, QStringLiteral("B"));
        QCOMPARE(call->text(), QStringLiteral("Q1ABC"));
        QCOMPARE(call->cursorPosition(), 4);

        QTest::keyClick(call, Qt::Key_End);
        QTest::keyClicks(call, QStringLiteral("/p"));
        QCOMPARE(call->text(), QStringLiteral("Q1ABC/P"));
        QCOMPARE(call->cursorPosition(), 7);
        QCOMPARE(w.form.Text2.text(), QStringLiteral("Q1ABC/P"));
    }

    void duplicateTypedIntoTheWindowIsRefused()
    {
        Window w;
        QTest::keyClicks(w.edit(w.form.Text2), QStringLiteral("q1abc"));
        QTest::keyClicks(w.edit(w.form.Text3), QStringLiteral("012"));
        QTest::keyClicks(w.edit(w.form.Text4), QStringLiteral("JN80XY"));
        QTest::mouseClick(w.widget<QPushButton>(w.form.Command1), Qt::LeftButton);
        const QString log = w.form.Text1.text();

        QTest::keyClicks(w.edit(w.form.Text2), QStringLiteral("q1abc"));
        QTest::keyClicks(w.edit(w.form.Text3), QStringLiteral("013"));
        QTest::keyClicks(w.edit(w.form.Text4), QStringLiteral("JN80XY"));
        QTest::mouseClick(w.widget<QPushButton>(w.form.Command1), Qt::LeftButton);
        QCOMPARE(w.fakes.messages.lastPrompt(), QStringLiteral("Duplicate!"));
        QCOMPARE(w.form.Text1.text(), log);
        QCOMPARE(w.edit(w.form.Text2)->text(), QStringLiteral("Q1ABC"));
    }

    void exitAnsweredNoKeepsTheWindowAndYesCloses()
    {
        Window w;
        w.form.Text3.setText(QStringLiteral("012"));
        w.fakes.messages.answers = {vbNo};
        QTest::mouseClick(w.widget<QPushButton>(w.form.Command4), Qt::LeftButton);
        QCoreApplication::processEvents();
        QCOMPARE(w.fakes.messages.lastPrompt(), QStringLiteral("Want to exit now?"));
        QVERIFY(w.view.isVisible());
        QCOMPARE(w.form.Text3.text(), QStringLiteral("012"));

        // The close box asks the same question.
        w.fakes.messages.answers = {vbNo};
        QVERIFY(!w.view.close());
        QCOMPARE(w.fakes.messages.shown.size(), 2);
        QVERIFY(w.view.isVisible());

        w.fakes.messages.answers = {vbYes};
        QTest::mouseClick(w.widget<QPushButton>(w.form.Command4), Qt::LeftButton);
        QTRY_VERIFY(!w.view.isVisible());
        QCOMPARE(w.fakes.messages.shown.size(), 3);
    }
};

QTEST_MAIN(TestForm15View)
#include "tst_form15_view.moc"
