#include "export/edi_score.h"
#include "export/locator.h"

#include <QTest>

// Distances and points as VHF contest rules reckon them. The expected distances were worked
// out by hand from the centres of the squares (law of cosines, 111.2 km per degree), apart from
// the program.
class TestLocatorDistance : public QObject
{
    Q_OBJECT

private slots:
    void validatesLocators_data()
    {
        QTest::addColumn<QString>("locator");
        QTest::addColumn<bool>("valid");
        QTest::newRow("six characters") << "JN61FW" << true;
        QTest::newRow("four characters") << "JN61" << true;
        QTest::newRow("lower case") << "jn61fw" << true;
        QTest::newRow("corners") << "AA00AA" << true;
        QTest::newRow("last field and subsquare") << "RR99XX" << true;
        QTest::newRow("field beyond R") << "JS61FW" << false;
        QTest::newRow("subsquare beyond X") << "JN80XY" << false;
        QTest::newRow("digit in subsquare") << "JN61F1" << false;
        QTest::newRow("letter in square") << "JNA1FW" << false;
        QTest::newRow("five characters") << "JN61F" << false;
        QTest::newRow("eight characters") << "JN61FW12" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("dotless i, upper-cased to I elsewhere") << "\u0131N61FW" << false;
    }

    void validatesLocators()
    {
        QFETCH(QString, locator);
        QFETCH(bool, valid);
        QCOMPARE(isValidLocator(locator), valid);
        QCOMPARE(distanceKm(u"JN61FW", locator).has_value(), valid);
    }

    void reckonsDistancesAndPoints_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<double>("km");
        QTest::addColumn<int>("points");
        // The published example of the rules.
        QTest::newRow("JO55WW to JO65FR") << "JO55WW"
                                          << "JO65FR" << 43.17 << 44;
        QTest::newRow("inside one's own square") << "JN61FW"
                                                 << "JN61FW" << 0.0 << 1;
        // One subsquare north: 1/24 degree of latitude, 111.2 / 24 = 4.633 km.
        QTest::newRow("next subsquare north") << "JN61FW"
                                              << "JN61FX" << 4.633 << 5;
        // One square north on the same meridian as the centre: 1 degree, 111.2 km.
        QTest::newRow("next square north") << "JN61"
                                           << "JN62" << 111.2 << 112;
        // A 4-character locator counts from the centre of its square (13 E, 42.5 N).
        QTest::newRow("to a square's centre") << "JN61FW"
                                              << "JN62" << 76.83 << 77;
        QTest::newRow("far") << "JN61FW"
                             << "IO91WM" << 1429.75 << 1430;
        QTest::newRow("either way round") << "JO65FR"
                                          << "JO55WW" << 43.17 << 44;
    }

    void reckonsDistancesAndPoints()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(double, km);
        QFETCH(int, points);
        const auto distance = distanceKm(from, to);
        QVERIFY(distance);
        QVERIFY2(qAbs(*distance - km) < 0.01, qPrintable(QString::number(*distance)));
        QCOMPARE(qsoPoints(*distance), points);
    }

    void scoresDuplicatesAndNewSquaresPerBand()
    {
        const auto contact = [](const char *call, const char *locator) {
            ContactRecord c;
            c.call = QString::fromLatin1(call);
            c.locator = QString::fromLatin1(locator);
            return c;
        };
        const std::vector<ContactRecord> log{
            contact("Q1ABC", "JN61FX"), // 5 points, new square JN61
            contact("Q2DEF", "JN61FW"), // 1 point, same square
            contact("Q1ABC", "JN61FX"), // duplicate
            contact("Q3GHI", "JN62"),   // only 4 characters: not valid, 0 points
            contact("Q4JKL", "JN6"),    // not a locator
            contact("Q5MNO", "JN62AA"), // 35.65 km: 36 points, new square JN62
        };
        std::vector<const ContactRecord *> contacts;
        for (const ContactRecord &c : log)
            contacts.push_back(&c);
        const BandScore score = scoreBand(contacts, u"JN61FW");

        QList<int> points;
        QList<bool> newSquares;
        QList<bool> duplicates;
        for (const ScoredContact &s : score.contacts) {
            points << s.points;
            newSquares << s.newSquare;
            duplicates << s.duplicate;
        }
        QCOMPARE(points, (QList<int>{5, 1, 0, 0, 0, 36}));
        QCOMPARE(newSquares, (QList<bool>{true, false, false, false, false, true}));
        QCOMPARE(duplicates, (QList<bool>{false, false, true, false, false, false}));
        QCOMPARE(score.validContacts, 3);
        QCOMPARE(score.squares, 2);
        QCOMPARE(score.points, 5 + 1 + 36);
        QCOMPARE(score.farthest->contact->call, u"Q5MNO");
        QCOMPARE(score.farthest->km, 35);
    }
};

QTEST_GUILESS_MAIN(TestLocatorDistance)
#include "tst_locator_distance.moc"
