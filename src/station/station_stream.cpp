#include "station/station_stream.h"

namespace {
jsOptions requestOptions()
{
    jsOptions options;
    jsOptions_Init(&options);
    options.Wait = StationStream::requestTimeoutMs;
    return options;
}

std::optional<qint64> contactNumberOf(natsMsg *message)
{
    const char *value = nullptr;
    if (natsMsgHeader_Get(message, StationStream::contactNumberHeader, &value) != NATS_OK)
        return std::nullopt;
    bool ok = false;
    const qint64 number = QByteArray(value).toLongLong(&ok);
    if (!ok || number < 1)
        return std::nullopt;
    return number;
}
} // namespace

StationStream::StationStream(const StationSettings &settings, jsCtx *context)
    : settings_(settings), context_(context), streamName_(settings.streamName().toUtf8()),
      subject_(settings.subjectOf(settings.position).toUtf8())
{}

bool StationStream::ensureExists(int replicas, std::chrono::milliseconds duplicateWindow)
{
    jsOptions options = requestOptions();
    jsStreamInfo *found = nullptr;
    jsErrCode error{};
    if (js_GetStreamInfo(&found, context_, streamName_.constData(), &options, &error) == NATS_OK) {
        NatsHandle<jsStreamInfo> owned(found);
        return true;
    }
    const QByteArray subjects = settings_.stationSubjects().toUtf8();
    const char *subjectList[] = {subjects.constData()};
    jsStreamConfig config;
    jsStreamConfig_Init(&config);
    config.Name = streamName_.constData();
    config.Subjects = subjectList;
    config.SubjectsLen = 1;
    config.Storage = js_FileStorage;
    config.Replicas = replicas;
    config.Duplicates = std::chrono::nanoseconds(duplicateWindow).count();
    jsStreamInfo *created = nullptr;
    const natsStatus status = js_AddStream(&created, context_, &config, &options, &error);
    NatsHandle<jsStreamInfo> owned(created);
    // Another position may have made it in the meantime.
    return status == NATS_OK || error == JSStreamNameExistErr;
}

std::optional<qint64> StationStream::lastStoredNumber()
{
    jsOptions options = requestOptions();
    natsMsg *last = nullptr;
    jsErrCode error{};
    const natsStatus status = js_GetLastMsg(&last, context_, streamName_.constData(),
                                            subject_.constData(), &options, &error);
    NatsHandle<natsMsg> owned(last);
    if (status == NATS_NOT_FOUND || error == JSNoMessageFoundErr)
        return 0;
    if (status != NATS_OK)
        return std::nullopt;
    return contactNumberOf(last).value_or(0);
}

bool StationStream::publish(qint64 number, const QByteArray &line)
{
    natsMsg *created = nullptr;
    if (natsMsg_Create(&created, subject_.constData(), nullptr, line.constData(),
                       int(line.size())) != NATS_OK)
        return false;
    NatsHandle<natsMsg> message(created);
    const QByteArray numberText = QByteArray::number(number);
    natsMsgHeader_Set(message.get(), contactNumberHeader, numberText.constData());
    const QByteArray messageId = settings_.messageIdOf(number).toUtf8();
    jsPubOptions options;
    jsPubOptions_Init(&options);
    options.MaxWait = requestTimeoutMs;
    options.MsgId = messageId.constData();
    options.ExpectStream = streamName_.constData();
    jsPubAck *ack = nullptr;
    jsErrCode error{};
    const natsStatus status = js_PublishMsg(&ack, context_, message.get(), &options, &error);
    NatsHandle<jsPubAck> ownedAck(ack);
    return status == NATS_OK;
}

NatsHandle<natsSubscription> StationStream::subscribe(natsMsgHandler receive, void *closure,
                                                      natsOnCompleteCB completed)
{
    const QByteArray subjects = settings_.stationSubjects().toUtf8();
    jsOptions options = requestOptions();
    jsSubOptions subscription;
    jsSubOptions_Init(&subscription);
    subscription.Stream = streamName_.constData();
    subscription.Ordered = true;
    subscription.Config.DeliverPolicy = js_DeliverAll;
    // A lost server is noticed within a few heartbeats, and the consumer made again elsewhere.
    subscription.Config.Heartbeat = int64_t(1000) * 1000 * 1000;
    natsSubscription *made = nullptr;
    jsErrCode error{};
    if (js_Subscribe(&made, context_, subjects.constData(), receive, closure, &options,
                     &subscription, &error) != NATS_OK)
        return nullptr;
    NatsHandle<natsSubscription> owned(made);
    natsSubscription_SetOnCompleteCB(made, completed, closure);
    return owned;
}

std::optional<StationContact> StationStream::contactOf(const StationSettings &settings,
                                                       natsMsg *message)
{
    StationContact contact;
    contact.position = settings.positionOfSubject(QString::fromUtf8(natsMsg_GetSubject(message)));
    const std::optional<qint64> number = contactNumberOf(message);
    if (contact.position.isEmpty() || !number)
        return std::nullopt;
    contact.number = *number;
    contact.line = QString::fromUtf8(natsMsg_GetData(message), natsMsg_GetDataLength(message));
    jsMsgMetaData *metaData = nullptr;
    if (natsMsg_GetMetaData(&metaData, message) == NATS_OK) {
        NatsHandle<jsMsgMetaData> owned(metaData);
        contact.streamSequence = metaData->Sequence.Stream;
    }
    return contact;
}
