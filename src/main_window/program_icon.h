#pragma once

#include <QIcon>

// The program's icon in 16, 24, 32 and 48 pixels. An image is decoded only when the platform
// asks for its size (a window system's title bar or task bar; the offscreen platform never
// does), from the 256-colour set on a screen of 8 bits or fewer and from the 32-bit set on any
// other.
QIcon programIcon();
