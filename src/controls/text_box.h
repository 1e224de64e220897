#pragma once

#include "controls/control.h"
#include "controls/gap_text.h"
#include "controls/vb_constants.h"

#include <QStringView>

// A single- or multi-line text box. Setting a text that differs from the current one runs the
// Change procedure at once, nested, before the setter returns; setting the same text runs
// nothing, which is what lets a Change procedure rewrite its own box without looping.
class TextBox : public Control
{
    Q_OBJECT

public:
    explicit TextBox(const QString &name, QObject *parent = nullptr);

    // Every read leaves the text as it is and returns what it read as a value of its own, so a
    // result stays true however the box is read after it (until the text changes).
    //
    // The whole text in one piece. For a long text this is costly (see gap_text.h): a new
    // string of it. What runs on every keystroke or contact reads textLength(), charAt() and
    // textBetween() instead, and no caller keeps the whole text longer than it needs it.
    QString text() const { return text_.whole(); }
    // The whole text in UTF-8, made without a UTF-16 copy of a long log: what "Save" writes.
    QByteArray textUtf8() const { return text_.utf8(); }
    // Whether the text begins with `prefix`, and whether it is exactly `text`; compared where
    // the characters lie, without a copy of the text.
    bool textStartsWith(QStringView prefix) const { return text_.startsWith(prefix); }
    bool holds(QStringView text) const
    {
        return text.size() == text_.size() && textStartsWith(text);
    }
    // The characters from `from` on, as a string of their own (the whole text from 0).
    QString textFrom(qsizetype from) const { return text_.copy(from, text_.size()); }
    qsizetype textLength() const { return text_.size(); }
    QChar charAt(qsizetype position) const { return text_.at(position); }
    // The characters [from, to), as a string of their own.
    QString textBetween(qsizetype from, qsizetype to) const { return text_.copy(from, to); }
    // A single-line box keeps the text up to its first line break, without invisible
    // characters (see entry_text.h).
    // A text passed by std::move is let go as soon as the box holds it.
    void setText(QString text);
    // The same as setText(text() + tail), without copying the text: the log only ever grows at
    // its end, and a big log must not be copied for every contact.
    void appendText(QStringView tail);
    // Replaces `removed` characters from the 0-based `position` by `inserted`, in place, and runs
    // the Change procedure: the operator's keystroke in a long log must neither copy it nor make
    // what follows the keystroke be read again. As QString::replace: a position outside the text
    // changes nothing, and what is removed ends with the text at the latest. The selection is
    // kept within the new text.
    void replaceText(qsizetype position, qsizetype removed, QStringView inserted);

    qsizetype selStart() const { return selStart_; }
    // Caret at that 0-based offset, clamped to the text; the length of the text puts it at the
    // end and brings the end into view.
    void setSelStart(qsizetype position);
    // How many characters from SelStart on are selected; setting SelStart selects none.
    qsizetype selLength() const { return selLength_; }
    // Selects that many characters from SelStart on, clamped to the text.
    void setSelLength(qsizetype length);

    OleColor foreColor() const { return foreColor_; }
    void setForeColor(OleColor color);

    bool isMultiLine() const { return multiLine_; }
    void setMultiLine(bool multiLine) { multiLine_ = multiLine; }

    // A key pressed while the box has the focus; runs the KeyDown procedure.
    void keyDown(KeyCode keyCode, int shift) { emit KeyDown(keyCode, shift); }

signals:
    // Events: the window's procedures connect here.
    void Change();
    void KeyDown(KeyCode keyCode, int shift);

    // Property notifications for the view.
    void textReplaced();
    void textAppended(QStringView tail);
    // The text from `position` on changed: `removed` characters became `added` ones.
    void textEdited(qsizetype position, qsizetype removed, qsizetype added);
    void selStartChanged(qsizetype position);
    void selectionChanged(qsizetype start, qsizetype length);
    void foreColorChanged(OleColor color);

private:
    GapText text_;
    qsizetype selStart_ = 0;
    qsizetype selLength_ = 0;
    OleColor foreColor_ = vbWindowText;
    bool multiLine_ = false;
};
