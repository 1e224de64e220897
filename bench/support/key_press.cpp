#include "key_press.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

void pressKey(QWidget *widget, Qt::Key key, const QString &text, Qt::KeyboardModifiers modifiers)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(widget, &release);
    QApplication::processEvents();
}
