#pragma once

#include "station/nats_handles.h"
#include "station/station_contact.h"
#include "station/station_engine.h"
#include "station/station_settings.h"
#include "station/waiting_contacts.h"

class StationStream;

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// The link's own thread: connects to the station's servers (again and again while they are
// away), makes sure the station's stream exists, publishes this position's waiting contacts
// one after another in their order, each with its message id, and follows the stream for every
// contact of the station. Nothing here waits for the caller: `add` only files the contact.
//
// The two callbacks run on the link's thread or on the client library's threads, never at the
// same time as the worker is destroyed.
class StationWorker : public StationEngine
{
public:
    using Callbacks = StationEngineCallbacks;

    StationWorker(StationSettings settings, Callbacks callbacks);
    ~StationWorker() override;
    StationWorker(const StationWorker &) = delete;
    StationWorker &operator=(const StationWorker &) = delete;

    // Contact `number` of this position is `line`, on the disk; it may be handed again.
    void add(qint64 number, const QByteArray &line) override;

private:
    void run();
    bool connect();
    // One step towards an empty queue: the stream made, the subscription, the numbers the
    // stream holds, one contact published. False when the servers did not answer.
    bool step();
    bool publishFirst(StationStream &stream);
    void reportState();
    void backOff();
    void closeConnection();

    static void onConnected(natsConnection *, void *closure);
    static void onDisconnected(natsConnection *, void *closure);
    static void onClosed(natsConnection *, void *closure);
    static void onMessage(natsConnection *, natsSubscription *, natsMsg *message, void *closure);
    static void onSubscriptionComplete(void *closure);
    void setLinkUp(bool up);

    const StationSettings settings_;
    const Callbacks callbacks_;

    std::mutex mutex_;
    std::condition_variable wake_;
    WaitingContacts waiting_;
    bool stopping_ = false;
    bool linkUp_ = false;
    bool synced_ = false; // waiting_ knows what the stream holds since the link came up
    bool closed_ = false;
    bool subscriptionDone_ = true;
    bool reportedUp_ = false;
    int reportedWaiting_ = -1;

    // Used by the worker's thread only.
    NatsHandle<natsOptions> options_;
    NatsHandle<natsConnection> connection_;
    NatsHandle<jsCtx> context_;
    NatsHandle<natsSubscription> subscription_;
    bool streamReady_ = false;

    std::thread thread_;
};

// The engine of a program that links the NATS client itself, as the module offers it; tests
// and benchmarks hand it to useStationEngineFactory().
StationEngine *startLinkedStationEngine(const StationSettings &settings,
                                        StationEngineCallbacks callbacks);
