#pragma once

#include <QProxyStyle>

class QStyleOptionGroupBox;

// The style of the frame around the entry: its title (the sent number) stands on the top border
// line at the left, as it always has. Everything else is the application's style. Given to the
// frame alone, so the widgets inside it keep the plain style and its fast drawing (a style sheet
// would route the frame and every child through the slower style sheet style).
class TitleOnBorderStyle : public QProxyStyle
{
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                            QPainter *painter, const QWidget *widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option,
                         SubControl subControl, const QWidget *widget = nullptr) const override;

    // The part of a frame where neither its line nor its title draws anything.
    QRect clearInside(const QStyleOptionGroupBox *group, const QWidget *widget = nullptr) const;
};
