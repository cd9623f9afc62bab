#pragma once
// A small HTTP server on 127.0.0.1 for the web-view tests: fixed replies by path, 404 for any other
// path, and paths that never answer (to show a time-out).
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QTcpServer>

class QTcpSocket;

namespace testing_support {

class LocalHttpServer : public QObject {
public:
    struct Reply {
        QByteArray body;
        QByteArray contentType = "text/html; charset=utf-8";
        QByteArray status = "200 OK";
        bool never = false; // the request is read and never answered
        QByteArray headers = QByteArray(); // further header lines, each ending in "\r\n"
    };

    LocalHttpServer();

    void route(const QByteArray &path, const Reply &reply) { routes_.insert(path, reply); }
    // http://127.0.0.1:<port><path>
    QString url(const char *path) const;

    QList<QByteArray> requested; // the paths asked for, in order
    QList<QByteArray> heads;     // the request heads (request line and headers), in order

private:
    void answer(QTcpSocket *socket);

    QHash<QByteArray, Reply> routes_;
    QHash<QTcpSocket *, QByteArray> buffers_;
    QTcpServer server_; // last: its sockets go first, while the buffers still exist
};

} // namespace testing_support
