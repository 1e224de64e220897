// Opens a log file and prints this process's peak and current resident memory afterwards, in
// kB. The memory benchmark runs it once per measurement, so that nothing else shares the process:
//   bench_memory_probe program DIRECTORY
//       the program's window, "Open" of DIRECTORY/vandrel.txt, then one call looked up
//   bench_memory_probe floor DIRECTORY WINDOW_WIDTH WINDOW_HEIGHT X Y WIDTH HEIGHT FONT
//       a bare QPlainTextEdit with the log box's settings, at its place in a window of the
//       program window's size, holding the same file's text

#include "bare_window.h"
#include "bench_window.h"
#include "log_file/log_file.h"
#include "log_generator.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <cstdio>

namespace {

// VmHWM, the most resident memory the process has had at any moment, or VmRSS, what it has now.
long long statusKilobytes(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    const QString text = QString::fromLatin1(status.readAll());
    const auto match =
        QRegularExpression(QStringLiteral("%1:\\s*(\\d+) kB").arg(QLatin1StringView(field)))
            .match(text);
    return match.hasMatch() ? match.captured(1).toLongLong() : -1;
}

void printMemory()
{
    std::printf("%lld %lld\n", statusKilobytes("VmHWM"), statusKilobytes("VmRSS"));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: bench_memory_probe program|floor DIRECTORY [PLACE...]\n");
        return 2;
    }
    const QString directory = arguments[2];

    if (arguments[1] == u"program") {
        BenchServices services(directory);
        BenchWindow window(services.all());
        window.form.Command2.click();
        drawNow(window.view);
        // The first look-up reads the log for the worked-before check, which then keeps what it
        // found for the next keystrokes: that belongs to the memory an opened log takes.
        window.form.Text2.setText(absentCall());
        drawNow(window.view);
        if (window.form.Text1.textLength() == 0 || window.form.CallPosition != 0)
            return 1;
        printMemory();
    } else {
        BareWindow<QPlainTextEdit> bare(BoxPlace::fromArguments(arguments.mid(3)));
        useLogBoxSettings(*bare.box);
        {
            // The file's bytes and the decoded text are let go once the edit holds the text.
            QFile file(logFilePath(BenchDirectory(directory)));
            if (!file.open(QIODevice::ReadOnly))
                return 1;
            bare.box->setPlainText(QString::fromUtf8(file.readAll()));
        }
        bare.box->moveCursor(QTextCursor::End);
        drawNow(bare.window);
        printMemory();
    }
    return 0;
}
