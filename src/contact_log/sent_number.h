#pragma once

#include <QString>
#include <QStringView>
#include <optional>

class Frame;
class TextBox;

// The sent serial number lives in the caption of Frame1: three digits from "001" to "999", then
// four from "1000" to "9999", the most a contest log allows.

inline constexpr int lastSentNumber = 9999;

// Shows `number` with leading zeros to three digits; a four-digit number as it is. Any text not
// of 1 to 4 characters leaves the caption as it is.
void FormatSentNumber(Frame &Frame1, QStringView number);

// Moves the number on after an accepted contact; 9999 is the last number and stays.
void AdvanceSentNumber(Frame &Frame1, QString &NextNumber);

// Recomputes the number from the last contact line of a log text (after a log was read in):
// one more than the number the line starts with, kept within 001 to 9999. Without any "-+-"
// the caption stays as it is.
void RestoreSentNumber(QStringView logText, Frame &Frame1);

// The number the last contact line of a log text was sent with: the digits that start the line
// holding the last "-+-", up to its first "-+-"; for a line that does not start so, the number
// in the four characters before that last "-+-". Nothing when the text holds no "-+-".
std::optional<double> lastSentNumberIn(QStringView logText);

// The end of the log box's text that lastSentNumberIn reads, without the whole text: from the
// start of the line holding the last "-+-" (or the four characters before it, whichever comes
// first) to the end, as a string of its own.
QString lastContactLineOf(const TextBox &log);

// Whether the last number has been sent: the caption shows 9999 and the log's last contact line
// already carries it, so a further contact would repeat it.
bool sentNumbersUsedUp(QStringView logText, const Frame &Frame1);
