#include "main_window/program_icon.h"

#include <QImage>
#include <QPixmap>
#include <QTest>

class TestProgramIcon : public QObject
{
    Q_OBJECT

private slots:
    void eachSizeIsItsOwnFullColourImage_data()
    {
        QTest::addColumn<int>("side");
        for (int side : {16, 24, 32, 48})
            QTest::addRow("%d", side) << side;
    }
    void eachSizeIsItsOwnFullColourImage()
    {
        QFETCH(int, side);
        const QIcon icon = programIcon();
        QVERIFY(icon.availableSizes().contains(QSize(side, side)));
        const QImage shown = icon.pixmap(QSize(side, side)).toImage();
        const QImage file = QPixmap(QStringLiteral(":/icons/vandrel-%1.png").arg(side)).toImage();
        QVERIFY(!file.isNull());
        QCOMPARE(shown, file);
    }

    void otherSizesComeFromTheNextLargerImageAndAreNeverEnlarged()
    {
        const QIcon icon = programIcon();
        QCOMPARE(icon.actualSize(QSize(20, 20)), QSize(20, 20));
        QCOMPARE(icon.pixmap(QSize(20, 20)).size(), QSize(20, 20));
        QCOMPARE(icon.actualSize(QSize(64, 64)), QSize(48, 48));
        QCOMPARE(icon.pixmap(QSize(64, 64)).size(), QSize(48, 48));
    }
};

QTEST_MAIN(TestProgramIcon)
#include "tst_program_icon.moc"
