#pragma once

#include <QString>
#include <QStringView>

// The rules a station value given to the exporter (on the command line or in a station file)
// must meet to be written into every format as it is: a Cabrillo column, an EDI field, an ADIF
// field of ASCII. Each returns what is wrong with the value, worded to follow it in a message
// ("--call \"Q9 XYZ\" is not ..."), or an empty text when it is fit.

// A call: one word of ASCII letters, digits and '/' (Q9XYZ, Q9XYZ/P, EA8/Q9XYZ).
QString callProblem(QStringView call);
// The station's own locator: 6 characters of the Maidenhead grid (JN61FW).
QString locatorProblem(QStringView locator);
// A free text written on one line (a contest name): no control characters, blanks allowed.
QString lineTextProblem(QStringView text);

// The option or key and its value as a message shows them, e.g. `--call "Q9 XYZ"`, with any
// control character of the value made visible.
QString namedValue(QStringView name, QStringView value);
