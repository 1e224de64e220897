#pragma once

#include <QObject>
#include <vector>

class QPlainTextEdit;
class TextBox;

// Keeps the log box's widget and the log text in step. The log text is the truth, with CR LF
// line ends; the widget shows each line break as a paragraph. The program's appends reach the
// widget as appends, and the operator's edits reach the log text as the one range they changed,
// edited in place, so neither side is rebuilt or copied per contact or per keystroke, and line
// breaks the operator did not touch (a lone LF read from a file, say) stay exactly as they were.
//
// Where an edit lies in the log text follows from the widget's paragraphs: a position of the
// widget is that many characters of the log plus one for each CR LF before its paragraph, that
// is each line break but those one character long (a lone CR or LF, a paragraph separator from a
// file), whose paragraphs are kept in a sorted list (usually empty). See docs/log-box.md.
//
// The program's changes are never undoable: an undo or redo in the widget can reach only the
// operator's own edits since the program last changed the log.
class LogEditSync : public QObject
{
public:
    LogEditSync(TextBox &box, QPlainTextEdit *edit);

private:
    void showWholeText();
    void showAppended(QStringView tail);
    // Appends `tail` to what the widget shows.
    void insertAtEnd(QStringView tail);
    void showCaret(qsizetype position);
    void takeOperatorEdit(int position, int charsRemoved, int charsAdded);
    // After a change of the program's: what the widget holds now is where undo starts.
    void startUndoHere();
    // Line breaks of `text` one character long, the first of which ends the paragraph numbered
    // `paragraph`.
    void noteLoneBreaks(QStringView text, int paragraph);
    // How many of the paragraphs before `paragraph` end in a line break one character long.
    qsizetype loneBreaksBefore(int paragraph) const;

    TextBox &box_;
    QPlainTextEdit *edit_;
    bool programChange_ = false; // the program is changing the widget
    bool operatorEdit_ = false;  // an edit of the operator's is reaching the log text
    bool rewrittenDuringEdit_ = false;
    // The widget's paragraph and character counts as last seen, to tell how many line breaks an
    // edit removed.
    int paragraphs_ = 1;
    int characters_ = 1;
    std::vector<int> loneBreakParagraphs_;
};
