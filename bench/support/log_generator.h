#pragma once

#include <QString>
#include <QStringList>

// A contest log as the program writes it, with varied calls (some portable or mobile), received
// numbers, locators and bands, the same every time for the same size.
struct GeneratedLog
{
    QString text;      // contact lines, each ended by CR LF
    QStringList calls; // the call of each line, in order
};

GeneratedLog generateLog(int contacts, bool withBands = true);

// A well-formed call that no generated log contains.
QString absentCall();
