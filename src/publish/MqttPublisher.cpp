#include "publish/MqttPublisher.h"

#include "platform/Tx.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMetaObject>
#include <QThread>

#include <mosquitto.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace quellin {

namespace {

constexpr int kQos = 1;
constexpr int kKeepAliveSeconds = 30;

QString where(const MqttTarget& t)
{
    return QStringLiteral("%1:%2").arg(t.host).arg(t.port);
}

QString failureText(int rc, int err)
{
    if (rc == MOSQ_ERR_ERRNO)
        return QString::fromLocal8Bit(std::strerror(err));
    return QString::fromUtf8(mosquitto_strerror(rc));
}

} // namespace

MqttPublisher::MqttPublisher(MqttTarget target, QString caFile, MqttTopics topics, Report report)
    : target_(std::move(target)), caFile_(std::move(caFile)), topics_(std::move(topics)),
      report_(std::move(report))
{
    stateTopic_ = topics_.state();
    mosquitto_lib_init();
}

MqttPublisher::~MqttPublisher()
{
    stop(0);
    if (mosq_)
        mosquitto_destroy(mosq_);
    mosquitto_lib_cleanup();
}

bool MqttPublisher::start(QString* error)
{
    const auto fail = [&](const QString& why) {
        *error = QStringLiteral("MQTT: %1").arg(why);
        return false;
    };
    if (!caFile_.isEmpty() && !QFileInfo(caFile_).isReadable())
        return fail(TX("CA ファイル %1 が読めません。").arg(caFile_));
    const QByteArray clientId =
        QStringLiteral("quellin-%1-%2").arg(topics_.id).arg(QCoreApplication::applicationPid()).toUtf8();
    mosq_ = mosquitto_new(clientId.constData(), true, this);
    if (!mosq_)
        return fail(TX("クライアントを作れません。"));
    mosquitto_threaded_set(mosq_, true);
    mosquitto_connect_callback_set(mosq_, &MqttPublisher::onConnect);
    mosquitto_disconnect_callback_set(mosq_, &MqttPublisher::onDisconnect);
    mosquitto_publish_callback_set(mosq_, &MqttPublisher::onPublish);
    if (!target_.user.isEmpty() &&
        mosquitto_username_pw_set(mosq_, target_.user.toUtf8().constData(),
                                  target_.password.isEmpty() ? nullptr
                                                             : target_.password.toUtf8().constData()) !=
            MOSQ_ERR_SUCCESS)
        return fail(TX("ユーザー名を設定できません。"));
    if (target_.tls) {
        const QByteArray ca = caFile_.toLocal8Bit();
        const int rc = caFile_.isEmpty()
                           ? mosquitto_tls_set(mosq_, nullptr, "/etc/ssl/certs", nullptr, nullptr, nullptr)
                           : mosquitto_tls_set(mosq_, ca.constData(), nullptr, nullptr, nullptr, nullptr);
        if (rc != MOSQ_ERR_SUCCESS)
            return fail(TX("TLS を設定できません（%1）。").arg(failureText(rc, errno)));
    }
    const QByteArray status = topics_.status();
    if (mosquitto_will_set(mosq_, status.constData(), 7, "offline", kQos, true) != MOSQ_ERR_SUCCESS)
        return fail(TX("will を設定できません。"));
    started_ = true;
    thread_ = std::thread([this] { worker(); });
    return true;
}

void MqttPublisher::worker()
{
    const QByteArray host = target_.host.toUtf8();
    int rc = mosquitto_connect(mosq_, host.constData(), target_.port, kKeepAliveSeconds);
    int err = errno;
    while (!stopping_) {
        if (rc == MOSQ_ERR_SUCCESS) {
            rc = mosquitto_loop(mosq_, 200, 1);
            err = errno;
            continue;
        }
        if (closed_)
            break;
        connected_ = false;
        tell(TX("MQTT: %1 に接続できません（%2）。%3 秒ごとに再接続します。")
                 .arg(where(target_), failureText(rc, err))
                 .arg(kRetryMs / 1000));
        for (int waited = 0; waited < kRetryMs && !stopping_; waited += 100)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (stopping_)
            break;
        rc = mosquitto_reconnect(mosq_);
        err = errno;
    }
}

void MqttPublisher::tell(const QString& text)
{
    QMetaObject::invokeMethod(
        this,
        [this, text] {
            // The same failure every few seconds is told once.
            if (told_.contains(text))
                return;
            told_.insert(text);
            if (report_)
                report_(text);
        },
        Qt::QueuedConnection);
}

void MqttPublisher::onConnect(mosquitto*, void* self, int rc)
{
    auto* p = static_cast<MqttPublisher*>(self);
    p->refused_ = rc != 0;
    if (rc != 0) {
        p->tell(TX("MQTT: %1 が接続を断りました（%2）。")
                    .arg(where(p->target_), QString::fromUtf8(mosquitto_connack_string(rc))));
        return;
    }
    p->connected_ = true;
    QMetaObject::invokeMethod(p, [p] { p->onConnected(); }, Qt::QueuedConnection);
}

void MqttPublisher::onDisconnect(mosquitto*, void* self, int rc)
{
    auto* p = static_cast<MqttPublisher*>(self);
    p->connected_ = false;
    if (rc == 0)
        p->closed_ = true;
    else if (!p->stopping_ && !p->refused_) // a refusal was told as such
        p->tell(TX("MQTT: %1 との接続が切れました。再接続します。").arg(where(p->target_)));
}

void MqttPublisher::onPublish(mosquitto*, void* self, int mid)
{
    auto* p = static_cast<MqttPublisher*>(self);
    if (p->inFlight_ > 0)
        --p->inFlight_;
    {
        std::lock_guard lock(p->offlineMutex_);
        if (mid == p->offlineMid_)
            p->offlineAcked_ = true;
    }
    QMetaObject::invokeMethod(p, [p] { p->flush(); }, Qt::QueuedConnection);
}

void MqttPublisher::onConnected()
{
    if (!connected_ || stopping_)
        return;
    told_.clear();
    if (report_)
        report_(TX("MQTT: %1 に接続しました（%2）。").arg(where(target_), topics_.prefix));
    // What was in flight when the connection broke is sent again by the library.
    inFlight_ = 0;
    send({topics_.status(), "online", true});
    for (const MqttMessage& m : discovery_)
        send(m);
    for (const MqttMessage& m : retained_)
        send(m);
    flush();
}

bool MqttPublisher::send(const MqttMessage& m, int* mid)
{
    const int rc = mosquitto_publish(mosq_, mid, m.topic.constData(), static_cast<int>(m.payload.size()),
                                     m.payload.constData(), kQos, m.retain);
    if (rc != MOSQ_ERR_SUCCESS)
        return false;
    ++inFlight_;
    return true;
}

void MqttPublisher::setDiscovery(std::vector<MqttMessage> messages)
{
    discovery_ = std::move(messages);
    if (connected_)
        for (const MqttMessage& m : discovery_)
            send(m);
}

void MqttPublisher::publishState(const QByteArray& payload)
{
    publish({stateTopic_, payload, false});
}

void MqttPublisher::publishRetained(MqttMessage message)
{
    const auto same = std::find_if(retained_.begin(), retained_.end(),
                                   [&](const MqttMessage& m) { return m.topic == message.topic; });
    if (same != retained_.end())
        *same = message;
    else
        retained_.push_back(message);
    publish(std::move(message));
}

void MqttPublisher::publish(MqttMessage message)
{
    queue_.push_back(std::move(message));
    if (static_cast<int>(queue_.size()) > kMaxQueued) {
        queue_.pop_front();
        if (droppedSinceTold_ == 0 && report_)
            report_(TX("MQTT: 送信待ちが %1 件を超えたため、古いものから捨てています。")
                        .arg(kMaxQueued));
        ++droppedSinceTold_;
        ++droppedTotal_;
    }
    flush();
}

void MqttPublisher::flush()
{
    if (!started_ || stopping_)
        return;
    while (connected_ && inFlight_ < kMaxInFlight && !queue_.empty()) {
        if (!send(queue_.front()))
            return;
        queue_.pop_front();
    }
    if (queue_.empty() && droppedSinceTold_ > 0) {
        if (report_)
            report_(TX("MQTT: %1 件の状態メッセージを捨てました。").arg(droppedSinceTold_));
        droppedSinceTold_ = 0;
    }
}

void MqttPublisher::stop(int waitMs)
{
    if (!started_)
        return;
    const auto waitFor = [&](const std::function<bool()>& done) {
        for (int waited = 0; waited < waitMs && !done(); waited += 10)
            QThread::msleep(10);
    };
    if (connected_) {
        // The acknowledgements come on the network thread; the queue is fed from here.
        waitFor([&] {
            flush();
            return queue_.empty() || !connected_;
        });
        {
            std::lock_guard lock(offlineMutex_);
            send({topics_.status(), "offline", true}, &offlineMid_);
        }
        waitFor([&] {
            std::lock_guard lock(offlineMutex_);
            return offlineAcked_ && inFlight_ == 0;
        });
        mosquitto_disconnect(mosq_);
        waitFor([&] { return closed_.load(); });
    }
    stopping_ = true;
    if (thread_.joinable())
        thread_.join();
    started_ = false;
    if (!queue_.empty() && report_)
        report_(TX("MQTT: %1 件の状態メッセージを送れませんでした。").arg(queue_.size()));
}

} // namespace quellin
