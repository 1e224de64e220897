#pragma once

#include <QKeyEvent>

// The key code and shift state a KeyDown procedure is given for a key press: 13 for Enter, the
// ASCII code of an upper-case letter or digit, 0 for keys the program has no code for.
int vbKeyCode(const QKeyEvent &event);
// 1 for Shift, 2 for Ctrl, 4 for Alt, added up.
int vbShiftState(const QKeyEvent &event);
