#include "localserver.h"

#include <QTcpSocket>

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
        const Reply reply = m_handler(target);
        if (reply.hang) return;
        QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.status) + " X\r\n";
        head += "Content-Type: text/html\r\nConnection: close\r\n";
        head += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n\r\n";
        if (reply.stallAfter >= 0) {
            socket->write(head + reply.body.left(reply.stallAfter));
            return;
        }
        socket->write(head + reply.body);
        socket->disconnectFromHost();
    });
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
}
