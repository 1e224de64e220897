#include "nats_server_process.h"

#include <QDeadlineTimer>
#include <QStandardPaths>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

QString NatsServerProcess::program()
{
#ifdef VANDREL_NATS_SERVER
    return QStringLiteral(VANDREL_NATS_SERVER);
#else
    return QStandardPaths::findExecutable(QStringLiteral("nats-server"));
#endif
}

QList<quint16> NatsServerProcess::freePorts(int count)
{
    // The sockets stay open until every port is chosen, so the ports differ.
    QList<int> sockets;
    QList<quint16> ports;
    for (int i = 0; i < count; ++i) {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr *>(&address), length) != 0 ||
            ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) != 0)
            qFatal("no free port on 127.0.0.1");
        sockets.append(fd);
        ports.append(ntohs(address.sin_port));
    }
    for (const int fd : sockets)
        ::close(fd);
    return ports;
}

NatsServerProcess::NatsServerProcess(QString storeDirectory, quint16 port)
    : storeDirectory_(std::move(storeDirectory)), port_(port)
{
    process_.setProcessChannelMode(QProcess::MergedChannels);
}

NatsServerProcess::~NatsServerProcess()
{
    kill();
}

void NatsServerProcess::joinCluster(const QString &name, quint16 clusterPort,
                                    const QList<quint16> &routes)
{
    QStringList routeUrls;
    for (const quint16 route : routes)
        routeUrls.append(QStringLiteral("nats://127.0.0.1:%1").arg(route));
    clusterArguments_ = {
        QStringLiteral("--server_name"),  name,
        QStringLiteral("--cluster_name"), QStringLiteral("vandrel-test"),
        QStringLiteral("--cluster"),      QStringLiteral("nats://127.0.0.1:%1").arg(clusterPort),
        QStringLiteral("--routes"),       routeUrls.join(u',')};
}

bool NatsServerProcess::start()
{
    output_.clear();
    QStringList arguments = {
        QStringLiteral("-js"), QStringLiteral("-sd"),       storeDirectory_,
        QStringLiteral("-a"),  QStringLiteral("127.0.0.1"), QStringLiteral("-p"),
        QString::number(port_)};
    process_.start(program(), arguments + clusterArguments_ + extraArguments_);
    if (!process_.waitForStarted(10000))
        return false;
    // The server says so once it accepts clients.
    const QDeadlineTimer deadline(20000);
    while (!output_.contains(u"Server is ready")) {
        if (deadline.hasExpired() || process_.state() != QProcess::Running)
            return false;
        process_.waitForReadyRead(int(deadline.remainingTime()));
        output_ += QString::fromUtf8(process_.readAll());
    }
    return true;
}

void NatsServerProcess::kill()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.kill();
    process_.waitForFinished(10000);
}

QString NatsServerProcess::url() const
{
    return QStringLiteral("nats://127.0.0.1:%1").arg(port_);
}
