#pragma once

#include <QPlainTextEdit>

// The log box's widget. Every line break the operator types or pastes is a paragraph break, the
// one kind the log text holds as CR LF: Shift+Enter and pasted line or paragraph separators
// would otherwise put a character into the log that no reader takes for a line end.
class LogTextEdit : public QPlainTextEdit
{
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
};
