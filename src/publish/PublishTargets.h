#pragma once
// Where the records go, as the user writes it on the command line: an MQTT
// broker URL, an InfluxDB write URL, the address of the metrics page. Each is
// checked whole before a measurement starts, so that a typing error is told at
// once instead of as a connection that never comes.

#include <QString>
#include <QUrl>
#include <optional>

namespace quellin {

struct MqttTarget {
    QString host;
    int port = 1883;
    QString user;
    QString password;
    QString prefix; // empty: "quellin/<meter id>"
    bool tls = false;
};
struct MqttTargetParse {
    std::optional<MqttTarget> target;
    QString error;
};
// mqtt://[user:pass@]host[:port][/prefix], mqtts:// for TLS (port 8883).
MqttTargetParse parseMqttTarget(const QString& text);

struct InfluxTarget {
    QUrl url;        // the write URL as given, with precision=ns added
    bool v2 = false; // /api/v2/write: a token is sent
};
struct InfluxTargetParse {
    std::optional<InfluxTarget> target;
    QString error;
};
// http(s)://host:port/write?db=NAME (1.x) or …/api/v2/write?org=O&bucket=B (2.x).
InfluxTargetParse parseInfluxTarget(const QString& text);

struct MetricsAddress {
    QString host = QStringLiteral("127.0.0.1");
    int port = 0;
};
struct MetricsAddressParse {
    std::optional<MetricsAddress> address;
    QString error;
};
// "port", "host:port" or "[v6]:port"; loopback when no host is given.
MetricsAddressParse parseMetricsAddress(const QString& text);

// The meter's name as it can stand in a topic, a Home Assistant id and a tag:
// letters, digits, '_' and '-'; anything else becomes '_'. Never empty.
QString topicSafeId(const QString& name);

} // namespace quellin
