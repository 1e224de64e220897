#include "main_window/ole_color.h"

QColor toQColor(OleColor color, const QPalette &palette)
{
    constexpr quint32 systemColorFlag = 0x80000000;
    const auto value = quint32(color);
    if (value & systemColorFlag) {
        switch (color) {
        case vbButtonText:
            return palette.color(QPalette::ButtonText);
        case vbWindowText:
        default:
            return palette.color(QPalette::Text);
        }
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}
