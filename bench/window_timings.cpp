#include "window_timings.h"

#include "bench_window.h"
#include "log_generator.h"
#include "timing.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

// What the operator does for the last character of a call: one key press in the call box, in
// lower case as typed without Caps Lock, then whatever it leaves to be drawn.
void typeIntoCallBox(QLineEdit &edit, QChar character)
{
    const auto key = Qt::Key(character.toUpper().unicode());
    const QString text = character.toLower();
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&edit, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(&edit, &release);
    QApplication::processEvents();
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

QList<Measurement> timeKeystrokes(BenchWindow &window, const GeneratedLog &log, int runs)
{
    Form15 &form = window.form;
    auto *callEdit = qobject_cast<QLineEdit *>(window.view.widgetFor(&form.Text2));
    const QString contacts = contactCount(log.calls.size());

    struct Case
    {
        const char *what;
        QString call;
        OleColor mark;
    };
    const Case cases[] = {
        {"keystroke, absent call", absentCall(), vbButtonText},
        {"keystroke, present call", lateCall(log), vbRed},
    };
    QList<Measurement> results;
    for (const Case &c : cases) {
        const QList<double> program = timeRuns(
            runs,
            [&] {
                form.Text2.setText(c.call.chopped(1));
                QApplication::processEvents();
            },
            [&] { typeIntoCallBox(*callEdit, c.call.back()); });
        stopUnless(form.Text2.text() == c.call && form.Text2.foreColor() == c.mark,
                   "the call box does not show the call with its mark");

        volatile qsizetype found = 0;
        const QStringView text = form.Text1.text();
        const QList<double> floor = timeRuns(
            runs, [] {}, [&] { found = text.indexOf(c.call); });
        results.append({
            .what = QString::fromLatin1(c.what),
            .contacts = contacts,
            .unit = QStringLiteral("ms"),
            .program = median(program),
            .floor = median(floor),
            .floorName = QStringLiteral("one QStringView::indexOf"),
        });
    }
    form.Text2.setText({});
    return results;
}

double timeAdds(BenchWindow &window, int runs)
{
    Form15 &form = window.form;
    // A new call every time, which no generated line holds, so that none is refused.
    int next = 0;
    const QList<double> times = timeRuns(
        runs,
        [&] {
            form.Text2.setText(QStringLiteral("Q9Z%1").arg(++next));
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
                       QStringLiteral("---Q9Z%1---59---599---JN80XY\r\n").arg(next)),
               "the contacts were not added");
    return median(times);
}
