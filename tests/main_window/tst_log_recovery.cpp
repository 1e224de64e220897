#include "fake_services.h"
#include "form15.h"
#include "recovery_records.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <memory>

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

    void anUnwritableDirectoryIsToldOnceAtStart()
    {
        struct Missing : ProgramDirectory
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
