#pragma once
// A minimal HTTP/1.0 proxy on the loopback interface that answers for the
// maker's site: one request per connection; the page at `path` is `page`,
// anything else is not found. Set up before the browser engine starts, which
// reads the proxy once.
#include <gtest/gtest.h>
#include <QtNetwork>

#include "ui/platform/version.h"

namespace lunomat::test {

struct WebProxy {
    QTcpServer server;
    QString path;
    QStringList requests;  // paths asked for on the maker's host
    QByteArray page;

    explicit WebProxy(const QString& servedPath) : path(servedPath) {
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = server.nextPendingConnection())
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
        });
        EXPECT_TRUE(server.listen(QHostAddress::LocalHost, 0));
        QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::HttpProxy, "127.0.0.1", server.serverPort()));
    }
    void answer(QTcpSocket* socket) {
        if (!socket->peek(1 << 16).contains("\r\n\r\n")) return;
        const QUrl url(QString::fromLatin1(socket->readLine().split(' ').value(1)));
        const bool maker = url.host() == QLatin1String(kWebHost), found = maker && url.path() == path;
        if (maker) requests << url.path();
        const QByteArray body = found ? page : "nicht gefunden";
        socket->write(QByteArray(found ? "HTTP/1.0 200 OK" : "HTTP/1.0 404 Not Found") +
                      "\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
                      QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
        socket->disconnectFromHost();
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
};

}  // namespace lunomat::test
