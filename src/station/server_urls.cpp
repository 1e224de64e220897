#include "station/server_urls.h"

#include <QUrl>

QStringList splitServerUrls(const QString &urls)
{
    QStringList result;
    for (const QString &piece : urls.split(u',', Qt::SkipEmptyParts)) {
        const QString url = piece.trimmed();
        if (!url.isEmpty())
            result.append(url);
    }
    return result;
}

bool isStationServerUrl(const QString &url)
{
    const QUrl parsed(url, QUrl::StrictMode);
    const QString scheme = parsed.scheme();
    return parsed.isValid() && (scheme == u"nats" || scheme == u"tls") && !parsed.host().isEmpty();
}

QString redactedServerUrl(const QString &url)
{
    const qsizetype schemeEnd = url.indexOf(QStringLiteral("://"));
    const qsizetype hostStart = schemeEnd < 0 ? 0 : schemeEnd + 3;
    // The secret sits before the last '@' of the authority; a password may itself hold '@'.
    const qsizetype authorityEnd = url.indexOf(u'/', hostStart);
    const qsizetype at = url.lastIndexOf(u'@', authorityEnd < 0 ? -1 : authorityEnd);
    if (at < hostStart)
        return url;
    const QStringView secret = QStringView(url).mid(hostStart, at - hostStart);
    const qsizetype colon = secret.indexOf(u':');
    // user:password keeps the user's name; a lone token is a secret whole.
    const QString shown =
        colon < 0 ? QStringLiteral("***") : secret.left(colon).toString() + QStringLiteral(":***");
    return url.left(hostStart) + shown + url.mid(at);
}
