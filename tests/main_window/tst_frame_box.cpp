#include "frame_box.h"
#include "painted_region.h"
#include "title_on_border_style.h"

#include <QLabel>
#include <QTest>

namespace {

// A frame drawn as the window draws it, with a label inside, in a window of its own.
struct FramedLabel
{
    QWidget window;
    FrameBox *frame = new FrameBox(&window);
    QLabel *inside = new QLabel(QStringLiteral("Call"), frame);

    FramedLabel()
    {
        window.resize(300, 150);
        frame->setGeometry(10, 10, 280, 120);
        auto *style = new TitleOnBorderStyle;
        style->setParent(frame);
        frame->setStyle(style);
        inside->setGeometry(20, 40, 60, 20);
        frame->setCaption(QStringLiteral("001"));
        window.show();
    }
};

} // namespace

class TestFrameBox : public QObject
{
    Q_OBJECT

private slots:
    void aNewCaptionRedrawsTheTitleAlone()
    {
        FramedLabel framed;
        QVERIFY(QTest::qWaitForWindowExposed(&framed.window));
        const PaintedRegion frame(framed.frame);
        const PaintedRegion inside(framed.inside);

        framed.frame->setCaption(QStringLiteral("1000"));
        QTRY_VERIFY(!frame.region().isEmpty());
        QCOMPARE(framed.frame->caption(), QStringLiteral("1000"));
        QVERIFY(inside.region().isEmpty());
        QVERIFY(frame.region().boundingRect().bottom() < framed.inside->geometry().top());
    }

    void drawsItsCaptionAsAGroupBoxDrawsItsTitle()
    {
        FramedLabel framed;
        QGroupBox group(&framed.window);
        group.setGeometry(framed.frame->geometry());
        group.setStyle(framed.frame->style());
        group.setTitle(QStringLiteral("002"));
        group.show();
        framed.inside->hide();
        framed.frame->setCaption(QStringLiteral("002"));
        QCOMPARE(framed.frame->grab().toImage(), group.grab().toImage());
        framed.frame->setCaption(QStringLiteral("003"));
        QVERIFY(framed.frame->grab().toImage() != group.grab().toImage());
    }
};

QTEST_MAIN(TestFrameBox)
#include "tst_frame_box.moc"
