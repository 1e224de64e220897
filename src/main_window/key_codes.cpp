#include "main_window/key_codes.h"

KeyCode vbKeyCode(const QKeyEvent &event)
{
    const int key = event.key();
    return key == Qt::Key_Return || key == Qt::Key_Enter ? vbKeyReturn : KeyCode{};
}

int vbShiftState(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}
