#pragma once

#include "station_link.h"

#include <QObject>
#include <functional>

class Form15;

// The window as one position of a station: each contact "Add" logs goes to the station, the
// other positions' contacts go to the form's station log for the worked-before check, and the
// window's title says how the station is. The log box, "Save" and the serial numbers stay this
// position's own; nothing of the network ever shows a message box.
class StationSession : public QObject
{
    Q_OBJECT

public:
    // Hands the station the contacts the log already holds (after a restart, the stream keeps
    // each once), then each new one.
    // `showTitle` puts a title on the window.
    StationSession(Form15 &form, StationSettings settings,
                   std::function<void(const QString &title)> showTitle);

    StationState state() const { return link_.state(); }

private:
    void handLoggedContacts();
    void takeContact(const StationContact &contact);
    void showState(const StationState &state);

    Form15 &form_;
    std::function<void(const QString &title)> showTitle_;
    StationLink link_;
    qint64 contactsHanded_ = 0;
    quint64 lastSequence_ = 0;
};
