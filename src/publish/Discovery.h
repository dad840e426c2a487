#pragma once
// MQTT messages of a measurement: the topics under the prefix, and the Home
// Assistant discovery configs that let it find every item by itself.

#include "base/Context.h"

#include <QByteArray>
#include <QJsonObject>
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
    // Each alarm event as JSON; the alarm's state ("ON"/"OFF", retained) below it.
    QByteArray alarm() const { return (prefix + QStringLiteral("/alarm")).toUtf8(); }
    QByteArray alarmState(const QString& alarmId) const
    {
        return (prefix + QStringLiteral("/alarm/") + alarmId).toUtf8();
    }
};
MqttTopics mqttTopics(const QString& meterId, const QString& urlPrefix);

// The "device" block every config carries: the meter as one device.
QJsonObject discoveryDevice(const Context& ctx, const MqttTopics& topics);

// One retained config per item the data set has, on
// homeassistant/sensor/<id>/<key>/config.
std::vector<MqttMessage> discoveryMessages(const Context& ctx, const MqttTopics& topics);

} // namespace quellin
