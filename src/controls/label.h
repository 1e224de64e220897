#pragma once

#include "controls/control.h"

// A caption beside an entry box; takes no focus.
class Label : public Control
{
    Q_OBJECT

public:
    using Control::Control;

    bool canTakeFocus() const override { return false; }
};
