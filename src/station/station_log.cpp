#include "station/station_log.h"

#include "station/nats_handles.h"
#include "station/server_urls.h"
#include "station/station_stream.h"

namespace {
constexpr int64_t waitMs = 5000;

struct StreamReader
{
    NatsHandle<natsOptions> options;
    NatsHandle<natsConnection> connection;
    NatsHandle<jsCtx> context;
    NatsHandle<natsSubscription> subscription;
};

QString serversShown(const StationSettings &settings)
{
    QStringList shown;
    for (const QString &url : settings.serverUrls)
        shown.append(redactedServerUrl(url));
    return shown.join(u',');
}

bool connectTo(const StationSettings &settings, StreamReader &reader)
{
    natsOptions *options = nullptr;
    if (natsOptions_Create(&options) != NATS_OK)
        return false;
    reader.options.reset(options);
    NatsServerList servers(settings.serverUrls);
    natsOptions_SetServers(options, servers.data(), servers.size());
    natsOptions_SetTimeout(options, waitMs);
    natsConnection *connection = nullptr;
    if (natsConnection_Connect(&connection, options) != NATS_OK)
        return false;
    reader.connection.reset(connection);
    jsCtx *context = nullptr;
    jsOptions jetStream;
    jsOptions_Init(&jetStream);
    jetStream.Wait = waitMs;
    if (natsConnection_JetStream(&context, connection, &jetStream) != NATS_OK)
        return false;
    reader.context.reset(context);
    return true;
}

// The sequence of the stream's last message, 0 when it holds none; nothing when the station
// has no stream.
std::optional<uint64_t> lastSequence(const StationSettings &settings, StreamReader &reader,
                                     QString &problem)
{
    const QByteArray name = settings.streamName().toUtf8();
    jsStreamInfo *info = nullptr;
    jsErrCode error{};
    const natsStatus status =
        js_GetStreamInfo(&info, reader.context.get(), name.constData(), nullptr, &error);
    NatsHandle<jsStreamInfo> owned(info);
    if (status == NATS_OK)
        return info->State.Msgs == 0 ? 0 : info->State.LastSeq;
    problem = status == NATS_NOT_FOUND || error == JSStreamNotFoundErr
                  ? QStringLiteral("the station %1 has no log on %2")
                  : QStringLiteral("the station %1's log on %2 does not answer");
    problem = problem.arg(settings.call, serversShown(settings));
    return std::nullopt;
}

bool subscribe(const StationSettings &settings, StreamReader &reader)
{
    const QByteArray name = settings.streamName().toUtf8();
    const QByteArray subjects = settings.stationSubjects().toUtf8();
    jsSubOptions options;
    jsSubOptions_Init(&options);
    options.Stream = name.constData();
    options.Ordered = true;
    options.Config.DeliverPolicy = js_DeliverAll;
    natsSubscription *made = nullptr;
    jsErrCode error{};
    if (js_SubscribeSync(&made, reader.context.get(), subjects.constData(), nullptr, &options,
                         &error) != NATS_OK)
        return false;
    reader.subscription.reset(made);
    return true;
}
} // namespace

StationLogReading readStationLog(const StationSettings &settings)
{
    StationLogReading reading;
    StreamReader reader;
    if (!connectTo(settings, reader)) {
        reading.problem =
            QStringLiteral("no station server answers at %1").arg(serversShown(settings));
        return reading;
    }
    const std::optional<uint64_t> last = lastSequence(settings, reader, reading.problem);
    if (!last || *last == 0)
        return reading;
    if (!subscribe(settings, reader)) {
        reading.problem = QStringLiteral("cannot read the station %1's log").arg(settings.call);
        return reading;
    }
    for (uint64_t sequence = 0; sequence < *last;) {
        natsMsg *message = nullptr;
        if (natsSubscription_NextMsg(&message, reader.subscription.get(), waitMs) != NATS_OK) {
            reading.problem =
                QStringLiteral("the station's servers stopped sending its log after %1 of %2 "
                               "messages")
                    .arg(sequence)
                    .arg(*last);
            return reading;
        }
        NatsHandle<natsMsg> owned(message);
        jsMsgMetaData *metaData = nullptr;
        if (natsMsg_GetMetaData(&metaData, message) != NATS_OK)
            continue;
        sequence = NatsHandle<jsMsgMetaData>(metaData)->Sequence.Stream;
        if (std::optional<StationContact> contact = StationStream::contactOf(settings, message))
            reading.contacts.append(*contact);
    }
    natsSubscription_Unsubscribe(reader.subscription.get());
    return reading;
}
