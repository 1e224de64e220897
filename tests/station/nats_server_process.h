#pragma once

#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

// A real nats-server with JetStream, on a free port of 127.0.0.1, keeping its stream in a
// scratch folder; killed (SIGKILL, as a crash or a pulled cable) when the test says or ends.
class NatsServerProcess
{
public:
    // The server found by CMake, or nats-server on the PATH.
    static QString program();
    // `count` ports of 127.0.0.1 that no one listens on now.
    static QList<quint16> freePorts(int count);

    // `storeDirectory` keeps the stream across a kill and a start again.
    NatsServerProcess(QString storeDirectory, quint16 port);
    ~NatsServerProcess();

    // One member `name` of a cluster, its route on `clusterPort`, joined to `routes`.
    void joinCluster(const QString &name, quint16 clusterPort, const QList<quint16> &routes);

    // Further options of the server (authorization, TLS), given before start().
    void addArguments(const QStringList &arguments) { extraArguments_ += arguments; }

    // Starts the server; true once it accepts clients (within a bounded wait).
    bool start();
    void kill();
    QString url() const;
    // What the server said, for a failure message.
    QString output() const { return output_; }

private:
    QString storeDirectory_;
    quint16 port_;
    QStringList clusterArguments_;
    QStringList extraArguments_;
    QProcess process_;
    QString output_;
};
