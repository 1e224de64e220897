#include "station/station_worker.h"

#include "station/station_stream.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>

namespace {
// How long the worker waits before asking servers again that did not answer, and how often the
// client library tries to reach a lost server: short, a LAN answers within milliseconds.
constexpr std::chrono::milliseconds retryDelay{250};
constexpr int64_t reconnectWaitMs = 250;
constexpr int64_t connectTimeoutMs = 2000;
// The client library ends its callbacks once the connection is closed; this bounds the wait.
constexpr std::chrono::seconds closingLimit{10};

// Three copies of the stream in a cluster of three servers or more, so any one may be lost.
int replicasFor(natsConnection *connection)
{
    char **servers = nullptr;
    int count = 0;
    if (natsConnection_GetServers(connection, &servers, &count) != NATS_OK)
        return 1;
    for (int i = 0; i < count; ++i)
        std::free(servers[i]);
    std::free(servers);
    return std::clamp(count, 1, 3);
}
} // namespace

StationWorker::StationWorker(StationSettings settings, Callbacks callbacks)
    : settings_(std::move(settings)), callbacks_(std::move(callbacks)), thread_([this] { run(); })
{}

StationWorker::~StationWorker()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void StationWorker::add(qint64 number, const QByteArray &line)
{
    {
        std::lock_guard lock(mutex_);
        waiting_.add(number, line);
        reportState();
    }
    wake_.notify_all();
}

void StationWorker::run()
{
    std::unique_lock lock(mutex_);
    reportState();
    while (!stopping_) {
        const bool work =
            !connection_ ||
            (linkUp_ && (!streamReady_ || !subscription_ || !synced_ || waiting_.count() > 0));
        if (!work) {
            wake_.wait(lock);
            continue;
        }
        lock.unlock();
        const bool done = connection_ ? step() : connect();
        lock.lock();
        reportState();
        if (!done)
            wake_.wait_for(lock, retryDelay, [this] { return stopping_; });
    }
    lock.unlock();
    closeConnection();
}

bool StationWorker::connect()
{
    natsOptions *options = nullptr;
    if (natsOptions_Create(&options) != NATS_OK)
        return false;
    options_.reset(options);
    NatsServerList servers(settings_.serverUrls);
    const QByteArray name = QStringLiteral("vandrel %1").arg(settings_.position).toUtf8();
    natsOptions_SetServers(options, servers.data(), int(servers.size()));
    natsOptions_SetName(options, name.constData());
    natsOptions_SetTimeout(options, connectTimeoutMs);
    natsOptions_SetMaxReconnect(options, -1);
    natsOptions_SetReconnectWait(options, reconnectWaitMs);
    natsOptions_SetRetryOnFailedConnect(options, true, onConnected, this);
    natsOptions_SetReconnectedCB(options, onConnected, this);
    natsOptions_SetDisconnectedCB(options, onDisconnected, this);
    natsOptions_SetClosedCB(options, onClosed, this);
    natsConnection *connection = nullptr;
    const natsStatus status = natsConnection_Connect(&connection, options);
    if (status != NATS_OK && status != NATS_NOT_YET_CONNECTED)
        return false;
    connection_.reset(connection);
    jsCtx *context = nullptr;
    natsConnection_JetStream(&context, connection, nullptr);
    context_.reset(context);
    std::lock_guard lock(mutex_);
    closed_ = false;
    // Connected at once: no callback says so.
    if (status == NATS_OK)
        linkUp_ = true;
    return true;
}

bool StationWorker::step()
{
    StationStream stream(settings_, context_.get());
    if (!streamReady_) {
        const bool made = stream.ensureExists(replicasFor(connection_.get()));
        std::lock_guard lock(mutex_);
        streamReady_ = made;
        return made;
    }
    if (!subscription_) {
        {
            std::lock_guard lock(mutex_);
            subscriptionDone_ = false;
        }
        subscription_ = stream.subscribe(onMessage, this, onSubscriptionComplete);
        std::lock_guard lock(mutex_);
        subscriptionDone_ = !subscription_;
        return bool(subscription_);
    }
    bool synced = false;
    {
        std::lock_guard lock(mutex_);
        synced = synced_;
    }
    if (!synced) {
        const std::optional<qint64> stored = stream.lastStoredNumber();
        if (stored && callbacks_.ownStored)
            callbacks_.ownStored(*stored);
        std::lock_guard lock(mutex_);
        if (stored) {
            waiting_.storedUpTo(*stored);
            synced_ = true;
        }
        return stored.has_value();
    }
    return publishFirst(stream);
}

bool StationWorker::publishFirst(StationStream &stream)
{
    std::optional<WaitingContacts::Contact> first;
    {
        std::lock_guard lock(mutex_);
        first = waiting_.first();
    }
    if (!first)
        return true;
    const bool stored = stream.publish(first->number, first->line);
    std::lock_guard lock(mutex_);
    if (stored)
        waiting_.storedUpTo(first->number);
    else
        synced_ = false; // it may be stored all the same: the stream is asked before a resend
    return stored;
}

void StationWorker::reportState()
{
    const bool up = linkUp_ && streamReady_;
    const int waiting = waiting_.count();
    if (up == reportedUp_ && waiting == reportedWaiting_)
        return;
    reportedUp_ = up;
    reportedWaiting_ = waiting;
    callbacks_.stateChanged(up, waiting);
}

void StationWorker::closeConnection()
{
    if (connection_)
        natsConnection_Close(connection_.get());
    std::unique_lock lock(mutex_);
    if (connection_)
        wake_.wait_for(lock, closingLimit, [this] { return closed_ && subscriptionDone_; });
    lock.unlock();
    subscription_.reset();
    context_.reset();
    connection_.reset();
    options_.reset();
}

void StationWorker::setLinkUp(bool up)
{
    {
        std::lock_guard lock(mutex_);
        linkUp_ = up;
        // What reached the stream while the link was away is asked again before a resend.
        synced_ = false;
        reportState();
    }
    wake_.notify_all();
}

void StationWorker::onConnected(natsConnection *, void *closure)
{
    static_cast<StationWorker *>(closure)->setLinkUp(true);
}

void StationWorker::onDisconnected(natsConnection *, void *closure)
{
    static_cast<StationWorker *>(closure)->setLinkUp(false);
}

void StationWorker::onClosed(natsConnection *, void *closure)
{
    auto *self = static_cast<StationWorker *>(closure);
    {
        std::lock_guard lock(self->mutex_);
        self->closed_ = true;
        self->linkUp_ = false;
    }
    self->wake_.notify_all();
}

void StationWorker::onMessage(natsConnection *, natsSubscription *, natsMsg *message, void *closure)
{
    auto *self = static_cast<StationWorker *>(closure);
    const std::optional<StationContact> contact =
        StationStream::contactOf(self->settings_, message);
    natsMsg_Destroy(message);
    if (contact)
        self->callbacks_.received(*contact);
}

void StationWorker::onSubscriptionComplete(void *closure)
{
    auto *self = static_cast<StationWorker *>(closure);
    {
        std::lock_guard lock(self->mutex_);
        self->subscriptionDone_ = true;
    }
    self->wake_.notify_all();
}

StationEngine *startLinkedStationEngine(const StationSettings &settings,
                                        StationEngineCallbacks callbacks)
{
    return new StationWorker(settings, std::move(callbacks));
}
