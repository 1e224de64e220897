#pragma once

#include "controls/control.h"

// A push button. Pressing it, by the operator or from code, runs its Click procedure at once.
class CommandButton : public Control
{
    Q_OBJECT

public:
    using Control::Control;

    // Setting Value to true presses the button from code.
    void setValue(bool pressed)
    {
        if (pressed)
            emit Click();
    }
    void click() { emit Click(); }

signals:
    void Click();
};
