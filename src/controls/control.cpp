#include "controls/control.h"

Control::Control(const QString &name, QObject *parent) : QObject(parent)
{
    setObjectName(name);
}

void Control::setVisible(bool visible)
{
    if (visible_ == visible)
        return;
    visible_ = visible;
    emit visibleChanged(visible);
}

void Control::setCaption(const QString &caption)
{
    if (caption_ == caption)
        return;
    caption_ = caption;
    emit captionChanged(caption);
}
