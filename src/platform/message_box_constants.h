#pragma once

// Message-box styles: buttons in the low bits, icon in the next ones.
inline constexpr int vbOKOnly = 0;
inline constexpr int vbYesNo = 4;
inline constexpr int vbCritical = 16;
inline constexpr int vbQuestion = 32;
inline constexpr int vbExclamation = 48;
inline constexpr int vbInformation = 64;
// Which button Enter presses: the first unless a style asks for the second.
inline constexpr int vbDefaultButton1 = 0;
inline constexpr int vbDefaultButton2 = 256;
inline constexpr int vbButtonsMask = 0x0F;
inline constexpr int vbIconMask = 0x70;
inline constexpr int vbDefaultButtonMask = 0x300;

// Message-box answers.
inline constexpr int vbOK = 1;
inline constexpr int vbYes = 6;
inline constexpr int vbNo = 7;
