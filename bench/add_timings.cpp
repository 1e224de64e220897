#include "add_timings.h"

#include "bare_window.h"
#include "bench_window.h"
#include "recovery/recovery_records.h"
#include "timing.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <unistd.h>

namespace {

// A new call every time, which no generated line holds: none is refused.
QString callOf(int run)
{
    return QStringLiteral("Q9Z%1").arg(run);
}

// The line an add of `callOf(run)` ends the log with, as the benchmark's clock-free part of it.
QString lineEndOf(int run)
{
    return QStringLiteral("---%1---59---599---JN80XY\r\n").arg(callOf(run));
}

// The entry of a complete contact, drawn, before the timed click on "Add".
void enterContact(Form15 &form, int run)
{
    form.Text2.setText(callOf(run));
    form.Text3.setText(QStringLiteral("599"));
    form.Text4.setText(QStringLiteral("JN80XY"));
    QApplication::processEvents();
}

void clickAdd(Form15 &form)
{
    form.Command1.click();
    QApplication::processEvents();
}

void checkAdded(const Form15 &form, int run)
{
    stopUnless(form.Text2.text().isEmpty() && form.Text1.text().endsWith(lineEndOf(run)),
               "a contact was not added");
}

} // namespace

QList<QList<double>> timeAdds(const QList<BenchWindow *> &windows, int runs)
{
    QList<QList<double>> times(windows.size());
    for (int run = 1; run <= runs; ++run) {
        for (qsizetype w = 0; w < windows.size(); ++w) {
            Form15 &form = windows[w]->form;
            times[w] += timeRuns(
                1, [&] { enterContact(form, run); }, [&] { clickAdd(form); });
            checkAdded(form, run);
        }
    }
    return times;
}

TimesInTurns timeAddsOnDisk(BenchWindow &window, const QString &logText, const QString &folder,
                            int runs)
{
    Form15 &form = window.form;
    BareWindow<QPlainTextEdit> bare(placeOf(*window.view.widgetFor(&form.Text1)));
    useLogBoxSettings(*bare.box);
    bare.box->setPlainText(logText);
    // The newest line in view, as the log box shows it: appendPlainText keeps a box scrolled to
    // its end there, so that the appended line is drawn.
    QScrollBar *scrollBar = bare.box->verticalScrollBar();
    scrollBar->setValue(scrollBar->maximum());
    // What else an add shows: the frame's new title and the three entry boxes emptied.
    QGroupBox frame(&bare.window);
    frame.setGeometry(window.view.widgetFor(&form.Frame1)->geometry());
    QList<QLineEdit *> entries;
    for (const TextBox *entry : {&form.Text2, &form.Text3, &form.Text4}) {
        entries.append(new QLineEdit(&frame));
        entries.last()->setGeometry(window.view.widgetFor(entry)->geometry());
    }
    frame.show();
    drawNow(bare.window);

    QFile floorFile(folder + QStringLiteral("/floor.recovery"));
    stopUnless(floorFile.open(QIODevice::WriteOnly | QIODevice::Unbuffered), "no floor file");

    // Calls of their own, apart from those timeAdds takes in the same windows.
    constexpr int firstRun = 1000000;
    int run = firstRun;
    int floorRun = firstRun;
    QString line;
    QByteArray record;
    const TimesInTurns times = timeInTurns(
        runs,
        {
            .prepare = [&] { enterContact(form, ++run); },
            .measure = [&] { clickAdd(form); },
            .finish = [&] { checkAdded(form, run); },
        },
        {
            .prepare =
                [&] {
                    // The line as the program writes it, its date and time aside.
                    line = QStringLiteral("101-+-16/07/2016---1345") + lineEndOf(++floorRun);
                    record = encodeRecord(RecordKind::Append, line, 1);
                    for (QLineEdit *entry : entries)
                        entry->setText(callOf(floorRun));
                    QApplication::processEvents();
                },
            .measure =
                [&] {
                    bare.box->appendPlainText(line.chopped(2));
                    for (QLineEdit *entry : entries)
                        entry->clear();
                    frame.setTitle(QString::number(floorRun));
                    stopUnless(floorFile.write(record) == record.size() &&
                                   ::fdatasync(floorFile.handle()) == 0,
                               "the floor's record was not written");
                    QApplication::processEvents();
                },
            .finish =
                [&] {
                    stopUnless(scrollBar->value() == scrollBar->maximum(),
                               "the floor's appended line is not in view");
                },
        });
    floorFile.remove();
    return times;
}
