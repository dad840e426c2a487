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

// mosquitto on 127.0.0.1:port, its configuration in folder; false when it
// did not start (the package is in scripts/setup.sh).
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

// mosquitto_sub of topics into file (line-buffered, so that nothing is lost
// when it is stopped; a pipe nobody reads meanwhile would hold it up).
inline bool startSubscriber(Daemon& sub, const QString& file, quint16 port, const QStringList& topics)
{
    sub.p.setStandardOutputFile(file);
    QStringList args{QStringLiteral("-oL"), QStringLiteral("mosquitto_sub"), QStringLiteral("-h"),
                     QStringLiteral("127.0.0.1"), QStringLiteral("-p"), QString::number(port),
                     QStringLiteral("-v"), QStringLiteral("-q"), QStringLiteral("1")};
    for (const QString& t : topics)
        args << QStringLiteral("-t") << t;
    sub.p.start(QStringLiteral("stdbuf"), args);
    if (!sub.p.waitForStarted(5000))
        return false;
    QThread::msleep(500);
    return true;
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
