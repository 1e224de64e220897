#include "recovery/recovery_records.h"

#include <QTest>

namespace {

struct Step
{
    RecordKind kind;
    QString text;
};

// The log text after each prefix of `steps`, as the journal's records define it.
QStringList textsAfterEachStep(const QList<Step> &steps)
{
    QStringList texts{QString()};
    for (const Step &step : steps) {
        QString text = texts.last();
        if (step.kind == RecordKind::Append)
            text += step.text;
        else if (step.kind == RecordKind::ReplaceAll)
            text = step.text;
        texts.append(text);
    }
    return texts;
}

// A session as the window writes it: adds, an "Open" that replaced the log, odd line breaks
// typed into the log box, a save, and adds after it.
const QList<Step> session = {
    {RecordKind::Append, QStringLiteral("001-+-16/07/2016---1345---Q1ABC---59---012---JN80XY\r\n")},
    {RecordKind::Append, QStringLiteral("002-+-16/07/2016---1345---ÖZ9ÆØ---59---7---JN81AA\r\n")},
    {RecordKind::ReplaceAll, QStringLiteral("a lone LF\nand CR\rCR CR LF\r\r\n\r\n\r\nno end")},
    {RecordKind::Append,
     QStringLiteral("\U0001F4FB emoji, NUL ") + QChar(0) + QStringLiteral(" and a tab\t\r\n")},
    {RecordKind::Saved, QString()},
    {RecordKind::Append, QStringLiteral("003-+-16/07/2016---1346---Q3DEF---59---013---JN80XY\r\n")},
};

QByteArray journalOf(const QList<Step> &steps, QList<qsizetype> *recordEnds = nullptr)
{
    QByteArray bytes = recoveryFileHeader();
    qint64 time = 1468676700000;
    for (const Step &step : steps) {
        bytes += encodeRecord(step.kind, step.text, time++);
        if (recordEnds)
            recordEnds->append(bytes.size());
    }
    return bytes;
}

} // namespace

class TestRecoveryRecords : public QObject
{
    Q_OBJECT

private slots:
    void checksumIsTheStandardCrc32()
    {
        QCOMPARE(crc32("123456789"), 0xCBF43926u);
        QCOMPARE(crc32("6789", crc32("12345")), 0xCBF43926u);
    }

    void journalGivesBackTheLogByteForByte()
    {
        const RecoveredLog log = readRecoveryRecords(journalOf(session));
        QCOMPARE(log.status, RecoveredLog::Status::Journal);
        QCOMPARE(log.logText, textsAfterEachStep(session).last());
        QVERIFY(log.logText.contains(QStringLiteral("\r\r\n\r\n\r\nno end")));
        QCOMPARE(log.records, session.size());
        QCOMPARE(log.skippedBytes, 0);
        QVERIFY(!log.saved);
        QVERIFY(log.holdsUnsavedLog());
        QCOMPARE(log.lastAddMsecs, 1468676700000 + session.size() - 1);

        const RecoveredLog savedLast = readRecoveryRecords(journalOf(session.first(5)));
        QVERIFY(savedLast.saved);
        QVERIFY(!savedLast.holdsUnsavedLog());
    }

    void fileCutAtAnyByteGivesBackTheRecordsBeforeTheCut()
    {
        QList<qsizetype> ends;
        const QByteArray bytes = journalOf(session, &ends);
        const QStringList texts = textsAfterEachStep(session);
        for (qsizetype cut = 0; cut <= bytes.size(); ++cut) {
            const RecoveredLog log = readRecoveryRecords(bytes.first(cut));
            const qsizetype whole = std::count_if(ends.cbegin(), ends.cend(),
                                                  [cut](qsizetype end) { return end <= cut; });
            QCOMPARE(log.records, whole);
            QCOMPARE(log.logText, texts[whole]);
            QCOMPARE(log.readBytes + log.skippedBytes, cut);
            const qsizetype headerSize = recoveryFileHeader().size();
            const qsizetype lastEnd = whole > 0 ? ends[whole - 1] : headerSize;
            QCOMPARE(log.skippedBytes, cut < headerSize ? cut : cut - lastEnd);
        }
    }

    void damageEndsTheJournalWhereItBegins_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("recordsRead");
        QList<qsizetype> ends;
        const QByteArray good = journalOf(session.first(3), &ends);

        QByteArray flipped = good;
        flipped[ends[0] + 30] = flipped[ends[0] + 30] ^ 0x20; // inside the second payload
        QTest::newRow("a changed byte") << flipped << 1;
        QByteArray longer = good;
        longer.replace(ends[0] + 2, 2, "99999"); // the second record claims more than there is
        QTest::newRow("a length beyond the end") << longer << 1;
        QTest::newRow("garbage after the last record") << good + "\x01\xFFgarbage\n" << 3;
        QTest::newRow("zeros after the last record") << good + QByteArray(4096, '\0') << 3;
        QByteArray unclosed = good;
        unclosed[ends[1] - 1] = 'x'; // no line feed after the second payload
        QTest::newRow("an unclosed payload") << unclosed << 1;
        QTest::newRow("a saved record with bytes")
            << good + encodeRecord(RecordKind::Saved, u"x", 0) << 3;
        QTest::newRow("an unknown kind")
            << good + encodeRecord(RecordKind::Append, u"x", 0).replace(0, 1, "Z") << 3;
    }

    void damageEndsTheJournalWhereItBegins()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, recordsRead);
        const RecoveredLog log = readRecoveryRecords(bytes);
        QCOMPARE(log.status, RecoveredLog::Status::Journal);
        QCOMPARE(log.records, recordsRead);
        QCOMPARE(log.logText, textsAfterEachStep(session)[recordsRead]);
        QVERIFY(log.skippedBytes > 0);
        QCOMPARE(log.readBytes + log.skippedBytes, bytes.size());
    }

    void onlyThisFormatIsRead_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<RecoveredLog::Status>("status");
        QByteArray records = journalOf(session).sliced(recoveryFileHeader().size());
        QTest::newRow("newer") << "VANDREL-RECOVERY 2\n" + records
                               << RecoveredLog::Status::NewerFormat;
        QTest::newRow("far newer") << "VANDREL-RECOVERY 9999999999999999999\n" + records
                                   << RecoveredLog::Status::NewerFormat;
        QTest::newRow("version 0")
            << "VANDREL-RECOVERY 0\n" + records << RecoveredLog::Status::NotAJournal;
        QTest::newRow("a log file") << QByteArray("001-+-16/07/2016---1345---Q1ABC\r\n")
                                    << RecoveredLog::Status::NotAJournal;
        QTest::newRow("empty") << QByteArray() << RecoveredLog::Status::NotAJournal;
    }

    void onlyThisFormatIsRead()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(RecoveredLog::Status, status);
        const RecoveredLog log = readRecoveryRecords(bytes);
        QCOMPARE(log.status, status);
        QVERIFY(log.logText.isEmpty());
        QCOMPARE(log.records, 0);
        QCOMPARE(log.skippedBytes, bytes.size());
        QVERIFY(!log.holdsUnsavedLog());
    }
};

QTEST_GUILESS_MAIN(TestRecoveryRecords)
#include "tst_recovery_records.moc"
