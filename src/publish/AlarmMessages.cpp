#include "publish/AlarmMessages.h"

#include "base/MeasuredItems.h"
#include "platform/Format.h"
#include "store/DataSet.h"

#include <QJsonDocument>

#include <cmath>

namespace quellin {

namespace {

QJsonValue jsonNumber(double v)
{
    return std::isfinite(v) ? QJsonValue(v) : QJsonValue(QJsonValue::Null);
}

QString itemKey(int column)
{
    const std::string_view k = measuredItem(column).key;
    return QString::fromLatin1(k.data(), static_cast<qsizetype>(k.size()));
}

} // namespace

QByteArray alarmEventJson(const AlarmEvent& event)
{
    QJsonObject o;
    o.insert(QStringLiteral("time"), Format(event.time, QStringLiteral("yyyy/mm/dd hh:mm:ss")));
    o.insert(QStringLiteral("alarm"), alarmRuleId(event.rule));
    o.insert(QStringLiteral("item"), itemKey(event.rule.column));
    o.insert(QStringLiteral("direction"),
             event.rule.direction == AlarmDirection::Above ? QStringLiteral("above") : QStringLiteral("below"));
    o.insert(QStringLiteral("limit"), event.rule.limit);
    o.insert(QStringLiteral("hold"), event.rule.holdSeconds);
    o.insert(QStringLiteral("value"), jsonNumber(event.value));
    o.insert(QStringLiteral("state"), event.raised ? QStringLiteral("raised") : QStringLiteral("cleared"));
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

MqttMessage alarmStateMessage(const MqttTopics& topics, const AlarmRule& rule, bool raised)
{
    return {topics.alarmState(alarmRuleId(rule)), raised ? QByteArray("ON") : QByteArray("OFF"), true};
}

std::vector<MqttMessage> alarmDiscoveryMessages(const Context& ctx, const MqttTopics& topics,
                                                const std::vector<AlarmRule>& rules)
{
    const QJsonObject device = discoveryDevice(ctx, topics);
    const QString status = QString::fromUtf8(topics.status());
    std::vector<MqttMessage> messages;
    for (const AlarmRule& rule : rules) {
        if (!ctx.dataSet().columnPresent(rule.column))
            continue;
        const QString id = alarmRuleId(rule);
        QJsonObject config;
        config.insert(QStringLiteral("name"), alarmRuleCaption(rule));
        config.insert(QStringLiteral("unique_id"), QStringLiteral("quellin_%1_alarm_%2").arg(topics.id, id));
        config.insert(QStringLiteral("state_topic"), QString::fromUtf8(topics.alarmState(id)));
        config.insert(QStringLiteral("payload_on"), QStringLiteral("ON"));
        config.insert(QStringLiteral("payload_off"), QStringLiteral("OFF"));
        config.insert(QStringLiteral("device_class"), QStringLiteral("problem"));
        config.insert(QStringLiteral("availability_topic"), status);
        config.insert(QStringLiteral("device"), device);
        messages.push_back({QStringLiteral("homeassistant/binary_sensor/%1/%2/config").arg(topics.id, id).toUtf8(),
                            QJsonDocument(config).toJson(QJsonDocument::Compact), true});
        messages.push_back(alarmStateMessage(topics, rule, false));
    }
    return messages;
}

} // namespace quellin
