#include "log_text_edit.h"

#include <QKeyEvent>
#include <QMimeData>

void LogTextEdit::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || !(event->modifiers() & Qt::ShiftModifier)) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    QKeyEvent plainEnter(event->type(), event->key(), event->modifiers() & ~Qt::ShiftModifier,
                         event->text(), event->isAutoRepeat(), event->count());
    QPlainTextEdit::keyPressEvent(&plainEnter);
    event->setAccepted(plainEnter.isAccepted());
}

void LogTextEdit::insertFromMimeData(const QMimeData *source)
{
    if (!source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    QString text = source->text();
    text.replace(QChar::LineSeparator, u'\n').replace(QChar::ParagraphSeparator, u'\n');
    QMimeData plain;
    plain.setText(text);
    QPlainTextEdit::insertFromMimeData(&plain);
}
