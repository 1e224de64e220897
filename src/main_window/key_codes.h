#pragma once

#include "controls/vb_constants.h"

#include <QKeyEvent>

// The key code a KeyDown procedure is given for a key press: vbKeyReturn for Enter, the only
// key a procedure acts on, and no code (0) for every other key.
KeyCode vbKeyCode(const QKeyEvent &event);
// 1 for Shift, 2 for Ctrl, 4 for Alt, added up.
int vbShiftState(const QKeyEvent &event);
