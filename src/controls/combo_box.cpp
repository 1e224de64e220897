#include "controls/combo_box.h"

#include "controls/entry_text.h"

void ComboBox::addItem(const QString &item)
{
    items_.append(item);
    emit itemAdded(item);
}

void ComboBox::setText(const QString &text)
{
    // The band goes into the contact line as typed: nothing invisible may come with it.
    const QString kept = withoutInvisibleCharacters(text);
    if (kept == text_)
        return;
    text_ = kept;
    emit textChanged(text_);
}
