#pragma once

#include <QtGlobal>

// Colours are platform colour values: 0x00BBGGRR for plain colours, 0x800000nn for the
// system's named colours.
using OleColor = quint32;

inline constexpr OleColor vbWindowText = 0x80000008; // default text colour of a text box
inline constexpr OleColor vbButtonText = 0x80000012; // the neutral call mark
inline constexpr OleColor vbRed = 0x000000FF;
inline constexpr OleColor vbBlue = 0x00FF0000;

// Message-box styles: buttons in the low bits, icon in the next ones.
inline constexpr int vbOKOnly = 0;
inline constexpr int vbYesNo = 4;
inline constexpr int vbCritical = 16;
inline constexpr int vbQuestion = 32;
inline constexpr int vbExclamation = 48;
inline constexpr int vbInformation = 64;
inline constexpr int vbButtonsMask = 0x0F;
inline constexpr int vbIconMask = 0x70;

// Message-box answers.
inline constexpr int vbOK = 1;
inline constexpr int vbYes = 6;
inline constexpr int vbNo = 7;

// Key codes handed to KeyDown procedures.
inline constexpr int vbKeyReturn = 13;
