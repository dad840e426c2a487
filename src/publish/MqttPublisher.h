#pragma once
// The MQTT client of a measurement (libmosquitto). The network runs on a
// thread of its own, so a broker that is slow, away or gone never holds up a
// record: the state messages wait in a bounded queue meanwhile, the oldest
// dropped (and said so) when it is full. The status topic is "online" while
// connected and "offline" after a clean stop, and the broker's will says
// "offline" when the process dies.

#include "publish/Discovery.h"
#include "publish/PublishTargets.h"

#include <QObject>
#include <QSet>
#include <atomic>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

struct mosquitto;

namespace quellin {

class MqttPublisher : public QObject {
    Q_OBJECT
public:
    using Report = std::function<void(const QString&)>;
    static constexpr int kMaxQueued = 1000;
    static constexpr int kMaxInFlight = 100;
    static constexpr int kRetryMs = 3000;

    MqttPublisher(MqttTarget target, QString caFile, MqttTopics topics, Report report);
    ~MqttPublisher() override;

    // Set up and start connecting; false with the reason when it cannot be
    // set up at all (a CA file that cannot be read, say).
    bool start(QString* error);
    // Sent retained on every connection from now on.
    void setDiscovery(std::vector<MqttMessage> messages);
    void publishState(const QByteArray& payload);
    // Through the same bounded queue as the states.
    void publish(MqttMessage message);
    // A retained message whose latest text is sent again on every connection
    // (a broker that restarted has forgotten it): an alarm's state.
    void publishRetained(MqttMessage message);
    // "offline", the queue sent as far as the broker takes it within waitMs,
    // then the connection closed.
    void stop(int waitMs = 3000);

    int queued() const { return static_cast<int>(queue_.size()); }
    qint64 dropped() const { return droppedTotal_; }

private:
    void worker();
    void onConnected();
    void flush();
    bool send(const MqttMessage& m, int* mid = nullptr);
    void tell(const QString& text); // from any thread, told in the object's thread

    static void onConnect(mosquitto*, void* self, int rc);
    static void onDisconnect(mosquitto*, void* self, int rc);
    static void onPublish(mosquitto*, void* self, int mid);

    MqttTarget target_;
    QString caFile_;
    MqttTopics topics_;
    QByteArray stateTopic_;
    Report report_;
    mosquitto* mosq_ = nullptr;
    std::thread thread_;
    std::atomic<bool> stopping_{false};
    std::atomic<bool> connected_{false};
    std::atomic<bool> closed_{false};
    std::atomic<bool> refused_{false}; // the broker refused the last attempt (credentials)
    std::atomic<int> inFlight_{0};
    std::mutex offlineMutex_;
    int offlineMid_ = -1;
    bool offlineAcked_ = false;
    std::vector<MqttMessage> discovery_;
    std::vector<MqttMessage> retained_;
    std::deque<MqttMessage> queue_;
    qint64 droppedSinceTold_ = 0;
    qint64 droppedTotal_ = 0;
    QSet<QString> told_; // since the last connection: a retry loop says each thing once
    bool started_ = false;
};

} // namespace quellin
