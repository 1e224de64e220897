#include "export/export_options.h"
#include "platform/station_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString writeFile(const QTemporaryDir &directory, const QByteArray &text)
{
    const QString path = directory.filePath(u"station.ini"_s);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

Station stationOf(const QStringList &arguments)
{
    const CommandLine line = readCommandLine(QStringList{u"vandrel-export"_s} + arguments);
    if (line.action != CommandLine::Export)
        qFatal("not an export: %s", qPrintable(line.text));
    return line.options.station;
}

} // namespace

// The station file: read with QSettings, each key also an option that wins, and open to the
// groups other programs keep in it.
class TestStationFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void theOptionWinsOverTheFile()
    {
        QTemporaryDir directory;
        const QString path = writeFile(
            directory, "[station]\ncall=Q9XYZ\nlocator=JN61FW\nname=Ada\ncity=Sometown\n");
        const Station station =
            stationOf({u"--station-file"_s, path, u"--name"_s, u"Bea"_s, u"--call"_s, u"q9abc"_s});
        QCOMPARE(station.name, u"Bea");
        QCOMPARE(station.call, u"Q9ABC");
        QCOMPARE(station.city, u"Sometown");
        QCOMPARE(station.locator, u"JN61FW");
        QCOMPARE(station.section, u"SINGLE");
    }

    void readsTheDefaultFileUnderTheConfigDirectory()
    {
        const QString path = defaultStationFilePath();
        QCOMPARE(path, QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                           u"/vandrel/station.ini"_s);
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[station]\ncall=Q9DEF\nsection=MULTI\n");
        file.close();
        const Station station = stationOf({u"-f"_s, u"adif"_s});
        QFile::remove(path);
        QCOMPARE(station.call, u"Q9DEF");
        QCOMPARE(station.section, u"MULTI");
    }

    void valuesWithCommasAndSemicolonsAreKept()
    {
        QTemporaryDir directory;
        const QString path = writeFile(
            directory, "[station]\naddress1=1 Hill Road, Upper Flat\nantenna-height=\"12;450\"\n");
        const StationFileReading reading = readStationFile(path, true);
        QVERIFY(reading.problem.isEmpty());
        QCOMPARE(reading.values.value(u"address1"_s), u"1 Hill Road, Upper Flat");
        QCOMPARE(reading.values.value(u"antenna-height"_s), u"12;450");
    }

    void anotherProgramReadsItsOwnGroup()
    {
        QTemporaryDir directory;
        const QString path = writeFile(
            directory, "[station]\ncall=Q9XYZ\n[network]\nservers=nats://a:4222\nposition=two\n");
        const StationFileReading network = readStationFile(path, true, QStringLiteral("network"));
        QCOMPARE(network.values.value(u"servers"_s), u"nats://a:4222");
        QCOMPARE(network.values.value(u"position"_s), u"two");
        QVERIFY(!readStationFile(path, true).values.contains(u"servers"_s));
    }

    void aMissingFileIsNothingUnlessNamed()
    {
        const QString missing = u"/nonexistent/vandrel/station.ini"_s;
        QVERIFY(readStationFile(missing, false).problem.isEmpty());
        QVERIFY(readStationFile(missing, false).values.isEmpty());
        QVERIFY(!readStationFile(missing, true).problem.isEmpty());
    }

    void everyKeyIsAnOption()
    {
        const CommandLine help = readCommandLine({u"vandrel-export"_s, u"--help"_s});
        for (const StationKey &key : stationKeys())
            QVERIFY2(help.text.contains(u"--"_s + key.name.toString()),
                     qPrintable(key.name.toString()));
    }

    void aValueOfMoreThanOneLineIsRefused()
    {
        const CommandLine line =
            readCommandLine({u"vandrel-export"_s, u"-f"_s, u"adif"_s, u"--name"_s, u"Ada\nBea"_s});
        QCOMPARE(line.action, CommandLine::UsageError);
        QCOMPARE(line.text, u"the station's name takes one line of text");
    }
};

QTEST_GUILESS_MAIN(TestStationFile)
#include "tst_station_file.moc"
