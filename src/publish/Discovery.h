#pragma once
// MQTT messages of a measurement: the topics under the prefix, and the Home
// Assistant discovery configs that let it find every item by itself.

#include "base/Context.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace quellin {

struct MqttMessage {
    QByteArray topic;
    QByteArray payload;
    bool retain = false;
};

struct MqttTopics {
    QString id;     // topic-safe meter id
    QString prefix; // "quellin/<id>" unless the URL names one
    QByteArray state() const { return (prefix + QStringLiteral("/state")).toUtf8(); }
    QByteArray status() const { return (prefix + QStringLiteral("/status")).toUtf8(); }
};
MqttTopics mqttTopics(const QString& meterId, const QString& urlPrefix);

// One retained config per item the data set has, on
// homeassistant/sensor/<id>/<key>/config.
std::vector<MqttMessage> discoveryMessages(const Context& ctx, const MqttTopics& topics);

} // namespace quellin
