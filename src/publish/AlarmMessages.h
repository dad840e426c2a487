#pragma once
// The alarms over MQTT: each event as one JSON message on <prefix>/alarm, each
// rule's state retained on <prefix>/alarm/<item>_above|below ("ON" while
// raised), and a Home Assistant binary sensor per rule that reads that state.

#include "measure/AlarmEvaluator.h"
#include "publish/Discovery.h"

namespace quellin {

// {"time":"2026/12/09 13:00:10","alarm":"power_above","item":"power",
//  "direction":"above","limit":3000,"hold":10,"value":3050,"state":"raised"}
QByteArray alarmEventJson(const AlarmEvent& event);
// The retained state of a rule.
MqttMessage alarmStateMessage(const MqttTopics& topics, const AlarmRule& rule, bool raised);
// Per rule of an item the data set has: its retained config on
// homeassistant/binary_sensor/<id>/<item>_above|below/config, then its state
// "OFF" (a new measurement starts with none raised).
std::vector<MqttMessage> alarmDiscoveryMessages(const Context& ctx, const MqttTopics& topics,
                                                const std::vector<AlarmRule>& rules);

} // namespace quellin
