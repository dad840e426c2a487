#pragma once
// The outputs of a measurement together: each stored record goes to the MQTT
// broker, to InfluxDB and to the metrics page, whichever are asked for. Every
// call returns at once; the clients deliver later.

#include "measure/AlarmEvaluator.h"
#include "publish/InfluxWriter.h"
#include "publish/MetricsServer.h"
#include "publish/MetricsText.h"
#include "publish/MqttPublisher.h"

#include <QElapsedTimer>
#include <memory>

namespace quellin {

struct PublishOptions {
    QString meterId; // the data folder's name unless given
    std::optional<MqttTarget> mqtt;
    QString mqttCa;
    std::optional<InfluxTarget> influx;
    QString influxToken;
    std::optional<MetricsAddress> metrics;
    std::vector<AlarmRule> alarms; // a binary sensor each
    bool any() const { return mqtt || influx || metrics; }
};

class Publishing : public QObject {
    Q_OBJECT
public:
    using Report = std::function<void(const QString&)>;
    Publishing(const Context& ctx, PublishOptions options, Report report);
    ~Publishing() override;

    // False with the reason when an output cannot be set up.
    bool start(QString* error);
    void recordStored(const DataRecord& record);
    // After the record that made it.
    void alarmEvent(const AlarmEvent& event);
    void setLinkUp(bool up) { metrics_.linkUp = up; }
    void stop();

    MqttPublisher* mqtt() { return mqtt_.get(); }
    InfluxWriter* influx() { return influx_.get(); }
    MetricsServer* metricsServer() { return server_.get(); }
    QByteArray metricsPage() const;

private:
    const Context& ctx_;
    PublishOptions options_;
    Report report_;
    MqttTopics topics_;
    std::unique_ptr<MqttPublisher> mqtt_;
    std::unique_ptr<InfluxWriter> influx_;
    std::unique_ptr<MetricsServer> server_;
    MetricsState metrics_;
    QElapsedTimer sinceLast_;
    bool discoverySent_ = false;
};

} // namespace quellin
