#pragma once

#include <QPlainTextEdit>

// The log box's widget. Every line break the operator types, pastes, drops or commits from an
// input method is a paragraph break, the one kind the log text holds as CR LF: Shift+Enter and
// line or paragraph separators would otherwise put a character into the log that no reader takes
// for a line end.
class LogTextEdit : public QPlainTextEdit
{
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    // Pastes (keyboard, menu, middle button) and drops: only their text, and nothing when they
    // hold none.
    void insertFromMimeData(const QMimeData *source) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
};
