#include "localserver.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>
#include <sys/socket.h>

namespace {

// Closes the connection with a reset instead of an orderly end.
void resetConnection(QTcpSocket* socket) {
    socket->flush();
    const linger hard{1, 0};
    setsockopt(static_cast<int>(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard,
               sizeof hard);
    socket->abort();
}

} // namespace

LocalHttpServer::LocalHttpServer(Handler handler) : m_handler(std::move(handler)) {
    listen(QHostAddress::LocalHost, 0);
}

QString LocalHttpServer::base() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(serverPort());
}

void LocalHttpServer::incomingConnection(qintptr descriptor) {
    auto* socket = new QTcpSocket(this);
    socket->setSocketDescriptor(descriptor);
    auto buffer = std::make_shared<QByteArray>();
    connect(socket, &QTcpSocket::readyRead, this, [this, socket, buffer] {
        buffer->append(socket->readAll());
        const qsizetype end = buffer->indexOf("\r\n\r\n");
        if (end < 0) return;
        const QList<QByteArray> first = buffer->left(buffer->indexOf("\r\n")).split(' ');
        const QByteArray target = first.value(1);
        requests << QString::fromLatin1(target);
        heads << buffer->left(end);
        buffer->clear();
        const Reply reply = m_handler(target);
        if (reply.hang) return;
        QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.status) + " X\r\n";
        head += "Content-Type: text/html\r\nConnection: close\r\n";
        if (!reply.contentEncoding.isEmpty())
            head += "Content-Encoding: " + reply.contentEncoding + "\r\n";
        if (reply.withLength)
            head += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
        head += "\r\n";
        if (reply.stallAfter >= 0) {
            socket->write(head + reply.body.left(reply.stallAfter));
            return;
        }
        if (reply.resetAfter >= 0) {
            socket->write(head + reply.body.left(reply.resetAfter));
            resetConnection(socket);
            return;
        }
        if (reply.closeAfter >= 0) {
            socket->write(head + reply.body.left(reply.closeAfter));
            socket->disconnectFromHost();
            return;
        }
        if (reply.dripMs > 0) {
            socket->write(head);
            auto* timer = new QTimer(socket);
            auto sent = std::make_shared<qsizetype>(0);
            const QByteArray body = reply.body;
            connect(timer, &QTimer::timeout, socket, [socket, timer, sent, body] {
                if (*sent >= body.size()) {
                    timer->stop();
                    socket->disconnectFromHost();
                    return;
                }
                socket->write(body.mid((*sent)++, 1));
            });
            timer->start(reply.dripMs);
            return;
        }
        socket->write(head + reply.body);
        socket->disconnectFromHost();
    });
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
}
