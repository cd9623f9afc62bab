#include "support/LocalHttpServer.h"

#include <QTcpSocket>

namespace testing_support {

LocalHttpServer::LocalHttpServer()
{
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = server_.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
            connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                buffers_.remove(socket);
                socket->deleteLater();
            });
        }
    });
}

QString LocalHttpServer::url(const char *path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(QString::fromLatin1(path));
}

void LocalHttpServer::answer(QTcpSocket *socket)
{
    QByteArray &buffer = buffers_[socket];
    buffer += socket->readAll();
    const qsizetype end = buffer.indexOf("\r\n\r\n");
    if (end < 0)
        return;
    const QByteArray path = buffer.left(end).split(' ').value(1);
    heads << buffer.left(end);
    buffer.remove(0, end + 4);
    requested << path;
    Reply reply = routes_.value(path, Reply{"<html><body>missing</body></html>", "text/html", "404 Not Found", false});
    if (reply.never)
        return;
    socket->write("HTTP/1.1 " + reply.status + "\r\nContent-Type: " + reply.contentType
                  + "\r\nContent-Length: " + QByteArray::number(reply.body.size()) + "\r\n" + reply.headers
                  + "Connection: close\r\n\r\n"
                  + reply.body);
    socket->disconnectFromHost();
}

} // namespace testing_support
