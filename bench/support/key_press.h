#pragma once

#include <QString>
#include <Qt>

class QWidget;

// One key pressed and released in `widget`, as the keyboard sends it, then whatever the key left
// to be laid out and drawn.
void pressKey(QWidget *widget, Qt::Key key, const QString &text = {},
              Qt::KeyboardModifiers modifiers = Qt::NoModifier);
