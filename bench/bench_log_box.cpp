// Times keystrokes in the log box of the real window against a bare QPlainTextEdit of the same
// size and settings holding the same text, taken in turns; and the call look-up right after a
// log-box edit and right after "Open". Run by hand:
//   QT_QPA_PLATFORM=offscreen build/bench/bench_log_box [contacts=100000] [runs=21]
#include "bench_window.h"
#include "log_generator.h"
#include "timing.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>

namespace {

double msOf(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

// What a keystroke makes the platform draw: whatever the key left dirty in the window, then the
// whole text box, in the program and the floor alike. (Repainting the whole window instead would
// charge the program for drawing its other controls, which a key in the log box leaves alone.)
void drawAfterKey(QPlainTextEdit *edit)
{
    QApplication::processEvents();
    edit->viewport()->repaint();
}

void caretAt(QPlainTextEdit *edit, int position)
{
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(position);
    edit->setTextCursor(cursor);
}

struct Key
{
    const char *what;
    std::function<void(QPlainTextEdit *)> press;
    std::function<void(QPlainTextEdit *)> undo;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int contacts = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 21;
    QTemporaryDir directory;
    BenchServices services(directory.path());
    BenchWindow window(services.all());
    const GeneratedLog log = generateLog(contacts);

    const double open = msOf([&] { window.form.Text1.setText(log.text); });
    drawNow(window.view);
    const QString call = log.calls[log.calls.size() / 2];
    const double firstLookUp = msOf([&] { window.form.Text2.setText(call); });
    stopUnless(window.form.Text2.foreColor() == vbRed, "the logged call is not marked");
    window.form.Text2.setText({});

    auto *logBox = qobject_cast<QPlainTextEdit *>(window.view.widgetFor(&window.form.Text1));
    QWidget floorWindow;
    auto *floor = new QPlainTextEdit(&floorWindow);
    floor->setGeometry(logBox->geometry());
    floor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    floor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    floor->setTabChangesFocus(true);
    floor->setPlainText(log.text);
    floorWindow.resize(window.view.size());
    floorWindow.show();
    drawNow(floorWindow);

    QApplication::clipboard()->setText(log.text.first(log.text.indexOf(u'\n') + 1));
    const Key keys[] = {
        {"insert", [](QPlainTextEdit *e) { QTest::keyClick(e, Qt::Key_X); },
         [](QPlainTextEdit *e) { QTest::keyClick(e, Qt::Key_Backspace); }},
        {"delete", [](QPlainTextEdit *e) { QTest::keyClick(e, Qt::Key_Backspace); },
         [](QPlainTextEdit *e) { QTest::keyClick(e, Qt::Key_Z, Qt::ControlModifier); }},
        {"Enter", [](QPlainTextEdit *e) { QTest::keyClick(e, Qt::Key_Return); },
         [](QPlainTextEdit *e) { QTest::keyClick(e, Qt::Key_Backspace); }},
        {"paste a line", [](QPlainTextEdit *e) { e->paste(); },
         [](QPlainTextEdit *e) { QTest::keyClick(e, Qt::Key_Z, Qt::ControlModifier); }},
    };
    std::printf("%d contacts, %d runs, medians; floor: a bare QPlainTextEdit, taken in turns\n",
                contacts, runs);
    std::printf("open (log text and call index, no drawing): %.1f ms\n", open);
    std::printf("first call look-up after open: %.3f ms\n", firstLookUp);
    for (const char *where : {"near the end", "in the middle"}) {
        const int shown = logBox->document()->characterCount() - 1;
        const int position = where[0] == 'n' ? shown - 200 : shown / 2;
        for (const Key &key : keys) {
            QList<double> program, bare, ratios, lookUps;
            for (int run = 0; run < runs; ++run) {
                for (auto [edit, top, times] :
                     {std::tuple{logBox, static_cast<QWidget *>(&window.view), &program},
                      std::tuple{floor, static_cast<QWidget *>(&floorWindow), &bare}}) {
                    edit->setFocus();
                    caretAt(edit, position);
                    drawNow(*top);
                    times->append(msOf([&] {
                        key.press(edit);
                        drawAfterKey(edit);
                    }));
                    if (edit == logBox)
                        lookUps.append(msOf([&] { window.form.Text2.setText(call); }));
                    window.form.Text2.setText({});
                    key.undo(edit);
                }
                ratios.append(program.last() / bare.last());
            }
            stopUnless(window.form.Text1.text() == log.text, "the log text was not restored");
            std::printf("%-13s %-12s program %7.3f ms  floor %7.3f ms  ratio %5.2fx  next look-up "
                        "%.3f ms\n",
                        where, key.what, median(program), median(bare), median(ratios),
                        median(lookUps));
        }
    }

    // The last character of a logged call typed into the call box, which looks the call up and
    // marks it; the floor is a bare QLineEdit of the same size.
    auto *callBox = qobject_cast<QLineEdit *>(window.view.widgetFor(&window.form.Text2));
    auto *bareLine = new QLineEdit(&floorWindow);
    bareLine->setGeometry(callBox->geometry());
    bareLine->show();
    QList<double> program, bare, ratios;
    for (int run = 0; run < runs; ++run) {
        for (auto [edit, times] : {std::pair{callBox, &program}, std::pair{bareLine, &bare}}) {
            edit->setFocus();
            if (edit == callBox)
                window.form.Text2.setText(call.chopped(1));
            else
                edit->setText(call.chopped(1));
            QTest::keyClick(edit, Qt::Key_End);
            drawNow(*edit->window());
            times->append(msOf([&] {
                QTest::keyClicks(edit, call.right(1));
                QApplication::processEvents();
                edit->repaint();
            }));
            if (edit == callBox)
                stopUnless(window.form.Text2.foreColor() == vbRed, "the typed call is not marked");
            QTest::keyClick(edit, Qt::Key_Backspace);
        }
        ratios.append(program.last() / bare.last());
    }
    std::printf("call box      last letter  program %7.3f ms  floor %7.3f ms  ratio %5.2fx\n",
                median(program), median(bare), median(ratios));
    return 0;
}
