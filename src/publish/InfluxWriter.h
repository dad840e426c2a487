#pragma once
// Writes line-protocol points to InfluxDB: gathered and sent once a second at
// most, kept for another try while the server is away (up to a bound, the
// oldest dropped and said so), never waited for by the measurement.

#include "publish/PublishTargets.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <deque>
#include <functional>

class QNetworkAccessManager;
class QNetworkReply;

namespace quellin {

class InfluxWriter : public QObject {
    Q_OBJECT
public:
    using Report = std::function<void(const QString&)>;
    static constexpr int kMaxPending = 20000;
    static constexpr int kMaxBatch = 5000;
    static constexpr int kIntervalMs = 1000;

    InfluxWriter(InfluxTarget target, QString token, Report report);
    ~InfluxWriter() override;

    void add(QByteArray line);
    // One last request for what is pending, waited for at most waitMs.
    void stop(int waitMs = 3000);

    int pending() const { return static_cast<int>(pending_.size()); }

private:
    void sendBatch();
    void finished(QNetworkReply* reply);
    void tell(const QString& text);

    InfluxTarget target_;
    QByteArray authorization_;
    Report report_;
    QNetworkAccessManager* net_;
    QTimer tick_;
    std::deque<QByteArray> pending_;
    int inRequest_ = 0; // lines at the front of pending_ that the request carries
    QNetworkReply* reply_ = nullptr;
    qint64 droppedSinceTold_ = 0;
    QString lastTold_;
};

} // namespace quellin
