#include "window_timings.h"

#include "bench_window.h"
#include "log_generator.h"
#include "timing.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <algorithm>

namespace {

// One key pressed and released in `widget`, then whatever it leaves to be drawn.
void pressKey(QWidget *widget, Qt::Key key, const QString &text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
    QApplication::processEvents();
}

// The last character of a call typed into the call box, in lower case as typed without Caps Lock.
void typeLastCharacter(QWidget *callBox, QChar character)
{
    pressKey(callBox, Qt::Key(character.toUpper().unicode()), character.toLower());
}

// The operator types a character at the end of the log box and takes it back: the log text is
// the same again, but it was changed other than by an append.
void editLogBox(QPlainTextEdit *logBox)
{
    logBox->moveCursor(QTextCursor::End);
    pressKey(logBox, Qt::Key_X, QStringLiteral("x"));
    pressKey(logBox, Qt::Key_Backspace, {});
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

QList<Measurement> timeKeystrokes(BenchWindow &window, const GeneratedLog &log, int runs,
                                  bool targets)
{
    Form15 &form = window.form;
    QWidget *callBox = window.view.widgetFor(&form.Text2);
    auto *logBox = qobject_cast<QPlainTextEdit *>(window.view.widgetFor(&form.Text1));
    const QString contacts = contactCount(log.calls.size());

    struct Case
    {
        const char *what;
        QString call;
        OleColor mark;
        bool afterLogEdit;
        int runs;
    };
    const Case cases[] = {
        {"keystroke, absent call", absentCall(), vbButtonText, false, runs},
        {"keystroke, present call", lateCall(log), vbRed, false, runs},
        // The fourth character is the first one looked for; after an edit of the log box, that
        // search reads the whole log again.
        {"keystroke, first look-up after an edit in the log box", absentCall().first(4),
         vbButtonText, true, std::max(1, runs / 10)},
    };
    QList<Measurement> results;
    for (const Case &c : cases) {
        const QList<double> program = timeRuns(
            c.runs,
            [&] {
                if (c.afterLogEdit)
                    editLogBox(logBox);
                form.Text2.setText(c.call.chopped(1));
                QApplication::processEvents();
            },
            [&] { typeLastCharacter(callBox, c.call.back()); });
        stopUnless(form.Text2.text() == c.call && form.Text2.foreColor() == c.mark,
                   "the call box does not show the call with its mark");
        stopUnless(form.Text1.text().size() == log.text.size(), "the log box was not restored");

        volatile qsizetype found = 0;
        const QStringView text = form.Text1.text();
        const QList<double> floor = timeRuns(
            c.runs, [] {}, [&] { found = text.indexOf(c.call); });
        const bool targeted = targets && !c.afterLogEdit;
        results.append({
            .what = QString::fromLatin1(c.what),
            .contacts = contacts,
            .unit = QStringLiteral("ms"),
            .program = median(program),
            .floor = median(floor),
            .floorName = QStringLiteral("one QStringView::indexOf"),
            .maxRatio = targeted ? std::optional(2.0) : std::nullopt,
            .maxProgram = targeted ? std::optional(2.0) : std::nullopt,
        });
    }
    form.Text2.setText({});
    return results;
}

QList<double> timeAdds(const QList<BenchWindow *> &windows, int runs)
{
    QList<QList<double>> times(windows.size());
    for (int run = 1; run <= runs; ++run) {
        for (qsizetype w = 0; w < windows.size(); ++w) {
            Form15 &form = windows[w]->form;
            times[w] += timeRuns(
                1,
                [&] {
                    // A new call every time, which no generated line holds: none is refused.
                    form.Text2.setText(QStringLiteral("Q9Z%1").arg(run));
                    form.Text3.setText(QStringLiteral("599"));
                    form.Text4.setText(QStringLiteral("JN80XY"));
                    QApplication::processEvents();
                },
                [&] {
                    form.Command1.click();
                    QApplication::processEvents();
                });
            stopUnless(form.Text2.text().isEmpty() &&
                           form.Text1.text().endsWith(
                               QStringLiteral("---Q9Z%1---59---599---JN80XY\r\n").arg(run)),
                       "a contact was not added");
        }
    }
    QList<double> medians;
    for (const QList<double> &windowTimes : times)
        medians.append(median(windowTimes));
    return medians;
}
