#include "main_window/title_on_border_style.h"

#include <QPainter>
#include <QStyleOptionGroupBox>
#include <algorithm>

namespace {

constexpr int titleIndent = 6;  // from the frame's left edge to the title's gap
constexpr int titlePadding = 3; // the gap in the border line either side of the text
constexpr qreal frameRadius = 2;
// How far into the frame its line reaches from the frame's edge, its rounded corners included.
constexpr int lineReach = int(frameRadius) + 1;

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
    const QRectF frame = QRectF(subControlRect(CC_GroupBox, group, SC_GroupBoxFrame, widget))
                             .adjusted(0.5, 0.5, -0.5, -0.5);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(group->palette.mid(), 1));
    painter->setBrush(Qt::NoBrush);
    painter->drawRoundedRect(frame, frameRadius, frameRadius);
    painter->restore();

    const QRect label = subControlRect(CC_GroupBox, group, SC_GroupBoxLabel, widget);
    if (label.isEmpty())
        return;
    // The title breaks the border line: the window's background fills the gap behind the text.
    painter->fillRect(label, group->palette.window());
    drawItemText(painter, label, Qt::AlignCenter | Qt::TextShowMnemonic, group->palette,
                 group->state.testFlag(State_Enabled), group->text, QPalette::WindowText);
}

QRect TitleOnBorderStyle::clearInside(const QStyleOptionGroupBox *group,
                                      const QWidget *widget) const
{
    const QRect line = subControlRect(CC_GroupBox, group, SC_GroupBoxFrame, widget);
    const int top =
        std::max(line.top() + lineReach, group->rect.top() + group->fontMetrics.height());
    return QRect(QPoint(line.left() + lineReach, top),
                 QPoint(line.right() - lineReach, line.bottom() - lineReach));
}
