// A one-answer HTTP server on 127.0.0.1 for tests: records each request and sends the
// scripted response, or nothing at all.
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

namespace veldrin::test {

class LocalHttpServer : public QObject {
public:
    LocalHttpServer()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                auto* buffer = new QByteArray;
                QObject::connect(socket, &QTcpSocket::disconnected, socket, [socket, buffer] {
                    delete buffer;
                    socket->deleteLater();
                });
                QObject::connect(socket, &QTcpSocket::readyRead, this, [this, socket, buffer] {
                    *buffer += socket->readAll();
                    if (!buffer->contains("\r\n\r\n") || buffer->isEmpty())
                        return;
                    requests.append(*buffer);
                    buffer->clear();
                    if (response.isNull())
                        return; // never answers
                    socket->write(response);
                    socket->disconnectFromHost();
                });
            }
        });
    }

    // A URL on this server.
    QUrl url(const QString& pathAndQuery) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(pathAndQuery));
    }

    static QByteArray Answer(const QByteArray& status, const QByteArray& body, const QByteArray& headers = {})
    {
        return "HTTP/1.1 " + status +
               "\r\nContent-Type: text/html\r\nContent-Length: " + QByteArray::number(body.size()) +
               "\r\nConnection: close\r\n" + headers + "\r\n" + body;
    }

    // What the server sends to every request; a null array sends nothing.
    QByteArray response;
    QList<QByteArray> requests;

private:
    QTcpServer m_server;
};

} // namespace veldrin::test
