#include "text_box.h"

#include <algorithm>

TextBox::TextBox(const QString &name, QObject *parent) : Control(name, parent) {}

void TextBox::setText(const QString &text)
{
    if (text == text_)
        return;
    text_ = text;
    ++rewriteCount_;
    selStart_ = std::min(selStart_, int(text_.size()));
    emit textReplaced();
    emit Change();
}

void TextBox::appendText(QStringView tail)
{
    if (tail.isEmpty())
        return;
    text_.append(tail);
    emit textAppended(tail);
    emit Change();
}

void TextBox::setSelStart(int position)
{
    selStart_ = std::clamp(position, 0, int(text_.size()));
    emit selStartChanged(selStart_);
}

void TextBox::setForeColor(OleColor color)
{
    if (color == foreColor_)
        return;
    foreColor_ = color;
    emit foreColorChanged(color);
}
