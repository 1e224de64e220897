#pragma once

#include <QMetaType>
#include <QString>

// One contact line of one position, as the station's stream holds it.
struct StationContact
{
    QString position;           // the position that logged it
    qint64 number = 0;          // its place in that position's log, from 1
    QString line;               // the contact line as that position wrote it
    quint64 streamSequence = 0; // its place in the station's stream
};

// What the window's title says of the station.
struct StationState
{
    bool connected = false;  // the link is up and the station's stream answers
    int positionsSeen = 1;   // positions with a contact in the stream, this one always counted
    int contactsWaiting = 0; // this position's contacts not yet stored by the stream
};

Q_DECLARE_METATYPE(StationContact)
Q_DECLARE_METATYPE(StationState)
