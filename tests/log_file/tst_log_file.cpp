#include "contact_form.h"
#include "contact_lines.h"
#include "fake_services.h"
#include "file_bytes.h"
#include "form15.h"
#include "log_file.h"
#include "operator_messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString title = QStringLiteral("Morvit Vandrel");

enum SaveFault
{
    DiskFullPartWay,
    DiskFullAtFirstByte,
    DiskFullAtLastLineEnd,
    DirectoryNotWritable,
    DirectoryAtThePath,
    DirectoryMissing
};

// A program directory that need not exist.
class GivenDirectory : public ProgramDirectory
{
public:
    explicit GivenDirectory(QString path) : path_(std::move(path)) {}
    QString path() const override { return path_; }

private:
    QString path_;
};

// The names in a directory, as the file system has them.
QByteArrayList entriesOf(const QByteArray &directory)
{
    QByteArrayList names;
    if (DIR *listing = ::opendir(directory.constData())) {
        while (const dirent *entry = ::readdir(listing)) {
            if (qstrcmp(entry->d_name, ".") != 0 && qstrcmp(entry->d_name, "..") != 0)
                names.append(entry->d_name);
        }
        ::closedir(listing);
    }
    return names;
}

// The window with fake services in a fresh temporary directory; "Save" and "Open" as the
// operator clicks them, messages included.
struct Log
{
    FakeServices fakes;
    Form15 form{fakes.services()};

    QString path() const { return fakes.directory.path() + QStringLiteral("/vandrel.txt"); }
    void save() { form.Command3_Click(); }
    void open() { form.Command2_Click(); }
};

} // namespace

class TestLogFile : public QObject
{
    Q_OBJECT

private slots:
    void savesTheLogAsUtf8WithOneMoreLineEnd()
    {
        Log log;
        const QString text =
            twoContacts + QStringLiteral("003-+-16/07/2016---1347---OZ/D\u00D8A\r\n");
        log.form.Text1.setText(text);
        log.save();
        QCOMPARE(readBytes(log.path()), text.toUtf8() + "\r\n");
        QCOMPARE(log.fakes.messages.shown.size(), 1);
        QCOMPARE(log.fakes.messages.lastPrompt(), QStringLiteral("Log saved in ") + log.path());
        QCOMPARE(log.fakes.messages.shown.last().style, vbInformation);
        QCOMPARE(log.fakes.messages.shown.last().title, title);
    }

    void saveReplacesAnOldFileWithoutAsking()
    {
        Log log;
        writeBytes(log.path(), QByteArray(10000, 'x'));
        log.form.Text1.setText(twoContacts);
        log.save();
        QCOMPARE(readBytes(log.path()), twoContacts.toUtf8() + "\r\n");
        QCOMPARE(QDir(log.fakes.directory.path()).entryList({u"vandrel.txt*"_s}, QDir::Files),
                 QStringList{u"vandrel.txt"_s});
    }

    void refusesToSaveAnEmptyLog()
    {
        Log log;
        writeBytes(log.path(), "old");
        log.save();
        QCOMPARE(log.fakes.messages.lastPrompt(),
                 QStringLiteral("Impossible to save an empty log"));
        QCOMPARE(log.fakes.messages.shown.last().style, vbInformation);
        QCOMPARE(log.fakes.messages.shown.last().title, title);
        QCOMPARE(readBytes(log.path()), QByteArray("old"));
    }

    void saveThatCannotCompleteKeepsTheOldFile_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("reason"); // empty: whatever the system says
        QTest::newRow("disk full part way") << int(DiskFullPartWay) << "No space left on device";
        QTest::newRow("disk full at the first byte")
            << int(DiskFullAtFirstByte) << "No space left on device";
        QTest::newRow("disk full at the line end after the log")
            << int(DiskFullAtLastLineEnd) << "No space left on device";
        QTest::newRow("directory not writable") << int(DirectoryNotWritable) << "Permission denied";
        QTest::newRow("directory where the file goes") << int(DirectoryAtThePath) << "";
        QTest::newRow("directory missing") << int(DirectoryMissing) << "";
    }

    void saveThatCannotCompleteKeepsTheOldFile()
    {
        QFETCH(int, fault);
        QFETCH(QString, reason);
        Log log;
        const QByteArray old = twoContacts.toUtf8() + "\r\n";
        writeBytes(log.path(), old);
        GivenDirectory missing(log.fakes.directory.path() + QStringLiteral("/gone"));
        const bool inMissing = fault == DirectoryMissing;
        const WindowServices services{log.fakes.clock, log.fakes.messages,
                                      inMissing ? static_cast<ProgramDirectory &>(missing)
                                                : log.fakes.directory,
                                      log.fakes.files};
        const QString path = logFilePath(services.programDirectory);
        // Far longer than what the full disk takes.
        QString text;
        for (int i = 0; i < 200; ++i)
            text += twoContacts;
        if (fault == DiskFullPartWay)
            log.fakes.files.writableBytes = 100;
        if (fault == DiskFullAtFirstByte)
            log.fakes.files.writableBytes = 0;
        if (fault == DiskFullAtLastLineEnd)
            log.fakes.files.writableBytes = text.toUtf8().size() + 1;
        if (fault == DirectoryNotWritable)
            log.fakes.files.replaceFailure = reason;
        if (fault == DirectoryAtThePath) {
            QVERIFY(QFile::remove(path));
            QVERIFY(QDir().mkdir(path));
        }
        Form15 form(services);
        form.Text1.setText(text);
        const QSignalSpy changes(&form.Text1, &TextBox::Change);

        form.Command3_Click();

        QCOMPARE(log.fakes.messages.shown.size(), 1);
        const ShownMessage message = log.fakes.messages.shown.last();
        QVERIFY2(message.prompt.contains(path + QStringLiteral(":\n")), qPrintable(message.prompt));
        const QString shownReason = message.prompt.section(u'\n', 1, 1);
        QVERIFY2(!shownReason.isEmpty(), qPrintable(message.prompt));
        if (!reason.isEmpty())
            QCOMPARE(shownReason, reason);
        QVERIFY(!message.prompt.contains(QStringLiteral("saved in")));
        QCOMPARE(message.style, vbExclamation);
        QCOMPARE(message.title, title);
        QCOMPARE(form.Text1.text(), text);
        QCOMPARE(changes.count(), 0);
        if (fault == DirectoryAtThePath) {
            QVERIFY(QFileInfo(path).isDir());
        } else {
            QCOMPARE(readBytes(log.path()), old);
            // Nothing half-written is left beside it.
            QCOMPARE(QDir(log.fakes.directory.path()).entryList(QDir::Files | QDir::Hidden),
                     QStringList{u"vandrel.txt"_s});
        }
    }

    void opensTheFilesLines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("sentNumber");
        QTest::newRow("as saved") << twoContacts.toUtf8() + "\r\n" << twoContacts << "003";
        QTest::newRow("last line without a break")
            << twoContacts.toUtf8().chopped(2) << twoContacts << "003";
        QTest::newRow("one blank line disappears")
            << QByteArray("001-+-a\r\n\r\n002-+-b\r\n") << "001-+-a\r\n002-+-b\r\n"
            << "003";
        QTest::newRow("of two blank lines one remains")
            << QByteArray("001-+-a\r\n\r\n\r\n002-+-b\r\n") << "001-+-a\r\n\r\n002-+-b\r\n"
            << "003";
        QTest::newRow("041 restores 042")
            << QByteArray("039-+-a\r\n040-+-b\r\n041-+-16/07/2016---1345---Q1ABC\r\n")
            << "039-+-a\r\n040-+-b\r\n041-+-16/07/2016---1345---Q1ABC\r\n"
            << "042";
        QTest::newRow("lone LF stays in its line")
            << QByteArray("001-+-a\nstill a\r\n002-+-b\r\n") << "001-+-a\nstill a\r\n002-+-b\r\n"
            << "003";
        QTest::newRow("8-bit file read as windows-1252")
            << QByteArray("001-+-S\xE9te\r\n002-+-\x80\r\n")
            << "001-+-S\u00E9te\r\n002-+-\u20AC\r\n"
            << "003";
        QTest::newRow("empty file") << QByteArray() << ""
                                    << "001";
    }

    void opensTheFilesLines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(QString, sentNumber);
        Log log;
        writeBytes(log.path(), bytes);
        log.open();
        QCOMPARE(log.form.Text1.text(), text);
        QCOMPARE(log.form.Frame1.caption(), sentNumber);
        QVERIFY(log.fakes.messages.shown.isEmpty());
    }

    void saveThenOpenGivesTheSameLogBack()
    {
        Log saved;
        saved.form.Text1.setText(twoContacts);
        saved.save();

        ContactForm opened;
        OpenLog(opened, saved.fakes.services());
        QCOMPARE(opened.Text1.text(), twoContacts);
        QCOMPARE(opened.Frame1.caption(), QStringLiteral("003"));
    }

    void openingTwiceAppendsTheFileTwice()
    {
        Log log;
        writeBytes(log.path(), twoContacts.toUtf8() + "\r\n");
        log.form.Frame1.setCaption(QStringLiteral("017"));
        log.open();
        log.open();
        QCOMPARE(log.form.Text1.text(), twoContacts + twoContacts);
        QCOMPARE(log.form.Frame1.caption(), QStringLiteral("003"));
    }

    void opensIntoTheLogBoxInOneChange()
    {
        Log log;
        log.form.Text1.setText(twoContacts);
        QString file;
        for (int i = 0; i < 50; ++i)
            file += twoContacts;
        writeBytes(log.path(), file.toUtf8());
        const QSignalSpy changes(&log.form.Text1, &TextBox::Change);
        const QSignalSpy appends(&log.form.Text1, &TextBox::textAppended);
        log.open();
        QCOMPARE(changes.count(), 1);
        QCOMPARE(appends.count(), 0);
        QCOMPARE(log.form.Text1.text(), twoContacts + file);
    }

    void missingFileIsNotFound()
    {
        Log log;
        log.form.Text1.setText(twoContacts);
        log.form.Frame1.setCaption(QStringLiteral("017"));
        log.open();
        QCOMPARE(log.fakes.messages.shown.size(), 1);
        QCOMPARE(log.fakes.messages.lastPrompt(), QStringLiteral("Log not found!."));
        QCOMPARE(log.fakes.messages.shown.last().style, vbExclamation);
        QCOMPARE(log.fakes.messages.shown.last().title, title);
        QCOMPARE(log.form.Text1.text(), twoContacts);
        QCOMPARE(log.form.Frame1.caption(), QStringLiteral("017"));
    }

    void unreadableFileLeavesTheLogAsItWas_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("shown"); // in the message, after the path
        QTest::newRow("file that cannot be read") << u"unreadable"_s << u"Permission denied"_s;
        QTest::newRow("directory where the file goes")
            << u"directory"_s << u"It is not a regular file"_s;
        // A FIFO without a writer would block "Open" for ever.
        QTest::newRow("FIFO where the file goes") << u"fifo"_s << u"It is not a regular file"_s;
        QTest::newRow("a line of 10 MB")
            << u"long line"_s << u"Line 3 is longer than 65536 characters"_s;
    }

    void unreadableFileLeavesTheLogAsItWas()
    {
        QFETCH(QString, what);
        QFETCH(QString, shown);
        Log log;
        if (what == u"directory") {
            QVERIFY(QDir().mkdir(log.path()));
        } else if (what == u"fifo") {
            QCOMPARE(::mkfifo(QFile::encodeName(log.path()).constData(), 0600), 0);
        } else if (what == u"long line") {
            writeBytes(log.path(), twoContacts.toUtf8() + "003-+-" + QByteArray(10 << 20, 'A'));
        } else {
            writeBytes(log.path(), twoContacts.toUtf8());
            log.fakes.files.readFailure = QStringLiteral("Permission denied");
        }
        log.form.Text1.setText(QStringLiteral("005-+-a\r\n"));
        log.form.Frame1.setCaption(QStringLiteral("006"));
        const QSignalSpy changes(&log.form.Text1, &TextBox::Change);
        log.open();
        QCOMPARE(log.fakes.messages.shown.size(), 1);
        const ShownMessage message = log.fakes.messages.shown.last();
        QVERIFY2(message.prompt.contains(log.path() + u":\n"_s + shown),
                 qPrintable(message.prompt));
        QCOMPARE(message.style, vbExclamation);
        QCOMPARE(message.title, title);
        QCOMPARE(log.form.Text1.text(), QStringLiteral("005-+-a\r\n"));
        QCOMPARE(log.form.Frame1.caption(), QStringLiteral("006"));
        QCOMPARE(changes.count(), 0);
    }

    void secondWindowKeepsTheFirstOnesContacts()
    {
        // Two windows on one log directory, each started before the other saved.
        FakeServices first;
        FakeServices second;
        const WindowServices secondServices{second.clock, second.messages, first.directory,
                                            second.files};
        Form15 a(first.services());
        Form15 b(secondServices);
        a.Form_Load();
        b.Form_Load();
        const QString path = first.directory.path() + u"/vandrel.txt"_s;
        const QString other = u"001-+-16/07/2016---1350---OH2XX---59---001---KP20AA\r\n"_s;
        a.Text1.setText(twoContacts);
        b.Text1.setText(other);

        a.Command3_Click();
        b.Command3_Click();
        QCOMPARE(readBytes(path), twoContacts.toUtf8() + "\r\n");
        const ShownMessage refusal = second.messages.shown.last();
        QVERIFY2(refusal.prompt.startsWith(u"Impossible to save the log in "_s + path +
                                           u":\nAnother program (another Vandrel?) has changed"_s),
                 qPrintable(refusal.prompt));
        QCOMPARE(refusal.style, vbExclamation);

        // Opened, the file's contacts join the window's, and the next save keeps them all.
        b.Command2_Click();
        b.Command3_Click();
        QCOMPARE(second.messages.lastPrompt(), u"Log saved in "_s + path);
        QCOMPARE(readBytes(path), (other + twoContacts).toUtf8() + "\r\n");
        // Now the first window is the one that has not seen the file.
        a.Command3_Click();
        QVERIFY(first.messages.lastPrompt().startsWith(u"Impossible to save"_s));
        QCOMPARE(readBytes(path), (other + twoContacts).toUtf8() + "\r\n");
    }

    void logInUseByAnotherVandrelIsToldAtStart()
    {
        FakeMessageService messages;
        messages.answers = {vbNo, vbYes};
        const LockHolder holder{4242, u"shack-pc"_s};
        QVERIFY(!goOnWithLogInUse(messages, u"/home/op/vandrel"_s, holder));
        QVERIFY(goOnWithLogInUse(messages, u"/home/op/vandrel"_s, holder));
        const ShownMessage message = messages.shown.last();
        QVERIFY2(message.prompt.startsWith(u"The log in /home/op/vandrel is in use by another "
                                           u"Vandrel (process 4242 on shack-pc)."_s),
                 qPrintable(message.prompt));
        // A stray Return answers No.
        QCOMPARE(message.style, vbYesNo + vbExclamation + vbDefaultButton2);
        QCOMPARE(message.title, title);
    }

    void savesThroughItsOwnLinkAndNamesTheRealFile()
    {
        Log log;
        const QString target = log.fakes.directory.path() + u"/contest.txt"_s;
        writeBytes(target, "old");
        QVERIFY(QFile::link(target, log.path()));
        log.form.Text1.setText(twoContacts);
        log.save();
        QCOMPARE(log.fakes.messages.lastPrompt(), u"Log saved in "_s + target);
        QCOMPARE(readBytes(target), twoContacts.toUtf8() + "\r\n");

        if (::geteuid() != 0)
            QSKIP("only root can give a link to another user");
        QCOMPARE(::lchown(QFile::encodeName(log.path()).constData(), 4321, 4321), 0);
        log.form.Text1.setText(firstContact + u"\r\n"_s);
        log.save();
        QCOMPARE(log.fakes.messages.lastPrompt(),
                 u"Impossible to save the log in "_s + log.path() + u":\nIt is a link to "_s +
                     target +
                     u" that belongs to another user; the log is not written through it\n"
                     u"The file is as it was before; the log is still in the window."_s);
        QCOMPARE(readBytes(target), twoContacts.toUtf8() + "\r\n");
    }

    void directoryWhoseNameIsLostIsNeverWrittenAround_data()
    {
        QTest::addColumn<QByteArray>("name"); // in a temporary directory; empty: no name at all
        QTest::newRow("name that is not UTF-8") << QByteArray("log\xFF\xFE");
        QTest::newRow("no name") << QByteArray();
    }
    void directoryWhoseNameIsLostIsNeverWrittenAround()
    {
        QFETCH(QByteArray, name);
        QTemporaryDir parent;
        QString given; // the directory's name as the program gets it
        if (!name.isEmpty()) {
            const QByteArray bytes = QFile::encodeName(parent.path()) + '/' + name;
            QCOMPARE(::mkdir(bytes.constData(), 0700), 0);
            given = QFile::decodeName(bytes);
        } else if (QFileInfo::exists(u"/vandrel.txt"_s)) {
            QSKIP("a /vandrel.txt is already there");
        }
        FakeServices fakes;
        GivenDirectory directory(given);
        const WindowServices services{fakes.clock, fakes.messages, directory, fakes.files};
        Form15 form(services);
        form.Text1.setText(twoContacts);

        form.Command3_Click();
        form.Command2_Click();
        QCOMPARE(fakes.messages.shown.size(), 2);
        for (const ShownMessage &message : fakes.messages.shown) {
            QVERIFY2(message.prompt.contains(u"The program's directory cannot be found under this "
                                             u"name"_s),
                     qPrintable(message.prompt));
            QCOMPARE(message.style, vbExclamation);
        }
        QCOMPARE(form.Text1.text(), twoContacts);
        QVERIFY(!QFileInfo::exists(u"/vandrel.txt"_s));
        // The real directory and nothing else, empty.
        const QByteArray parentBytes = QFile::encodeName(parent.path());
        const QByteArrayList inParent = entriesOf(parentBytes);
        const QByteArrayList inDirectory =
            name.isEmpty() ? QByteArrayList() : entriesOf(parentBytes + '/' + name);
        if (!name.isEmpty())
            ::rmdir((parentBytes + '/' + name).constData());
        QCOMPARE(inParent, name.isEmpty() ? QByteArrayList() : QByteArrayList{name});
        QCOMPARE(inDirectory, QByteArrayList());
    }
};

QTEST_APPLESS_MAIN(TestLogFile)
#include "tst_log_file.moc"
