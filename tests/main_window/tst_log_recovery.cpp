#include "fake_services.h"
#include "form15.h"
#include "recovery_records.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// A program that runs over the same directory, start after start, and may die at any moment:
// a run that is never closed is one that was killed.
struct Runs
{
    FakeServices fakes;
    std::unique_ptr<Form15> form;

    QString path(const char *name) const
    {
        return QDir(fakes.directory.path()).filePath(QString::fromUtf8(name));
    }
    QString recoveryPath() const { return path("vandrel.recovery"); }

    // A new start, answering the scripted questions; the form before it is left as a kill
    // leaves a process: nothing more runs in it.
    Form15 &start(QList<MsgBoxResult> answers = {})
    {
        fakes.messages.shown.clear();
        fakes.messages.answers = answers;
        form.reset(); // its destructor writes nothing
        form = std::make_unique<Form15>(fakes.services());
        form->Form_Load();
        return *form;
    }

    // Kills this run and starts the next, answering Yes: the log comes back as it was, its
    // contacts counted in the question.
    void restartAndRestore(const QString &contacts)
    {
        const QString killed = form->Text1.text();
        start({vbYes});
        QCOMPARE(form->Text1.text(), killed);
        const QString prompt = fakes.messages.shown.value(0).prompt;
        QVERIFY2(prompt.contains(u": "_s + contacts + u","_s), qPrintable(prompt));
    }

    // A first start and two contacts, the second at 15:47.
    void startWithTwoContacts()
    {
        start();
        add(QStringLiteral("Q1ABC"));
        fakes.clock.set(QDate(2016, 7, 16), 15, 47);
        add(QStringLiteral("Q2XYZ"));
    }

    void add(const QString &call)
    {
        form->Text2.setText(call);
        form->Text3.setText(QStringLiteral("012"));
        form->Text4.setText(QStringLiteral("JN80XY"));
        form->Command1.click();
    }

    QStringList asideFiles() const
    {
        return QDir(fakes.directory.path())
            .entryList({QStringLiteral("vandrel.recovery.*")}, QDir::Files);
    }

    void writeRecoveryFile(const QByteArray &bytes) const
    {
        QFile file(recoveryPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QString restorePrompt = QStringLiteral(
    "The log of the last session was not saved: 2 contacts, the last one added at 15:47 on "
    "16/07/2016.\nRestore the log?");

} // namespace

class TestLogRecovery : public QObject
{
    Q_OBJECT

private slots:
    void aStartWithoutARecoveryFileAsksNothingAndWritesNothing()
    {
        Runs runs;
        runs.start();
        QVERIFY(runs.fakes.messages.shown.isEmpty());
        QVERIFY(!QFile::exists(runs.recoveryPath()));
        runs.form->requestClose(); // answered No by the fakes
        QVERIFY(!QFile::exists(runs.recoveryPath()));
    }

    void aSecondWindowLeavesTheFirstOnesRecoveryFileAlone()
    {
        Runs runs;
        runs.start();
        runs.add(QStringLiteral("Q1ABC")); // unsaved in the first window, which goes on
        const QByteArray first = readAll(runs.recoveryPath());

        Form15 second(runs.fakes.services());
        second.shareLogDirectory();
        second.Form_Load();
        QVERIFY(runs.fakes.messages.shown.isEmpty()); // the first window's log is not offered
        QVERIFY(second.Text1.text().isEmpty());
        second.Text2.setText(QStringLiteral("Q2XYZ"));
        second.Text3.setText(QStringLiteral("007"));
        second.Text4.setText(QStringLiteral("JN61FW"));
        second.Command1.click();

        QCOMPARE(readAll(runs.recoveryPath()), first);
        const QString own =
            runs.recoveryPath() + u'.' + QString::number(QCoreApplication::applicationPid());
        QVERIFY(readAll(own).contains("Q2XYZ"));
    }

    void yesAfterAKillGivesBackTheLogAndTheSentNumber()
    {
        Runs runs;
        runs.startWithTwoContacts();
        const QString killed = runs.form->Text1.text();

        Form15 &form = runs.start({vbYes});
        QCOMPARE(runs.fakes.messages.shown.size(), 1);
        const ShownMessage question = runs.fakes.messages.shown[0];
        QCOMPARE(question.prompt, restorePrompt);
        QCOMPARE(question.style, vbYesNo + vbQuestion);
        QCOMPARE(question.title, QStringLiteral("Morvit Vandrel"));
        QCOMPARE(form.Text1.text(), killed);
        QCOMPARE(form.Frame1.caption(), QStringLiteral("003"));
        QVERIFY(runs.asideFiles().isEmpty());

        // Killed again before saving: asked again, with the contact added since.
        runs.add(QStringLiteral("Q3DEF"));
        runs.restartAndRestore(QStringLiteral("3 contacts"));
        const QString killedAgain = runs.form->Text1.text();

        // "Save" as an uninterrupted session would have written it; the next start asks nothing.
        runs.form->Command3.click();
        QCOMPARE(readAll(runs.path("vandrel.txt")), (killedAgain + u"\r\n"_s).toUtf8());
        runs.start();
        QVERIFY(runs.fakes.messages.shown.isEmpty());
        QVERIFY(runs.form->Text1.text().isEmpty());
        QCOMPARE(runs.form->Frame1.caption(), QStringLiteral("001"));
    }

    void noKeepsTheFileAsideAndStartsEmpty()
    {
        Runs runs;
        runs.start();
        runs.add(QStringLiteral("Q1ABC"));
        const QByteArray left = readAll(runs.recoveryPath());

        runs.start({vbNo});
        QCOMPARE(runs.fakes.messages.shown.size(), 1);
        QVERIFY(runs.form->Text1.text().isEmpty());
        QCOMPARE(runs.form->Frame1.caption(), QStringLiteral("001"));
        QVERIFY(!QFile::exists(runs.recoveryPath()));
        QCOMPARE(runs.asideFiles().size(), 1);
        QCOMPARE(readAll(runs.path(qPrintable(runs.asideFiles()[0]))), left);

        runs.start();
        QVERIFY(runs.fakes.messages.shown.isEmpty());
    }

    void editsOfTheLogBoxComeBackAndAConfirmedExitKeepsThem()
    {
        Runs runs;
        runs.start();
        runs.add(QStringLiteral("Q1ABC"));
        // The operator's own line breaks, as the log box hands them over.
        const QString edited = runs.form->Text1.text() + QStringLiteral("lone LF\nlone CR\r\r\n");
        runs.form->Text1.setText(edited);
        QVERIFY(runs.form->recoveryJournal().hasWaitingEdit());
        runs.fakes.messages.answers = {vbYes};
        QVERIFY(runs.form->requestClose()); // "Want to exit now?" Yes, unsaved
        runs.restartAndRestore(QStringLiteral("1 contact"));
        QCOMPARE(runs.form->Text1.text(), edited);
    }

    void openIntoAnEmptyLogAsksNothingAfterAKillButOpenAfterAddsDoes()
    {
        Runs runs;
        runs.start();
        runs.add(QStringLiteral("Q1ABC"));
        runs.form->Command3.click();

        runs.start();
        runs.form->Command2.click();
        runs.start();
        QVERIFY(runs.fakes.messages.shown.isEmpty());

        runs.add(QStringLiteral("Q2XYZ"));
        runs.form->Command2.click(); // the saved contact after this one
        runs.restartAndRestore(QStringLiteral("2 contacts"));
    }

    void aDamagedFileGivesBackWhatItHoldsAndSaysHowMuchWasSkipped()
    {
        Runs runs;
        runs.startWithTwoContacts();
        const QString two = runs.form->Text1.text();
        runs.add(QStringLiteral("Q3DEF"));
        QByteArray bytes = readAll(runs.recoveryPath());
        bytes.chop(7); // the power went during the third add
        const QByteArray damaged = bytes + "\xFF\xFE";
        runs.writeRecoveryFile(damaged);

        runs.start({vbYes});
        const qsizetype skipped = damaged.size() - readRecoveryRecords(damaged).readBytes;
        QCOMPARE(runs.fakes.messages.shown[0].prompt,
                 QString(restorePrompt)
                     .replace(QStringLiteral("\nRestore"),
                              QStringLiteral("\nThe end of the recovery file is damaged: %1 "
                                             "bytes could not be read and are skipped.\nRestore")
                                  .arg(skipped)));
        QCOMPARE(runs.form->Text1.text(), two);
        // The damaged file is kept as it was; the new one holds the restored log.
        QCOMPARE(runs.asideFiles().size(), 1);
        QCOMPARE(readAll(runs.path(qPrintable(runs.asideFiles()[0]))), damaged);
        QCOMPARE(readRecoveryRecords(readAll(runs.recoveryPath())).logText, two);
    }

    void aFileThatCannotBeReadIsKeptAsideWithAMessage_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("says");
        const QByteArray records = encodeRecord(RecordKind::Append, u"001-+-x\r\n", 0);
        QTest::newRow("newer") << "VANDREL-RECOVERY 2\n" + records
                               << QStringLiteral("newer version of Vandrel (format 2)");
        QTest::newRow("garbage") << QByteArray("\x00\x01zzz", 5)
                                 << QStringLiteral("damaged from its start");
        QTest::newRow("damaged after a save")
            << recoveryFileHeader() + encodeRecord(RecordKind::Saved, {}, 0) + "A 9"
            << QStringLiteral("damaged after the last save: 3 bytes could not be read");
        // Never saved: no "last save" to speak of.
        QByteArray flipped = recoveryFileHeader() + records;
        flipped[flipped.size() - 4] ^= 0x08;
        QTest::newRow("first record damaged, never saved")
            << flipped
            << QStringLiteral("is damaged from its first record on: nothing could be read; it "
                              "was kept as ");
    }

    void aFileThatCannotBeReadIsKeptAsideWithAMessage()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, says);
        Runs runs;
        runs.writeRecoveryFile(bytes);
        runs.start();
        QCOMPARE(runs.fakes.messages.shown.size(), 1);
        const ShownMessage message = runs.fakes.messages.shown[0];
        QVERIFY2(message.prompt.contains(says), qPrintable(message.prompt));
        QVERIFY(message.prompt.contains(QStringLiteral("it was kept as ")));
        QCOMPARE(message.style, vbExclamation);
        QVERIFY(runs.form->Text1.text().isEmpty());
        QCOMPARE(runs.asideFiles().size(), 1);
        QCOMPARE(readAll(runs.path(qPrintable(runs.asideFiles()[0]))), bytes);
    }

    // Anything but a regular file of a sane size at vandrel.recovery is set aside by a rename
    // (never read, never copied) and the window starts.
    void anOddFileAtTheRecoveryPathIsSetAsideAndTheWindowStarts_data()
    {
        QTest::addColumn<QString>("odd");
        QTest::addColumn<QString>("says");
        QTest::newRow("FIFO") << u"fifo"_s << u"is not a regular file"_s;
        QTest::newRow("link to /dev/zero") << u"zero"_s << u"is not a regular file"_s;
        QTest::newRow("directory") << u"directory"_s << u"is not a regular file"_s;
        QTest::newRow("1 GB sparse file") << u"sparse"_s << u"is larger than 320 MB"_s;
    }
    void anOddFileAtTheRecoveryPathIsSetAsideAndTheWindowStarts()
    {
        QFETCH(QString, odd);
        QFETCH(QString, says);
        Runs runs;
        const QByteArray path = QFile::encodeName(runs.recoveryPath());
        if (odd == u"fifo"_s)
            QCOMPARE(::mkfifo(path.constData(), 0600), 0);
        else if (odd == u"zero"_s)
            QVERIFY(QFile::link(u"/dev/zero"_s, runs.recoveryPath()));
        else if (odd == u"directory"_s)
            QVERIFY(QDir().mkdir(runs.recoveryPath()));
        else
            QCOMPARE(::truncate((runs.writeRecoveryFile("VANDREL-RECOVERY 1\n"), path.constData()),
                                1LL << 30),
                     0);

        runs.start();
        QCOMPARE(runs.fakes.messages.shown.size(), 1);
        const QString prompt = runs.fakes.messages.shown[0].prompt;
        QVERIFY2(prompt.startsWith(u"The recovery file "_s + runs.recoveryPath() + u' ' + says +
                                   u"; it was kept as "_s + runs.recoveryPath() + u".20"_s),
                 qPrintable(prompt));
        struct stat status;
        QCOMPARE(::lstat(path.constData(), &status), -1);
        // One new name for the same file: nothing was copied.
        const QStringList beside =
            QDir(runs.fakes.directory.path())
                .entryList({u"vandrel.recovery.*"_s}, QDir::AllEntries | QDir::System);
        QCOMPARE(beside.size(), 1);
        runs.add(QStringLiteral("Q1ABC"));
        QVERIFY(readAll(runs.recoveryPath()).contains("Q1ABC"));
    }

    // A second window's contacts come back after both windows died, in the same question.
    void everyWindowsUnsavedLogIsOfferedInOneQuestion()
    {
        Runs runs;
        runs.start();
        runs.add(QStringLiteral("W8AAA"));
        Form15 second(runs.fakes.services());
        second.shareLogDirectory();
        second.Form_Load();
        second.Text2.setText(QStringLiteral("W8BBB"));
        second.Text3.setText(QStringLiteral("007"));
        second.Text4.setText(QStringLiteral("JN61FW"));
        runs.fakes.clock.set(QDate(2016, 7, 16), 15, 47);
        second.Command1.click();
        const QString secondJournal =
            runs.recoveryPath() + u'.' + QString::number(QCoreApplication::applicationPid());

        runs.start({vbYes}); // both killed
        QCOMPARE(runs.fakes.messages.shown.size(), 1);
        QCOMPARE(runs.fakes.messages.shown[0].prompt,
                 u"The logs of the last sessions were not saved:\n"_s + runs.recoveryPath() +
                     u": 1 contact, the last one added at 15:45 on 16/07/2016.\n"_s +
                     secondJournal +
                     u": 1 contact, the last one added at 15:47 on 16/07/2016.\n"
                     u"Restore the log?"_s);
        const QString log = runs.form->Text1.text();
        QVERIFY(log.contains(u"W8AAA"_s) && log.contains(u"W8BBB"_s));
        QCOMPARE(runs.form->Frame1.caption(), QStringLiteral("002"));
        // Held by this window's recovery file only.
        QVERIFY(!QFileInfo::exists(secondJournal));
        QCOMPARE(readRecoveryRecords(readAll(runs.recoveryPath())).logText, log);
        runs.restartAndRestore(QStringLiteral("2 contacts"));
    }

    // The log's place changed since the last run (its folder became read-only): the recovery
    // file left in the old place is offered, and the question says where the log is now.
    void aRecoveryFileLeftWhereTheLogWasBeforeIsOffered()
    {
        Runs before;
        before.startWithTwoContacts();
        const QString killed = before.form->Text1.text();

        Runs runs;
        runs.fakes.directory.other = before.fakes.directory.path();
        runs.start({vbYes});
        QCOMPARE(runs.fakes.messages.shown.size(), 1);
        QCOMPARE(runs.fakes.messages.shown[0].prompt,
                 u"The log is now kept in "_s + runs.fakes.directory.path() + u", no longer in "_s +
                     before.fakes.directory.path() +
                     u".\nThe log of the last session was not saved:\n"_s + before.recoveryPath() +
                     u": 2 contacts, the last one added at 15:47 on 16/07/2016.\n"
                     u"Restore the log?"_s);
        QCOMPARE(runs.form->Text1.text(), killed);
        QVERIFY(!QFileInfo::exists(before.recoveryPath()));
        QCOMPARE(readRecoveryRecords(readAll(runs.recoveryPath())).logText, killed);
    }

    // Root starts the program in a folder where another user planted a link at the recovery
    // file: nothing is ever written through it.
    void aPlantedLinkIsNeverWrittenThrough()
    {
        if (::geteuid() != 0)
            QSKIP("only root can give a link to another user");
        Runs runs;
        const QString target = runs.path("planted-by-another-user");
        QVERIFY(QFile::link(target, runs.recoveryPath()));
        QCOMPARE(::lchown(QFile::encodeName(runs.recoveryPath()).constData(), 4321, 4321), 0);
        runs.start();
        QVERIFY2(runs.fakes.messages.lastPrompt().contains(u"that belongs to another user"_s),
                 qPrintable(runs.fakes.messages.lastPrompt()));
        runs.add(QStringLiteral("Q1ABC"));
        // Planted again while the window runs, before an add and before a rewrite.
        for (int round = 0; round < 2; ++round) {
            QVERIFY(QFile::remove(runs.recoveryPath()));
            QVERIFY(QFile::link(target, runs.recoveryPath()));
            QCOMPARE(::lchown(QFile::encodeName(runs.recoveryPath()).constData(), 4321, 4321), 0);
            runs.add(round == 0 ? QStringLiteral("Q2XYZ") : QStringLiteral("Q3DEF"));
        }
        QVERIFY(!QFileInfo::exists(target));
        QVERIFY(runs.fakes.messages.lastPrompt().startsWith(
            u"Impossible to write the recovery file "_s + runs.recoveryPath()));
    }

    // Every step that puts the recovery file on the disk can fail, and the operator is told.
    void aFailedSyncReachesTheOperator_data()
    {
        QTest::addColumn<QString>("failing");
        QTest::newRow("the sync of a rewritten file") << u"file"_s;
        QTest::newRow("the sync of the directory after a rewrite") << u"directory"_s;
        QTest::newRow("the sync of an add") << u"data"_s;
    }
    void aFailedSyncReachesTheOperator()
    {
        QFETCH(QString, failing);
        Runs runs;
        const QString reason = u"Input/output error"_s;
        (failing == u"file"_s        ? runs.fakes.files.flushFailure
         : failing == u"directory"_s ? runs.fakes.files.syncDirectoryFailure
                                     : runs.fakes.files.syncDataFailure) = reason;
        runs.start();
        runs.add(QStringLiteral("Q1ABC")); // the first add writes the whole file
        runs.add(QStringLiteral("Q2XYZ")); // the next ones append
        QCOMPARE(runs.fakes.messages.shown.size(), 1);
        QCOMPARE(runs.fakes.messages.shown[0].prompt,
                 u"Impossible to write the recovery file "_s + runs.recoveryPath() + u":\n"_s +
                     reason +
                     u"\nThe contacts added since the last \"Save\" are only in the window."_s);
    }

    void anUnwritableDirectoryIsToldOnceAtStart()
    {
        struct Missing : LogDirectoryService
        {
            QString path() const override { return QStringLiteral("/nonexistent/vandrel-logs"); }
        } missing;
        FakeServices fakes;
        Form15 form({fakes.clock, fakes.messages, missing, fakes.files});
        form.Form_Load();
        QCOMPARE(fakes.messages.shown.size(), 1);
        const ShownMessage told = fakes.messages.shown[0];
        QVERIFY(told.prompt.startsWith(
            QStringLiteral("Impossible to write in /nonexistent/vandrel-logs:\nNo such file")));
        QCOMPARE(told.style, vbExclamation);
        QCOMPARE(told.title, QStringLiteral("Morvit Vandrel"));

        // The window works as before, with no box for each contact.
        form.Text2.setText(QStringLiteral("Q1ABC"));
        form.Text3.setText(QStringLiteral("012"));
        form.Text4.setText(QStringLiteral("JN80XY"));
        form.Command1.click();
        QCOMPARE(form.Frame1.caption(), QStringLiteral("002"));
        QCOMPARE(fakes.messages.shown.size(), 1);
    }

    void aWriteThatFailsLaterIsToldOnce()
    {
        Runs runs;
        runs.start();
        runs.add(QStringLiteral("Q1ABC"));
        QVERIFY(QFile::remove(runs.recoveryPath()));
        QVERIFY(QDir().mkdir(runs.recoveryPath())); // a directory where the file was
        runs.form->Text1.setText(QStringLiteral("edited"));
        runs.form->recoveryJournal().flush();
        runs.add(QStringLiteral("Q2XYZ"));
        QCOMPARE(runs.fakes.messages.shown.size(), 1);
        QVERIFY(runs.fakes.messages.lastPrompt().startsWith(
            QStringLiteral("Impossible to write the recovery file ") + runs.recoveryPath()));
    }
};

QTEST_MAIN(TestLogRecovery)
#include "tst_log_recovery.moc"
