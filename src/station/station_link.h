#pragma once

#include "station/station_contact.h"
#include "station/station_settings.h"

#include <QObject>
#include <QSet>
#include <memory>

class StationEngine;

// One position's link to its station: the contacts this position logs go to the station's
// stream, and every contact of the station (this position's own included, for a restore)
// comes back through `contactReceived`. Both signals are emitted on the thread the link
// belongs to, from the event loop; nothing the link does waits for the network.
class StationLink : public QObject
{
    Q_OBJECT

public:
    // Starts connecting at once, and keeps trying while no server answers.
    explicit StationLink(StationSettings settings, QObject *parent = nullptr);
    ~StationLink() override;

    const StationSettings &settings() const { return settings_; }
    StationState state() const { return state_; }

    // Contact `number` of this position (its place in the position's log, from 1) is `line`,
    // written to the position's own files. Returns at once; the contact waits until the stream
    // has stored it. A contact may be handed again, e.g. the whole log after a restart: the
    // stream keeps each number of a position once.
    void publishContact(qint64 number, const QString &line);

signals:
    void contactReceived(const StationContact &contact);
    void stateChanged(const StationState &state);
    // The stream holds this position's contacts up to `number` (0 for none): said each time the
    // link asks the stream, first when it comes up, before it publishes anything.
    void ownContactsStored(qint64 number);

private:
    void takeContact(const StationContact &contact);
    void takeLinkState(bool connected, int waiting);

    const StationSettings settings_;
    StationState state_;
    QSet<QString> positionsSeen_;
    std::unique_ptr<StationEngine> engine_; // null when the module could not be loaded
    int handedWithoutEngine_ = 0;
};
