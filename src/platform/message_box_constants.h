#pragma once

// Message-box styles: buttons in the low bits, icon in the next ones, then the default button;
// a style is one of each, added up (vbYesNo + vbQuestion + vbDefaultButton2).
enum class MsgBoxStyle : int
{
    vbOKOnly = 0,
    vbYesNo = 4,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    // Which button Enter presses: the first unless a style asks for the second.
    vbDefaultButton1 = 0,
    vbDefaultButton2 = 256,
};
using enum MsgBoxStyle;

constexpr MsgBoxStyle operator+(MsgBoxStyle buttons, MsgBoxStyle icon)
{
    return MsgBoxStyle(int(buttons) | int(icon));
}

// The buttons part of a style (vbOKOnly or vbYesNo) and its icon part.
constexpr MsgBoxStyle buttonsOf(MsgBoxStyle style)
{
    return MsgBoxStyle(int(style) & 0x0F);
}
constexpr MsgBoxStyle iconOf(MsgBoxStyle style)
{
    return MsgBoxStyle(int(style) & 0x70);
}
constexpr MsgBoxStyle defaultButtonOf(MsgBoxStyle style)
{
    return MsgBoxStyle(int(style) & 0x300);
}

// Message-box answers.
enum class MsgBoxResult : int
{
    vbOK = 1,
    vbYes = 6,
    vbNo = 7,
};
using enum MsgBoxResult;
