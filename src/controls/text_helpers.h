#pragma once

#include <QString>
#include <QStringView>

// Text operations with the program's conventions: positions are 1-based, 0 means "not found",
// comparisons are exact (case-sensitive, character by character).

// Last occurrence of `what` in `text`, searching backwards from the end.
qsizetype findTextBackward(QStringView text, QStringView what);

// Every non-overlapping occurrence of `from`, found left to right in one pass, replaced by `to`;
// replaced text is not searched again.
QString replaceText(QString text, QStringView from, QStringView to);

// The number a text starts with: spaces, tabs and line feeds are ignored wherever they stand,
// reading stops at the first other character that cannot continue the number, and a text with
// no number gives 0. Reads an optional sign, digits, a decimal point and an exponent.
double numericValue(QStringView text);
