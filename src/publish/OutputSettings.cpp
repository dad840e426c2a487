#include "publish/OutputSettings.h"

#include "platform/Tx.h"
#include "settings/ModRegistry.h"

namespace quellin {

namespace {

// The parsers name quellin-cli's option and the text first ("--mqtt TEXT: why");
// the dialog names its field instead.
QString fieldMessage(const QString& caption, const QString& option, const QString& text, const QString& error)
{
    const QString prefix = option + QLatin1Char(' ') + text + QStringLiteral(": ");
    return caption + QStringLiteral(": ") + (error.startsWith(prefix) ? error.mid(prefix.size()) : error);
}

} // namespace

OutputSettings readOutputSettings(const SettingsStore& settings)
{
    OutputSettings o;
    o.mqttUrl = settings.read(QStringLiteral("MqttUrl"), QString()).trimmed();
    o.mqttCa = settings.read(QStringLiteral("MqttCa"), QString()).trimmed();
    o.mqttId = settings.read(QStringLiteral("MqttId"), QString()).trimmed();
    o.influxUrl = settings.read(QStringLiteral("InfluxUrl"), QString()).trimmed();
    o.influxToken = settings.read(QStringLiteral("InfluxToken"), QString()).trimmed();
    o.metrics = settings.read(QStringLiteral("MetricsAddress"), QString()).trimmed();
    return o;
}

bool storeOutputSettings(SettingsStore& settings, const OutputSettings& o)
{
    // Every value is written, so that a failure after the first shows one message.
    return settings.write(QStringLiteral("MqttUrl"), o.mqttUrl) &&
           settings.write(QStringLiteral("MqttCa"), o.mqttCa) &&
           settings.write(QStringLiteral("MqttId"), o.mqttId) &&
           settings.write(QStringLiteral("InfluxUrl"), o.influxUrl) &&
           settings.write(QStringLiteral("InfluxToken"), o.influxToken) &&
           settings.write(QStringLiteral("MetricsAddress"), o.metrics);
}

OutputCheck checkOutputSettings(const OutputSettings& o, const QString& meterId)
{
    OutputCheck check;
    PublishOptions& p = check.options;
    p.meterId = o.mqttId.isEmpty() ? meterId : o.mqttId;
    if (!o.mqttUrl.isEmpty()) {
        const MqttTargetParse t = parseMqttTarget(o.mqttUrl);
        if (t.target) {
            p.mqtt = t.target;
            p.mqttCa = o.mqttCa;
        } else {
            check.failures.push_back(
                {OutputField::MqttUrl, fieldMessage(TX("MQTT の URL"), QStringLiteral("--mqtt"), o.mqttUrl, t.error)});
        }
    }
    if (!o.mqttId.isEmpty() && topicSafeId(o.mqttId) != o.mqttId) {
        check.failures.push_back({OutputField::MqttId, TX("MQTT の ID: 英数字と _ - だけで指定して下さい。")});
        p.meterId = topicSafeId(o.mqttId);
    }
    if (!o.influxUrl.isEmpty()) {
        const InfluxTargetParse t = parseInfluxTarget(o.influxUrl);
        if (t.target) {
            p.influx = t.target;
            p.influxToken = o.influxToken;
        } else {
            check.failures.push_back({OutputField::InfluxUrl,
                                      fieldMessage(TX("InfluxDB の URL"), QStringLiteral("--influx"),
                                                   o.influxUrl, t.error)});
        }
    }
    if (!o.metrics.isEmpty()) {
        const MetricsAddressParse a = parseMetricsAddress(o.metrics);
        if (a.address)
            p.metrics = a.address;
        else
            check.failures.push_back({OutputField::Metrics,
                                      fieldMessage(TX("メトリクスのポート"), QStringLiteral("--metrics"),
                                                   o.metrics, a.error)});
    }
    return check;
}

} // namespace quellin
