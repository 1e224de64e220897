#include "add_timings.h"

#include "bench_window.h"
#include "timing.h"

#include <QApplication>

QList<QList<double>> timeAdds(const QList<BenchWindow *> &windows, int runs)
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
    return times;
}
