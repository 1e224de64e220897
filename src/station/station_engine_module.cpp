// vandrel-station-nats: the station's engine on the NATS C client, in a module of its own that
// the window loads only when a station is named.
#include "station/station_engine.h"
#include "station/station_worker.h"

extern "C" Q_DECL_EXPORT StationEngine *vandrelStartStationEngine(const StationSettings &settings,
                                                                  StationEngineCallbacks callbacks)
{
    return startLinkedStationEngine(settings, std::move(callbacks));
}
