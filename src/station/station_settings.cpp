#include "station/station_settings.h"

#include "station/server_urls.h"

#include <QRegularExpression>

namespace {
// A call is one word of letters, digits and '/'; a position a short word that is one token of
// a subject and part of a message id.
const QRegularExpression callPattern(QStringLiteral("^[A-Z0-9/]{3,20}$"));
const QRegularExpression positionPattern(QStringLiteral("^[A-Za-z0-9_-]{1,32}$"));
const QString subjectPrefix = QStringLiteral("vandrel.");
} // namespace

QString StationSettings::problem() const
{
    if (serverUrls.isEmpty())
        return QStringLiteral("no station server is given");
    for (const QString &url : serverUrls) {
        if (!isStationServerUrl(url))
            return QStringLiteral("%1 is not a nats:// or tls:// server address")
                .arg(redactedServerUrl(url));
    }
    if (!callPattern.match(call).hasMatch())
        return QStringLiteral("the station call \"%1\" is not a call in capitals (letters, digits "
                              "and /)")
            .arg(call);
    if (!positionPattern.match(position).hasMatch())
        return QStringLiteral("the position name \"%1\" is not one word of at most 32 letters, "
                              "digits, - and _")
            .arg(position);
    return {};
}

QString StationSettings::streamName() const
{
    return QStringLiteral("VANDREL_") + QString(call).replace(u'/', u'-');
}

QString StationSettings::stationSubjects() const
{
    return subjectPrefix + call + QStringLiteral(".>");
}

QString StationSettings::subjectOf(const QString &name) const
{
    return subjectPrefix + call + u'.' + name;
}

QString StationSettings::positionOfSubject(QStringView subject) const
{
    const QString prefix = subjectPrefix + call + u'.';
    if (!subject.startsWith(prefix))
        return {};
    const QStringView name = subject.mid(prefix.size());
    if (name.contains(u'.'))
        return {};
    return name.toString();
}

QString StationSettings::messageIdOf(qint64 number) const
{
    return position + u'-' + QString::number(number);
}
