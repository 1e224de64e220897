#include "ole_color.h"

QColor toQColor(OleColor color, const QPalette &palette)
{
    constexpr OleColor systemColorFlag = 0x80000000;
    if (color & systemColorFlag) {
        switch (color) {
        case vbButtonText:
            return palette.color(QPalette::ButtonText);
        case vbWindowText:
        default:
            return palette.color(QPalette::Text);
        }
    }
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}
