#pragma once

#include <QtGlobal>

// Colours are platform colour values: 0x00BBGGRR for plain colours, 0x800000nn for the
// system's named colours.
using OleColor = quint32;

inline constexpr OleColor vbWindowText = 0x80000008; // default text colour of a text box
inline constexpr OleColor vbButtonText = 0x80000012; // the neutral call mark
inline constexpr OleColor vbRed = 0x000000FF;
inline constexpr OleColor vbBlue = 0x00FF0000;

// Key codes handed to KeyDown procedures.
inline constexpr int vbKeyReturn = 13;
