#include "main_window/log_text_edit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>

namespace {

bool holdsSeparators(QStringView text)
{
    return text.contains(QChar::LineSeparator) || text.contains(QChar::ParagraphSeparator);
}

QString withLineFeeds(QString text)
{
    return text.replace(QChar::LineSeparator, u'\n').replace(QChar::ParagraphSeparator, u'\n');
}

} // namespace

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
    // The toolkit's own insert (Qt 6.4) takes the first of the data's formats without asking
    // whether there is one, and dies on data with none: what the clipboard offers once the
    // program that copied has ended. So it is only ever handed data made here, holding text.
    if (!source || !source->hasText())
        return;
    QMimeData plain;
    plain.setText(withLineFeeds(source->text()));
    QPlainTextEdit::insertFromMimeData(&plain);
}

void LogTextEdit::inputMethodEvent(QInputMethodEvent *event)
{
    if (!holdsSeparators(event->commitString())) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent plain(event->preeditString(), event->attributes());
    plain.setCommitString(withLineFeeds(event->commitString()), event->replacementStart(),
                          event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&plain);
    event->setAccepted(plain.isAccepted());
}
