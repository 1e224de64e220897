#pragma once

#include "controls/control.h"

// A frame around a group of controls; its caption is shown as its title.
class Frame : public Control
{
    Q_OBJECT

public:
    using Control::Control;

    bool canTakeFocus() const override { return false; }
};
