#pragma once
// A small HTTP responder for Prometheus: GET /metrics answers the text the
// page function builds; anything else gets a short error. One request per
// connection; a client that sends nothing is closed after a few seconds.

#include "publish/PublishTargets.h"

#include <QObject>
#include <QTcpServer>
#include <functional>

namespace quellin {

class MetricsServer : public QObject {
    Q_OBJECT
public:
    using Page = std::function<QByteArray()>;
    static constexpr int kMaxRequestBytes = 8192;
    static constexpr int kIdleMs = 5000;

    explicit MetricsServer(Page page);
    // False with the reason when the address cannot be listened on.
    bool listen(const MetricsAddress& address, QString* error);
    quint16 port() const { return server_.serverPort(); }

private:
    void accept();

    Page page_;
    QTcpServer server_;
};

} // namespace quellin
