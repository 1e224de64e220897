#pragma once

#include "station/station_link.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QTimer>
#include <functional>
#include <optional>

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
    // each once), then each new one, numbered by its place among the log's contact lines, or
    // after the last number of this position the stream holds when that is higher (a spare
    // computer started with an empty log, lines taken out of the log box). A contact added
    // before the stream has delivered this position's contacts may still take a number the
    // stream holds, and is then not sent.
    // Once the stream has delivered this position's contacts, when the log lacks some of them
    // (a position started again on another computer), the window offers to restore them, once.
    // `showTitle` puts a title on the window.
    StationSession(Form15 &form, StationSettings settings,
                   std::function<void(const QString &title)> showTitle);

    // The link's state, the contacts not yet handed to it counted as waiting.
    StationState state() const
    {
        StationState state = link_.state();
        state.contactsWaiting += int(added_.size());
        return state;
    }

    // The highest number of this position's contacts the stream has delivered.
    qint64 ownNumberSeen() const { return ownNumberSeen_; }
    // Whether the stream has delivered this position's contacts and the restore was offered or
    // found needless.
    bool restoreChecked() const { return restoreDone_; }

private:
    void handLoggedContacts();
    void handAddedContacts();
    void takeContact(const StationContact &contact);
    void showState(const StationState &state);
    void offerRestoreOnceDelivered();

    Form15 &form_;
    std::function<void(const QString &title)> showTitle_;
    StationLink link_;
    qint64 contactsHanded_ = 0;
    qint64 ownNumberSeen_ = 0; // the highest number of this position the stream delivered
    // Contacts added in the last moments, handed to the link once the window has drawn them.
    QList<QString> added_;
    QTimer handTimer_;
    quint64 lastSequence_ = 0;
    // This position's contacts as the stream delivered them, by number, until the restore is
    // offered or found needless; how many the stream holds, once it said so.
    QMap<qint64, QString> ownContacts_;
    std::optional<qint64> ownStored_;
    bool restoreDone_ = false;
};
