// quellin-cli's MQTT output against a broker that wants TLS and a password, as a
// site's broker does: a Mosquitto started here with its own certificate
// authority (made with openssl) and password file (mosquitto_passwd). The right
// credentials over TLS deliver the records; a wrong password, a certificate
// that cannot be checked and a host that does not exist are told on standard
// error while the measurement goes on whole.

#include "Broker.h"
#include "support/MeterSim.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace quellin::test {
namespace {

bool run(const QString& program, const QStringList& args, const QString& folder)
{
    QProcess p;
    p.setWorkingDirectory(folder);
    p.start(program, args);
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// A certificate authority, the broker's certificate for 127.0.0.1 signed by it,
// a password file with user "meter" / "secret", and the broker's configuration.
bool startSecuredBroker(Daemon& broker, const QString& dir, quint16 port)
{
    QFile ext(dir + "/san.cnf");
    if (!ext.open(QIODevice::WriteOnly) || ext.write("subjectAltName=IP:127.0.0.1\n") < 0)
        return false;
    ext.close();
    const QString openssl = QStringLiteral("openssl");
    if (!run(openssl, {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", "ca.key", "-out",
                       "ca.pem", "-days", "2", "-subj", "/CN=Quellin test CA"},
             dir) ||
        !run(openssl, {"req", "-newkey", "rsa:2048", "-nodes", "-keyout", "server.key", "-out",
                       "server.csr", "-subj", "/CN=127.0.0.1"},
             dir) ||
        !run(openssl, {"x509", "-req", "-in", "server.csr", "-CA", "ca.pem", "-CAkey", "ca.key",
                       "-CAcreateserial", "-out", "server.pem", "-days", "2", "-extfile", "san.cnf"},
             dir) ||
        !run("mosquitto_passwd", {"-b", "-c", "passwd", "meter", "secret"}, dir))
        return false;
    QFile conf(dir + "/mosquitto.conf");
    if (!conf.open(QIODevice::WriteOnly))
        return false;
    // As root the broker would read its files as the mosquitto user, who may
    // not enter the test's folder.
    conf.write(QStringLiteral("user root\nlistener %1 127.0.0.1\nallow_anonymous false\npersistence false\n"
                              "password_file %2/passwd\ncafile %2/ca.pem\ncertfile %2/server.pem\n"
                              "keyfile %2/server.key\n")
                   .arg(port)
                   .arg(dir)
                   .toUtf8());
    conf.close();
    broker.p.setProcessChannelMode(QProcess::MergedChannels);
    broker.p.start("mosquitto", {"-c", conf.fileName()});
    return broker.p.waitForStarted(5000) && waitForPort(port);
}

TEST(CliPublishSecured, RightCredentialsOverTlsDeliverAndWrongOnesAreTold)
{
    QTemporaryDir dir;
    const quint16 port = freePort();
    Daemon broker;
    ASSERT_TRUE(startSecuredBroker(broker, dir.path(), port))
        << broker.p.readAll().toStdString();
    const QString ca = dir.filePath("ca.pem");
    const QString url = QStringLiteral("mqtts://%1@127.0.0.1:%2/site");
    const struct {
        const char* name;
        QStringList args;
        const char* told; // on standard error
        bool delivered;
    } cases[] = {
        {"right", {"--mqtt", url.arg("meter:secret").arg(port), "--mqtt-ca", ca}, "に接続しました", true},
        {"wrong password", {"--mqtt", url.arg("meter:wrong").arg(port), "--mqtt-ca", ca}, "が接続を断りました", false},
        {"unchecked certificate", {"--mqtt", url.arg("meter:secret").arg(port)}, "に接続できません", false},
        {"no such host", {"--mqtt", QStringLiteral("mqtt://no-such-host.invalid:%1").arg(port)}, "に接続できません", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Daemon sub;
        const QString received = dir.filePath(QStringLiteral("sub-%1.txt").arg(c.name));
        sub.p.setStandardOutputFile(received);
        sub.p.start("mosquitto_sub", {"-h", "127.0.0.1", "-p", QString::number(port), "--cafile", ca,
                                      "-u", "meter", "-P", "secret", "-t", "site/state", "-q", "1"});
        ASSERT_TRUE(sub.p.waitForStarted(5000));
        QThread::msleep(800);

        MeterSim sim;
        ASSERT_TRUE(sim.start({"--rate", "20"})) << sim.errorText().toStdString();
        QTemporaryDir home;
        QProcess cli;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QUELLIN_HOME", home.path());
        env.insert("LANG", "C.UTF-8");
        cli.setProcessEnvironment(env);
        const QString log = home.filePath("log.csv");
        cli.start(QStringLiteral(QUELLIN_CLI),
                  QStringList{"measure", "--port", sim.device(), "--log", log, "--version", "2",
                              "--interval", "1", "--for", "4s", "--quiet"} +
                      c.args);
        ASSERT_TRUE(cli.waitForFinished(60000));
        sim.stop();
        const QString err = QString::fromUtf8(cli.readAllStandardError());
        EXPECT_EQ(cli.exitCode(), 0) << err.toStdString();
        // Told once, however often the connection is tried again.
        EXPECT_EQ(err.count(QString::fromUtf8(c.told)), 1) << err.toStdString();
        QFile f(log);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_GE(f.readAll().count("\r\n"), 3 + 2) << "the log is written all the same";
        QThread::msleep(500);
        sub.p.terminate();
        sub.p.waitForFinished(3000);
        QFile got(received);
        ASSERT_TRUE(got.open(QIODevice::ReadOnly));
        // One state message a stored record: none where the connection was refused.
        EXPECT_EQ(got.readAll().count("\"power\"") > 0, c.delivered) << err.toStdString();
    }
}

} // namespace
} // namespace quellin::test
