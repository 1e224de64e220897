#include "gap_text.h"

#include <QTest>
#include <algorithm>
#include <random>

// The gap buffer against a plain QString receiving the same changes.
class TestGapText : public QObject
{
    Q_OBJECT

private slots:
    void readsAsTheSameChangesMadeToAPlainString()
    {
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
        text.assign(QStringLiteral("start\r\n"));
        model = QStringLiteral("start\r\n");
        qsizetype last = 0;
        for (int step = 0; step < 3000; ++step) {
            const QString piece = pieces[below(pieces.size() - (step % 300 == 0 ? 0 : 2))];
            switch (below(10)) {
            case 0:
                text.append(piece);
                model.append(piece);
                break;
            case 1: {
                // Reading the whole text closes the gap; the next edit opens it again.
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
            QCOMPARE(text.piece(at, to), QStringView(model).sliced(at, to - at));
            if (!model.isEmpty()) {
                const qsizetype one = below(model.size());
                QCOMPARE(text.at(one), model.at(one));
            }
        }
        QCOMPARE(text.whole(), model);
    }

    void pieceAcrossTheGapAndEditsAtBothEnds()
    {
        GapText text;
        text.assign(QStringLiteral("0123456789"));
        text.replace(5, 1, u"ab"); // gap after "01234ab"
        QCOMPARE(text.piece(3, 9), u"34ab67");
        text.replace(0, 2, u"");               // at the start
        text.replace(text.size(), 0, u"\r\n"); // at the very end
        text.append(u"z");
        QCOMPARE(text.at(text.size() - 1), u'z');
        QCOMPARE(text.whole(), u"234ab6789\r\nz");
        text.replace(2, 0, u"Q"); // after a whole read
        QCOMPARE(text.whole(), u"23Q4ab6789\r\nz");
        text.assign(QString());
        QCOMPARE(text.size(), 0);
        QCOMPARE(text.whole(), QString());
    }
};

QTEST_APPLESS_MAIN(TestGapText)
#include "tst_gap_text.moc"
