#include "contact_log_reader.h"
#include "export_options.h"
#include "export_run.h"
#include "version.h"

#include <QFile>
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

const QStringList vhfStation{u"--call"_s, u"q9xyz"_s, u"--locator"_s,     u"JN61FW"_s,
                             u"--band"_s, u"144"_s,   u"--date-format"_s, u"dd/MM/yyyy"_s};

} // namespace

// Each format against a file written by hand from a small contest log: both line forms, HF and
// multiband, a duplicate, a bad line, a line without a band, a locator that is none.
class TestExportFormats : public QObject
{
    Q_OBJECT

private slots:
    void ediOneFilePerBand()
    {
        // 2m: 471.70 km (472) + own square (1) + JN62 76.83 km (77) + JN61AB 103.30 km (104),
        // the duplicate and "JN8" 0: 654 points, 4 contacts, 3 squares. 70cm: 472 + 4.63 km (5).
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
                              u"line 9: \"JN8\" is not a locator; the contact scores 0"_s}));
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
                     u"IARU-HF"_s, u"--band"_s, u"14 Mhz"_s, u"--date-format"_s, u"M/d/yy"_s}),
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
        QVERIFY(result.outputs[0].content.contains(
            "\r\nGRID-LOCATOR: JN61FW\r\n"
            "QSO: 1.2G CW 2016-07-05 0905 Q9XYZ 599 001 JN61FW Q1ABC 599 012 JN80XW\r\n"
            "END-OF-LOG:\r\n"));
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
        QCOMPARE(line.options.logFile, u"vandrel.txt");
        QCOMPARE(line.options.station.mode, ExportMode::Ssb);
        QCOMPARE(line.options.station.locator, u"JN61FW");
        QCOMPARE(line.options.dateFormat, QLocale().dateFormat(QLocale::ShortFormat));
        QCOMPARE(readCommandLine({u"vandrel-export"_s, u"--version"_s}).text,
                 QStringLiteral("vandrel-export " VANDREL_VERSION "\n"));
    }
};

QTEST_GUILESS_MAIN(TestExportFormats)
#include "tst_export_formats.moc"
