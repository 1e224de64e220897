#include "contact_log/contact_form.h"
#include "fake_services.h"
#include "log_file/log_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString twoContacts =
    QStringLiteral("001-+-16/07/2016---1345---Q1ABC---59---012---JN80XY\r\n"
                   "002-+-16/07/2016---1346---DL1XYZ/P---59---007---JN58TD");

} // namespace

class TestLogLocation : public QObject
{
    Q_OBJECT

private slots:
    void logLivesBesideTheProgramOnlyWhereTheOperatorKeepsIt_data()
    {
        QTest::addColumn<QString>("programFolder");
        QTest::addColumn<bool>("writable");
        QTest::addColumn<bool>("holdsLog");
        QTest::addColumn<bool>("besideProgram");
        QTest::newRow("folder of its own") << "contest" << true << false << true;
        QTest::newRow("read-only folder") << "contest" << false << false << false;
        QTest::newRow("read-only folder with a log") << "contest" << false << true << false;
        // Root, or an unpacked package, can write /usr/bin; the log still goes to the user.
        QTest::newRow("installed, writable") << "bin" << true << false << false;
        QTest::newRow("installed read-only, as in /usr/bin") << "bin" << false << false << false;
        // Installed into a prefix of the operator's own, where the log was always kept.
        QTest::newRow("installed with its log") << "bin" << true << true << true;
    }

    void logLivesBesideTheProgramOnlyWhereTheOperatorKeepsIt()
    {
        QFETCH(QString, programFolder);
        QFETCH(bool, writable);
        QFETCH(bool, holdsLog);
        QFETCH(bool, besideProgram);
        QTemporaryDir root;
        const QString program = root.filePath(programFolder);
        const QString data = root.filePath(QStringLiteral("home/.local/share/vandrel"));
        QVERIFY(QDir().mkpath(program));
        QFile log(program + QStringLiteral("/vandrel.txt"));
        if (holdsLog)
            QVERIFY(log.open(QIODevice::WriteOnly));

        const LogDirectory directory(program, writable, data + u'/');

        QCOMPARE(directory.path(), besideProgram ? program : data);
        QCOMPARE(logFilePath(directory), directory.path() + QStringLiteral("/vandrel.txt"));
        QVERIFY2(!QFileInfo::exists(data), "the data directory is made on the first save only");
    }

    // A relative base directory is ignored, as the XDG base directory rules say: the log never
    // follows the working folder.
    void relativeBaseDirectoriesAreIgnored_data()
    {
        QTest::addColumn<QByteArray>("dataHome");
        QTest::addColumn<QByteArray>("home");
        QTest::addColumn<QString>("expected"); // "HOME": under the absolute HOME given
        QTest::newRow("absolute XDG_DATA_HOME")
            << QByteArray("/srv/data") << QByteArray("/h") << QStringLiteral("/srv/data");
        QTest::newRow("relative XDG_DATA_HOME")
            << QByteArray("data") << QByteArray("/h") << QStringLiteral("/h/.local/share");
        QTest::newRow("relative HOME")
            << QByteArray() << QByteArray("op") << QStringLiteral("system");
    }
    void relativeBaseDirectoriesAreIgnored()
    {
        QFETCH(QByteArray, dataHome);
        QFETCH(QByteArray, home);
        QFETCH(QString, expected);
        const QByteArray oldDataHome = qgetenv("XDG_DATA_HOME");
        const QByteArray oldHome = qgetenv("HOME");
        qputenv("XDG_DATA_HOME", dataHome);
        qputenv("HOME", home);
        const QString directory = userDataDirectory();
        qputenv("XDG_DATA_HOME", oldDataHome);
        qputenv("HOME", oldHome);

        QVERIFY2(QDir::isAbsolutePath(directory), qPrintable(directory));
        // The window's name, whichever program asks: vandrel-export reads the window's log.
        QVERIFY(directory.endsWith(QStringLiteral("/vandrel")));
        if (expected != QStringLiteral("system"))
            QCOMPARE(directory, expected + QStringLiteral("/vandrel"));
    }

    void runningProgramInAWritableFolderKeepsTheLogBesideIt()
    {
        // This test runs from the build tree, a folder the user writes to.
        QCOMPARE(LogDirectory::forThisProgram().path(), QCoreApplication::applicationDirPath());
    }

    void firstSaveMakesTheDataDirectoryAndOpenReadsItBack()
    {
        QTemporaryDir root;
        const QString program = root.filePath(QStringLiteral("usr/bin"));
        const QString data = root.filePath(QStringLiteral("home/.local/share/vandrel"));
        QVERIFY(QDir().mkpath(program));
        LogDirectory directory(program, false, data);
        DiskFileService files;
        const LogFileServices services{directory, files};

        ContactForm saved;
        saved.Text1.setText(twoContacts);
        const FileResult<SavedLog> save = SaveLog(saved, services);

        const QString path = data + QStringLiteral("/vandrel.txt");
        QVERIFY(QFileInfo::exists(path));
        QVERIFY(!QFileInfo::exists(program + QStringLiteral("/vandrel.txt")));
        QVERIFY(save.ok());
        QCOMPARE(save.value().path, path);

        ContactForm opened;
        const FileResult<OpenedLog> open = OpenLog(opened, services);
        QVERIFY(open.ok());
        QCOMPARE(open.value(), OpenedLog::Added);
        QCOMPARE(opened.Text1.text(), twoContacts + QStringLiteral("\r\n"));
        QCOMPARE(opened.Frame1.caption(), QStringLiteral("003"));
    }
};

QTEST_GUILESS_MAIN(TestLogLocation)
#include "tst_log_location.moc"
