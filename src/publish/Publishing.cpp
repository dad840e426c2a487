#include "publish/Publishing.h"

#include "publish/AlarmMessages.h"
#include "publish/LineProtocol.h"
#include "publish/RecordJson.h"

namespace quellin {

Publishing::Publishing(const Context& ctx, PublishOptions options, Report report)
    : ctx_(ctx), options_(std::move(options)), report_(std::move(report))
{
    topics_ = mqttTopics(options_.meterId, options_.mqtt ? options_.mqtt->prefix : QString());
    metrics_.meter = topics_.id;
}

Publishing::~Publishing()
{
    stop();
}

bool Publishing::start(QString* error)
{
    if (options_.metrics) {
        server_ = std::make_unique<MetricsServer>([this] { return metricsPage(); });
        if (!server_->listen(*options_.metrics, error))
            return false;
    }
    if (options_.mqtt) {
        mqtt_ = std::make_unique<MqttPublisher>(*options_.mqtt, options_.mqttCa, topics_, report_);
        if (!mqtt_->start(error))
            return false;
    }
    if (options_.influx)
        influx_ = std::make_unique<InfluxWriter>(*options_.influx, options_.influxToken, report_);
    return true;
}

void Publishing::recordStored(const DataRecord& record)
{
    metrics_.last = record;
    metrics_.haveRecord = true;
    ++metrics_.records;
    metrics_.linkUp = true;
    sinceLast_.start();
    if (mqtt_) {
        // The data set knows its columns once it holds a record.
        if (!discoverySent_) {
            std::vector<MqttMessage> discovery = discoveryMessages(ctx_, topics_);
            for (MqttMessage& m : alarmDiscoveryMessages(ctx_, topics_, options_.alarms))
                discovery.push_back(std::move(m));
            mqtt_->setDiscovery(std::move(discovery));
            discoverySent_ = true;
        }
        mqtt_->publishState(recordJson(ctx_, record).toUtf8());
    }
    if (influx_)
        influx_->add(influxLine(ctx_, record, topics_.id));
}

void Publishing::alarmEvent(const AlarmEvent& event)
{
    if (!mqtt_)
        return;
    mqtt_->publish({topics_.alarm(), alarmEventJson(event), false});
    mqtt_->publishRetained(alarmStateMessage(topics_, event.rule, event.raised));
}

QByteArray Publishing::metricsPage() const
{
    MetricsState state = metrics_;
    state.lastAgeSeconds = sinceLast_.isValid() ? sinceLast_.elapsed() / 1000.0 : 0;
    return metricsText(ctx_, state);
}

void Publishing::stop()
{
    metrics_.linkUp = false;
    if (mqtt_)
        mqtt_->stop();
    if (influx_)
        influx_->stop();
}

} // namespace quellin
