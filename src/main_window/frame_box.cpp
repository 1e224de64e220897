#include "main_window/frame_box.h"

#include "main_window/title_on_border_style.h"

#include <QPaintEvent>
#include <QStyle>
#include <QStyleOptionGroupBox>

void FrameBox::setCaption(const QString &caption)
{
    if (caption == caption_)
        return;
    const QRect before = captionRect();
    caption_ = caption;
    update(before.united(captionRect()));
}

void FrameBox::initStyleOption(QStyleOptionGroupBox *option) const
{
    QGroupBox::initStyleOption(option);
    option->text = caption_;
}

void FrameBox::paintEvent(QPaintEvent *event)
{
    // A key in a box inside the frame redraws the frame behind the box: where the frame draws
    // neither its line nor its title, there is nothing of its own to draw.
    if (const auto *style = qobject_cast<const TitleOnBorderStyle *>(this->style())) {
        QStyleOptionGroupBox option;
        initStyleOption(&option);
        if (style->clearInside(&option, this).contains(event->region().boundingRect()))
            return;
    }
    QGroupBox::paintEvent(event);
}

QRect FrameBox::captionRect() const
{
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, this);
}
