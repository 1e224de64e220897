#pragma once

#include <QByteArrayList>
#include <QStringList>
#include <memory>
#include <nats/nats.h>
#include <vector>

// The C client's objects, each freed by its own function when its owner goes.
struct NatsDeleter
{
    void operator()(natsOptions *options) const { natsOptions_Destroy(options); }
    void operator()(natsConnection *connection) const { natsConnection_Destroy(connection); }
    void operator()(jsCtx *context) const { jsCtx_Destroy(context); }
    void operator()(natsSubscription *subscription) const
    {
        natsSubscription_Destroy(subscription);
    }
    void operator()(natsMsg *message) const { natsMsg_Destroy(message); }
    void operator()(jsStreamInfo *info) const { jsStreamInfo_Destroy(info); }
    void operator()(jsPubAck *ack) const { jsPubAck_Destroy(ack); }
    void operator()(jsMsgMetaData *metaData) const { jsMsgMetaData_Destroy(metaData); }
};

template <typename T> using NatsHandle = std::unique_ptr<T, NatsDeleter>;

// Server URLs as the C client takes them: an array of C strings, alive as long as this is.
class NatsServerList
{
public:
    explicit NatsServerList(const QStringList &urls)
    {
        for (const QString &url : urls)
            bytes_.append(url.toUtf8());
        for (const QByteArray &url : bytes_)
            pointers_.push_back(url.constData());
    }
    const char **data() { return pointers_.data(); }
    int size() const { return int(pointers_.size()); }

private:
    QByteArrayList bytes_;
    std::vector<const char *> pointers_;
};
