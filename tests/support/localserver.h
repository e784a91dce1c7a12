// A small HTTP server on 127.0.0.1 for the download tests: answers each
// request from a handler, whole, in pieces, slowly, cut short or never.
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
        // >= 0: send the headers and this many body bytes, then reset the
        // connection (the announced length stays that of the whole body).
        qsizetype resetAfter = -1;
        // >= 0: the same, ending the connection in good order instead.
        qsizetype closeAfter = -1;
        // false: no Content-Length; the end of the body is the end of the
        // connection.
        bool withLength = true;
        // > 0: send the body one byte every this many milliseconds.
        int dripMs = 0;
        // Sent as Content-Encoding when not empty ("gzip"); `body` is then
        // sent as given, packed or not, and the length is that of `body`.
        QByteArray contentEncoding{};
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
