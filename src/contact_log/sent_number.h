#pragma once

#include <QString>
#include <QStringView>
#include <optional>

class Frame;
class TextBox;

// The sent serial number lives in the caption of Frame1: three digits from "001" to "999", then
// as many as it needs ("1000", ..., "9999", "10000", ...). It never runs out: a contest log is
// numbered on however long it grows.

// Shows `number` with leading zeros to three digits; a longer number as it is. An empty text
// leaves the caption as it is.
void FormatSentNumber(Frame &Frame1, QStringView number);

// Moves the number on after an accepted contact.
void AdvanceSentNumber(Frame &Frame1, QString &NextNumber);

// Recomputes the number from the last contact line of a log text (after a log was read in):
// one more than the number the line starts with, whatever its number of digits, and at least
// 001. Without any "-+-" the caption stays as it is.
void RestoreSentNumber(QStringView logText, Frame &Frame1);

// The number the last contact line of a log text was sent with, in decimal digits without
// leading zeros ("0" for none): the digits that start the line holding the last "-+-", up to its
// first "-+-"; for a line that does not start so, the number in the four characters before that
// last "-+-". Nothing when the text holds no "-+-".
std::optional<QString> lastSentNumberIn(QStringView logText);

// The end of the log box's text that lastSentNumberIn reads, without the whole text: from the
// start of the line holding the last "-+-" (or the four characters before it, whichever comes
// first) to the end, as a string of its own.
QString lastContactLineOf(const TextBox &log);
