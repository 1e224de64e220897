// The recovery file's costs on a real disk, each next to the same disk work done by Qt alone:
//   build/bench/bench_recovery [DIRECTORY] [runs=101]
// DIRECTORY (default: the current one) must be on the disk to measure; a temporary folder is
// made in it and removed. Prints a Markdown table. The target of the add (the same at 100,000
// contacts as at 1,000) is checked by bench_performance, whose windows write their recovery
// files too.
//   add: Command1_Click with a complete entry, drawn, the contact on the disk before it returns,
//        at 1,000 and 100,000 contacts; floor: one QFile append of the same record + fdatasync.
//   edit: what the log box's edit delay ends in at 100,000 contacts, the whole log written anew;
//        floor: QSaveFile of the same bytes + fsync.
//   start: reading a recovery file of 100,000 added contacts; floor: QFile::readAll of its
//        bytes and QString::fromUtf8.

#include "bench_window.h"
#include "log_generator.h"
#include "logged_window.h"
#include "recovery/recovery_file.h"
#include "recovery/recovery_records.h"
#include "results_table.h"
#include "timing.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <memory>
#include <unistd.h>

namespace {

constexpr int largestLog = 100000;
const QString contactCall = QStringLiteral("Q9Z");

double addOnce(Form15 &form, int run)
{
    form.Text2.setText(contactCall + QString::number(run));
    form.Text3.setText(QStringLiteral("599"));
    form.Text4.setText(QStringLiteral("JN80XY"));
    QApplication::processEvents();
    const double ms = timeRuns(
        1, [] {},
        [&] {
            form.Command1.click();
            QApplication::processEvents();
        })[0];
    stopUnless(form.Text2.text().isEmpty(), "a contact was not added");
    return ms;
}

// One record appended and synced, as the window's add writes it, by Qt alone.
double appendOnce(QFile &file, int run)
{
    const QByteArray record = encodeRecord(
        RecordKind::Append,
        QStringLiteral("101-+-16/07/2016---1345---Q9Z%1---59---599---JN80XY\r\n").arg(run), 1);
    return timeRuns(
        1, [] {},
        [&] {
            file.write(record);
            stopUnless(::fdatasync(file.handle()) == 0, "fdatasync failed");
        })[0];
}

QList<Measurement> timeAdds(const QString &parent, int runs)
{
    LoggedWindow small(1000, parent);
    LoggedWindow large(largestLog, parent);
    QFile floorFile(small.directory.filePath(QStringLiteral("floor.recovery")));
    stopUnless(floorFile.open(QIODevice::WriteOnly | QIODevice::Unbuffered), "no floor file");

    QList<double> smallTimes, largeTimes, floorTimes;
    for (int run = 1; run <= runs; ++run) {
        smallTimes += addOnce(small.window.form, run);
        largeTimes += addOnce(large.window.form, run);
        floorTimes += appendOnce(floorFile, run);
    }
    const RecoveredLog onDisk = readRecoveryRecords([&] {
        QFile file(large.window.form.recoveryJournal().path());
        stopUnless(file.open(QIODevice::ReadOnly), "no recovery file");
        return file.readAll();
    }());
    stopUnless(onDisk.logText == large.window.form.Text1.text(), "the recovery file lags");

    const QString what = QStringLiteral("add with the recovery file (Command1_Click, drawn)");
    const QString floorName = QStringLiteral("QFile append of the record + fdatasync");
    const auto row = [&](qsizetype contacts) {
        return Measurement{.what = what,
                           .contacts = contactCount(contacts),
                           .unit = QStringLiteral("ms"),
                           .floorName = floorName};
    };
    return {
        fromPairs(row(1000), smallTimes, floorTimes),
        fromPairs(row(largestLog), largeTimes, floorTimes),
    };
}

Measurement timeEditWrite(const QString &parent, int runs)
{
    LoggedWindow large(largestLog, parent);
    Form15 &form = large.window.form;
    const QByteArray bytes =
        recoveryFileHeader() + encodeRecord(RecordKind::ReplaceAll, form.Text1.text(), 1);
    const QString floorPath = large.directory.filePath(QStringLiteral("floor.recovery"));
    QList<double> program, floor;
    for (int run = 0; run < runs; ++run) {
        program += timeRuns(
            1, [&] { form.recoveryJournal().logEdited(); },
            [&] { form.recoveryJournal().flush(); })[0];
        floor += timeRuns(
            1, [] {},
            [&] {
                QSaveFile file(floorPath);
                stopUnless(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
                               file.flush() && ::fsync(file.handle()) == 0 && file.commit(),
                           "floor write failed");
            })[0];
    }
    return fromPairs({.what = QStringLiteral("log-box edit written (whole log, after the delay)"),
                      .contacts = contactCount(largestLog),
                      .unit = QStringLiteral("ms"),
                      .floorName = QStringLiteral("QSaveFile of the same bytes + fsync")},
                     program, floor);
}

Measurement timeStartRead(const QString &parent, int runs)
{
    QTemporaryDir directory(parent + QStringLiteral("/bench-recovery-XXXXXX"));
    const DiskFileService files;
    RecoveryFile file(files, directory.filePath(QStringLiteral("vandrel.recovery")));
    const GeneratedLog log = generateLog(largestLog);
    QByteArray records;
    for (qsizetype start = 0; start < log.text.size();) {
        const qsizetype end = log.text.indexOf(u'\n', start) + 1;
        records +=
            encodeRecord(RecordKind::Append, QStringView(log.text).sliced(start, end - start), 1);
        start = end;
    }
    stopUnless(file.replace(records).ok(), "the recovery file could not be written");

    const auto readAll = [&] {
        QFile in(file.path());
        stopUnless(in.open(QIODevice::ReadOnly), "the recovery file could not be read");
        return in.readAll();
    };
    QList<double> program, floor;
    for (int run = 0; run < runs; ++run) {
        program += timeRuns(
            1, [] {},
            [&] {
                stopUnless(readRecoveryRecords(readAll()).logText.size() == log.text.size(),
                           "the log read back differs");
            })[0];
        floor += timeRuns(
            1, [] {},
            [&] {
                stopUnless(QString::fromUtf8(readAll()).size() > log.text.size(), "short read");
            })[0];
    }
    return fromPairs({.what = QStringLiteral("start: recovery file read"),
                      .contacts = contactCount(largestLog),
                      .unit = QStringLiteral("ms"),
                      .floorName = QStringLiteral("QFile::readAll + QString::fromUtf8")},
                     program, floor);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    const QString parent = QDir(args.value(1, QDir::currentPath())).absolutePath();
    const int runs = args.value(2, QStringLiteral("101")).toInt();

    QList<Measurement> results = timeAdds(parent, runs);
    results += timeEditWrite(parent, std::max(5, runs / 10));
    results += timeStartRead(parent, std::max(5, runs / 10));

    QTextStream(stdout) << "Recovery file in " << parent << "\n\n" << resultsTable(results);
    return 0;
}
