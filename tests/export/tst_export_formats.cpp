#include "contact_line/bands.h"
#include "export/adif_writer.h"
#include "export/contact_log_reader.h"
#include "export/export_options.h"
#include "export/export_run.h"
#include "version.h"

#include <QCoreApplication>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray dataFile(const QString &name)
{
    QFile file(QStringLiteral(VANDREL_EXPORT_DATA_DIR "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(file.fileName()));
    return file.readAll();
}

// The command line as an operator types it, with the version the expected files name.
ExportOptions options(QStringList arguments)
{
    arguments.prepend(QStringLiteral("vandrel-export"));
    CommandLine line = readCommandLine(arguments);
    if (line.action != CommandLine::Export)
        qFatal("not an export: %s", qPrintable(line.text));
    line.options.station.producer = QStringLiteral("vandrel-export 9.9");
    return line.options;
}

// A 2m contact line of the window for `call`, `received` number and `locator` at `time`.
QByteArray vhfLine(int sent, const char *time, const char *call, const char *received,
                   const char *locator, const char *band = "144 Mhz")
{
    return QByteArray::number(sent).rightJustified(3, '0') + "-+-16/07/2016---" + time + "---" +
           call + "---59---" + received + "---" + locator + "-->" + band + "\r\n";
}

QString messagesOf(const ExportResult &result)
{
    return result.messages.join(u'\n');
}

const QStringList vhfStation{u"--call"_s, u"q9xyz"_s, u"--locator"_s,     u"JN61FW"_s,
                             u"--band"_s, u"144"_s,   u"--date-format"_s, u"dd/MM/yyyy"_s};

} // namespace

// Each format against a file written by hand from a small contest log: both line forms, HF and
// multiband, a duplicate, a bad line, a line without a band, a locator that is none.
class TestExportFormats : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The station file of the one running the tests is not read.
        QStandardPaths::setTestModeEnabled(true);
    }

    void ediOneFilePerBand()
    {
        // 2m: 471.70 km (472) + own square (1) + JN61AB 103.30 km (104); the duplicate, "JN62"
        // (4 characters) and "JN8" 0: 577 points, 3 contacts, 2 squares. 70cm: 472 + 4.63 km (5).
        const ExportResult result =
            exportLog(options(vhfStation + QStringList{u"--skip-bad"_s, u"--contest"_s,
                                                       u"Summer VHF"_s, u"--per-band"_s, u"out"_s}),
                      dataFile(QStringLiteral("vhf-contest.txt")));
        QVERIFY2(result.ok, qPrintable(result.messages.join(u'\n')));
        QCOMPARE(result.outputs.size(), 2u);
        QCOMPARE(result.outputs[0].fileName, u"2m.edi");
        QCOMPARE(result.outputs[0].content, dataFile(QStringLiteral("vhf-contest-2m.edi")));
        QCOMPARE(result.outputs[1].fileName, u"70cm.edi");
        QCOMPARE(result.outputs[1].content, dataFile(QStringLiteral("vhf-contest-70cm.edi")));
        QCOMPARE(result.messages,
                 (QStringList{u"line 6: a time that is not HHMM: "
                              "005-+-16/07/2016---14x5---Q3GHI---59---021---JN62AB-->144 Mhz"_s,
                              u"left out 1 line(s) that are not contact lines"_s,
                              u"line 3: Q1ABC: worked before on line 1; a duplicate scores 0"_s,
                              u"line 7: Q3GHI: only the 4-character locator \"JN62\" received; "
                              u"the contact is not valid and scores 0"_s,
                              u"line 9: Q5MNO: \"JN8\" is not a locator; written empty, the "
                              u"contact scores 0"_s}));
    }

    void everyEdiRecordHasFifteenFields()
    {
        const ExportResult result =
            exportLog(options(vhfStation + QStringList{u"--skip-bad"_s, u"--per-band"_s, u"out"_s}),
                      dataFile(QStringLiteral("vhf-contest.txt")));
        const QList<QByteArray> lines = result.outputs[0].content.split('\n');
        const qsizetype first = lines.indexOf("[QSORecords;6]\r") + 1;
        for (qsizetype i = first; i < first + 6; ++i)
            QCOMPARE(lines[i].count(';'), 14);
        QCOMPARE(lines[first + 6], "[END;vandrel-export 9.9]\r");
    }

    void cabrilloOfAnHfLog()
    {
        const ExportResult result = exportLog(
            options({u"--format"_s, u"cabrillo"_s, u"--call"_s, u"Q9XYZ"_s, u"--contest"_s,
                     u"CQ-WPX-SSB"_s, u"--band"_s, u"14 Mhz"_s, u"--date-format"_s, u"M/d/yy"_s}),
            dataFile(QStringLiteral("hf-contest.txt")));
        QVERIFY2(result.ok, qPrintable(result.messages.join(u'\n')));
        QCOMPARE(result.outputs.size(), 1u);
        QCOMPARE(result.outputs[0].content, dataFile(QStringLiteral("hf-contest.log")));
        QVERIFY(result.messages.isEmpty());
    }

    void cabrilloCarriesBothLocatorsAndTheMode()
    {
        const ExportResult result = exportLog(
            options({u"--format"_s, u"cabrillo"_s, u"--call"_s, u"Q9XYZ"_s, u"--locator"_s,
                     u"JN61FW"_s, u"--mode"_s, u"cw"_s, u"--date-format"_s, u"dd.MM.yy"_s}),
            "001-+-05.07.16---0905---Q1ABC---599---012---JN80XW-->1296 Mhz\r\n");
        QVERIFY(result.ok);
        QVERIFY(result.outputs[0].content.contains("\r\nGRID-LOCATOR: JN61FW\r\n"));
        QVERIFY(result.outputs[0].content.contains(
            "\r\nQSO:  1.2G CW 2016-07-05 0905 Q9XYZ         599 001    JN61FW Q1ABC         599 "
            "012    JN80XW\r\nEND-OF-LOG:\r\n"));
    }

    void adifOfAMultibandLog()
    {
        const ExportResult result =
            exportLog(options(vhfStation + QStringList{u"--format"_s, u"adif"_s, u"--skip-bad"_s}),
                      dataFile(QStringLiteral("vhf-contest.txt")));
        QVERIFY2(result.ok, qPrintable(result.messages.join(u'\n')));
        QCOMPARE(result.outputs[0].content, dataFile(QStringLiteral("vhf-contest.adi")));
        QCOMPARE(result.messages.last(), u"line 9: \"JN8\" is not a locator");
    }

    // The IARU Region 1 VHF contest rules and the format's fields, one row a rule: each contact
    // they change is named on standard error with its line, its call and why.
    void ediAppliesTheRegionOneRules_data()
    {
        QTest::addColumn<QByteArray>("log");
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<QString>("message"); // empty: none

        // JN61FW to JN45AB: 497.95 km, 498 points.
        QTest::newRow("only a 4-character locator received: not valid")
            << vhfLine(1, "1345", "Q2OG", "012", "JN45") << QStringList()
            << QByteArray("160716;1345;Q2OG;1;59;001;59;012;;JN45;0;;;;\r\nCQSOs")
                   .replace("\r\nCQSOs", "\r\n[END")
            << u"line 1: Q2OG: only the 4-character locator \"JN45\" received; the contact is not "
               "valid and scores 0"_s;
        QTest::newRow("portable after fixed: a duplicate")
            << vhfLine(1, "1345", "Q2OG", "012", "JN45AB") +
                   vhfLine(2, "1350", "Q2OG/P", "013", "JN45AB")
            << QStringList() << QByteArray("160716;1350;Q2OG/P;1;59;002;59;013;;JN45AB;0;;;;D\r\n")
            << u"line 2: Q2OG/P: worked before on line 1; a duplicate scores 0"_s;
        QTest::newRow("mobile after portable: a duplicate")
            << vhfLine(1, "1345", "Q2OG/P", "012", "JN45AB") +
                   vhfLine(2, "1350", "Q2OG/M", "013", "JN45AB")
            << QStringList() << QByteArray("160716;1350;Q2OG/M;1;59;002;59;013;;JN45AB;0;;;;D\r\n")
            << u"line 2: Q2OG/M: worked before on line 1; a duplicate scores 0"_s;
        QTest::newRow("a contact that does not count makes no duplicate")
            << vhfLine(1, "1345", "Q2OG", "012", "JN8") +
                   vhfLine(2, "1350", "Q2OG", "013", "JN45AB")
            << QStringList() << QByteArray("160716;1350;Q2OG;1;59;002;59;013;;JN45AB;498;;N;;\r\n")
            << u"line 1: Q2OG: \"JN8\" is not a locator; written empty, the contact scores 0"_s;
        QTest::newRow("received number padded to 3 digits")
            << vhfLine(1, "1345", "Q2OG", "7", "JN45AB") << QStringList()
            << QByteArray("160716;1345;Q2OG;1;59;001;59;007;;JN45AB;498;;N;;\r\n") << QString();
        QTest::newRow("received number of 4 digits kept")
            << vhfLine(1, "1345", "Q2OG", "1234", "JN45AB") << QStringList()
            << QByteArray(";59;1234;;JN45AB;498;") << QString();
        QTest::newRow("received number with a letter: its digits")
            << vhfLine(1, "1345", "Q2OG", "12A", "JN45AB") << QStringList()
            << QByteArray("160716;1345;Q2OG;1;59;001;59;012;;JN45AB;498;;N;;\r\n")
            << u"line 1: Q2OG: the number \"12A\" is written as \"012\", the digits EDI takes"_s;
        QTest::newRow("call shorter than 3 characters reported")
            << vhfLine(1, "1345", "Q2", "012", "JN45AB") << QStringList() << QByteArray(";Q2;")
            << u"line 1: Q2: a call of 2 characters; EDI takes 3 to 14"_s;
        QTest::newRow("call longer than 14 characters reported")
            << vhfLine(1, "1345", "Q2ABCDEFGHIJKLM", "012", "JN45AB") << QStringList()
            << QByteArray(";Q2ABCDEFGHIJKLM;")
            << u"line 1: Q2ABCDEFGHIJKLM: a call of 15 characters; EDI takes 3 to 14"_s;
        QTest::newRow("TDate from the log's dates")
            << vhfLine(1, "1345", "Q2OG", "012", "JN45AB") << QStringList()
            << QByteArray("\r\nTDate=20160716;20160716\r\n") << QString();
        QTest::newRow("TDate from --contest-dates")
            << vhfLine(1, "1345", "Q2OG", "012", "JN45AB")
            << QStringList{u"--contest-dates"_s, u"20160716;20160717"_s}
            << QByteArray("\r\nTDate=20160716;20160717\r\n") << QString();
    }

    void ediAppliesTheRegionOneRules()
    {
        QFETCH(QByteArray, log);
        QFETCH(QStringList, extra);
        QFETCH(QByteArray, written);
        QFETCH(QString, message);
        const ExportResult result = exportLog(options(vhfStation + extra), log);
        QVERIFY2(result.ok, qPrintable(messagesOf(result)));
        QVERIFY2(result.outputs[0].content.contains(written),
                 result.outputs[0].content.constData());
        if (message.isEmpty())
            QVERIFY2(result.messages.isEmpty(), qPrintable(messagesOf(result)));
        else
            QVERIFY2(result.messages.contains(message), qPrintable(messagesOf(result)));
    }

    void ediHeaderFromTheStationFile()
    {
        QTemporaryDir directory;
        const QString path = directory.filePath(u"station.ini"_s);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            "[station]\ncall=q9xyz\nlocator=jn61fw\nname=Ada Example\naddress1=1 Hill Road, "
            "Upper Flat\npostcode=12345\ncity=Sometown\ncountry=Nowhere\nemail=a@example.org\n"
            "phone=+99 1\nclub=Q9ABC\noperators=Q9XYZ Q9OP\npower=100\nantenna=Yagi\n"
            "antenna-height=\"12;450\"\ntx-equipment=TX\nrx-equipment=RX\nremarks=Fine\n"
            "[network]\nservers=nats://example:4222\n");
        file.close();
        const ExportResult result =
            exportLog(options({u"--station-file"_s, path, u"--section"_s, u"MULTI"_s, u"--band"_s,
                               u"144"_s, u"--date-format"_s, u"dd/MM/yyyy"_s}),
                      vhfLine(1, "1345", "Q2OG", "012", "JN45AB"));
        QVERIFY2(result.ok, qPrintable(messagesOf(result)));
        const QByteArray edi = result.outputs[0].content;
        for (const char *line : {"PCall=Q9XYZ",
                                 "PWWLo=JN61FW",
                                 "PAdr1=1 Hill Road, Upper Flat",
                                 "PSect=MULTI",
                                 "PClub=Q9ABC",
                                 "RName=Ada Example",
                                 "RCall=Q9XYZ",
                                 "RAdr1=1 Hill Road, Upper Flat",
                                 "RPoCo=12345",
                                 "RCity=Sometown",
                                 "RCoun=Nowhere",
                                 "RPhon=+99 1",
                                 "RHBBS=a@example.org",
                                 "MOpe1=Q9XYZ;Q9OP",
                                 "STXEq=TX",
                                 "SPowe=100",
                                 "SRXEq=RX",
                                 "SAnte=Yagi",
                                 "SAntH=12;450",
                                 "[Remarks]\r\nFine\r\n[QSORecords;1]"}) {
            QVERIFY2(edi.contains("\r\n" + QByteArray(line) + "\r\n"), line);
        }
    }

    void ediSectionDefaultsToSingle()
    {
        const ExportResult result =
            exportLog(options(vhfStation), vhfLine(1, "1345", "Q2OG", "012", "JN45AB"));
        QVERIFY(result.outputs[0].content.contains("\r\nPSect=SINGLE\r\n"));
        QVERIFY(result.outputs[0].content.contains("\r\nRCall=Q9XYZ\r\n"));
    }

    void cabrilloHeaderFromTheStationAndTheLog()
    {
        const ExportResult result = exportLog(
            options(vhfStation + QStringList{u"-f"_s, u"cabrillo"_s, u"--contest"_s, u"SUMMER"_s,
                                             u"--name"_s, u"Ada Example"_s, u"--address1"_s,
                                             u"1 Hill Road"_s, u"--email"_s, u"a@example.org"_s,
                                             u"--club"_s, u"Q9ABC"_s, u"--power"_s, u"5"_s}),
            vhfLine(1, "1345", "Q2OG", "012", "JN45AB") +
                vhfLine(2, "1350", "Q3OG", "7", "JN61FW"));
        QVERIFY2(result.ok, qPrintable(messagesOf(result)));
        QCOMPARE(result.outputs[0].content.split('\n').mid(0, 17).join('\n'),
                 "START-OF-LOG: 3.0\r\nCALLSIGN: Q9XYZ\r\nCONTEST: SUMMER\r\n"
                 "CATEGORY-OPERATOR: SINGLE-OP\r\nCATEGORY-BAND: 2M\r\nCATEGORY-MODE: SSB\r\n"
                 "CATEGORY-POWER: QRP\r\nCATEGORY-STATION: FIXED\r\nCATEGORY-TRANSMITTER: ONE\r\n"
                 "CLAIMED-SCORE: 499\r\nCLUB: Q9ABC\r\nCREATED-BY: vandrel-export 9.9\r\n"
                 "EMAIL: a@example.org\r\nGRID-LOCATOR: JN61FW\r\nNAME: Ada Example\r\n"
                 "ADDRESS: 1 Hill Road\r\nOPERATORS: Q9XYZ\r"_ba);
    }

    void cabrilloWritesEveryFieldOnEveryLine()
    {
        const ExportResult result = exportLog(
            options(vhfStation + QStringList{u"-f"_s, u"cabrillo"_s}),
            vhfLine(1, "1345", "Q2OG", "012", "JN45AB") + vhfLine(2, "1350", "Q3OG", "013", ""));
        QVERIFY2(result.ok, qPrintable(messagesOf(result)));
        QVERIFY(result.outputs[0].content.contains(
            "\r\nQSO:   144 PH 2016-07-16 1350 Q9XYZ         59  002    JN61FW Q3OG          59  "
            "013    -\r\n"));
        QCOMPARE(result.messages,
                 QStringList{u"line 2: Q3OG: no locator, which the other QSO lines carry; written "
                             "as \"-\""_s});
    }

    void adifReportsWhatItCannotCarry()
    {
        const ExportResult result = exportLog(
            options(vhfStation + QStringList{u"-f"_s, u"adif"_s, u"--contest"_s, u"Pokal Ö"_s}),
            vhfLine(1, "1345", "Q2OG", "012", "JN45AB") +
                vhfLine(2, "1350", "Q3OG", "013", "JN45AB"));
        QVERIFY(result.ok);
        QVERIFY(!result.outputs[0].content.contains("CONTEST_ID"));
        QCOMPARE(result.messages,
                 QStringList{u"the station's CONTEST_ID \"Pokal Ö\" holds characters other than "
                             "ASCII, which ADIF cannot carry; left out"_s});
    }

    void adifReportsAContactFieldItCannotCarry()
    {
        ContactRecord contact;
        contact.lineNumber = 7;
        contact.call = u"Q2OG"_s;
        contact.date = QDate(2016, 7, 16);
        contact.time = u"1345"_s;
        contact.report = u"59"_s;
        contact.sentNumber = u"001"_s;
        contact.receivedNumber = u"0\u00e912"_s;
        contact.band = bandFromOption(u"144");
        QStringList messages;
        const QByteArray adif = writeAdif(options(vhfStation).station, {&contact}, messages);
        QVERIFY(!adif.contains("SRX_STRING"));
        QVERIFY(adif.contains("<CALL:4>Q2OG "));
        QCOMPARE(messages, QStringList{u"line 7: SRX_STRING \"0\u00e912\" holds characters other "
                                       "than ASCII, which ADIF cannot carry; left out"_s});
    }

    void adifPerBandNamesFilesByBand()
    {
        const ExportResult result =
            exportLog(options(vhfStation + QStringList{u"--format"_s, u"adif"_s, u"--skip-bad"_s,
                                                       u"--per-band"_s, u"out"_s}),
                      dataFile(QStringLiteral("vhf-contest.txt")));
        QCOMPARE(result.outputs.size(), 2u);
        QCOMPARE(result.outputs[0].fileName, u"2m.adi");
        QCOMPARE(result.outputs[0].content.count("<EOR>"), 6);
        QCOMPARE(result.outputs[1].fileName, u"70cm.adi");
        QCOMPARE(result.outputs[1].content.count("<EOR>"), 2);
    }

    void failsWithoutWritingAnything_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("log");
        QTest::addColumn<QString>("why");
        const QByteArray vhf = dataFile(QStringLiteral("vhf-contest.txt"));
        QTest::newRow("bad line without --skip-bad")
            << vhfStation << vhf
            << u"1 line(s) are not contact lines; nothing written (--skip-bad leaves them out)"_s;
        QTest::newRow("several bands in one EDI file")
            << vhfStation + QStringList{u"--skip-bad"_s} << vhf
            << u"the log holds 2 bands and an EDI file one; write one file per band with "
               u"--per-band "
               "DIR"_s;
        QTest::newRow("line without a band and no --band")
            << QStringList{u"--call"_s,        u"Q9XYZ"_s,      u"--locator"_s, u"JN61FW"_s,
                           u"--date-format"_s, u"dd/MM/yyyy"_s, u"--skip-bad"_s}
            << vhf << u"line 7: no band; give the band of a single-band log with --band"_s;
        QTest::newRow("other date format")
            << QStringList{u"--call"_s, u"Q9XYZ"_s,         u"--locator"_s,
                           u"JN61FW"_s, u"--date-format"_s, u"M/d/yy"_s}
            << vhf
            << u"9 line(s) are not contact lines; nothing written (--skip-bad leaves them out)"_s;
        QTest::newRow("EDI below 30 MHz")
            << vhfStation
            << QByteArray("001-+-16/07/2016---1345---Q1ABC---59---012----->14 Mhz\r\n")
            << u"line 1: EDI is for contests above 30 MHz, and this contact is on 14 MHz; write "
               u"the "
               "log with --format cabrillo"_s;
        QTest::newRow("more bad lines than are shown")
            << vhfStation << QByteArray("QRT\r\n").repeated(1500)
            << u"1500 line(s) are not contact lines; nothing written (--skip-bad leaves them out)"_s;
        QTest::newRow("no contacts") << vhfStation << QByteArray("\r\n\r\n")
                                     << u"the log holds no contacts; nothing written"_s;
    }

    void failsWithoutWritingAnything()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, log);
        QFETCH(QString, why);
        const ExportResult result = exportLog(options(arguments), log);
        QVERIFY(!result.ok);
        QVERIFY(result.outputs.empty());
        QCOMPARE(result.messages.last(), why);
        QVERIFY(result.messages.size() <= qsizetype(keptBadLines) + 2);
    }

    void refusesBadUsage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("why");
        QTest::newRow("EDI without --call")
            << QStringList{u"--locator"_s, u"JN61FW"_s} << u"--call is required for edi"_s;
        QTest::newRow("EDI without --locator")
            << QStringList{u"--call"_s, u"Q9XYZ"_s} << u"--locator is required for edi"_s;
        QTest::newRow("Cabrillo without --call")
            << QStringList{u"-f"_s, u"cabrillo"_s} << u"--call is required for cabrillo"_s;
        QTest::newRow("four-character own locator")
            << QStringList{u"--call"_s, u"Q9XYZ"_s, u"--locator"_s, u"JN61"_s}
            << u"--locator \"JN61\" is not a 6-character locator"_s;
        QTest::newRow("unknown format") << QStringList{u"--format"_s, u"csv"_s}
                                        << u"unknown format \"csv\": use edi, cabrillo or adif"_s;
        QTest::newRow("unknown mode") << QStringList{u"-f"_s, u"adif"_s, u"--mode"_s, u"RTTY"_s}
                                      << u"unknown mode \"RTTY\": use SSB, CW or FM"_s;
        QTest::newRow("unknown band")
            << QStringList{u"-f"_s, u"adif"_s, u"--band"_s, u"145"_s} << u"unknown band \"145\""_s;
        QTest::newRow("unknown option")
            << QStringList{u"--colour"_s} << u"Unknown option 'colour'."_s;
        QTest::newRow("option without value")
            << QStringList{u"-f"_s, u"adif"_s, u"--call"_s} << u"Missing value after '--call'."_s;
        QTest::newRow("-o and --per-band")
            << QStringList{u"-f"_s, u"adif"_s, u"-o"_s, u"a.adi"_s, u"--per-band"_s, u"dir"_s}
            << u"-o and --per-band cannot be given together"_s;
        QTest::newRow("contest dates not YYYYMMDD;YYYYMMDD")
            << QStringList{u"-f"_s, u"adif"_s, u"--contest-dates"_s, u"20160716"_s}
            << u"--contest-dates \"20160716\" is not YYYYMMDD;YYYYMMDD"_s;
        QTest::newRow("contest dates backwards")
            << QStringList{u"-f"_s, u"adif"_s, u"--contest-dates"_s, u"20160717;20160716"_s}
            << u"--contest-dates \"20160717;20160716\" is not YYYYMMDD;YYYYMMDD"_s;
        QTest::newRow("station file that does not exist")
            << QStringList{u"-f"_s, u"adif"_s, u"--station-file"_s, u"/nonexistent/station.ini"_s}
            << u"cannot read the station file /nonexistent/station.ini: it does not exist"_s;
        QTest::newRow("two log files")
            << QStringList{u"-f"_s, u"adif"_s, u"a.txt"_s, u"b.txt"_s} << u"one log file at most"_s;
    }

    // A log read with the wrong date format (day and month swapped) still reads wherever the
    // day is 12 or less, with dates a month apart: every format says so.
    void warnsWhenTheDatesLookMisread_data()
    {
        QTest::addColumn<QStringList>("dates");
        QTest::addColumn<QStringList>("warnings");
        QTest::newRow("a weekend")
            << QStringList{u"05/07/2026"_s, u"06/07/2026"_s} << QStringList{};
        QTest::newRow("four days")
            << QStringList{u"02/07/2026"_s, u"04/07/2026"_s, u"06/07/2026"_s} << QStringList{};
        QTest::newRow("five days")
            << QStringList{u"01/07/2026"_s, u"06/07/2026"_s}
            << QStringList{u"the log's dates span 5 days, from 2026-07-01 (line 1) to 2026-07-06 "
                           "(line 2): was the log written with the date format \"dd/MM/yyyy\" "
                           "(--date-format)?"_s};
        QTest::newRow("backwards")
            << QStringList{u"07/07/2026"_s, u"07/07/2026"_s, u"06/07/2026"_s, u"06/07/2026"_s}
            << QStringList{u"line 3: the date 2026-07-06 comes before 2026-07-07 of line 2; the "
                           "dates run backwards (a day and month swapped?): was the log written "
                           "with the date format \"dd/MM/yyyy\" (--date-format)?"_s};
    }

    void warnsWhenTheDatesLookMisread()
    {
        QFETCH(QStringList, dates);
        QFETCH(QStringList, warnings);
        QByteArray log;
        for (qsizetype i = 0; i < dates.size(); ++i)
            log += QStringLiteral("%1-+-%2---1200---Q%1ABC---59---012---JN80XW\r\n")
                       .arg(i + 1)
                       .arg(dates[i])
                       .toUtf8();
        for (const QString &format : {u"edi"_s, u"cabrillo"_s, u"adif"_s}) {
            const ExportResult result =
                exportLog(options(vhfStation + QStringList{u"-f"_s, format}), log);
            QVERIFY2(result.ok, qPrintable(result.messages.join(u'\n')));
            QCOMPARE(result.messages, warnings);
        }
    }

    void refusesBadUsage()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, why);
        const CommandLine line = readCommandLine(QStringList{u"vandrel-export"_s} + arguments);
        QCOMPARE(line.action, CommandLine::UsageError);
        QCOMPARE(line.text, why);
    }

    void defaultsOfTheCommandLine()
    {
        const CommandLine line = readCommandLine(
            {u"vandrel-export"_s, u"--call"_s, u"Q9XYZ"_s, u"--locator"_s, u"jn61fw"_s});
        QCOMPARE(line.action, CommandLine::Export);
        QCOMPARE(line.options.format, ExportFormat::Edi);
        // The log the window saves: beside this program, kept in a folder of its own.
        QCOMPARE(line.options.logFile, QCoreApplication::applicationDirPath() + u"/vandrel.txt"_s);
        QCOMPARE(line.options.station.mode, ExportMode::Ssb);
        QCOMPARE(line.options.station.locator, u"JN61FW");
        QCOMPARE(line.options.dateFormat, QLocale().dateFormat(QLocale::ShortFormat));
        QCOMPARE(readCommandLine({u"vandrel-export"_s, u"--version"_s}).text,
                 QStringLiteral("vandrel-export " VANDREL_VERSION "\n"));
    }
};

QTEST_GUILESS_MAIN(TestExportFormats)
#include "tst_export_formats.moc"
