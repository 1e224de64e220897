#include "log_edit_sync.h"

#include "text_box.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace {

// The widget shows CR LF as one paragraph break; every other character, a lone CR or LF
// included, stands for one character of the widget.
qsizetype stepOverShownCharacter(QStringView text, qsizetype at)
{
    if (text[at] == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n')
        return at + 2;
    return at + 1;
}

// The offset in the log text reached by walking `shown` characters of the widget from `from`.
qsizetype logOffsetAfter(QStringView text, qsizetype from, int shown)
{
    qsizetype at = from;
    for (int i = 0; i < shown && at < text.size(); ++i)
        at = stepOverShownCharacter(text, at);
    return at;
}

// The widget's position of an offset in the log text.
int shownPosition(QStringView text, int offset)
{
    return int(offset - text.left(offset).count(u"\r\n"));
}

QString toLogText(QString shown)
{
    return shown.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
}

} // namespace

LogEditSync::LogEditSync(TextBox &box, QPlainTextEdit *edit) : QObject(edit), box_(box), edit_(edit)
{
    showWholeText();
    connect(edit->document(), &QTextDocument::contentsChange, this, &LogEditSync::takeOperatorEdit);
    connect(&box, &TextBox::textReplaced, this, [this] {
        if (!operatorEdit_)
            showWholeText();
    });
    connect(&box, &TextBox::textAppended, this, &LogEditSync::showAppended);
    connect(&box, &TextBox::selStartChanged, this, &LogEditSync::showCaret);
}

void LogEditSync::showWholeText()
{
    programChange_ = true;
    edit_->setPlainText(box_.text());
    programChange_ = false;
}

void LogEditSync::showAppended(QStringView tail)
{
    programChange_ = true;
    QTextCursor end(edit_->document());
    end.movePosition(QTextCursor::End);
    end.insertText(tail.toString());
    programChange_ = false;
}

void LogEditSync::showCaret(int position)
{
    // The log box's change procedure puts the caret at the end to show the newest contact. While
    // the operator edits the box by hand, that would send the next keystroke to the end of the
    // log; the caret stays where the operator is typing, and the log text only learns where.
    if (operatorEdit_)
        return;
    QTextCursor cursor = edit_->textCursor();
    if (position >= box_.text().size())
        cursor.movePosition(QTextCursor::End);
    else
        cursor.setPosition(shownPosition(box_.text(), position));
    edit_->setTextCursor(cursor);
    edit_->ensureCursorVisible();
}

void LogEditSync::takeOperatorEdit(int position, int charsRemoved, int charsAdded)
{
    if (programChange_)
        return;
    QTextDocument *document = edit_->document();
    // The document counts a final paragraph break of its own that no text stands for.
    const int shownEnd = document->characterCount() - 1;
    QTextCursor added(document);
    added.setPosition(std::min(position, shownEnd));
    added.setPosition(std::min(position + charsAdded, shownEnd), QTextCursor::KeepAnchor);

    const QString &text = box_.text();
    const qsizetype start = logOffsetAfter(text, 0, position);
    const qsizetype end = logOffsetAfter(text, start, charsRemoved);
    const QString inserted = toLogText(added.selectedText());
    QString updated = text;
    updated.replace(start, end - start, inserted);

    operatorEdit_ = true;
    box_.setText(updated);
    // The operator's caret is just after what they typed or pasted.
    box_.setSelStart(int(start + inserted.size()));
    operatorEdit_ = false;
    // A change procedure that rewrote the text differently must still be shown.
    if (box_.text() != updated)
        showWholeText();
}
