#pragma once

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

// A tiny HTTP server on this machine's loopback address only, for the version check's tests.
// It answers every request with the response set by the test.
class LocalHttpServer : public QObject {
public:
    struct Response {
        int status = 200;
        QByteArray body;
        bool silent = false;  // accepts the request and never answers
        bool endless = false; // sends the body again and again without a length
    };

    Response response;
    QList<QByteArray> requests;

    LocalHttpServer() {
        m_server.listen(QHostAddress::LocalHost, 0);
        connect(&m_server, &QTcpServer::newConnection, this, &LocalHttpServer::OnConnection);
    }

    QUrl Url(const QString& path = QStringLiteral("/version.txt")) const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path));
    }
    // A loopback address where nothing listens.
    static QUrl RefusingUrl() {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        const quint16 port = probe.serverPort();
        probe.close();
        return QUrl(QStringLiteral("http://127.0.0.1:%1/version.txt").arg(port));
    }

private:
    void OnConnection() {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            auto* received = new QByteArray;
            connect(socket, &QObject::destroyed, [received] { delete received; });
            connect(socket, &QTcpSocket::readyRead, this, [this, socket, received] {
                *received += socket->readAll();
                if (!received->contains("\r\n\r\n"))
                    return;
                requests << *received;
                received->clear();
                Answer(socket);
            });
        }
    }

    void Answer(QTcpSocket* socket) {
        if (response.silent)
            return;
        QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) +
                          (response.status == 200 ? " OK" : " Not Found") +
                          "\r\nContent-Type: text/plain\r\nConnection: close\r\n";
        if (!response.endless)
            head += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
        socket->write(head + "\r\n");
        if (!response.endless) {
            socket->write(response.body);
            socket->disconnectFromHost();
            return;
        }
        auto* timer = new QTimer(socket);
        connect(timer, &QTimer::timeout, socket, [this, socket] {
            if (socket->bytesToWrite() < 65536)
                socket->write(response.body);
        });
        timer->start(5);
    }

    QTcpServer m_server;
};
