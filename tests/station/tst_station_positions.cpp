#include "loaded_form.h"
#include "nats_server_process.h"
#include "station_session.h"
#include "stored_contacts.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <nats/nats.h>

namespace {
constexpr int deadlineMs = 40000;
const QString caption = QStringLiteral("Vandrel v1.2 - Morvit");

// One window as one position of the station, with the title it would show.
struct Position
{
    Position(const QString &url, const QString &name)
        : session(loaded.form, StationSettings{{url}, QStringLiteral("Q9XYZ"), name},
                  [this](const QString &shown) { title = shown; })
    {}
    LoadedForm loaded;
    QString title;
    StationSession session;
};
} // namespace

class TestStationPositions : public QObject
{
    Q_OBJECT

private slots:
    void cleanupTestCase() { nats_CloseAndWait(10000); }

    void callLoggedAtOnePositionIsRedAtTheOther()
    {
        QTemporaryDir store;
        NatsServerProcess server(store.path(), NatsServerProcess::freePorts(1).first());
        QVERIFY2(server.start(), qPrintable(server.output()));
        Position run(server.url(), QStringLiteral("run"));
        Position search(server.url(), QStringLiteral("search"));
        // Being typed at one position while the other logs it.
        search.loaded.form.Text2.setText(QStringLiteral("q1abc"));
        QCOMPARE(search.loaded.form.Text2.foreColor(), vbButtonText);

        run.loaded.enter(QStringLiteral("Q1ABC"), QStringLiteral("012"), QStringLiteral("JN80XY"));
        run.loaded.add();

        QTRY_COMPARE_WITH_TIMEOUT(search.loaded.form.Text2.foreColor(), vbRed, deadlineMs);
        QCOMPARE(search.loaded.form.Text2.text(), u"Q1ABC");
        // The log box stays the position's own; "Add" refuses the station's duplicate.
        QVERIFY(search.loaded.form.Text1.text().isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(
            search.title, caption + QStringLiteral(" \u2014 Q9XYZ, 2 positions"), deadlineMs);
        QVERIFY(search.loaded.fakes.messages.shown.isEmpty());
    }

    // Started empty, then "Open": the log file's contacts go to the station, and the contact
    // added after them follows them.
    void openedLogGoesToTheStation()
    {
        QTemporaryDir store;
        NatsServerProcess server(store.path(), NatsServerProcess::freePorts(1).first());
        QVERIFY2(server.start(), qPrintable(server.output()));
        Position run(server.url(), QStringLiteral("run"));
        const StationSettings station{{server.url()}, QStringLiteral("Q9XYZ"), {}};
        QFile log(run.loaded.fakes.directory.path() + QStringLiteral("/vandrel.txt"));
        QVERIFY(log.open(QIODevice::WriteOnly));
        log.write("001-+-16/07/2016---1345---Q1ABC---59---012---JN80XY\r\n"
                  "002-+-16/07/2016---1346---Q2ABC---59---013---JN80XY\r\n");
        log.close();

        run.loaded.form.Command2.click();
        QCOMPARE(run.loaded.form.Text1.textLength(), log.size());
        run.loaded.enter(QStringLiteral("Q3ABC"), QStringLiteral("014"), QStringLiteral("JN80XY"));
        run.loaded.add();

        QTRY_COMPARE_WITH_TIMEOUT(storedContacts(station).size(), 3, deadlineMs);
        const QList<StationContact> stored = storedContacts(station);
        QCOMPARE(stored[0].line, u"001-+-16/07/2016---1345---Q1ABC---59---012---JN80XY");
        QCOMPARE(stored[2].number, 3);
        QVERIFY(stored[2].line.contains(u"Q3ABC"));
    }

    // The spare computer: the same position started with an empty log on a station that holds
    // its contacts; what it adds is stored after them, not taken for one of them.
    void positionStartedEmptyAddsAfterItsStoredContacts()
    {
        QTemporaryDir store;
        NatsServerProcess server(store.path(), NatsServerProcess::freePorts(1).first());
        QVERIFY2(server.start(), qPrintable(server.output()));
        const StationSettings station{{server.url()}, QStringLiteral("Q9XYZ"), {}};
        {
            Position first(server.url(), QStringLiteral("run"));
            first.loaded.enter(QStringLiteral("Q1ABC"), QStringLiteral("012"),
                               QStringLiteral("JN80XY"));
            first.loaded.add();
            QTRY_COMPARE_WITH_TIMEOUT(storedContacts(station).size(), 1, deadlineMs);
        }
        Position spare(server.url(), QStringLiteral("run"));
        QTRY_VERIFY_WITH_TIMEOUT(spare.title.endsWith(u"Q9XYZ, 1 position"), deadlineMs);
        // Its own contact back from the stream, as a restore will read it.
        QTRY_COMPARE_WITH_TIMEOUT(spare.session.ownNumberSeen(), 1, deadlineMs);
        spare.loaded.enter(QStringLiteral("Q2ABC"), QStringLiteral("013"),
                           QStringLiteral("JN80XY"));
        spare.loaded.add();
        QTRY_COMPARE_WITH_TIMEOUT(storedContacts(station).size(), 2, deadlineMs);
        QCOMPARE(storedContacts(station).at(1).number, 2);
    }

    void positionOfflineSaysHowManyContactsWait()
    {
        const quint16 port = NatsServerProcess::freePorts(1).first();
        QTemporaryDir store;
        NatsServerProcess server(store.path(), port);
        Position run(server.url(), QStringLiteral("run"));
        run.loaded.enter(QStringLiteral("Q1ABC"), QStringLiteral("012"), QStringLiteral("JN80XY"));
        run.loaded.add();
        run.loaded.enter(QStringLiteral("Q2ABC"), QStringLiteral("013"), QStringLiteral("JN80XY"));
        run.loaded.add();
        QTRY_COMPARE_WITH_TIMEOUT(
            run.title, caption + QStringLiteral(" \u2014 station offline, 2 contacts waiting"),
            deadlineMs);
        QVERIFY(run.loaded.fakes.messages.shown.isEmpty());

        QVERIFY2(server.start(), qPrintable(server.output()));
        QTRY_COMPARE_WITH_TIMEOUT(run.title, caption + QStringLiteral(" \u2014 Q9XYZ, 1 position"),
                                  deadlineMs);
        QTRY_COMPARE_WITH_TIMEOUT(
            storedContacts(StationSettings{{server.url()}, QStringLiteral("Q9XYZ"), {}}).size(), 2,
            deadlineMs);
    }
};

QTEST_GUILESS_MAIN(TestStationPositions)
#include "tst_station_positions.moc"
