#include "fake_services.h"
#include "file_bytes.h"
#include "platform/file_io.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <sys/mount.h>

using namespace Qt::StringLiterals;

// Saves onto a real full disk and under a real file-size limit: the old file stays byte for
// byte and the system's reason comes back.
class TestFullDisk : public QObject
{
    Q_OBJECT

private slots:
    void fullFileSystemKeepsTheOldFile_data()
    {
        QTest::addColumn<qint64>("filler"); // bytes taken by another file first
        QTest::addColumn<qint64>("newSize");
        // The write itself fails for a log larger than the write buffer; a small one fails only
        // when the buffer goes out.
        QTest::newRow("large log") << qint64(0) << qint64(200'000);
        QTest::newRow("small log, nearly no room left") << qint64(52'000) << qint64(12'000);
    }
    void fullFileSystemKeepsTheOldFile()
    {
        QFETCH(qint64, filler);
        QFETCH(qint64, newSize);
        QTemporaryDir dir;
        const QByteArray mountPoint = QFile::encodeName(dir.path());
        if (::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP(qPrintable(u"cannot mount a small tmpfs here: "_s + qt_error_string(errno)));
        const QString path = dir.filePath(u"vandrel.txt"_s);
        const QByteArray old = QByteArray("001-+-old\r\n").repeated(400);
        writeBytes(path, old);
        // Whatever fits of the filler, so that the disk is full to the last block.
        QFile fill(dir.filePath(u"filler"_s));
        if (filler > 0 && fill.open(QIODevice::WriteOnly)) {
            fill.write(QByteArray(filler, 'f'));
            fill.close();
        }
        const FakeFileService files;

        const FileResult<WrittenFile> written =
            replaceFile(files, path, {QByteArray(newSize, 'n')});
        const QByteArray after = readBytes(path);
        const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        ::umount(mountPoint.constData());

        QVERIFY(!written.ok());
        QCOMPARE(written.error().kind, FileErrorKind::CannotWrite);
        QCOMPARE(written.error().reason, u"No space left on device"_s);
        QVERIFY(after == old);
        QCOMPARE(left.contains(u"vandrel.txt"_s), true);
        QCOMPARE(left.size(), filler > 0 ? 2 : 1);
    }

    void fileSizeLimitIsAFailedSaveNotACrash()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"vandrel.txt"_s);
        writeBytes(path, "old");
        QProcess save;
        // 64 blocks: 32 or 64 KB, whichever the shell counts in.
        save.start(u"sh"_s, {u"-c"_s, u"ulimit -f 64 && exec \"$0\" \"$@\""_s,
                             QStringLiteral(SAVE_UNDER_LIMIT), path, u"1000000"_s});
        QVERIFY(save.waitForFinished(60'000));
        QCOMPARE(save.exitStatus(), QProcess::NormalExit);
        QCOMPARE(save.exitCode(), 0);
        QCOMPARE(save.readAllStandardOutput(), QByteArray("failed: File too large\n"));
        QCOMPARE(readBytes(path), QByteArray("old"));
    }
};

QTEST_GUILESS_MAIN(TestFullDisk)
#include "tst_full_disk.moc"
