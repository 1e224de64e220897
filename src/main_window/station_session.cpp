#include "main_window/station_session.h"

#include "contact_line/contact_line.h"
#include "main_window/form15.h"
#include "station/station_title.h"

#include <QSet>

namespace {
// An add hands its contact to the link this long after, once the window has drawn it: the add
// never shares the processor with the network, and the other positions see it well within
// 100 ms.
constexpr std::chrono::milliseconds handDelay{20};
// A line of another position is kept only as a contact line of a sane length, on one line.
constexpr qsizetype longestStationLine = 512;

// The contact lines of the log text, in their order.
QList<QStringView> contactLinesOf(const QString &log)
{
    QList<QStringView> lines;
    qsizetype start = 0;
    while (start < log.size()) {
        const qsizetype end = lineBreakFrom(log, start);
        const QStringView line = QStringView(log).mid(start, end - start);
        if (line.contains(reportField))
            lines.append(line);
        start = end + 1;
    }
    return lines;
}
} // namespace

StationSession::StationSession(Form15 &form, StationSettings settings,
                               std::function<void(const QString &title)> showTitle)
    : form_(form), showTitle_(std::move(showTitle)), link_(std::move(settings))
{
    connect(&link_, &StationLink::contactReceived, this, &StationSession::takeContact);
    connect(&link_, &StationLink::stateChanged, this, &StationSession::showState);
    connect(&link_, &StationLink::ownContactsStored, this, [this](qint64 number) {
        if (!ownStored_)
            ownStored_ = number;
        offerRestoreOnceDelivered();
    });
    handTimer_.setSingleShot(true);
    handTimer_.setInterval(handDelay);
    connect(&handTimer_, &QTimer::timeout, this, &StationSession::handAddedContacts);
    connect(&form_, &Form15::contactLogged, this, [this](const QString &line) {
        added_.append(line);
        if (!handTimer_.isActive())
            handTimer_.start();
    });
    // "Open" replaces the log text: its contact lines are handed again by their places, the
    // ones the stream holds kept once.
    connect(&form_.Text1, &TextBox::textReplaced, this, [this] {
        added_.clear();
        contactsHanded_ = 0;
        handLoggedContacts();
    });
    handLoggedContacts();
    showState(link_.state());
}

void StationSession::handLoggedContacts()
{
    const QString log = form_.Text1.text();
    for (const QStringView line : contactLinesOf(log))
        link_.publishContact(++contactsHanded_, line.toString());
}

void StationSession::handAddedContacts()
{
    // After the stream's own contacts of this position: on a spare computer started with an
    // empty log, or after lines were taken out of the log box, a new contact must not take the
    // number of one the stream holds.
    contactsHanded_ = std::max(contactsHanded_, ownNumberSeen_);
    for (const QString &line : std::as_const(added_))
        link_.publishContact(++contactsHanded_, line);
    added_.clear();
}

void StationSession::takeContact(const StationContact &contact)
{
    if (contact.streamSequence != 0 && contact.streamSequence <= lastSequence_)
        return;
    lastSequence_ = contact.streamSequence;
    // This position's own contacts are in its log already.
    if (contact.position == link_.settings().position) {
        ownNumberSeen_ = std::max(ownNumberSeen_, contact.number);
        if (!restoreDone_)
            ownContacts_.insert(contact.number, contact.line);
        offerRestoreOnceDelivered();
        return;
    }
    if (contact.line.size() > longestStationLine || !contact.line.contains(reportField))
        return;
    QString line = contact.line;
    line.replace(u'\r', u' ').replace(u'\n', u' ').append(lineEnd);
    form_.stationLog.appendText(line);
    if (form_.Text2.textLength() > 0)
        form_.checkCallAgain();
}

void StationSession::showState(const StationState &state)
{
    showTitle_(stationTitle(form_.caption(), link_.settings().call, state));
}

void StationSession::offerRestoreOnceDelivered()
{
    if (restoreDone_ || !ownStored_ || ownNumberSeen_ < *ownStored_)
        return;
    restoreDone_ = true;
    const QMap<qint64, QString> stored = std::exchange(ownContacts_, {});
    // A log with as many contact lines as the stream holds of this position is its own, edited
    // or not; with fewer, the stream's lines it lacks are offered back.
    const QString log = form_.Text1.text();
    const QList<QStringView> lines = contactLinesOf(log);
    if (lines.size() >= stored.size())
        return;
    const QSet<QStringView> logged(lines.begin(), lines.end());
    QStringList lacking;
    for (const QString &line : stored) {
        if (line.size() <= longestStationLine && line.contains(reportField) &&
            !line.contains(u'\r') && !line.contains(u'\n') && !logged.contains(line))
            lacking.append(line);
    }
    form_.offerStationContacts(link_.settings().call, link_.settings().position, lacking);
}
