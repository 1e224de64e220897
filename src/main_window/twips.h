#pragma once

#include "controls/control.h"

#include <QRect>

// The layout is given in twips; 15 twips make one pixel at 96 dots per inch, which is what a
// device-independent pixel of the toolkit is.
inline constexpr int twipsPerPixel = 15;

inline int twipsToPixels(int twips)
{
    return (twips + twipsPerPixel / 2) / twipsPerPixel;
}

inline QRect twipsToPixels(TwipRect rect)
{
    return {twipsToPixels(rect.left), twipsToPixels(rect.top), twipsToPixels(rect.width),
            twipsToPixels(rect.height)};
}
