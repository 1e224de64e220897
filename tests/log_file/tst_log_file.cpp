#include "contact_lines.h"
#include "contact_log/contact_form.h"
#include "fake_services.h"
#include "file_bytes.h"
#include "log_file/log_file.h"
#include "main_window/form15.h"
#include "main_window/operator_messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <dirent.h>
#include <memory>
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
class GivenDirectory : public LogDirectoryService
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
    // The files beside the log file named after it: the log file and the copies kept aside.
    QStringList logFiles() const
    {
        return QDir(fakes.directory.path()).entryList({u"vandrel.txt*"_s}, QDir::Files);
    }
    // The name a copy of the log file as it is now is kept under.
    QString copyName() const
    {
        return path() + u'.' + QFileInfo(path()).lastModified().toString(u"yyyy-MM-dd_HH-mm-ss"_s);
    }
};

// Contact lines of another day, as another session saved them.
QString contactsOfYesterday(int count)
{
    QString text;
    for (int i = 1; i <= count; ++i)
        text += u"%1-+-15/07/2016---0900---Q%2YD---59---001---JN80XY\r\n"_s
                    .arg(i, 3, 10, QLatin1Char('0'))
                    .arg(i);
    return text;
}

// How the window met the log file before it was changed to what the test saves over.
enum History
{
    NeverOpened,      // started beside it: the log came from the keyboard or the recovery file
    OpenedThenEdited, // "Open", then contacts added or lines corrected in the log box
    ChangedAfterSave, // saved by this window, then rewritten by another
    DeletedAfterSave, // saved by this window, then deleted
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

    // "Save" replaces the file without a question, but a file this window did not last read or
    // write is kept aside first when it holds a line the log lacks.
    void saveKeepsAsideOnlyAFileHoldingLinesTheLogLacks_data()
    {
        QTest::addColumn<int>("history");
        QTest::addColumn<QByteArray>("file"); // the file when "Save" is clicked
        QTest::addColumn<QString>("log");     // the log in the window then
        QTest::addColumn<bool>("kept");
        const QString third = u"003-+-16/07/2016---1350---OK1AB---59---001---JO70AA\r\n"_s;
        QTest::newRow("500 contacts of yesterday, never opened")
            << int(NeverOpened) << contactsOfYesterday(500).toUtf8() << twoContacts << true;
        QTest::newRow("a file of no contact lines, never opened")
            << int(NeverOpened) << QByteArray(10000, 'x') << twoContacts << true;
        QTest::newRow("never opened, every line in the restored log")
            << int(NeverOpened) << (twoContacts + u"\r\n"_s).toUtf8() << twoContacts + third
            << false;
        QTest::newRow("never opened, an older version's 8-bit file the log holds")
            << int(NeverOpened) << QByteArray("001-+-S\xE9te\r\n")
            << u"001-+-S\u00E9te\r\n"_s + third << false;
        QTest::newRow("never opened, a file with a UTF-8 mark the log holds")
            << int(NeverOpened) << QByteArray("\xEF\xBB\xBF") + twoContacts.toUtf8() << twoContacts
            << false;
        QTest::newRow("opened, a contact added")
            << int(OpenedThenEdited) << twoContacts.toUtf8() << twoContacts + third << false;
        QTest::newRow("opened, a line corrected in the log box")
            << int(OpenedThenEdited) << twoContacts.toUtf8()
            << QString(twoContacts).replace(u"---59---012"_s, u"---57---012"_s) << false;
        QTest::newRow("another window saved a contact this one lacks")
            << int(ChangedAfterSave) << (twoContacts + third).toUtf8() << twoContacts << true;
        QTest::newRow("rewritten meanwhile, every line in the log")
            << int(ChangedAfterSave) << (firstContact + u"\r\n"_s).toUtf8() << twoContacts << false;
        QTest::newRow("saved, then the file deleted: written anew")
            << int(DeletedAfterSave) << QByteArray() << twoContacts << false;
    }
    void saveKeepsAsideOnlyAFileHoldingLinesTheLogLacks()
    {
        QFETCH(int, history);
        QFETCH(QByteArray, file);
        QFETCH(QString, log);
        QFETCH(bool, kept);
        Log window;
        if (history == OpenedThenEdited)
            writeBytes(window.path(), file);
        window.form.Form_Load();
        if (history == OpenedThenEdited)
            window.open();
        if (history == ChangedAfterSave || history == DeletedAfterSave) {
            window.form.Text1.setText(twoContacts);
            window.save();
        }
        if (history == DeletedAfterSave)
            QVERIFY(QFile::remove(window.path()));
        else if (history != OpenedThenEdited)
            writeBytes(window.path(), file);
        window.form.Text1.setText(log);
        const QString copy = window.copyName();
        window.fakes.messages.shown.clear();

        window.save();
        QCOMPARE(readBytes(window.path()), log.toUtf8() + "\r\n");
        QCOMPARE(window.fakes.messages.shown.size(), 1); // no question
        QString saved = u"Log saved in "_s + window.path();
        if (kept)
            saved += u"\nThe file it replaced held lines this log lacks; it was kept as "_s + copy;
        QCOMPARE(window.fakes.messages.lastPrompt(), saved);
        QStringList files{u"vandrel.txt"_s};
        if (kept)
            files.append(copy.section(u'/', -1));
        QCOMPARE(window.logFiles(), files);
        if (kept)
            QCOMPARE(readBytes(copy), file);
    }

    // Copies are never written over: a second copy of the same second's file gets a name of its
    // own; and a copy is as private as the file it keeps.
    void copiesKeptAsideNeverReplaceEachOther()
    {
        Log window;
        window.form.Form_Load();
        const QByteArray yesterday = contactsOfYesterday(3).toUtf8();
        writeBytes(window.path(), yesterday);
        QVERIFY(QFile::setPermissions(window.path(), QFile::ReadOwner | QFile::WriteOwner));
        const QFile::Permissions ownerOnly = QFile::permissions(window.path());
        const QString copy = window.copyName();
        writeBytes(copy, "taken");
        window.form.Text1.setText(twoContacts);
        window.save();
        QCOMPARE(readBytes(copy), QByteArray("taken"));
        QCOMPARE(readBytes(copy + u"-2"_s), yesterday);
        // As private as the log was.
        QCOMPARE(QFile::permissions(copy + u"-2"_s), ownerOnly);
        QVERIFY(window.fakes.messages.lastPrompt().endsWith(u"it was kept as "_s + copy + u"-2"_s));
    }

    // A copy that cannot be made keeps the old file in place, and says why.
    void saveThatCannotKeepTheOldFileReplacesNothing_data()
    {
        QTest::addColumn<QString>("createFailure");
        QTest::addColumn<QString>("flushFailure");
        QTest::newRow("the copy cannot be created") << u"Permission denied"_s << QString();
        QTest::newRow("the copy does not reach the disk") << QString() << u"Input/output error"_s;
    }
    void saveThatCannotKeepTheOldFileReplacesNothing()
    {
        QFETCH(QString, createFailure);
        QFETCH(QString, flushFailure);
        Log window;
        window.form.Form_Load();
        const QByteArray yesterday = contactsOfYesterday(3).toUtf8();
        writeBytes(window.path(), yesterday);
        const QString copy = window.copyName();
        window.fakes.files.createFailure = createFailure;
        window.fakes.files.flushFailure = flushFailure;
        window.form.Text1.setText(twoContacts);

        window.save();
        const ShownMessage message = window.fakes.messages.shown.last();
        QCOMPARE(message.prompt, u"Impossible to save the log in "_s + window.path() +
                                     u":\nIt holds lines this log lacks, and they could not be "
                                     u"kept in "_s +
                                     copy + u" ("_s + createFailure + flushFailure +
                                     u")\nThe file is as it was before; the log is still in the "
                                     u"window."_s);
        QCOMPARE(message.style, vbExclamation);
        QCOMPARE(message.title, title);
        QCOMPARE(readBytes(window.path()), yesterday);
        QCOMPARE(window.logFiles(), QStringList{u"vandrel.txt"_s}); // nothing half-made left
        QCOMPARE(window.form.Text1.text(), twoContacts);
    }

    // A copy kept aside before a save that then fails is named all the same: the old file is
    // in place, and its copy beside it.
    void aSaveThatFailsAfterKeepingACopyNamesTheCopy()
    {
        Log window;
        window.form.Form_Load();
        const QByteArray yesterday = contactsOfYesterday(3).toUtf8();
        writeBytes(window.path(), yesterday);
        const QString copy = window.copyName();
        window.fakes.files.replaceFailure = u"Permission denied"_s;
        window.form.Text1.setText(twoContacts);
        window.fakes.messages.shown.clear();
        window.save();
        QCOMPARE(window.fakes.messages.lastPrompt(),
                 u"Impossible to save the log in "_s + window.path() +
                     u":\nPermission denied\nThe file is as it was before; the log is still in "
                     u"the window.\nIt holds lines this log lacks; a copy of it was kept as "_s +
                     copy);
        QCOMPARE(readBytes(window.path()), yesterday);
        QCOMPARE(readBytes(copy), yesterday);
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
                                      inMissing ? static_cast<LogDirectoryService &>(missing)
                                                : log.fakes.directory,
                                      log.fakes.files};
        const QString path = logFilePath(services.logDirectory);
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
        OpenLog(opened, {saved.fakes.directory, saved.fakes.files});
        QCOMPARE(opened.Text1.text(), twoContacts);
        QCOMPARE(opened.Frame1.caption(), QStringLiteral("003"));
    }

    // Before "Open" adds contacts the log already holds (a second "Open", or "Open" after the
    // log came back from the recovery file), it asks; No, the default, leaves the log as it was.
    void openAsksBeforeAddingContactsTheLogHolds_data()
    {
        QTest::addColumn<QString>("log");
        QTest::addColumn<QString>("held"); // "N contacts; M of them is/are"; empty: no question
        const QString third = u"003-+-16/07/2016---1350---OK1AB---59---001---JO70AA\r\n"_s;
        QTest::newRow("opened twice") << twoContacts << "2 contacts; 2 of them are";
        QTest::newRow("the file's contacts and one more")
            << twoContacts + third << "2 contacts; 2 of them are";
        QTest::newRow("one of the file's contacts")
            << firstContact + u"\r\n"_s + third << "2 contacts; 1 of them is";
        QTest::newRow("none of the file's contacts") << third << "";
        QTest::newRow("an empty line in common") << u"\r\n"_s + third << "";
    }
    void openAsksBeforeAddingContactsTheLogHolds()
    {
        QFETCH(QString, log);
        QFETCH(QString, held);
        Log window;
        writeBytes(window.path(), twoContacts.toUtf8() + "\r\n");
        window.form.Text1.setText(log);
        window.form.Frame1.setCaption(u"017"_s);
        const QSignalSpy changes(&window.form.Text1, &TextBox::Change);

        window.open(); // answered with Enter: No
        if (held.isEmpty()) {
            QVERIFY(window.fakes.messages.shown.isEmpty());
            QCOMPARE(window.form.Text1.text(), log + twoContacts);
            return;
        }
        QCOMPARE(window.fakes.messages.shown.size(), 1);
        const ShownMessage question = window.fakes.messages.shown.last();
        QCOMPARE(question.prompt, u"The log file "_s + window.path() + u" holds "_s + held +
                                      u" already in this log.\nAdd the file's lines to the log "
                                      u"all the same?"_s);
        QCOMPARE(question.style, vbYesNo + vbQuestion + vbDefaultButton2);
        QCOMPARE(question.title, title);
        QCOMPARE(window.form.Text1.text(), log);
        QCOMPARE(window.form.Frame1.caption(), u"017"_s);
        QCOMPARE(changes.count(), 0);

        // Yes adds the file as "Open" always did.
        window.fakes.messages.answers = {vbYes};
        window.open();
        QCOMPARE(window.fakes.messages.shown.size(), 2);
        QCOMPARE(window.form.Text1.text(), log + twoContacts);
        QCOMPARE(window.form.Frame1.caption(), u"003"_s);
    }

    // Three contacts saved, two more, the program killed; at the next start the log is restored
    // and the operator clicks "Open" as before the recovery file existed.
    void restoredLogThenOpenAddsNoContactTwice()
    {
        FakeServices fakes;
        const auto add = [](Form15 &form, const char *call) {
            form.Text2.setText(QString::fromLatin1(call));
            form.Text3.setText(u"012"_s);
            form.Text4.setText(u"JN80XY"_s);
            form.Command1.click();
        };
        auto killed = std::make_unique<Form15>(fakes.services());
        killed->Form_Load();
        for (const char *call : {"Q1AA", "Q1BB", "Q1CC"})
            add(*killed, call);
        killed->Command3.click();
        for (const char *call : {"Q1DD", "Q1EE"})
            add(*killed, call);
        const QString fiveContacts = killed->Text1.text();
        killed.reset();

        fakes.messages.shown.clear();
        fakes.messages.answers = {vbYes}; // "Restore the log?"
        Form15 form(fakes.services());
        form.Form_Load();
        QCOMPARE(form.Text1.text(), fiveContacts);
        form.Command2.click();
        QCOMPARE(fakes.messages.shown.size(), 2);
        QVERIFY2(fakes.messages.lastPrompt().contains(u" holds 3 contacts; 3 of them are already "
                                                      u"in this log."_s),
                 qPrintable(fakes.messages.lastPrompt()));
        QCOMPARE(form.Text1.text(), fiveContacts);
        add(form, "Q1FF");
        QVERIFY(form.Text1.text().endsWith(u"\r\n006-+-16/07/2016---1345---Q1FF---59---012---"
                                           u"JN80XY\r\n"_s));

        // The file's contacts are all in the log: nothing needs keeping aside.
        form.Command3.click();
        QCOMPARE(fakes.messages.lastPrompt(),
                 u"Log saved in "_s + fakes.directory.path() + u"/vandrel.txt"_s);
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
        log.fakes.messages.answers = {vbYes}; // the log holds the file's contacts already
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
        // More characters than a position in the log box could count: refused before reading.
        QTest::newRow("3 GB sparse file") << u"sparse"_s << u"The file is larger than 256 MB"_s;
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
        } else if (what == u"sparse") {
            QFile file(log.path());
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(qint64(3) << 30));
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
        const QString aCopy =
            path + u'.' + QFileInfo(path).lastModified().toString(u"yyyy-MM-dd_HH-mm-ss"_s);
        b.Command3_Click();
        QCOMPARE(readBytes(path), other.toUtf8() + "\r\n");
        QCOMPARE(readBytes(aCopy), twoContacts.toUtf8() + "\r\n");
        QCOMPARE(second.messages.lastPrompt(),
                 u"Log saved in "_s + path +
                     u"\nThe file it replaced held lines this log lacks; it was kept as "_s +
                     aCopy);

        // The first window's next save keeps the second one's contacts in the same way; no
        // message ever advises "Open", which would write every contact twice.
        const QString bCopy =
            path + u'.' + QFileInfo(path).lastModified().toString(u"yyyy-MM-dd_HH-mm-ss"_s);
        a.Command3_Click();
        QCOMPARE(readBytes(path), twoContacts.toUtf8() + "\r\n");
        const QString bKept = bCopy == aCopy ? bCopy + u"-2"_s : bCopy;
        QCOMPARE(readBytes(bKept), other.toUtf8() + "\r\n");
        for (const FakeServices *fakes : {&first, &second}) {
            for (const ShownMessage &message : fakes->messages.shown)
                QVERIFY2(!message.prompt.contains(u"Open"_s), qPrintable(message.prompt));
        }
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
        // The old file, never opened, goes aside beside itself.
        const QString copy =
            target + u'.' + QFileInfo(target).lastModified().toString(u"yyyy-MM-dd_HH-mm-ss"_s);
        log.save();
        QCOMPARE(log.fakes.messages.lastPrompt(),
                 u"Log saved in "_s + target +
                     u"\nThe file it replaced held lines this log lacks; it was kept as "_s + copy);
        QCOMPARE(readBytes(copy), QByteArray("old"));
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
