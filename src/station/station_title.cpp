#include "station/station_title.h"

QString stationTitle(const QString &caption, const QString &call, const StationState &state)
{
    const QString dash = QStringLiteral(" \u2014 ");
    if (state.connected) {
        const QString positions = state.positionsSeen == 1
                                      ? QStringLiteral("1 position")
                                      : QStringLiteral("%1 positions").arg(state.positionsSeen);
        return caption + dash + call + QStringLiteral(", ") + positions;
    }
    const QString waiting = state.contactsWaiting == 1
                                ? QStringLiteral("1 contact waiting")
                                : QStringLiteral("%1 contacts waiting").arg(state.contactsWaiting);
    return caption + dash + QStringLiteral("station offline, ") + waiting;
}
