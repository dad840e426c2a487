#include "publish/InfluxWriter.h"

#include "platform/Tx.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace quellin {

namespace {

constexpr int kRequestTimeoutMs = 10000;

} // namespace

InfluxWriter::InfluxWriter(InfluxTarget target, QString token, Report report)
    : target_(std::move(target)), report_(std::move(report)), net_(new QNetworkAccessManager(this))
{
    if (!token.isEmpty())
        authorization_ = "Token " + token.toUtf8();
    tick_.setInterval(kIntervalMs);
    connect(&tick_, &QTimer::timeout, this, [this] { sendBatch(); });
    tick_.start();
}

InfluxWriter::~InfluxWriter()
{
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
    }
}

void InfluxWriter::tell(const QString& text)
{
    if (text == lastTold_)
        return;
    lastTold_ = text;
    if (report_)
        report_(text);
}

void InfluxWriter::add(QByteArray line)
{
    if (line.isEmpty())
        return;
    pending_.push_back(std::move(line));
    // The lines of a request under way stay until its answer.
    if (static_cast<int>(pending_.size()) > kMaxPending && static_cast<int>(pending_.size()) > inRequest_) {
        pending_.erase(pending_.begin() + inRequest_);
        if (droppedSinceTold_ == 0 && report_)
            report_(TX("InfluxDB: 送信待ちが %1 点を超えたため、古いものから捨てています。")
                        .arg(kMaxPending));
        ++droppedSinceTold_;
    }
}

void InfluxWriter::sendBatch()
{
    if (reply_ || pending_.empty())
        return;
    QByteArray body;
    inRequest_ = std::min(static_cast<int>(pending_.size()), kMaxBatch);
    for (int i = 0; i < inRequest_; ++i) {
        body += pending_[static_cast<size_t>(i)];
        body += '\n';
    }
    QNetworkRequest request(target_.url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("text/plain; charset=utf-8"));
    if (!authorization_.isEmpty())
        request.setRawHeader("Authorization", authorization_);
    request.setTransferTimeout(kRequestTimeoutMs);
    reply_ = net_->post(request, body);
    connect(reply_, &QNetworkReply::finished, this, [this, r = reply_] { finished(r); });
}

void InfluxWriter::finished(QNetworkReply* reply)
{
    reply->deleteLater();
    reply_ = nullptr;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const int sent = inRequest_;
    inRequest_ = 0;
    const auto dropSent = [&] { pending_.erase(pending_.begin(), pending_.begin() + sent); };
    if (status >= 200 && status < 300) {
        dropSent();
        if (!lastTold_.isEmpty())
            tell(TX("InfluxDB: %1 に書き込めるようになりました。").arg(target_.url.host()));
        lastTold_.clear();
        if (droppedSinceTold_ > 0 && report_)
            report_(TX("InfluxDB: %1 点を捨てました。").arg(droppedSinceTold_));
        droppedSinceTold_ = 0;
        return;
    }
    const QString answer = QString::fromUtf8(reply->readAll()).trimmed().left(200);
    if (status == 400 || status == 413 || status == 422) {
        // The server will not take these points however often they come.
        dropSent();
        tell(TX("InfluxDB: %1 点が受け付けられませんでした（%2 %3）。")
                 .arg(sent)
                 .arg(status)
                 .arg(answer));
        return;
    }
    const QString why = status > 0 ? QStringLiteral("HTTP %1 %2").arg(status).arg(answer) : reply->errorString();
    tell(TX("InfluxDB: %1 に書き込めません（%2）。%3 秒ごとに再試行します。")
             .arg(target_.url.host(), why)
             .arg(kIntervalMs / 1000));
}

void InfluxWriter::stop(int waitMs)
{
    tick_.stop();
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    limit.start(waitMs);
    // The request under way, then one more for what came meanwhile.
    for (int round = 0; round < 2 && limit.isActive(); ++round) {
        if (!reply_)
            sendBatch();
        if (!reply_)
            break;
        connect(reply_, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec();
    }
    if (!pending_.empty() && report_)
        report_(TX("InfluxDB: %1 点を書き込めませんでした。").arg(pending_.size()));
    pending_.clear();
}

} // namespace quellin
