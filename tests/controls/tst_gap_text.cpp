#include "controls/gap_text.h"

#include <QTest>
#include <algorithm>
#include <random>

// The gap buffer against a plain QString receiving the same changes.
class TestGapText : public QObject
{
    Q_OBJECT

private slots:
    void readsAsTheSameChangesMadeToAPlainString_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("wide");
        QTest::addColumn<bool>("utf16AtEnd");
        // ASCII, Latin-1 throughout (é and ÿ included), UTF-16 from the start, and a switch from
        // one byte a character to UTF-16 in the middle of the edits.
        QTest::newRow("ascii") << QStringLiteral("start\r\n") << QStringLiteral("!") << false;
        QTest::newRow("one byte") << QStringLiteral("start\u00e9\r\n") << QStringLiteral("\u00ff")
                                  << false;
        QTest::newRow("utf-16") << QStringLiteral("\u20acstart\r\n") << QStringLiteral("\u00ff")
                                << true;
        QTest::newRow("switched") << QStringLiteral("start\r\n")
                                  << QStringLiteral("\u0416\U0001F4FB") << true;
    }

    void readsAsTheSameChangesMadeToAPlainString()
    {
        QFETCH(QString, start);
        QFETCH(QString, wide);
        QFETCH(bool, utf16AtEnd);
        std::mt19937 random(14);
        const auto below = [&random](qsizetype n) { return qsizetype(random() % quint64(n)); };
        // Line ends of every kind, and pieces longer than the gap's reserve now and then.
        const QStringList pieces = {QStringLiteral("a"),
                                    QStringLiteral("\r\n"),
                                    QStringLiteral("\r"),
                                    QStringLiteral("\n"),
                                    QStringLiteral("---59---"),
                                    QString(70000, u'x'),
                                    QString()};
        GapText text;
        QString model;
        text.assign(start);
        model = start;
        qsizetype last = 0;
        for (int step = 0; step < 3000; ++step) {
            QString piece = pieces[below(pieces.size() - (step % 300 == 0 ? 0 : 2))];
            if (step == 1500)
                piece = wide;
            switch (below(10)) {
            case 0:
                text.append(piece);
                model.append(piece);
                break;
            case 1: {
                // Read around the gap, wherever it is; reading moves nothing.
                QCOMPARE(text.utf8(), model.toUtf8());
                QCOMPARE(text.whole(), model);
                break;
            }
            default: {
                // Mostly near the last edit, as an operator types, sometimes anywhere.
                const qsizetype near = std::clamp(last + below(9) - 4, qsizetype(0), model.size());
                const qsizetype at = below(4) == 0 ? below(model.size() + 1) : near;
                const qsizetype removed = below(std::min<qsizetype>(12, model.size() - at) + 1);
                text.replace(at, removed, piece);
                model.replace(at, removed, piece);
                last = at + piece.size();
            }
            }
            QCOMPARE(text.size(), model.size());
            const qsizetype at = below(model.size() + 1);
            const qsizetype to = std::min(model.size(), at + below(20));
            QCOMPARE(text.copy(at, to), QStringView(model).sliced(at, to - at));
            QVERIFY(text.startsWith(QStringView(model).first(to)));
            if (!model.isEmpty()) {
                const qsizetype one = below(model.size());
                QCOMPARE(text.at(one), model.at(one));
            }
        }
        QCOMPARE(text.whole(), model);
        QCOMPARE(text.isUtf16(), utf16AtEnd);
    }

    void pieceAcrossTheGapAndEditsAtBothEnds_data()
    {
        QTest::addColumn<QString>("last");
        QTest::newRow("one byte") << QStringLiteral("9");
        QTest::newRow("utf-16") << QStringLiteral("\u20ac");
    }

    void pieceAcrossTheGapAndEditsAtBothEnds()
    {
        QFETCH(QString, last);
        GapText text;
        text.assign(QStringLiteral("012345678") + last);
        text.replace(5, 1, u"ab"); // gap after "01234ab"
        QCOMPARE(text.copy(3, 9), u"34ab67");
        QCOMPARE(text.copy(3, 5), u"34");
        QCOMPARE(text.copy(7, 9), u"67");
        text.replace(4, 4, u"-"); // removes across the gap: "4ab6"
        QCOMPARE(text.whole(), QStringLiteral("0123-78") + last);
        text.replace(4, 1, u"4ab6");
        text.replace(0, 2, u"");               // at the start
        text.replace(text.size(), 0, u"\r\n"); // at the very end
        text.append(u"z");
        QCOMPARE(text.at(text.size() - 1), u'z');
        QCOMPARE(text.whole(), QStringLiteral("234ab678") + last + QStringLiteral("\r\nz"));
        text.replace(2, 0, u"Q"); // after a whole read
        QCOMPARE(text.whole(), QStringLiteral("23Q4ab678") + last + QStringLiteral("\r\nz"));
        QCOMPARE(text.copy(9, text.size()), last + QStringLiteral("\r\nz"));
        text.assign(QString());
        QCOMPARE(text.size(), 0);
        QCOMPARE(text.whole(), QString());
    }

    void aCharacterAboveLatin1TurnsTheStoreIntoUtf16_data()
    {
        QTest::addColumn<int>("at");
        QTest::newRow("start") << 0;
        QTest::newRow("middle") << 4;
        QTest::newRow("end") << 10;
    }

    void aCharacterAboveLatin1TurnsTheStoreIntoUtf16()
    {
        QFETCH(int, at);
        GapText text;
        QString model = QStringLiteral("ab\r\ncd\re\n\u00ff");
        text.assign(model);
        text.replace(7, 1, u"E"); // the gap inside, where the text changes store
        model.replace(7, 1, QStringLiteral("E"));
        QCOMPARE(text.copy(0, 2), u"ab");
        const qsizetype replaced = at < model.size() ? 1 : 0;
        text.replace(at, replaced, u"\u00e9"); // Latin-1 is kept one byte each
        model.replace(at, replaced, QStringLiteral("\u00e9"));
        QVERIFY(!text.isUtf16());
        text.replace(at, 0, u"\u20ac\U0001F4FB");
        model.replace(at, 0, QStringLiteral("\u20ac\U0001F4FB"));
        QVERIFY(text.isUtf16());
        QCOMPARE(text.whole(), model);
        for (qsizetype i = 0; i < model.size(); ++i)
            QCOMPARE(text.at(i), model.at(i));
        QCOMPARE(text.copy(2, 9), QStringView(model).sliced(2, 7));
        // For good: taking the character out again leaves the store as it is.
        text.replace(at, 3, u"");
        model.remove(at, 3);
        QVERIFY(text.isUtf16());
        QCOMPARE(text.whole(), model);
    }

    void appendsAndNewTextsPickTheirStore()
    {
        GapText text;
        text.assign(QStringLiteral("one\r\n"));
        text.append(u"two\u00b0\r\n");
        QVERIFY(!text.isUtf16());
        text.append(u"\u041e\r\n");
        QVERIFY(text.isUtf16());
        QCOMPARE(text.whole(), u"one\r\ntwo\u00b0\r\n\u041e\r\n");
        text.assign(QStringLiteral("\u00e5\r\n"));
        QVERIFY(!text.isUtf16());
        QCOMPARE(text.whole(), u"\u00e5\r\n");
    }
};

QTEST_APPLESS_MAIN(TestGapText)
#include "tst_gap_text.moc"
