#pragma once

#include <QtGlobal>

// Colours are platform colour values: 0x00BBGGRR for plain colours, 0x800000nn for the
// system's named colours.
enum class OleColor : quint32
{
    vbWindowText = 0x80000008, // default text colour of a text box
    vbButtonText = 0x80000012, // the neutral call mark
    vbRed = 0x000000FF,
    vbBlue = 0x00FF0000,
};
using enum OleColor;

// Key codes handed to KeyDown procedures; keys the program reads no code of give other values.
enum class KeyCode : int
{
    vbKeyReturn = 13,
};
using enum KeyCode;
