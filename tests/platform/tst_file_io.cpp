#include "fake_services.h"
#include "file_io.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

} // namespace

class TestFileIo : public QObject
{
    Q_OBJECT

private slots:
    void readTakesTheWholeFileUpToTheLimit()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("ten.txt"));
        writeBytes(path, "0123456789");
        const FakeFileService files;

        const FileResult<QByteArray> atLimit = readFile(files, path, 10);
        QVERIFY(atLimit.ok());
        QCOMPARE(atLimit.value(), QByteArray("0123456789"));

        const FileResult<QByteArray> overLimit = readFile(files, path, 9);
        QVERIFY(!overLimit.ok());
        QCOMPARE(overLimit.error().kind, FileErrorKind::TooLarge);
        QCOMPARE(overLimit.error().path, path);
    }

    void readFailureCarriesPathAndReason()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("locked.txt"));
        writeBytes(path, "x");
        FakeFileService files;
        files.readFailure = QStringLiteral("Permission denied");

        const FileResult<QByteArray> result = readFile(files, path);
        QVERIFY(!result.ok());
        QCOMPARE(result.error().kind, FileErrorKind::CannotOpen);
        QCOMPARE(result.error().path, path);
        QCOMPARE(result.error().reason, QStringLiteral("Permission denied"));
    }

    void replaceWritesThePartsInTurnAndCountsThem()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("log.txt"));
        writeBytes(path, "old and longer");
        const FakeFileService files;

        const FileResult<qint64> written = replaceFile(files, path, {"abc", "\r\n"});
        QVERIFY(written.ok());
        QCOMPARE(written.value(), 5);
        QCOMPARE(contentOf(path), QByteArray("abc\r\n"));
    }

    void failedReplaceKeepsTheOldFile_data()
    {
        QTest::addColumn<qint64>("writableBytes");
        QTest::addColumn<QString>("openFailure");
        QTest::addColumn<FileErrorKind>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("cannot open") << qint64(-1) << "Permission denied"
                                     << FileErrorKind::CannotOpen << "Permission denied";
        QTest::newRow("disk full in the first part")
            << qint64(2) << "" << FileErrorKind::CannotWrite << "No space left on device";
        QTest::newRow("disk full in the last part")
            << qint64(4) << "" << FileErrorKind::CannotWrite << "No space left on device";
    }
    void failedReplaceKeepsTheOldFile()
    {
        QFETCH(qint64, writableBytes);
        QFETCH(QString, openFailure);
        QFETCH(FileErrorKind, kind);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("log.txt"));
        writeBytes(path, "old");
        FakeFileService files;
        files.writableBytes = writableBytes;
        files.replaceFailure = openFailure;

        const FileResult<qint64> written = replaceFile(files, path, {"abc", "\r\n"});
        QVERIFY(!written.ok());
        QCOMPARE(written.error().kind, kind);
        QCOMPARE(written.error().path, path);
        QCOMPARE(written.error().reason, reason);
        QCOMPARE(contentOf(path), QByteArray("old"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("log.txt")});
    }

    void commitFailureIsReported()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("log.txt"));
        QVERIFY(QDir().mkdir(path)); // a directory where the file goes
        const FakeFileService files;

        const FileResult<qint64> written = replaceFile(files, path, {"abc"});
        QVERIFY(!written.ok());
        QCOMPARE(written.error().path, path);
        QVERIFY(written.error().kind == FileErrorKind::CannotOpen ||
                written.error().kind == FileErrorKind::CannotCommit);
    }
};

QTEST_APPLESS_MAIN(TestFileIo)
#include "tst_file_io.moc"
