#pragma once

#include <QString>
#include <QStringList>

// The station's server addresses as the operator gives them: a comma-separated list of
// nats://[user:password@|token@]host[:port] or tls://... .

// Splits "--station URLS" at its commas, dropping empty pieces and spaces around them.
QStringList splitServerUrls(const QString &urls);

// Whether `url` is a nats:// or tls:// address with a host.
bool isStationServerUrl(const QString &url);

// `url` as it may be shown or written to a log: a user's password or a token replaced by
// "***", so no secret ever leaves the program.
QString redactedServerUrl(const QString &url);
