#pragma once

#include <QString>
#include <QStringList>

// What names a station and one of its positions on the station's servers. The station's stream
// is named from its call; each position publishes on its own subject of that stream.
struct StationSettings
{
    QStringList serverUrls; // nats:// or tls://, each with an optional user:password@ or token@
    QString call;           // the station's call, e.g. Q9XYZ or Q9XYZ/P
    QString position;       // this position's name, e.g. run, 20m, search2

    // Why these settings cannot name a station, in a sentence for standard error (server URLs
    // shown without their secrets); empty when they can.
    QString problem() const;

    // The stream holding every contact of the station, e.g. VANDREL_Q9XYZ (a stream name holds
    // no '/', so Q9XYZ/P gives VANDREL_Q9XYZ-P).
    QString streamName() const;
    // Every subject of the station's stream: vandrel.<CALL>.>
    QString stationSubjects() const;
    // The subject a position publishes on: vandrel.<CALL>.<position>
    QString subjectOf(const QString &position) const;
    // The position a subject of the station's stream belongs to; empty for another subject.
    QString positionOfSubject(QStringView subject) const;
    // The message id of contact `number` of this position: the stream keeps one message per id,
    // so a contact sent again after a lost acknowledgement or a restart is stored once.
    QString messageIdOf(qint64 number) const;
};
