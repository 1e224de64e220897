#include "main_window/frame_box.h"
#include "main_window/title_on_border_style.h"
#include "painted_region.h"

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

// The frame's pixels in `part` when only `part` is redrawn; everything else stays magenta.
QImage redrawn(QWidget *frame, const QRect &part)
{
    QImage image(frame->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::magenta);
    frame->render(&image, part.topLeft(), QRegion(part), QWidget::DrawWindowBackground);
    return image.copy(part);
}

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

    void aPartRedrawnShowsWhatTheWholeFrameShows()
    {
        // A part wholly inside the line is left alone; a part on the line, however small, is
        // drawn as the whole frame draws it.
        FramedLabel framed;
        framed.inside->hide();
        const QRect whole = framed.frame->rect();
        const int lineTop = framed.frame->fontMetrics().height() / 2 + 1;
        const QRect parts[] = {
            whole.adjusted(20, 40, -20, -20),                   // inside
            QRect(0, 40, 2, 10),                                // the left side
            QRect(whole.right() - 1, 40, 2, 10),                // the right side
            QRect(40, whole.bottom() - 1, 10, 2),               // the bottom
            QRect(1, lineTop, 2, 2),                            // the top left corner
            QRect(whole.right() - 2, whole.bottom() - 2, 2, 2), // the bottom right corner
            QRect(8, 1, 12, 8),                                 // the title
        };
        for (const QRect &part : parts)
            QVERIFY2(redrawn(framed.frame, part) == redrawn(framed.frame, whole).copy(part),
                     qPrintable(QStringLiteral("%1,%2 %3x%4")
                                    .arg(part.x())
                                    .arg(part.y())
                                    .arg(part.width())
                                    .arg(part.height())));
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
