#include "frame_box.h"

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

QRect FrameBox::captionRect() const
{
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, this);
}
