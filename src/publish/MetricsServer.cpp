#include "publish/MetricsServer.h"

#include "platform/Tx.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QTcpSocket>
#include <QTimer>

namespace quellin {

namespace {

QByteArray response(const char* status, const QByteArray& type, const QByteArray& body)
{
    return QByteArray("HTTP/1.1 ") + status + "\r\nContent-Type: " + type +
           "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

} // namespace

MetricsServer::MetricsServer(Page page) : page_(std::move(page))
{
    connect(&server_, &QTcpServer::newConnection, this, [this] { accept(); });
}

bool MetricsServer::listen(const MetricsAddress& address, QString* error)
{
    QHostAddress host(address.host);
    if (host.isNull()) {
        const QHostInfo info = QHostInfo::fromName(address.host);
        if (!info.addresses().isEmpty())
            host = info.addresses().first();
    }
    if (host.isNull()) {
        *error = TX("--metrics: ホスト %1 が見つかりません。").arg(address.host);
        return false;
    }
    if (!server_.listen(host, static_cast<quint16>(address.port))) {
        *error = TX("--metrics: %1:%2 で待ち受けできません（%3）。")
                     .arg(address.host)
                     .arg(address.port)
                     .arg(server_.errorString());
        return false;
    }
    return true;
}

void MetricsServer::accept()
{
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        socket->setParent(this);
        auto* idle = new QTimer(socket);
        idle->setSingleShot(true);
        connect(idle, &QTimer::timeout, socket, [socket] { socket->abort(); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        idle->start(kIdleMs);
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            if (socket->property("answered").toBool())
                return;
            QByteArray request = socket->property("request").toByteArray() + socket->readAll();
            const qsizetype end = request.indexOf("\r\n\r\n");
            if (end < 0 && request.size() <= kMaxRequestBytes) {
                socket->setProperty("request", request);
                return;
            }
            QByteArray answer;
            const QList<QByteArray> first = request.left(request.indexOf("\r\n")).split(' ');
            if (end < 0)
                answer = response("431 Request Header Fields Too Large", "text/plain", "too large\n");
            else if (first.size() != 3 || !first[2].startsWith("HTTP/"))
                answer = response("400 Bad Request", "text/plain", "bad request\n");
            else if (first[0] != "GET")
                answer = response("405 Method Not Allowed", "text/plain", "GET only\n");
            else if (first[1] != "/metrics" && !first[1].startsWith("/metrics?"))
                answer = response("404 Not Found", "text/plain", "see /metrics\n");
            else
                answer = response("200 OK", "text/plain; version=0.0.4; charset=utf-8", page_());
            socket->setProperty("answered", true);
            socket->write(answer);
            socket->disconnectFromHost();
        });
    }
}

} // namespace quellin
