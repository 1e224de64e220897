#include "station/station_link.h"

#include "station/station_worker.h"

StationLink::StationLink(StationSettings settings, QObject *parent)
    : QObject(parent), settings_(std::move(settings))
{
    positionsSeen_.insert(settings_.position);
    // The worker's callbacks come from other threads: each is posted to this object's thread.
    // The worker is gone before this object, and with this object its posted calls.
    StationWorker::Callbacks callbacks;
    callbacks.received = [this](const StationContact &contact) {
        QMetaObject::invokeMethod(
            this, [this, contact] { takeContact(contact); }, Qt::QueuedConnection);
    };
    callbacks.stateChanged = [this](bool connected, int waiting) {
        QMetaObject::invokeMethod(
            this, [this, connected, waiting] { takeLinkState(connected, waiting); },
            Qt::QueuedConnection);
    };
    callbacks.ownStored = [this](qint64 number) {
        QMetaObject::invokeMethod(
            this, [this, number] { emit ownContactsStored(number); }, Qt::QueuedConnection);
    };
    worker_ = std::make_unique<StationWorker>(settings_, std::move(callbacks));
}

StationLink::~StationLink()
{
    worker_.reset();
}

void StationLink::publishContact(qint64 number, const QString &line)
{
    worker_->add(number, line.toUtf8());
}

void StationLink::takeContact(const StationContact &contact)
{
    if (!positionsSeen_.contains(contact.position)) {
        positionsSeen_.insert(contact.position);
        state_.positionsSeen = int(positionsSeen_.size());
        emit stateChanged(state_);
    }
    emit contactReceived(contact);
}

void StationLink::takeLinkState(bool connected, int waiting)
{
    if (connected == state_.connected && waiting == state_.contactsWaiting)
        return;
    state_.connected = connected;
    state_.contactsWaiting = waiting;
    emit stateChanged(state_);
}
