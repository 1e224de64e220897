#include "log_directory_lock.h"

#include <QCoreApplication>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

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
