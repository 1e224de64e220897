#include "fake_services.h"
#include "platform/file_io.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

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

QByteArray nativePath(const QString &path)
{
    return QFile::encodeName(path);
}

struct stat statusOf(const QString &path)
{
    struct stat status
    {};
    ::lstat(nativePath(path).constData(), &status);
    return status;
}

// Someone else on the machine, as root sees them.
constexpr uid_t otherUser = 4321;
constexpr gid_t otherGroup = 4322;

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
        QCOMPARE(result.error().kind, FileErrorKind::CannotRead);
        QCOMPARE(result.error().path, path);
        QCOMPARE(result.error().reason, QStringLiteral("Permission denied"));
    }

    void replaceWritesThePartsInTurnAndCountsThem()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("log.txt"));
        writeBytes(path, "old and longer");
        const FakeFileService files;

        const FileResult<WrittenFile> written = replaceFile(files, path, {"abc", "\r\n"});
        QVERIFY(written.ok());
        QCOMPARE(written.value().size, 5);
        QCOMPARE(written.value().path, path);
        QCOMPARE(written.value().stamp, fileStamp(path));
        QCOMPARE(contentOf(path), QByteArray("abc\r\n"));
    }

    void failedReplaceKeepsTheOldFile_data()
    {
        QTest::addColumn<qint64>("writableBytes");
        QTest::addColumn<QString>("openFailure");
        QTest::addColumn<QString>("flushFailure");
        QTest::addColumn<FileErrorKind>("kind");
        QTest::addColumn<QString>("reason");
        const QString none;
        const QString diskFull = QStringLiteral("No space left on device");
        QTest::newRow("cannot open") << qint64(-1) << u"Permission denied"_s << none
                                     << FileErrorKind::CannotOpen << u"Permission denied"_s;
        QTest::newRow("disk full in the first part")
            << qint64(2) << none << none << FileErrorKind::CannotWrite << diskFull;
        QTest::newRow("disk full in the last part")
            << qint64(4) << none << none << FileErrorKind::CannotWrite << diskFull;
        // Every write taken into the buffer, the disk full only when it goes out.
        QTest::newRow("disk full only when flushed")
            << qint64(-1) << none << diskFull << FileErrorKind::CannotWrite << diskFull;
    }
    void failedReplaceKeepsTheOldFile()
    {
        QFETCH(qint64, writableBytes);
        QFETCH(QString, openFailure);
        QFETCH(QString, flushFailure);
        QFETCH(FileErrorKind, kind);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("log.txt"));
        writeBytes(path, "old");
        FakeFileService files;
        files.writableBytes = writableBytes;
        files.replaceFailure = openFailure;
        files.flushFailure = flushFailure;

        const FileResult<WrittenFile> written = replaceFile(files, path, {"abc", "\r\n"});
        QVERIFY(!written.ok());
        QCOMPARE(written.error().kind, kind);
        QCOMPARE(written.error().path, path);
        QCOMPARE(written.error().reason, reason);
        QCOMPARE(contentOf(path), QByteArray("old"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"log.txt"_s});
    }

    void readTakesOnlyARegularFile_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<FileErrorKind>("kind");
        // A FIFO without a writer would block the open, /dev/zero would fill the memory and a
        // sparse file of 100 GB the address space.
        QTest::newRow("FIFO") << u"fifo"_s << FileErrorKind::NotRegularFile;
        QTest::newRow("link to a FIFO") << u"link to fifo"_s << FileErrorKind::NotRegularFile;
        QTest::newRow("link to /dev/zero") << u"/dev/zero"_s << FileErrorKind::NotRegularFile;
        QTest::newRow("directory") << u"directory"_s << FileErrorKind::NotRegularFile;
        QTest::newRow("sparse 100 GB") << u"sparse"_s << FileErrorKind::TooLarge;
    }
    void readTakesOnlyARegularFile()
    {
        QFETCH(QString, what);
        QFETCH(FileErrorKind, kind);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"vandrel.txt"_s);
        const QString fifo = dir.filePath(u"fifo"_s);
        QCOMPARE(::mkfifo(nativePath(fifo).constData(), 0600), 0);
        if (what == u"fifo")
            QVERIFY(QFile::rename(fifo, path));
        else if (what == u"link to fifo")
            QVERIFY(QFile::link(fifo, path));
        else if (what == u"/dev/zero")
            QVERIFY(QFile::link(what, path));
        else if (what == u"directory")
            QVERIFY(QDir().mkdir(path));
        else {
            writeBytes(path, {});
            if (::truncate(nativePath(path).constData(), 100LL << 30) != 0)
                QSKIP("this file system cannot hold a sparse file of 100 GB");
        }
        const FakeFileService files;

        const FileResult<QByteArray> result = readFile(files, path);
        QVERIFY(!result.ok());
        QCOMPARE(result.error().kind, kind);
        QCOMPARE(result.error().path, path);
    }

    void replacesOnlyARegularFile_data()
    {
        QTest::addColumn<QString>("what");
        QTest::newRow("FIFO") << u"fifo"_s;
        QTest::newRow("link to a FIFO") << u"link to fifo"_s;
        QTest::newRow("link to a device") << u"link to device"_s;
        QTest::newRow("directory") << u"directory"_s;
    }
    void replacesOnlyARegularFile()
    {
        QFETCH(QString, what);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"vandrel.txt"_s);
        const QString fifo = dir.filePath(u"fifo"_s);
        QCOMPARE(::mkfifo(nativePath(fifo).constData(), 0600), 0);
        QString left = path; // what must still be there, as it was
        if (what == u"fifo") {
            QVERIFY(QFile::rename(fifo, path));
        } else if (what == u"link to fifo") {
            QVERIFY(QFile::link(fifo, path));
            left = fifo;
        } else if (what == u"link to device") {
            // A device of its own, so that nothing the machine uses is at stake.
            left = dir.filePath(u"null"_s);
            if (::mknod(nativePath(left).constData(), S_IFCHR | 0600, makedev(1, 3)) != 0)
                QSKIP("making a device node is not permitted here");
            QVERIFY(QFile::link(left, path));
        } else {
            QVERIFY(QDir().mkdir(path));
        }
        const mode_t typeBefore = statusOf(left).st_mode & S_IFMT;
        const FakeFileService files;

        const FileResult<WrittenFile> written = replaceFile(files, path, {"abc"});
        QVERIFY(!written.ok());
        QCOMPARE(written.error().kind, FileErrorKind::NotRegularFile);
        QCOMPARE(written.error().path, left);
        QCOMPARE(statusOf(left).st_mode & S_IFMT, typeBefore);
    }

    void writesThroughALinkOnlyOfItsOwnUser()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"vandrel.txt"_s);
        const QString target = dir.filePath(u"real.txt"_s);
        writeBytes(target, "old");
        QVERIFY(QFile::link(target, path));
        const FakeFileService files;

        // The user's own link: the file it points to is written, and named.
        const FileResult<WrittenFile> written = replaceFile(files, path, {"new"});
        QVERIFY(written.ok());
        QCOMPARE(written.value().path, target);
        QCOMPARE(contentOf(target), QByteArray("new"));
        QVERIFY(QFileInfo(path).isSymLink());

        // A link planted by someone else: refused, naming the link and where it leads.
        if (::geteuid() != 0)
            QSKIP("only root can give a link to another user");
        QCOMPARE(::lchown(nativePath(path).constData(), otherUser, otherGroup), 0);
        const FileResult<WrittenFile> refused = replaceFile(files, path, {"planted"});
        QVERIFY(!refused.ok());
        QCOMPARE(refused.error().kind, FileErrorKind::ForeignLink);
        QCOMPARE(refused.error().path, path);
        QCOMPARE(refused.error().target, target);
        QCOMPARE(contentOf(target), QByteArray("new"));
    }

    void replacedFileKeepsOwnerGroupAndMode()
    {
        if (::geteuid() != 0)
            QSKIP("only root can save a file another user owns");
        QTemporaryDir dir;
        const QString path = dir.filePath(u"vandrel.txt"_s);
        writeBytes(path, "old");
        QCOMPARE(::chown(nativePath(path).constData(), otherUser, otherGroup), 0);
        QCOMPARE(::chmod(nativePath(path).constData(), 0664), 0);
        const FakeFileService files;

        QVERIFY(replaceFile(files, path, {"new"}).ok());
        const struct stat status = statusOf(path);
        QCOMPARE(status.st_uid, otherUser);
        QCOMPARE(status.st_gid, otherGroup);
        QCOMPARE(status.st_mode & 07777, mode_t(0664));
        QCOMPARE(contentOf(path), QByteArray("new"));
    }
};

QTEST_APPLESS_MAIN(TestFileIo)
#include "tst_file_io.moc"
