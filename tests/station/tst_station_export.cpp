#include "nats_server_process.h"
#include "station/station_link.h"
#include "station/station_worker.h"
#include "stored_contacts.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <nats/nats.h>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr int deadlineMs = 40000;

// Two positions on 2 m; the search position works Q1ABC again after the run position did.
const QString run1 = u"001-+-16/07/2016---1345---Q1ABC---59---012---JN80XW-->144 Mhz"_s;
const QString run2 = u"002-+-16/07/2016---1410---Q3GHI---59---020---JN70AA-->144 Mhz"_s;
const QString search1 = u"001-+-16/07/2016---1352---Q2DEF---59---007---JN61FW-->144 Mhz"_s;
const QString search2 = u"002-+-16/07/2016---1405---Q1ABC---59---014---JN80XW-->144 Mhz"_s;

// What vandrel-export writes to standard output with `arguments`; fails the test on an error.
QByteArray exported(const QStringList &arguments)
{
    QProcess program;
    program.start(QStringLiteral(VANDREL_EXPORT_PROGRAM),
                  QStringList{u"--call"_s, u"Q9XYZ"_s, u"--locator"_s, u"JN80XX"_s,
                              u"--date-format"_s, u"dd/MM/yyyy"_s} +
                      arguments);
    if (!program.waitForFinished(deadlineMs) || program.exitCode() != 0) {
        qWarning("%s", program.readAllStandardError().constData());
        return {};
    }
    return program.readAllStandardOutput();
}
} // namespace

class TestStationExport : public QObject
{
    Q_OBJECT

private slots:
    // The test links the engine the window loads as a module.
    void initTestCase() { useStationEngineFactory(startLinkedStationEngine); }
    void cleanupTestCase() { nats_CloseAndWait(10000); }

    // The station's log exported from its servers is the log of both positions merged in time
    // order, each line with the serial its position sent: written exactly as the exporter
    // writes that merged log from a file, in every format.
    void stationLogIsEveryPositionInTimeOrder()
    {
        QTemporaryDir store;
        NatsServerProcess server(store.path(), NatsServerProcess::freePorts(1).first());
        QVERIFY2(server.start(), qPrintable(server.output()));
        {
            // The search position's contacts reach the stream first.
            StationLink search(StationSettings{{server.url()}, u"Q9XYZ"_s, u"search"_s});
            search.publishContact(1, search1);
            search.publishContact(2, search2);
            QTRY_COMPARE_WITH_TIMEOUT(search.state().contactsWaiting, 0, deadlineMs);
            QTRY_VERIFY_WITH_TIMEOUT(search.state().connected, deadlineMs);
            StationLink run(StationSettings{{server.url()}, u"Q9XYZ"_s, u"run"_s});
            run.publishContact(1, run1);
            run.publishContact(2, run2);
            QTRY_COMPARE_WITH_TIMEOUT(
                storedContacts(StationSettings{{server.url()}, u"Q9XYZ"_s, {}}).size(), 4,
                deadlineMs);
        }
        QTemporaryDir work;
        QFile merged(work.filePath(u"merged.txt"_s));
        QVERIFY(merged.open(QIODevice::WriteOnly));
        merged.write(QStringList{run1, search1, search2, run2, QString()}.join(u"\r\n").toUtf8());
        merged.close();

        for (const QString &format : {u"edi"_s, u"cabrillo"_s, u"adif"_s}) {
            const QByteArray fromStation =
                exported({u"-f"_s, format, u"--station"_s, server.url()});
            QVERIFY2(!fromStation.isEmpty(), qPrintable(format));
            QCOMPARE(fromStation, exported({u"-f"_s, format, merged.fileName()}));
        }
        // EDI's rule: the second contact with Q1ABC on the band, at the other position, is a
        // duplicate that scores nothing.
        const QString edi = QString::fromUtf8(exported({u"--station"_s, server.url()}));
        QVERIFY2(edi.contains(u"160716;1405;Q1ABC;1;59;002;59;014;;JN80XW;0;;;;D\r\n"),
                 qPrintable(edi));
        QVERIFY(edi.contains(u"160716;1345;Q1ABC;1;59;001;59;012;;JN80XW;5;;N;;\r\n"));
        const QString cabrillo =
            QString::fromUtf8(exported({u"-f"_s, u"cabrillo"_s, u"--station"_s, server.url()}));
        const QList<qsizetype> places{cabrillo.indexOf(u" 1345 "), cabrillo.indexOf(u" 1352 "),
                                      cabrillo.indexOf(u" 1405 "), cabrillo.indexOf(u" 1410 ")};
        QVERIFY2(places.first() > 0 && std::is_sorted(places.begin(), places.end()),
                 qPrintable(cabrillo));
    }

    void stationWithoutALogIsAnError()
    {
        QTemporaryDir store;
        NatsServerProcess server(store.path(), NatsServerProcess::freePorts(1).first());
        QVERIFY2(server.start(), qPrintable(server.output()));
        QProcess program;
        program.start(QStringLiteral(VANDREL_EXPORT_PROGRAM),
                      {u"-f"_s, u"adif"_s, u"--call"_s, u"Q9XYZ"_s, u"--station"_s, server.url()});
        QVERIFY(program.waitForFinished(deadlineMs));
        QCOMPARE(program.exitCode(), 1);
        QCOMPARE(program.readAllStandardError(),
                 "vandrel-export: the station Q9XYZ has no log on " + server.url().toUtf8() + '\n');
    }
};

QTEST_GUILESS_MAIN(TestStationExport)
#include "tst_station_export.moc"
