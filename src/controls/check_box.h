#pragma once

#include "controls/control.h"

// A check box whose value is 0 (unticked) or 1 (ticked). A click toggles the value before the
// Click procedure runs, as the platform does.
class CheckBox : public Control
{
    Q_OBJECT

public:
    using Control::Control;

    int value() const { return value_; }

    // The operator's click (mouse or space bar): the box takes the focus, toggles, then runs
    // the Click procedure.
    void click();

signals:
    void Click();
    void valueChanged(int value);

private:
    int value_ = 0;
};
