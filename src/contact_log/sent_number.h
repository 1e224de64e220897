#pragma once

#include <QString>
#include <QStringView>

class Frame;

// The sent serial number lives in the caption of Frame1: three digits, "001" to "999".

// Shows `number` with leading zeros to three digits; any text not of 1 to 3 characters leaves
// the caption as it is.
void FormatSentNumber(Frame &Frame1, QStringView number);

// Moves the number on after an accepted contact; 999 is the last number and stays.
void AdvanceSentNumber(Frame &Frame1, QString &NextNumber);

// Recomputes the number from the last contact line of a log text (after a log was read in):
// one more than the number in front of the last "-+-", kept within 001 to 999. Without any
// "-+-" the caption stays as it is.
void RestoreSentNumber(QStringView logText, Frame &Frame1);
