#include "station/station_link.h"

#include "station/station_engine.h"

#include <cstdio>

StationLink::StationLink(StationSettings settings, QObject *parent)
    : QObject(parent), settings_(std::move(settings))
{
    positionsSeen_.insert(settings_.position);
    // The worker's callbacks come from other threads: each is posted to this object's thread.
    // The worker is gone before this object, and with this object its posted calls.
    StationEngineCallbacks callbacks;
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
    QString problem;
    engine_ = startStationEngine(settings_, std::move(callbacks), problem);
    // Without its engine the position logs on alone, its contacts shown as waiting in the title.
    if (!engine_)
        std::fprintf(stderr, "vandrel: the station cannot be reached: %s\n", qPrintable(problem));
}

StationLink::~StationLink()
{
    engine_.reset();
}

void StationLink::publishContact(qint64 number, const QString &line)
{
    if (engine_) {
        engine_->add(number, line.toUtf8());
        return;
    }
    takeLinkState(false, ++handedWithoutEngine_);
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
