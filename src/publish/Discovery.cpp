#include "publish/Discovery.h"

#include "base/MeasuredItems.h"
#include "platform/Tx.h"
#include "publish/PublishTargets.h"
#include "store/DataSet.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace quellin {

namespace {

// Home Assistant's names for what a column holds. Its units differ from the
// catalogue's where it accepts only its own spelling ("var", "°C", "h").
struct HaItem {
    const char* deviceClass;
    const char* unit;
    const char* stateClass;
};
constexpr HaItem kHaItems[kMaxColumns] = {
    {nullptr, nullptr, nullptr},             // number
    {nullptr, nullptr, nullptr},             // time
    {"voltage", "V", "measurement"},         // voltage R
    {"voltage", "V", "measurement"},         // voltage T
    {"current", "A", "measurement"},         // current R
    {"current", "A", "measurement"},         // current T
    {"power", "W", "measurement"},           // active power
    {"reactive_power", "var", "measurement"},
    {"apparent_power", "VA", "measurement"},
    {"power_factor", "%", "measurement"},
    {"frequency", "Hz", "measurement"},
    {"energy", "kWh", "total_increasing"},   // integrated by the PC, from 0 per measurement
    {"duration", "h", "measurement"},        // integration time
    {"current", "mA", "measurement"},        // leakage currents
    {"current", "mA", "measurement"},
    {"current", "mA", "measurement"},
    {"temperature", "\xC2\xB0" "C", "measurement"},
    {"temperature", "\xC2\xB0" "C", "measurement"},
};

} // namespace

MqttTopics mqttTopics(const QString& meterId, const QString& urlPrefix)
{
    MqttTopics t;
    t.id = topicSafeId(meterId);
    t.prefix = urlPrefix.isEmpty() ? QStringLiteral("quellin/") + t.id : urlPrefix;
    return t;
}

QJsonObject discoveryDevice(const Context& ctx, const MqttTopics& topics)
{
    QJsonObject device;
    device.insert(QStringLiteral("identifiers"), QJsonArray{QStringLiteral("quellin_") + topics.id});
    device.insert(QStringLiteral("name"), QStringLiteral("Quellin ") + topics.id);
    // Before the meter answers this is the not-queried text, shown in the language.
    device.insert(QStringLiteral("model"), txText(ctx.app.HardVersionText));
    device.insert(QStringLiteral("manufacturer"), QStringLiteral("Quellin"));
    return device;
}

std::vector<MqttMessage> discoveryMessages(const Context& ctx, const MqttTopics& topics)
{
    const QJsonObject device = discoveryDevice(ctx, topics);

    const QString state = QString::fromUtf8(topics.state());
    const QString status = QString::fromUtf8(topics.status());
    std::vector<MqttMessage> messages;
    const int last = std::min(ctx.cat.ColumnLast, kMaxColumns - 1);
    for (int c = column::kVoltR; c <= last; ++c) {
        if (!ctx.dataSet().columnPresent(c))
            continue;
        const MeasuredItem& item = measuredItem(c);
        const HaItem& ha = kHaItems[c];
        const QString key = QString::fromLatin1(item.key.data(), static_cast<qsizetype>(item.key.size()));
        QJsonObject config;
        config.insert(QStringLiteral("name"), txText(toQString(item.name)));
        config.insert(QStringLiteral("unique_id"), QStringLiteral("quellin_%1_%2").arg(topics.id, key));
        config.insert(QStringLiteral("state_topic"), state);
        config.insert(QStringLiteral("value_template"), QStringLiteral("{{ value_json.%1 }}").arg(key));
        config.insert(QStringLiteral("unit_of_measurement"), QString::fromUtf8(ha.unit));
        config.insert(QStringLiteral("device_class"), QString::fromUtf8(ha.deviceClass));
        config.insert(QStringLiteral("state_class"), QString::fromUtf8(ha.stateClass));
        config.insert(QStringLiteral("availability_topic"), status);
        config.insert(QStringLiteral("device"), device);
        messages.push_back({QStringLiteral("homeassistant/sensor/%1/%2/config").arg(topics.id, key).toUtf8(),
                            QJsonDocument(config).toJson(QJsonDocument::Compact), true});
    }
    return messages;
}

} // namespace quellin
