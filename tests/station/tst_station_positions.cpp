#include "loaded_form.h"
#include "main_window/station_session.h"
#include "nats_server_process.h"
#include "recovery/recovery_records.h"
#include "station/station_worker.h"
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
    // The test links the engine the window loads as a module.
    void initTestCase() { useStationEngineFactory(startLinkedStationEngine); }
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
        // Its own contact back from the stream, offered and declined.
        QTRY_VERIFY_WITH_TIMEOUT(spare.session.restoreChecked(), deadlineMs);
        QCOMPARE(spare.session.ownNumberSeen(), 1);
        QCOMPARE(spare.loaded.fakes.messages.shown.size(), 1);
        QVERIFY(spare.loaded.form.Text1.text().isEmpty());
        spare.loaded.enter(QStringLiteral("Q2ABC"), QStringLiteral("013"),
                           QStringLiteral("JN80XY"));
        spare.loaded.add();
        QTRY_COMPARE_WITH_TIMEOUT(storedContacts(station).size(), 2, deadlineMs);
        QCOMPARE(storedContacts(station).at(1).number, 2);
    }

    // The spare computer again, answering Yes: the log and the sent number come back exactly as
    // the position left them, and go to its recovery file; a window whose log holds them
    // already is not asked.
    void positionStartedElsewhereGetsItsContactsBack()
    {
        QTemporaryDir store;
        NatsServerProcess server(store.path(), NatsServerProcess::freePorts(1).first());
        QVERIFY2(server.start(), qPrintable(server.output()));
        const StationSettings station{{server.url()}, QStringLiteral("Q9XYZ"), {}};
        QString log;
        QString sentNumber;
        {
            Position first(server.url(), QStringLiteral("run"));
            Position other(server.url(), QStringLiteral("search"));
            other.loaded.enter(QStringLiteral("Q9AAA"), QStringLiteral("001"),
                               QStringLiteral("JN80XY"));
            other.loaded.add();
            for (const QString &call : {QStringLiteral("Q1ABC"), QStringLiteral("Q2ABC")}) {
                first.loaded.enter(call, QStringLiteral("012"), QStringLiteral("JN80XY"));
                first.loaded.add();
            }
            QTRY_COMPARE_WITH_TIMEOUT(storedContacts(station).size(), 3, deadlineMs);
            log = first.loaded.form.Text1.text();
            sentNumber = first.loaded.form.Frame1.caption();
        }
        Position spare(server.url(), QStringLiteral("run"));
        spare.loaded.fakes.messages.answers = {vbYes};
        QTRY_COMPARE_WITH_TIMEOUT(spare.loaded.form.Text1.text(), log, deadlineMs);
        QCOMPARE(spare.loaded.form.Frame1.caption(), sentNumber);
        QCOMPARE(spare.loaded.fakes.messages.shown.size(), 1);
        const ShownMessage asked = spare.loaded.fakes.messages.shown.first();
        QCOMPARE(asked.prompt, u"The station Q9XYZ holds 2 contacts of the position run that "
                               u"this log lacks.\nRestore them to the log?");
        QCOMPARE(asked.style, vbYesNo + vbQuestion);
        QCOMPARE(asked.title, u"Morvit Vandrel");
        spare.loaded.form.recoveryJournal().flush();
        QFile journal(spare.loaded.fakes.directory.path() + QStringLiteral("/vandrel.recovery"));
        QVERIFY(journal.open(QIODevice::ReadOnly));
        QCOMPARE(readRecoveryRecords(journal.readAll()).logText, log);

        // Opened before the stream delivered: the log holds them, nothing is asked.
        Position opened(server.url(), QStringLiteral("run"));
        QFile file(opened.loaded.fakes.directory.path() + QStringLiteral("/vandrel.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(log.toUtf8());
        file.close();
        opened.loaded.form.Command2.click();
        QTRY_VERIFY_WITH_TIMEOUT(opened.session.restoreChecked(), deadlineMs);
        QVERIFY(opened.loaded.fakes.messages.shown.isEmpty());
        QCOMPARE(storedContacts(station).size(), 3);
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
