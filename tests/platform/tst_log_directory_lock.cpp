#include "platform/log_directory_lock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

using namespace Qt::StringLiterals;

class TestLogDirectoryLock : public QObject
{
    Q_OBJECT

private slots:
    void secondProgramIsToldWhoHoldsTheLock()
    {
        QTemporaryDir dir;
        {
            LogDirectoryLock first(dir.path());
            QVERIFY(first.tryLock());
            QVERIFY(!first.holder());

            LogDirectoryLock second(dir.path());
            QVERIFY(!second.tryLock());
            const std::optional<LockHolder> holder = second.holder();
            QVERIFY(holder);
            QCOMPARE(holder->processId, QCoreApplication::applicationPid());
            QCOMPARE(holder->hostName, QSysInfo::machineHostName());
        }
        // Released with the program.
        LogDirectoryLock next(dir.path());
        QVERIFY(next.tryLock());
    }

    // Whatever is found at vandrel.lock, the first window holds the log and the second is told.
    void noLockFileCanHideTheFirstWindow_data()
    {
        QTest::addColumn<QString>("found");
        QTest::newRow("empty file") << u"empty"_s;
        QTest::newRow("NUL bytes") << u"nul"_s;
        QTest::newRow("another host's lock") << u"other host"_s;
        QTest::newRow("directory") << u"directory"_s;
        QTest::newRow("dangling link") << u"dangling link"_s;
        QTest::newRow("link to a directory") << u"link to a directory"_s;
    }
    void noLockFileCanHideTheFirstWindow()
    {
        QFETCH(QString, found);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"vandrel.lock"_s);
        QFile file(path);
        if (found == u"directory"_s)
            QVERIFY(QDir().mkdir(path));
        else if (found == u"dangling link"_s)
            QVERIFY(QFile::link(dir.filePath(u"gone"_s), path));
        else if (found == u"link to a directory"_s)
            QVERIFY(QFile::link(dir.path(), path));
        else
            QVERIFY(file.open(QIODevice::WriteOnly));
        if (found == u"nul"_s)
            file.write(QByteArray(64, '\0'));
        else if (found == u"other host"_s)
            file.write("4242\nvandrel\nshack-pc\n");
        file.close();

        LogDirectoryLock first(dir.path());
        QVERIFY(first.tryLock());
        QVERIFY(first.isLocked());
        LogDirectoryLock second(dir.path());
        QVERIFY(!second.tryLock());
        QVERIFY(second.holder());
        QCOMPARE(second.holder()->processId, QCoreApplication::applicationPid());
        // The first window's recovery file is never taken for one left by a crash.
        QVERIFY(second.isBeingWritten(dir.filePath(u"vandrel.recovery"_s)));
        QVERIFY(!first.isBeingWritten(dir.filePath(u"vandrel.recovery"_s)));
    }

    void aRecoveryFileIsWrittenOnlyWhileItsWindowRuns()
    {
        QTemporaryDir dir;
        QTemporaryDir before; // where the log was kept before
        const QString journal = before.filePath(u"vandrel.recovery"_s);
        const QString own = dir.filePath(u"vandrel.recovery."_s) +
                            QString::number(QCoreApplication::applicationPid());
        LogDirectoryLock lock(dir.path());
        QVERIFY(lock.tryLock());
        {
            LogDirectoryLock there(before.path());
            QVERIFY(there.tryLock());
            QVERIFY(lock.isBeingWritten(journal));
        }
        QVERIFY(!lock.isBeingWritten(journal));
        // One left under this process's number by an earlier one is no longer written.
        QVERIFY(!lock.isBeingWritten(own));
        // Files set aside are no window's.
        QVERIFY(!lock.isBeingWritten(journal + u".2016-07-16_15-45-00"_s));
    }

    void lockOfAProgramThatDiedIsTakenOver()
    {
        QTemporaryDir dir;
        QFile stale(dir.filePath(u"vandrel.lock"_s));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        // A process number no running process has (above the kernel's limit).
        stale.write("4194399\nvandrel\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        stale.close();

        LogDirectoryLock lock(dir.path());
        QVERIFY(lock.tryLock());
        QVERIFY(lock.isLocked());
    }
};

QTEST_GUILESS_MAIN(TestLogDirectoryLock)
#include "tst_log_directory_lock.moc"
