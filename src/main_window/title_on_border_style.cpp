#include "title_on_border_style.h"

#include <QPainter>
#include <QStyleOptionGroupBox>
#include <cmath>

namespace {

constexpr int titleIndent = 6;  // from the frame's left edge to the title's gap
constexpr int titlePadding = 3; // the gap in the border line either side of the text
constexpr qreal frameRadius = 2;

// Draws the frame's line along the inside of `rect`. An antialiased line costs a blend per pixel
// along the whole frame, each time the title changes. Where the line falls on whole device pixels
// only the corners are drawn so (the path clipped to each corner); the straight sides between
// them are plain fills of the same pixels.
void drawFrameLine(QPainter *painter, const QRect &rect, const QBrush &brush)
{
    const QRectF line = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
    const int corner = int(frameRadius) + 1; // the side's pixels a corner's curve reaches into
    const int width = rect.width() - 2 * corner;
    const int height = rect.height() - 2 * corner;
    const qreal ratio = painter->device()->devicePixelRatio();
    const bool wholePixels = painter->worldTransform().type() <= QTransform::TxTranslate &&
                             ratio == std::floor(ratio) && width > 0 && height > 0;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(brush, 1));
    painter->setBrush(Qt::NoBrush);
    if (!wholePixels) {
        painter->drawRoundedRect(line, frameRadius, frameRadius);
        painter->restore();
        return;
    }
    for (const QPoint &at : {rect.topLeft(), rect.topRight() - QPoint(corner - 1, 0),
                             rect.bottomLeft() - QPoint(0, corner - 1),
                             rect.bottomRight() - QPoint(corner - 1, corner - 1)}) {
        painter->save();
        painter->setClipRect(QRect(at, QSize(corner, corner)), Qt::IntersectClip);
        painter->drawRoundedRect(line, frameRadius, frameRadius);
        painter->restore();
    }
    painter->fillRect(QRect(rect.left() + corner, rect.top(), width, 1), brush);
    painter->fillRect(QRect(rect.left() + corner, rect.bottom(), width, 1), brush);
    painter->fillRect(QRect(rect.left(), rect.top() + corner, 1, height), brush);
    painter->fillRect(QRect(rect.right(), rect.top() + corner, 1, height), brush);
    painter->restore();
}

} // namespace

QRect TitleOnBorderStyle::subControlRect(ComplexControl control, const QStyleOptionComplex *option,
                                         SubControl subControl, const QWidget *widget) const
{
    const auto *group = qstyleoption_cast<const QStyleOptionGroupBox *>(option);
    if (control != CC_GroupBox || !group)
        return QProxyStyle::subControlRect(control, option, subControl, widget);

    const int textHeight = group->fontMetrics.height();
    switch (subControl) {
    case SC_GroupBoxFrame:
        // The top line runs just below the middle of the title, where it has always been.
        return group->rect.adjusted(0, textHeight / 2 + 1, 0, 0);
    case SC_GroupBoxContents:
        return group->rect.adjusted(1, textHeight, -1, -1);
    case SC_GroupBoxLabel: {
        if (group->text.isEmpty())
            return {};
        const int textWidth = group->fontMetrics.size(Qt::TextShowMnemonic, group->text).width();
        return {group->rect.left() + titleIndent, group->rect.top(), textWidth + 2 * titlePadding,
                textHeight};
    }
    default:
        return QProxyStyle::subControlRect(control, option, subControl, widget);
    }
}

void TitleOnBorderStyle::drawComplexControl(ComplexControl control,
                                            const QStyleOptionComplex *option, QPainter *painter,
                                            const QWidget *widget) const
{
    const auto *group = qstyleoption_cast<const QStyleOptionGroupBox *>(option);
    if (control != CC_GroupBox || !group) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }

    // A thin line in the palette's mid tone with slightly rounded corners, drawn here: the
    // application style's own group box frame sits below a title line of its own.
    drawFrameLine(painter, subControlRect(CC_GroupBox, group, SC_GroupBoxFrame, widget),
                  group->palette.mid());

    const QRect label = subControlRect(CC_GroupBox, group, SC_GroupBoxLabel, widget);
    if (label.isEmpty())
        return;
    // The title breaks the border line: the window's background fills the gap behind the text.
    painter->fillRect(label, group->palette.window());
    drawItemText(painter, label, Qt::AlignCenter | Qt::TextShowMnemonic, group->palette,
                 group->state.testFlag(State_Enabled), group->text, QPalette::WindowText);
}
