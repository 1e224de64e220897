#pragma once

#include <QString>

// Contact lines as "Add" writes them, for the tests that need a log to start from or a line to
// expect.

// The first contact of a session, at 1345 UTC on 16/07/2016: Q1ABC, received number 012, locator
// JN80XY. Without its line end: the log text ends it with CR LF, the log box shows an LF.
inline const QString firstContact =
    QStringLiteral("001-+-16/07/2016---1345---Q1ABC---59---012---JN80XY");

// Two contacts, each ended by CR LF, the second with a portable call.
inline const QString twoContacts =
    firstContact + QStringLiteral("\r\n002-+-16/07/2016---1346---DL1XYZ/P---59---007---JN58TD\r\n");
