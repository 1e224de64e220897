#include "main_window/log_edit_sync.h"

#include "controls/text_box.h"
#include "main_window/widget_position.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace {

// Characters of the log text other than CR and LF that the widget also shows as a line break:
// the paragraph separator and the document's own frame marks.
bool isShownAsLineBreak(QChar c)
{
    return c == u'\r' || c == u'\n' || c == QChar::ParagraphSeparator || c == u'\uFDD0' ||
           c == u'\uFDD1';
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
        // A rewrite while the operator's edit is reaching the log is the Change procedure's own;
        // it is shown once that edit is through.
        if (operatorEdit_)
            rewrittenDuringEdit_ = true;
        else
            showWholeText();
    });
    connect(&box, &TextBox::textAppended, this, &LogEditSync::showAppended);
    connect(&box, &TextBox::selStartChanged, this, &LogEditSync::showCaret);
}

void LogEditSync::showWholeText()
{
    programChange_ = true;
    // Made once and not kept: the box may hold the text one byte a character.
    const QString text = box_.text();
    edit_->setPlainText(text);
    programChange_ = false;
    loneBreakParagraphs_.clear();
    noteLoneBreaks(text, 0);
    startUndoHere();
}

void LogEditSync::showAppended(QStringView tail)
{
    const qsizetype size = box_.textLength();
    // A CR already shown as a line break that the appended LF makes one CR LF with.
    if (tail.startsWith(u'\n') && size > tail.size() &&
        box_.charAt(size - tail.size() - 1) == u'\r') {
        showWholeText();
        return;
    }
    const int lastParagraph = edit_->document()->blockCount() - 1;
    programChange_ = true;
    insertAtEnd(tail);
    programChange_ = false;
    noteLoneBreaks(tail, lastParagraph);
    startUndoHere();
}

void LogEditSync::insertAtEnd(QStringView tail)
{
    QTextDocument *document = edit_->document();
    QTextCursor end(document);
    end.movePosition(QTextCursor::End);
    // A contact line ends with a line break, so the widget ends with an empty paragraph. A change
    // that adds one paragraph redraws only the lines it touched when it reaches the last
    // paragraph, and every visible line otherwise; text inserted into that empty paragraph does
    // not reach the new one after it. So the line break before it is taken into the change as
    // well, removed and inserted again: the widget shows the same text.
    const int last = end.position();
    if (last > 0 && document->characterAt(last - 1) == QChar::ParagraphSeparator) {
        end.setPosition(last - 1, QTextCursor::KeepAnchor);
        end.insertText(QString(QChar::ParagraphSeparator).append(tail));
        return;
    }
    end.insertText(tail.toString());
}

void LogEditSync::startUndoHere()
{
    QTextDocument *document = edit_->document();
    document->clearUndoRedoStacks();
    paragraphs_ = document->blockCount();
    characters_ = document->characterCount();
}

void LogEditSync::noteLoneBreaks(QStringView text, int paragraph)
{
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (text[at] == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n')
            ++at;
        else if (isShownAsLineBreak(text[at]))
            loneBreakParagraphs_.push_back(paragraph);
        else
            continue;
        ++paragraph;
    }
}

qsizetype LogEditSync::loneBreaksBefore(int paragraph) const
{
    return std::lower_bound(loneBreakParagraphs_.begin(), loneBreakParagraphs_.end(), paragraph) -
           loneBreakParagraphs_.begin();
}

void LogEditSync::showCaret(qsizetype position)
{
    // The log box's change procedure puts the caret at the end to show the newest contact. While
    // the operator edits the box by hand, that would send the next keystroke to the end of the
    // log; the caret stays where the operator is typing, and the log text only learns where.
    if (operatorEdit_)
        return;
    QTextCursor cursor = edit_->textCursor();
    if (position >= box_.textLength())
        cursor.movePosition(QTextCursor::End);
    else
        cursor.setPosition(widgetPosition(position - box_.textBetween(0, position).count(u"\r\n")));
    edit_->setTextCursor(cursor);
    edit_->ensureCursorVisible();
}

void LogEditSync::takeOperatorEdit(int position, int charsRemoved, int charsAdded)
{
    if (programChange_)
        return;
    QTextDocument *document = edit_->document();
    // The document counts a final paragraph break of its own that no text stands for, and may
    // report it as removed and added again.
    const int shownEnd = document->characterCount() - 1;
    const int removedShown = std::clamp(charsRemoved, 0, characters_ - 1 - position);
    QTextCursor added(document);
    added.setPosition(std::min(position, shownEnd));
    added.setPosition(std::min(position + charsAdded, shownEnd), QTextCursor::KeepAnchor);
    const QString addedShown = added.selectedText();

    // The line breaks removed are those of the paragraphs from the edited one on.
    const int paragraph = document->findBlock(position).blockNumber();
    const int breaksAdded = int(addedShown.count(QChar::ParagraphSeparator));
    const int breaksRemoved = breaksAdded - (document->blockCount() - paragraphs_);
    const auto firstLone = loneBreakParagraphs_.begin() + loneBreaksBefore(paragraph);
    const auto afterLone =
        loneBreakParagraphs_.begin() + loneBreaksBefore(paragraph + breaksRemoved);
    const qsizetype lonesRemoved = afterLone - firstLone;
    const qsizetype start = position + paragraph - (firstLone - loneBreakParagraphs_.begin());
    const qsizetype end =
        std::min(box_.textLength(), start + removedShown + breaksRemoved - lonesRemoved);
    for (auto later = afterLone; later != loneBreakParagraphs_.end(); ++later)
        *later += breaksAdded - breaksRemoved;
    loneBreakParagraphs_.erase(firstLone, afterLone);
    paragraphs_ = document->blockCount();
    characters_ = document->characterCount();

    const QString inserted = toLogText(addedShown);
    operatorEdit_ = true;
    box_.replaceText(start, end - start, inserted);
    // The operator's caret is just after what they typed or pasted.
    box_.setSelStart(start + inserted.size());
    operatorEdit_ = false;
    if (rewrittenDuringEdit_) {
        rewrittenDuringEdit_ = false;
        showWholeText();
    }
}
