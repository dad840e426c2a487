#pragma once
// The window program's monitoring outputs as the 外部出力 dialog keeps them in
// the settings file: the MQTT broker's URL with its CA file and the meter's ID,
// the InfluxDB write URL with its token, the metrics page's [host:]port. The
// texts are quellin-cli's --mqtt, --mqtt-ca, --mqtt-id, --influx,
// --influx-token and --metrics; an empty one leaves that output off.

#include "publish/Publishing.h"

#include <QString>
#include <vector>

namespace quellin {

class SettingsStore;

struct OutputSettings {
    QString mqttUrl;     // MqttUrl
    QString mqttCa;      // MqttCa
    QString mqttId;      // MqttId; empty: the data folder's name
    QString influxUrl;   // InfluxUrl
    QString influxToken; // InfluxToken
    QString metrics;     // MetricsAddress
    bool operator==(const OutputSettings&) const = default;
};

OutputSettings readOutputSettings(const SettingsStore& settings);
bool storeOutputSettings(SettingsStore& settings, const OutputSettings& outputs);

enum class OutputField { MqttUrl, MqttId, InfluxUrl, Metrics };
struct OutputFailure {
    OutputField field;
    QString message; // "MQTT の URL: ホスト名がありません。"
};
struct OutputCheck {
    PublishOptions options; // the outputs that can be set up; the others off
    std::vector<OutputFailure> failures; // in the dialog's order
};
// meterId: the ID when MqttId is empty.
OutputCheck checkOutputSettings(const OutputSettings& outputs, const QString& meterId);

} // namespace quellin
