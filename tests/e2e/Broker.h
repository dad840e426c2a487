#pragma once
// The real programs of the monitoring tests, each started on a free loopback
// port in a temporary folder and stopped with the test.

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

namespace quellin::test {

inline quint16 freePort()
{
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    return s.serverPort();
}

inline bool waitForPort(quint16 port, int ms = 15000)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QTcpSocket s;
        s.connectToHost(QHostAddress::LocalHost, port);
        if (s.waitForConnected(200))
            return true;
        QThread::msleep(100);
    }
    return false;
}

// A program of the test set-up, stopped with the test.
class Daemon {
public:
    ~Daemon()
    {
        if (p.state() != QProcess::NotRunning) {
            p.terminate();
            if (!p.waitForFinished(5000))
                p.kill();
            p.waitForFinished(3000);
        }
    }
    QProcess p;
};

// mosquitto on 127.0.0.1:port, configured in folder; false when it did not start.
inline bool startMosquitto(Daemon& broker, const QString& folder, quint16 port)
{
    QFile conf(folder + QStringLiteral("/mosquitto.conf"));
    if (!conf.open(QIODevice::WriteOnly))
        return false;
    conf.write(QStringLiteral("listener %1 127.0.0.1\nallow_anonymous true\npersistence false\n").arg(port).toUtf8());
    conf.close();
    broker.p.start(QStringLiteral("mosquitto"), {QStringLiteral("-c"), conf.fileName()});
    return broker.p.waitForStarted(5000) && waitForPort(port);
}

// mosquitto_sub into file, line-buffered (a pipe nobody reads would hold it up).
inline bool startSubscriber(Daemon& sub, const QString& file, quint16 port, const QStringList& topics)
{
    sub.p.setStandardOutputFile(file);
    QStringList args{"-oL", "mosquitto_sub", "-h", "127.0.0.1", "-p", QString::number(port), "-v", "-q", "1"};
    for (const QString& t : topics)
        args << "-t" << t;
    sub.p.start("stdbuf", args);
    const bool started = sub.p.waitForStarted(5000);
    QThread::msleep(500); // subscribed before anything is sent
    return started;
}

// What the subscriber wrote, after it was stopped.
inline QString stopSubscriber(Daemon& sub, const QString& file)
{
    QThread::msleep(500); // the broker's last forwards
    sub.p.terminate();
    sub.p.waitForFinished(3000);
    QFile out(file);
    return out.open(QIODevice::ReadOnly) ? QString::fromUtf8(out.readAll()) : QString();
}

} // namespace quellin::test
