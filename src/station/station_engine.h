#pragma once

#include "station/station_contact.h"
#include "station/station_settings.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

// What a position's engine calls back, from its own threads.
struct StationEngineCallbacks
{
    std::function<void(const StationContact &)> received;
    std::function<void(bool connected, int waiting)> stateChanged;
    // The number of the last contact of this position the stream holds, each time the engine
    // asks it (when the link comes up).
    std::function<void(qint64 number)> ownStored;
};

// The part of a position's link that talks to the station's servers, on threads of its own.
// It lives in a module of its own (vandrel-station-nats), loaded only when a station is named,
// so that a window without a station never loads the NATS client and its TLS libraries.
class StationEngine
{
public:
    virtual ~StationEngine() = default;
    // Contact `number` of this position is `line`, on the disk; it may be handed again.
    virtual void add(qint64 number, const QByteArray &line) = 0;
};

using StationEngineFactory = StationEngine *(*)(const StationSettings &, StationEngineCallbacks);

// The name under which the module offers its StationEngineFactory.
inline constexpr char stationEngineSymbol[] = "vandrelStartStationEngine";

// Programs that link the engine themselves (tests, benchmarks) hand its factory here; the
// window does not, and loads the module instead.
void useStationEngineFactory(StationEngineFactory factory);

// The engine for `settings`, started: made by the factory handed to useStationEngineFactory(),
// else by the module found beside the program or in its installed place. Null when the module
// cannot be loaded; `problem` then says why.
std::unique_ptr<StationEngine> startStationEngine(const StationSettings &settings,
                                                  StationEngineCallbacks callbacks,
                                                  QString &problem);
