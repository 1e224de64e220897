#include "stored_contacts.h"

#include "station/nats_handles.h"
#include "station/station_stream.h"

namespace {
struct StreamRead
{
    NatsHandle<natsOptions> options;
    NatsHandle<natsConnection> connection;
    NatsHandle<jsCtx> context;
    NatsHandle<jsStreamInfo> info;
};

StreamRead connectTo(const StationSettings &settings)
{
    StreamRead read;
    natsOptions *options = nullptr;
    natsOptions_Create(&options);
    read.options.reset(options);
    NatsServerList servers(settings.serverUrls);
    natsOptions_SetServers(options, servers.data(), int(servers.size()));
    natsOptions_SetTimeout(options, 1000);
    natsConnection *connection = nullptr;
    if (natsConnection_Connect(&connection, options) != NATS_OK)
        return read;
    read.connection.reset(connection);
    jsCtx *context = nullptr;
    natsConnection_JetStream(&context, connection, nullptr);
    read.context.reset(context);
    return read;
}

StreamRead readStream(const StationSettings &settings)
{
    StreamRead read = connectTo(settings);
    if (!read.context)
        return read;
    const QByteArray name = settings.streamName().toUtf8();
    jsStreamInfo *info = nullptr;
    if (js_GetStreamInfo(&info, read.context.get(), name.constData(), nullptr, nullptr) == NATS_OK)
        read.info.reset(info);
    return read;
}
} // namespace

QList<StationContact> storedContacts(const StationSettings &settings)
{
    const StreamRead read = readStream(settings);
    if (!read.info)
        return {};
    const QByteArray name = settings.streamName().toUtf8();
    QList<StationContact> contacts;
    for (uint64_t sequence = read.info->State.FirstSeq;
         sequence != 0 && sequence <= read.info->State.LastSeq; ++sequence) {
        natsMsg *message = nullptr;
        if (js_GetMsg(&message, read.context.get(), name.constData(), sequence, nullptr, nullptr) !=
            NATS_OK)
            continue;
        NatsHandle<natsMsg> owned(message);
        if (std::optional<StationContact> contact = StationStream::contactOf(settings, message)) {
            contact->streamSequence = sequence;
            contacts.append(*contact);
        }
    }
    return contacts;
}

int streamReplicas(const StationSettings &settings)
{
    const StreamRead read = readStream(settings);
    return read.info ? int(read.info->Config->Replicas) : 0;
}

QString streamLeader(const StationSettings &settings)
{
    const StreamRead read = readStream(settings);
    if (!read.info || !read.info->Cluster || !read.info->Cluster->Leader)
        return {};
    return QString::fromUtf8(read.info->Cluster->Leader);
}

bool createStreamWithShortDuplicateWindow(const StationSettings &settings)
{
    const StreamRead read = connectTo(settings);
    if (!read.context)
        return false;
    return StationStream(settings, read.context.get())
        .ensureExists(1, std::chrono::milliseconds(100));
}

bool duplicateWindowHasPassed(const StationSettings &settings)
{
    const StreamRead read = connectTo(settings);
    if (!read.context)
        return false;
    const QByteArray name = settings.streamName().toUtf8();
    const QByteArray subject = settings.subjectOf(QStringLiteral("probe")).toUtf8();
    natsMsg *earlier = nullptr;
    const bool probedBefore = js_GetLastMsg(&earlier, read.context.get(), name.constData(),
                                            subject.constData(), nullptr, nullptr) == NATS_OK;
    NatsHandle<natsMsg> ownedEarlier(earlier);
    jsPubOptions options;
    jsPubOptions_Init(&options);
    options.MsgId = "probe";
    jsPubAck *ack = nullptr;
    const natsStatus status =
        js_Publish(&ack, read.context.get(), subject.constData(), "", 0, &options, nullptr);
    NatsHandle<jsPubAck> owned(ack);
    // The first probe is stored too: the id is new. Only a later one stored tells.
    return status == NATS_OK && probedBefore && !ack->Duplicate;
}
