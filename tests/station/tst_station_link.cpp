#include "nats_server_process.h"
#include "station/station_link.h"
#include "station/station_worker.h"
#include "stored_contacts.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <nats/nats.h>

using namespace Qt::StringLiterals;

namespace {
// Every wait is for a condition, bounded: a lost server is noticed within a few heartbeats.
constexpr int deadlineMs = 40000;
const QString call = QStringLiteral("Q9XYZ");

QString lineOf(const QString &position, qint64 number)
{
    return QStringLiteral("%1-+-16/07/2016---1345---Q%2%3---59---012---JN80XY")
        .arg(number, 3, 10, QLatin1Char('0'))
        .arg(number)
        .arg(position.toUpper());
}

StationSettings settingsFor(const QStringList &urls, const QString &position)
{
    return StationSettings{urls, call, position};
}

// The numbers of one position's contacts in the stream, in the stream's order.
QList<qint64> storedNumbers(const StationSettings &settings, const QString &position)
{
    QList<qint64> numbers;
    for (const StationContact &contact : storedContacts(settings)) {
        if (contact.position == position) {
            numbers.append(contact.number);
            if (contact.line != lineOf(position, contact.number))
                numbers.append(-1); // a wrong line fails every comparison
        }
    }
    return numbers;
}

QList<qint64> numbersUpTo(qint64 last)
{
    QList<qint64> numbers;
    for (qint64 n = 1; n <= last; ++n)
        numbers.append(n);
    return numbers;
}

// The contacts a link delivered, by position and number.
struct Received
{
    explicit Received(StationLink &link)
    {
        QObject::connect(&link, &StationLink::contactReceived, &link,
                         [this](const StationContact &contact) { contacts.append(contact); });
    }
    bool has(const QString &position, qint64 number) const
    {
        return std::any_of(contacts.cbegin(), contacts.cend(), [&](const StationContact &c) {
            return c.position == position && c.number == number &&
                   c.line == lineOf(position, number);
        });
    }
    QList<StationContact> contacts;
};

// A self-signed certificate for localhost, its own authority.
bool makeTestCertificate(const QString &certificate, const QString &key)
{
    QProcess openssl;
    openssl.start(u"openssl"_s,
                  {u"req"_s, u"-x509"_s, u"-newkey"_s, u"rsa:2048"_s, u"-nodes"_s, u"-days"_s,
                   u"2"_s, u"-subj"_s, u"/CN=localhost"_s, u"-addext"_s,
                   u"subjectAltName=DNS:localhost"_s, u"-keyout"_s, key, u"-out"_s, certificate});
    return openssl.waitForFinished(60000) && openssl.exitStatus() == QProcess::NormalExit &&
           openssl.exitCode() == 0;
}

void publish(StationLink &link, qint64 from, qint64 to)
{
    for (qint64 n = from; n <= to; ++n)
        link.publishContact(n, lineOf(link.settings().position, n));
}
} // namespace

class TestStationLink : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The test links the engine the window loads as a module.
        useStationEngineFactory(startLinkedStationEngine);
        if (NatsServerProcess::program().isEmpty())
            QFAIL("nats-server is not installed (scripts/install-deps.sh test)");
    }

    void cleanupTestCase() { nats_CloseAndWait(10000); }

    void twoPositionsAddingAtOnceAreEachStoredOnceAndSeenByTheOther()
    {
        QTemporaryDir store;
        NatsServerProcess server(store.path(), NatsServerProcess::freePorts(1).first());
        QVERIFY2(server.start(), qPrintable(server.output()));
        StationLink run(settingsFor({server.url()}, QStringLiteral("run")));
        StationLink search(settingsFor({server.url()}, QStringLiteral("search")));
        Received atRun(run), atSearch(search);

        publish(run, 1, 1);
        publish(search, 1, 1);

        QTRY_COMPARE_WITH_TIMEOUT(storedContacts(run.settings()).size(), 2, deadlineMs);
        QCOMPARE(storedNumbers(run.settings(), QStringLiteral("run")), numbersUpTo(1));
        QCOMPARE(storedNumbers(run.settings(), QStringLiteral("search")), numbersUpTo(1));
        QTRY_VERIFY_WITH_TIMEOUT(atSearch.has(QStringLiteral("run"), 1), deadlineMs);
        QTRY_VERIFY_WITH_TIMEOUT(atRun.has(QStringLiteral("search"), 1), deadlineMs);
        // Each position also gets its own contact back from the stream, for a restore.
        QTRY_VERIFY_WITH_TIMEOUT(atRun.has(QStringLiteral("run"), 1), deadlineMs);
        QTRY_VERIFY_WITH_TIMEOUT(run.state().connected, deadlineMs);
        QCOMPARE(run.state().positionsSeen, 2);
        QCOMPARE(run.state().contactsWaiting, 0);
        QCOMPARE(streamReplicas(run.settings()), 1);
    }

    void serverUnreachableAtStartGetsTheContactsWhenItComes()
    {
        QTemporaryDir store;
        NatsServerProcess server(store.path(), NatsServerProcess::freePorts(1).first());
        StationLink run(settingsFor({server.url()}, QStringLiteral("run")));
        QSignalSpy states(&run, &StationLink::stateChanged);

        publish(run, 1, 3);
        QTRY_COMPARE_WITH_TIMEOUT(run.state().contactsWaiting, 3, deadlineMs);
        QVERIFY(!run.state().connected);

        QVERIFY2(server.start(), qPrintable(server.output()));
        QTRY_COMPARE_WITH_TIMEOUT(storedNumbers(run.settings(), QStringLiteral("run")),
                                  numbersUpTo(3), deadlineMs);
        QTRY_VERIFY_WITH_TIMEOUT(run.state().connected && run.state().contactsWaiting == 0,
                                 deadlineMs);
        QVERIFY(!states.isEmpty());
    }

    // A user and password or a token in the address, and tls:// with the server's certificate
    // checked against the authorities the system trusts (here SSL_CERT_FILE names the test's).
    void addressesWithSecretsAndTls_data()
    {
        QTest::addColumn<QStringList>("serverOptions");
        QTest::addColumn<QString>("scheme");
        QTest::addColumn<QString>("secret");
        QTest::newRow("user and password")
            << QStringList{u"--user"_s, u"op"_s, u"--pass"_s, u"s3cret"_s} << u"nats"_s
            << u"op:s3cret@"_s;
        QTest::newRow("token") << QStringList{u"--auth"_s, u"t0ken"_s} << u"nats"_s << u"t0ken@"_s;
        QTest::newRow("tls") << QStringList{} << u"tls"_s << QString();
    }
    void addressesWithSecretsAndTls()
    {
        QFETCH(QStringList, serverOptions);
        QFETCH(QString, scheme);
        QFETCH(QString, secret);
        QTemporaryDir store;
        const quint16 port = NatsServerProcess::freePorts(1).first();
        NatsServerProcess server(store.path(), port);
        server.addArguments(serverOptions);
        if (scheme == u"tls") {
            const QString certificate = store.path() + u"/server.pem"_s;
            const QString key = store.path() + u"/server.key"_s;
            QVERIFY(makeTestCertificate(certificate, key));
            server.addArguments({u"--tls"_s, u"--tlscert"_s, certificate, u"--tlskey"_s, key});
            qputenv("SSL_CERT_FILE", certificate.toLocal8Bit());
        }
        QVERIFY2(server.start(), qPrintable(server.output()));
        const QString url = u"%1://%2localhost:%3"_s.arg(scheme, secret).arg(port);
        StationLink run(settingsFor({url}, QStringLiteral("run")));
        publish(run, 1, 1);
        QTRY_VERIFY_WITH_TIMEOUT(run.state().connected && run.state().contactsWaiting == 0,
                                 deadlineMs);
    }

    void linkLostMidContestSendsTheWaitingContactsOnceInOrder()
    {
        QTemporaryDir store;
        NatsServerProcess server(store.path(), NatsServerProcess::freePorts(1).first());
        QVERIFY2(server.start(), qPrintable(server.output()));
        StationLink run(settingsFor({server.url()}, QStringLiteral("run")));
        publish(run, 1, 2);
        QTRY_COMPARE_WITH_TIMEOUT(storedNumbers(run.settings(), QStringLiteral("run")),
                                  numbersUpTo(2), deadlineMs);

        server.kill();
        QTRY_VERIFY_WITH_TIMEOUT(!run.state().connected, deadlineMs);
        publish(run, 3, 6);
        QTRY_COMPARE_WITH_TIMEOUT(run.state().contactsWaiting, 4, deadlineMs);

        QVERIFY2(server.start(), qPrintable(server.output()));
        QTRY_COMPARE_WITH_TIMEOUT(run.state().contactsWaiting, 0, deadlineMs);
        QCOMPARE(storedNumbers(run.settings(), QStringLiteral("run")), numbersUpTo(6));
        QTRY_VERIFY_WITH_TIMEOUT(run.state().connected, deadlineMs);
    }

    // A position killed after its contacts were on its disk but before they were published,
    // or before the stream's acknowledgement came back: started again, it hands its whole log.
    void positionStartedAgainStoresItsLogOnce()
    {
        QTemporaryDir store;
        NatsServerProcess server(store.path(), NatsServerProcess::freePorts(1).first());
        QVERIFY2(server.start(), qPrintable(server.output()));
        const StationSettings settings = settingsFor({server.url()}, QStringLiteral("run"));
        {
            StationLink first(settings);
            publish(first, 1, 3);
            QTRY_COMPARE_WITH_TIMEOUT(storedNumbers(settings, QStringLiteral("run")),
                                      numbersUpTo(3), deadlineMs);
            server.kill();
            QTRY_VERIFY_WITH_TIMEOUT(!first.state().connected, deadlineMs);
            publish(first, 4, 5); // on the disk, never published
        }
        QVERIFY2(server.start(), qPrintable(server.output()));
        StationLink again(settings);
        publish(again, 1, 5);
        QTRY_COMPARE_WITH_TIMEOUT(storedNumbers(settings, QStringLiteral("run")), numbersUpTo(5),
                                  deadlineMs);
        // The whole log handed once more, then a new contact: only the new one is stored.
        publish(again, 1, 6);
        QTRY_COMPARE_WITH_TIMEOUT(storedNumbers(settings, QStringLiteral("run")), numbersUpTo(6),
                                  deadlineMs);
        QTRY_COMPARE_WITH_TIMEOUT(again.state().contactsWaiting, 0, deadlineMs);
    }

    // The stream forgets message ids after its duplicate window (two minutes unless set): a
    // position started again hours later still stores nothing twice.
    void positionStartedAgainAfterTheDuplicateWindowStoresItsLogOnce()
    {
        QTemporaryDir store;
        NatsServerProcess server(store.path(), NatsServerProcess::freePorts(1).first());
        QVERIFY2(server.start(), qPrintable(server.output()));
        const StationSettings settings = settingsFor({server.url()}, QStringLiteral("run"));
        QVERIFY(createStreamWithShortDuplicateWindow(settings));
        {
            StationLink first(settings);
            publish(first, 1, 3);
            QTRY_COMPARE_WITH_TIMEOUT(storedNumbers(settings, QStringLiteral("run")),
                                      numbersUpTo(3), deadlineMs);
        }
        // Each probe changes the stream, and QTRY asks once more after success: keep the answer.
        bool windowPassed = false;
        QTRY_VERIFY_WITH_TIMEOUT(
            windowPassed || (windowPassed = duplicateWindowHasPassed(settings)), deadlineMs);
        StationLink again(settings);
        publish(again, 1, 4);
        QTRY_COMPARE_WITH_TIMEOUT(storedNumbers(settings, QStringLiteral("run")), numbersUpTo(4),
                                  deadlineMs);
    }

    void clusterOfThreeGoesOnWithOneServerKilled()
    {
        QTemporaryDir store;
        const QList<quint16> ports = NatsServerProcess::freePorts(6);
        std::vector<std::unique_ptr<NatsServerProcess>> servers;
        QStringList urls;
        for (int i = 0; i < 3; ++i) {
            servers.push_back(std::make_unique<NatsServerProcess>(
                store.path() + QStringLiteral("/n%1").arg(i), ports[i]));
            QList<quint16> routes = ports.mid(3);
            routes.removeAt(i);
            servers[i]->joinCluster(QStringLiteral("n%1").arg(i), ports[3 + i], routes);
            urls.append(servers[i]->url());
        }
        for (auto &server : servers)
            QVERIFY2(server->start(), qPrintable(server->output()));
        StationLink run(settingsFor(urls, QStringLiteral("run")));
        StationLink search(settingsFor(urls, QStringLiteral("search")));
        Received atSearch(search);
        publish(run, 1, 2);
        QTRY_VERIFY_WITH_TIMEOUT(atSearch.has(QStringLiteral("run"), 2), deadlineMs);
        QCOMPARE(streamReplicas(run.settings()), 3);

        // The server leading the stream goes: another takes the lead, the stream goes on.
        const QString leader = streamLeader(run.settings());
        QVERIFY(leader.startsWith(u'n'));
        servers[leader.mid(1).toUInt()]->kill();
        publish(run, 3, 5);
        publish(search, 1, 2);
        QTRY_VERIFY_WITH_TIMEOUT(atSearch.has(QStringLiteral("run"), 5), deadlineMs);
        QTRY_COMPARE_WITH_TIMEOUT(run.state().contactsWaiting + search.state().contactsWaiting, 0,
                                  deadlineMs);
        QCOMPARE(storedNumbers(run.settings(), QStringLiteral("run")), numbersUpTo(5));
        QCOMPARE(storedNumbers(run.settings(), QStringLiteral("search")), numbersUpTo(2));
    }
};

QTEST_GUILESS_MAIN(TestStationLink)
#include "tst_station_link.moc"
