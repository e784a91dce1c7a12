// A small HTTP server on 127.0.0.1 for the download tests: answers each
// request from a handler, optionally in pieces or never.
#pragma once

#include <QByteArray>
#include <QStringList>
#include <QTcpServer>
#include <functional>

class LocalHttpServer : public QTcpServer {
    Q_OBJECT
public:
    struct Reply {
        int status = 200;
        QByteArray body;
        bool hang = false; // accept the connection and never answer
        // >= 0: send the headers and this many body bytes, then stall
        // (the connection stays open and nothing more comes).
        qsizetype stallAfter = -1;
    };
    using Handler = std::function<Reply(const QByteArray& pathAndQuery)>;

    explicit LocalHttpServer(Handler handler);
    // "http://127.0.0.1:PORT"
    QString base() const;
    QStringList requests;    // path and query of every request, in order
    QList<QByteArray> heads; // request line and header lines of every request

protected:
    void incomingConnection(qintptr socket) override;

private:
    Handler m_handler;
};
