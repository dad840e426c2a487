// quellin-cli's monitoring outputs against the real programs: a Mosquitto
// broker, an InfluxDB 1.x server and promtool, each started here on a free
// loopback port in a temporary folder; and the outputs' bad cases (a malformed
// URL refused before the start, a broker that is not there leaves the
// measurement whole).

#include "Broker.h"
#include "support/MeterSim.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace quellin::test {
namespace {

// One HTTP exchange on loopback; the body of the answer, or "" on failure.
QByteArray http(quint16 port, const QByteArray& method, const QByteArray& target)
{
    QTcpSocket s;
    s.connectToHost(QHostAddress::LocalHost, port);
    if (!s.waitForConnected(3000))
        return {};
    s.write(method + ' ' + target + " HTTP/1.0\r\nHost: localhost\r\nContent-Length: 0\r\n\r\n");
    QByteArray all;
    while (s.waitForReadyRead(3000))
        all += s.readAll();
    all += s.readAll();
    const qsizetype body = all.indexOf("\r\n\r\n");
    return body < 0 ? QByteArray() : all.mid(body + 4);
}

class Cli {
public:
    void start(const QStringList& args)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QUELLIN_HOME", home.path());
        env.insert("LANG", "C.UTF-8");
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(QUELLIN_CLI), args);
    }
    int finish(int ms)
    {
        if (!process.waitForFinished(ms)) {
            process.kill();
            process.waitForFinished(3000);
            return -1;
        }
        err += QString::fromUtf8(process.readAllStandardError());
        return process.exitCode();
    }
    QTemporaryDir home;
    QProcess process;
    QString err;
};

TEST(CliPublish, MqttInfluxAndMetricsGetTheRecords)
{
    QTemporaryDir dir;
    const quint16 mqttPort = freePort();
    const quint16 influxPort = freePort();
    const quint16 influxRpc = freePort();
    const quint16 metricsPort = freePort();

    Daemon broker;
    ASSERT_TRUE(startMosquitto(broker, dir.path(), mqttPort)) << "mosquitto is in scripts/setup.sh";

    Daemon influx;
    {
        QFile conf(dir.filePath("influxdb.conf"));
        ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
        conf.write(QStringLiteral("reporting-disabled = true\nbind-address = \"127.0.0.1:%1\"\n"
                                  "[meta]\n  dir = \"%2/meta\"\n[data]\n  dir = \"%2/data\"\n"
                                  "  wal-dir = \"%2/wal\"\n[http]\n  bind-address = \"127.0.0.1:%3\"\n"
                                  "  log-enabled = false\n")
                       .arg(influxRpc)
                       .arg(dir.path())
                       .arg(influxPort)
                       .toUtf8());
    }
    influx.p.start("influxd", {"-config", dir.filePath("influxdb.conf")});
    ASSERT_TRUE(influx.p.waitForStarted(5000)) << "influxdb is in scripts/setup.sh";
    ASSERT_TRUE(waitForPort(influxPort, 30000));
    http(influxPort, "POST", "/query?q=CREATE%20DATABASE%20power");

    Daemon sub;
    ASSERT_TRUE(startSubscriber(sub, dir.filePath("sub.txt"), mqttPort, {"site/#", "homeassistant/#"}));

    MeterSim sim;
    ASSERT_TRUE(sim.start({"--version", "2", "--wiring", "2", "--rate", "20"})) << sim.errorText().toStdString();
    Cli cli;
    // One alarm from the settings file, one from the command line.
    {
        QFile ini(cli.home.filePath("Quellin.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Tarvo]\nAlarms=frequency>1\n");
    }
    cli.start({"measure", "--port", sim.device(), "--log", cli.home.filePath("log.csv"), "--interval", "1",
               "--for", "8s", "--quiet", "--alarm", "voltR<1e9:2", "--mqtt", QStringLiteral("mqtt://127.0.0.1:%1/site/board1").arg(mqttPort),
               "--mqtt-id", "board1", "--influx",
               QStringLiteral("http://127.0.0.1:%1/write?db=power").arg(influxPort), "--metrics",
               QString::number(metricsPort)});
    ASSERT_TRUE(cli.process.waitForStarted(5000));

    // The metrics page while it measures, checked by promtool.
    QByteArray page;
    QElapsedTimer t;
    t.start();
    while (!page.contains("quellin_active_power_watts") && t.elapsed() < 20000) {
        QThread::msleep(300);
        page = http(metricsPort, "GET", "/metrics");
    }
    ASSERT_TRUE(page.contains("quellin_records_total{meter=\"board1\"}")) << page.toStdString();
    EXPECT_TRUE(page.contains("quellin_link_up{meter=\"board1\"} 1"));
    EXPECT_TRUE(http(metricsPort, "GET", "/other").contains("/metrics"));
    QProcess promtool;
    promtool.start("promtool", {"check", "metrics"});
    ASSERT_TRUE(promtool.waitForStarted(5000)) << "prometheus is in scripts/setup.sh";
    promtool.write(page);
    promtool.closeWriteChannel();
    ASSERT_TRUE(promtool.waitForFinished(10000));
    EXPECT_EQ(promtool.exitCode(), 0) << promtool.readAll().toStdString() << page.toStdString();

    EXPECT_EQ(cli.finish(60000), 0) << cli.err.toStdString();
    sim.stop();
    EXPECT_TRUE(cli.err.contains("MQTT: 127.0.0.1:")) << cli.err.toStdString();
    EXPECT_TRUE(cli.err.contains(" 警報 周波数 > 1 Hz: ")) << cli.err.toStdString();
    EXPECT_TRUE(cli.err.contains(" 警報 電圧Ｒ < 1000000000 V（2 秒）: ")) << cli.err.toStdString();

    const QString got = stopSubscriber(sub, dir.filePath("sub.txt"));
    EXPECT_TRUE(got.contains("site/board1/status online")) << got.toStdString();
    EXPECT_TRUE(got.contains("site/board1/state {\"number\":0,\"time\":\"")) << got.toStdString();
    EXPECT_TRUE(got.contains("homeassistant/sensor/board1/power/config {")) << got.toStdString();
    EXPECT_TRUE(got.trimmed().endsWith("site/board1/status offline")) << got.toStdString();
    EXPECT_TRUE(got.contains("site/board1/alarm {\"alarm\":\"frequency_above\",")) << got.toStdString();
    EXPECT_TRUE(got.contains("\"state\":\"raised\"")) << got.toStdString();
    EXPECT_TRUE(got.contains("homeassistant/binary_sensor/board1/voltR_below/config {")) << got.toStdString();
    EXPECT_TRUE(got.contains("site/board1/alarm/voltR_below OFF\n")) << got.toStdString();
    EXPECT_TRUE(got.contains("site/board1/alarm/voltR_below ON\n")) << got.toStdString();
    EXPECT_LT(got.indexOf("site/board1/alarm/voltR_below OFF"), got.indexOf("site/board1/alarm/voltR_below ON"));

    const qint64 records = QFileInfo(QDir(cli.home.path()).filePath("TMP.DAT")).size() / 140;
    ASSERT_GT(records, 2);
    const QByteArray counted =
        http(influxPort, "GET", "/query?db=power&q=SELECT%20count(power)%20FROM%20quellin");
    EXPECT_TRUE(counted.contains(QStringLiteral(",%1]").arg(records).toUtf8())) << counted.toStdString();
    const int states = static_cast<int>(got.count("site/board1/state "));
    EXPECT_EQ(states, records) << cli.err.toStdString();
}

TEST(CliPublish, BadOutputsAreToldAndTheMeasurementGoesOn)
{
    const struct {
        QStringList args;
        int exit;
        const char* told;
    } cases[] = {
        {{"--mqtt", "mqtt://"}, 2, "--mqtt mqtt://"},
        {{"--influx", "http://127.0.0.1:1/query"}, 2, "--influx"},
        {{"--metrics", "99999"}, 2, "--metrics"},
        {{"--mqtt", QStringLiteral("mqtt://127.0.0.1:%1").arg(freePort())}, 0, "に接続できません"},
        {{"--influx", QStringLiteral("http://127.0.0.1:%1/write?db=x").arg(freePort())}, 0, "InfluxDB: 127.0.0.1 に書き込めません"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        MeterSim sim;
        ASSERT_TRUE(sim.start({"--rate", "20"})) << sim.errorText().toStdString();
        Cli cli;
        const QString log = cli.home.filePath("log.csv");
        cli.start(QStringList{"measure", "--port", sim.device(), "--log", log, "--version", "2",
                                             "--interval", "1", "--for", "4s", "--quiet"} +
                  c.args);
        const int exit = cli.finish(60000);
        sim.stop();
        EXPECT_EQ(exit, c.exit) << cli.err.toStdString();
        EXPECT_TRUE(cli.err.contains(QString::fromUtf8(c.told))) << cli.err.toStdString();
        if (c.exit == 0) {
            QFile f(log);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            EXPECT_GE(f.readAll().count("\r\n"), 3 + 2) << "the log is written all the same";
        }
    }
}

} // namespace
} // namespace quellin::test
