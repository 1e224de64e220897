// Opens a log file and prints the peak resident memory of this process afterwards, in kB.
// The memory benchmark runs it once per measurement, so that nothing else shares the process:
//   bench_memory_probe program DIRECTORY   the program's window, "Open" of DIRECTORY/vandrel.txt,
//                                          then one call looked up in the opened log
//   bench_memory_probe floor DIRECTORY     a QPlainTextEdit holding the same file's text

#include "bench_window.h"
#include "log_file.h"
#include "log_generator.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <cstdio>

namespace {

// VmHWM: the most resident memory the process has had at any moment.
long long peakResidentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    const QString text = QString::fromLatin1(status.readAll());
    const auto match = QRegularExpression(QStringLiteral("VmHWM:\\s*(\\d+) kB")).match(text);
    return match.hasMatch() ? match.captured(1).toLongLong() : -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: bench_memory_probe program|floor DIRECTORY\n");
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
        if (window.form.Text1.text().isEmpty() || window.form.CallPosition != 0)
            return 1;
        std::printf("%lld\n", peakResidentKilobytes());
    } else {
        QFile file(logFilePath(BenchDirectory(directory)));
        if (!file.open(QIODevice::ReadOnly))
            return 1;
        QPlainTextEdit edit;
        edit.resize(353, 161);
        edit.show();
        edit.setPlainText(QString::fromUtf8(file.readAll()));
        edit.moveCursor(QTextCursor::End);
        drawNow(edit);
        std::printf("%lld\n", peakResidentKilobytes());
    }
    return 0;
}
