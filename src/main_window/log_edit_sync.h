#pragma once

#include <QObject>

class QPlainTextEdit;
class TextBox;

// Keeps the log box's widget and the log text in step. The log text is the truth, with CR LF
// line ends; the widget shows each line break as a paragraph. The program's appends reach the
// widget as appends, and the operator's edits reach the log text as the one range they changed,
// so neither side is rebuilt per contact or per keystroke, and line breaks the operator did not
// touch (a lone LF read from a file, say) stay exactly as they were.
class LogEditSync : public QObject
{
public:
    LogEditSync(TextBox &box, QPlainTextEdit *edit);

private:
    void showWholeText();
    void showAppended(QStringView tail);
    void showCaret(int position);
    void takeOperatorEdit(int position, int charsRemoved, int charsAdded);

    TextBox &box_;
    QPlainTextEdit *edit_;
    bool programChange_ = false; // the program is changing the widget
    bool operatorEdit_ = false;  // an edit of the operator's is reaching the log text
};
