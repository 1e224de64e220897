#pragma once

#include "controls/vb_constants.h"

#include <QColor>
#include <QPalette>

// The colour a control's ForeColor stands for: 0x00BBGGRR for plain colours, or one of the
// system's named colours, taken from the palette the widget would otherwise use.
QColor toQColor(OleColor color, const QPalette &palette);
