#include "combo_box.h"

void ComboBox::addItem(const QString &item)
{
    items_.append(item);
    emit itemAdded(item);
}

void ComboBox::setText(const QString &text)
{
    if (text == text_)
        return;
    text_ = text;
    emit textChanged(text);
}
