#include "controls/check_box.h"

void CheckBox::click()
{
    setFocus();
    value_ = value_ == 0 ? 1 : 0;
    emit valueChanged(value_);
    emit Click();
}
