#include "call_box_timings.h"

#include "bare_window.h"
#include "key_press.h"
#include "log_generator.h"
#include "timing.h"
#include "timing_in_turns.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <algorithm>

namespace {

constexpr double maxCallBoxRatio = 1.5;

// The last character of a call, in lower case as typed without Caps Lock.
void typeLastCharacter(QWidget *box, const QString &call)
{
    pressKey(box, Qt::Key(call.back().toUpper().unicode()), call.back().toLower());
}

// The operator types a character at the end of the log box and takes it back: the log text is
// the same again, but it was changed other than by an append.
void editLogBox(QPlainTextEdit *logBox)
{
    focusBox(logBox);
    logBox->moveCursor(QTextCursor::End);
    pressKey(logBox, Qt::Key_X, QStringLiteral("x"));
    pressKey(logBox, Qt::Key_Backspace);
}

// The call of the latest line whose call no earlier line holds: found only near the end.
QString lateCall(const GeneratedLog &log)
{
    for (qsizetype i = log.calls.size() - 1; i >= 0; --i) {
        if (log.calls.indexOf(log.calls[i]) == i)
            return log.calls[i];
    }
    return log.calls.last();
}

} // namespace

QString bareLineEditFloor()
{
    return QStringLiteral("a key into a bare QLineEdit, drawn");
}

QList<Measurement> timeCallBoxKeystrokes(BenchWindow &window, const GeneratedLog &log, int runs,
                                         bool afterLogEdit)
{
    Form15 &form = window.form;
    QWidget *callBox = window.view.widgetFor(&form.Text2);
    auto *logBox = qobject_cast<QPlainTextEdit *>(window.view.widgetFor(&form.Text1));
    BareWindow<QLineEdit> bare(placeOf(*callBox));
    useCallBoxSettings(*bare.box);
    const PaintCounter programPaints(callBox);
    const PaintCounter floorPaints(bare.box);

    struct Case
    {
        const char *what;
        QString call;
        OleColor mark;
        bool afterLogEdit;
        int runs;
    };
    QList<Case> cases = {
        {"call-box keystroke, absent call", absentCall(), vbButtonText, false, runs},
        {"call-box keystroke, present call (red)", lateCall(log), vbRed, false, runs},
    };
    // The fourth character is the first one looked for.
    if (afterLogEdit)
        cases.append({"call-box keystroke, first after an edit in the log box",
                      absentCall().first(4), vbButtonText, true, std::max(5, runs / 10)});

    QList<Measurement> results;
    for (const Case &c : cases) {
        const QString typedBefore = c.call.chopped(1);
        int paintsBefore = 0;
        const Timed program{
            .prepare =
                [&] {
                    if (c.afterLogEdit)
                        editLogBox(logBox);
                    focusBox(callBox);
                    form.Text2.setText(typedBefore);
                    QApplication::processEvents();
                    paintsBefore = programPaints.count();
                },
            .measure = [&] { typeLastCharacter(callBox, c.call); },
            .finish =
                [&] {
                    stopUnless(programPaints.count() > paintsBefore, "a keystroke was not drawn");
                    stopUnless(form.Text2.text() == c.call && form.Text2.foreColor() == c.mark,
                               "the call box does not show the call with its mark");
                },
        };
        const Timed floor{
            .prepare =
                [&] {
                    focusBox(bare.box);
                    bare.box->setText(typedBefore);
                    QApplication::processEvents();
                    paintsBefore = floorPaints.count();
                },
            .measure = [&] { typeLastCharacter(bare.box, c.call); },
            .finish =
                [&] {
                    stopUnless(floorPaints.count() > paintsBefore, "a keystroke was not drawn");
                    stopUnless(bare.box->text().size() == c.call.size(),
                               "the bare line edit did not take the key");
                },
        };
        const TimesInTurns times = timeInTurns(c.runs, program, floor);
        stopUnless(form.Text1.textLength() == log.text.size(), "the log box was not restored");
        results.append(fromPairs(
            {
                .what = QString::fromLatin1(c.what),
                .contacts = contactCount(log.calls.size()),
                .unit = QStringLiteral("ms"),
                .floorName = bareLineEditFloor(),
                .maxRatio = maxCallBoxRatio,
            },
            times.program, times.floor));
    }
    form.Text2.setText({});
    return results;
}
