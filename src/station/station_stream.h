#pragma once

#include "station/nats_handles.h"
#include "station/station_contact.h"
#include "station/station_settings.h"

#include <QByteArray>
#include <chrono>
#include <functional>
#include <optional>

// The station's stream as one position uses it, over a connected JetStream context: each call
// is one request to the servers, waiting at most `requestTimeoutMs` for the answer. Used only
// by the link's own thread.
class StationStream
{
public:
    static constexpr int64_t requestTimeoutMs = 2000;
    // The header that carries a contact's place in its position's log.
    static constexpr const char *contactNumberHeader = "Vandrel-Contact";

    StationStream(const StationSettings &settings, jsCtx *context);

    // Creates the stream when the station has none: file storage, `replicas` copies (three in
    // a cluster of three servers or more, so any one server can be lost), message ids kept for
    // `duplicateWindow` (the servers' two minutes when zero).
    bool ensureExists(int replicas,
                      std::chrono::milliseconds duplicateWindow = std::chrono::milliseconds(0));
    // The number of the last contact of this position the stream holds: 0 for none, nothing
    // when the stream does not answer.
    std::optional<qint64> lastStoredNumber();
    // Stores contact `number` of this position; true once the stream acknowledged it.
    bool publish(qint64 number, const QByteArray &line);
    // Delivers every contact of the station, from the first, to `receive` on the client's own
    // thread; the ordered consumer follows the stream across lost links and servers.
    NatsHandle<natsSubscription> subscribe(natsMsgHandler receive, void *closure,
                                           natsOnCompleteCB completed);

    // The contact a message of the stream holds; nothing for a message of another kind.
    static std::optional<StationContact> contactOf(const StationSettings &settings,
                                                   natsMsg *message);

private:
    const StationSettings &settings_;
    jsCtx *context_;
    QByteArray streamName_;
    QByteArray subject_;
};
