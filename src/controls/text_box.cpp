#include "controls/text_box.h"

#include "controls/entry_text.h"

#include <algorithm>
#include <utility>

TextBox::TextBox(const QString &name, QObject *parent) : Control(name, parent) {}

namespace {

// A single-line box holds one line, as the platform's single-line edit does with pasted text: a
// line break typed or pasted into a call or a locator would split the contact's line in the log.
QString firstLine(const QString &text)
{
    const auto lineBreak =
        std::find_if(text.cbegin(), text.cend(), [](QChar c) { return c == u'\r' || c == u'\n'; });
    return lineBreak == text.cend() ? text : text.first(lineBreak - text.cbegin());
}

} // namespace

void TextBox::setText(QString text)
{
    if (holds(text))
        return;
    QString kept = multiLine_ ? std::move(text) : withoutInvisibleCharacters(firstLine(text));
    if (holds(kept)) {
        // What was dropped is not in the box; the view must still show the box as it is.
        emit textReplaced();
        return;
    }
    text_.assign(std::move(kept));
    selStart_ = std::min(selStart_, text_.size());
    selLength_ = 0;
    emit textReplaced();
    emit Change();
}

void TextBox::appendText(QStringView tail)
{
    if (tail.isEmpty())
        return;
    if (!multiLine_) {
        setText(text() + tail.toString());
        return;
    }
    text_.append(tail);
    emit textAppended(tail);
    emit Change();
}

void TextBox::replaceText(qsizetype position, qsizetype removed, QStringView inserted)
{
    if (position < 0 || position > text_.size())
        return;
    removed = std::clamp(removed, qsizetype(0), text_.size() - position);
    if (removed == 0 && inserted.isEmpty())
        return;
    if (!multiLine_) {
        setText(QString(text()).replace(position, removed, inserted.toString()));
        return;
    }
    text_.replace(position, removed, inserted);
    selStart_ = std::min(selStart_, text_.size());
    selLength_ = std::min(selLength_, text_.size() - selStart_);
    emit textEdited(position, removed, inserted.size());
    emit Change();
}

void TextBox::setSelStart(qsizetype position)
{
    selStart_ = std::clamp(position, qsizetype(0), text_.size());
    selLength_ = 0;
    emit selStartChanged(selStart_);
}

void TextBox::setSelLength(qsizetype length)
{
    selLength_ = std::clamp(length, qsizetype(0), text_.size() - selStart_);
    emit selectionChanged(selStart_, selLength_);
}

void TextBox::setForeColor(OleColor color)
{
    if (color == foreColor_)
        return;
    foreColor_ = color;
    emit foreColorChanged(color);
}
