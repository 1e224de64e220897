#include "fake_services.h"
#include "recovery/recovery_file.h"
#include "recovery/recovery_journal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <sys/mount.h>

using namespace Qt::StringLiterals;

namespace {

const QDateTime addedAt(QDate(2016, 7, 16), QTime(15, 45));

QString contactLine(int n)
{
    return QStringLiteral("%1-+-16/07/2016---1345---Q%1ABC---59---012---JN80XY\r\n")
        .arg(n, 3, 10, QLatin1Char('0'));
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A journal over a log text the test changes as the window would.
struct Journal
{
    explicit Journal(const QString &directory = {})
        : path((directory.isEmpty() ? dir.path() : directory) + u"/vandrel.recovery"_s)
    {}

    void add(int n)
    {
        const qsizetype oldSize = log.size();
        log += contactLine(n);
        journal.contactAdded(oldSize, addedAt);
    }
    RecoveredLog onDisk() const { return readRecoveryRecords(bytesOf(path)); }

    QTemporaryDir dir;
    QString path;
    QString log;
    FakeFileService files;
    RecoveryJournal journal{files, path, [this] { return log.size(); },
                            [this](qsizetype from) { return log.sliced(from); }};
};

} // namespace

class TestRecoveryJournal : public QObject
{
    Q_OBJECT

private slots:
    void eachAddAppendsOneRecordAndNothingElse()
    {
        Journal j;
        QFile last(j.path); // what the last run left, saved
        QVERIFY(last.open(QIODevice::WriteOnly));
        last.write(recoveryFileHeader() + encodeRecord(RecordKind::ReplaceAll, u"old\r\n", 1) +
                   encodeRecord(RecordKind::Saved, {}, 1));
        last.close();
        j.add(1);
        QCOMPARE(j.onDisk().logText, j.log); // the old file was replaced, not appended to
        for (int n = 2; n <= 50; ++n) {
            const qint64 before = QFileInfo(j.path).size();
            j.add(n);
            QCOMPARE(QFileInfo(j.path).size() - before,
                     encodeRecord(RecordKind::Append, contactLine(n), addedAt.toMSecsSinceEpoch())
                         .size());
        }
        const RecoveredLog log = j.onDisk();
        QCOMPARE(log.logText, j.log);
        QCOMPARE(log.records, 50);
        QCOMPARE(log.skippedBytes, 0);
        QVERIFY(!log.saved);
        QCOMPARE(log.lastAddMsecs, addedAt.toMSecsSinceEpoch());
    }

    void editsAreWrittenAfterADelayAsOneWholeLog()
    {
        Journal j;
        j.add(1);
        j.log += QStringLiteral("typed\rby\nhand");
        j.journal.logEdited();
        j.log += QStringLiteral("\r\n");
        j.journal.logEdited();
        QVERIFY(j.journal.hasWaitingEdit());
        QCOMPARE(j.onDisk().logText, contactLine(1));
        QTRY_VERIFY(!j.journal.hasWaitingEdit());
        const RecoveredLog log = j.onDisk();
        QCOMPARE(log.logText, j.log);
        QCOMPARE(log.records, 1); // written anew, holding one log
    }

    void anAddOrAnExitDoesNotWaitForAnEdit()
    {
        Journal j;
        j.add(1);
        j.log.prepend(QStringLiteral("note\r\n"));
        j.journal.logEdited();
        j.add(2);
        QVERIFY(!j.journal.hasWaitingEdit());
        QCOMPARE(j.onDisk().logText, j.log);

        j.log.chop(2);
        j.journal.logEdited();
        j.journal.flush();
        QVERIFY(!j.journal.hasWaitingEdit());
        QCOMPARE(j.onDisk().logText, j.log);
    }

    void savedOnlyWhenTheLogFileOnTheDiskIsTheOneWritten()
    {
        Journal j;
        const QString logFile = j.dir.filePath(QStringLiteral("vandrel.txt"));
        j.add(1);
        j.add(2);
        QFile file(logFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QByteArray older = (contactLine(1) + u"\r\n"_s).toUtf8(); // an older save
        file.write(older);
        file.close();
        j.journal.logSaved(logFile, (j.log + u"\r\n"_s).toUtf8().size());
        QVERIFY(!j.journal.isSaved());
        QVERIFY(!j.onDisk().saved);

        QVERIFY(file.open(QIODevice::WriteOnly));
        const QByteArray saved = (j.log + u"\r\n"_s).toUtf8();
        file.write(saved);
        file.close();
        j.journal.logSaved(logFile, saved.size());
        QVERIFY(j.journal.isSaved());
        QVERIFY(j.onDisk().saved);
        QCOMPARE(j.onDisk().logText, j.log);

        j.add(3);
        QVERIFY(!j.journal.isSaved());
        QCOMPARE(j.onDisk().logText, j.log);
        QVERIFY(!j.onDisk().saved);
    }

    void aFailedWriteIsToldAndTheNextChangeWritesTheWholeLog()
    {
        QTemporaryDir parent;
        const QString missing = parent.filePath(QStringLiteral("not-yet"));
        Journal j(missing);
        QSignalSpy failures(&j.journal, &RecoveryJournal::writeFailed);
        j.add(1);
        QCOMPARE(failures.size(), 1);
        const auto failure = failures[0][0].value<FileError>();
        QCOMPARE(failure.path, j.path);
        QCOMPARE(failure.reason, u"No such file or directory"_s);

        QVERIFY(QDir(parent.path()).mkdir(QStringLiteral("not-yet")));
        j.add(2);
        QCOMPARE(failures.size(), 1);
        QCOMPARE(j.onDisk().logText, j.log);
    }

    // What makes each write durable, counted: a refactoring cannot drop a sync unseen.
    void eachWriteIsSyncedAsItMustBe()
    {
        Journal j;
        j.add(1); // the first add writes the whole file: the file, then its directory
        QCOMPARE(j.files.fileSyncs, 1);
        QCOMPARE(j.files.directorySyncs, 1);
        QCOMPARE(j.files.dataSyncs, 0);
        j.add(2); // an add: its bytes, nothing else
        j.add(3);
        QCOMPARE(j.files.dataSyncs, 2);
        QCOMPARE(j.files.fileSyncs, 1);
        QCOMPARE(j.files.directorySyncs, 1);
        j.log += u"edited"_s;
        j.journal.logEdited();
        j.journal.flush(); // an edit rewrites the whole file
        QCOMPARE(j.files.fileSyncs, 2);
        QCOMPARE(j.files.directorySyncs, 2);
    }

    // "Save" within the edit delay: the journal holds the edited text, marked saved.
    void aSaveWithinTheEditDelayKeepsTheEditedTextSaved()
    {
        Journal j;
        j.add(1);
        j.log += u"typed into the log box\r\n"_s;
        j.journal.logEdited();
        QVERIFY(j.journal.hasWaitingEdit());
        const QString logFile = j.dir.filePath(u"vandrel.txt"_s);
        QFile saved(logFile);
        QVERIFY(saved.open(QIODevice::WriteOnly));
        saved.write((j.log + u"\r\n"_s).toUtf8());
        saved.close();
        j.journal.logSaved(logFile, saved.size());
        const RecoveredLog onDisk = j.onDisk();
        QCOMPARE(onDisk.logText, j.log);
        QVERIFY(onDisk.saved);
        QVERIFY(!j.journal.hasWaitingEdit());
    }

    // A full disk during an add is told in the system's words.
    void aFullDiskDuringAnAddIsToldAsSuch()
    {
        QTemporaryDir dir;
        const QByteArray mountPoint = QFile::encodeName(dir.path());
        if (::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP(qPrintable(u"cannot mount a small tmpfs here: "_s + qt_error_string(errno)));
        QString reason;
        {
            Journal j(dir.path());
            QSignalSpy failures(&j.journal, &RecoveryJournal::writeFailed);
            j.add(1);
            QFile filler(dir.filePath(u"filler"_s));
            if (filler.open(QIODevice::WriteOnly)) {
                while (filler.write(QByteArray(4096, 'f')) == 4096 && filler.flush()) {
                }
                filler.close();
            }
            // Adds until the last block is taken.
            for (int n = 2; n < 200 && failures.isEmpty(); ++n)
                j.add(n);
            if (!failures.isEmpty())
                reason = failures[0][0].value<FileError>().reason;
        }
        ::umount(mountPoint.constData());
        QCOMPARE(reason, u"No space left on device"_s);
    }

    void filesSetAsideKeepTheirBytesUnderNewNames()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("vandrel.recovery"));
        QStringList asides;
        for (const QByteArray &bytes : {QByteArray("first"), QByteArray("second")}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
            file.close();
            // Both with the same time of last change: the second name must differ.
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(addedAt, QFileDevice::FileModificationTime));
            file.close();
            const FileResult<QString> aside = setAside(path);
            if (!aside)
                QFAIL(qPrintable(aside.error().reason));
            asides.append(aside.value());
            QVERIFY(!QFileInfo::exists(path));
        }
        QVERIFY(asides[0] != asides[1]);
        QVERIFY(asides[0].startsWith(path + u".2016-07-16_15-45-00"_s));
        QCOMPARE(bytesOf(asides[0]), QByteArray("first"));
        QCOMPARE(bytesOf(asides[1]), QByteArray("second"));
    }
};

QTEST_GUILESS_MAIN(TestRecoveryJournal)
#include "tst_recovery_journal.moc"
