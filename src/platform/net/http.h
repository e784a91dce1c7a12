// The program's internet access: one HTTP or HTTPS address at a time, read in
// blocks of at most 2048 bytes, always fresh from the server (no web cache).
//
// The layer has the shape of a classic blocking client: open a session, open
// an address, read the body block by block until a read gives 0 bytes, close
// the two handles. While it waits for the network it runs a local event loop,
// so the windows stay alive and other commands can run in between.
//
// On top of that it guards against what a real network does: a server that
// stops answering ends the download after an idle time, an answer larger than
// a set size is refused, and a failure is reported with its reason instead of
// looking like an empty answer.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;
class QEventLoop;
class QTimer;

namespace http {

// Size of one read.
inline constexpr qint64 kBlockSize = 2048;

// Program-wide limits (tests shorten the idle time).
struct Limits {
    int idleTimeoutMs = 15000;                // no byte for this long ends the download
    qint64 maxBodyBytes = 64LL * 1024 * 1024; // a larger answer is refused
};
Limits& limits();

// The agent name sent with every request.
QString agentName();

// How an address ended.
enum class Outcome {
    Open,     // still reading
    Finished, // the whole body arrived
    Failed,   // the connection or the server failed (see errorText)
    TimedOut, // nothing arrived for the idle time
    TooLarge, // the answer is larger than the size limit
    Cancelled // the program is quitting
};

class InternetSession;

// One opened address. Reads block (with a local event loop) until the asked
// number of bytes is there or the body is complete.
class InternetRequest : public QObject {
    Q_OBJECT
public:
    ~InternetRequest() override;

    // Up to `size` bytes of the body into `buffer`; 0 at the end of the body
    // or after a failure (see outcome()).
    qint64 read(char* buffer, qint64 size);

    Outcome outcome() const { return m_outcome; }
    // The reason of a failure in plain words ("" while all is well).
    QString errorText() const { return m_error; }
    // The HTTP status code of the answer, 0 when none arrived.
    int httpStatus() const;
    // The announced length of the body, -1 when not announced.
    qint64 contentLength() const;

private:
    friend class InternetSession;
    InternetRequest(QNetworkReply* reply, int idleTimeoutMs);
    // Runs the event loop until `done` holds or the request ends.
    void waitUntil(const std::function<bool()>& done);
    void wake();
    void settle();
    void fail(Outcome outcome, const QString& text);

    QNetworkReply* m_reply = nullptr;
    QTimer* m_idle = nullptr;
    QEventLoop* m_loop = nullptr;
    bool m_woken = false;
    bool m_headers = false;
    Outcome m_outcome = Outcome::Open;
    QString m_error;
};

// An internet session: owns the network access of the requests it opens.
class InternetSession : public QObject {
    Q_OBJECT
public:
    explicit InternetSession(const QString& agent);
    ~InternetSession() override;

    // Opens `url` and waits until the answer's headers arrive (or it fails or
    // times out; the request then reports that and reads 0 bytes).
    std::unique_ptr<InternetRequest> openUrl(const QString& url);

private:
    QNetworkAccessManager* m_manager = nullptr;
    QString m_agent;
};

// The classic calls, for code that reads like the blocking client.
using SessionHandle = std::unique_ptr<InternetSession>;
using RequestHandle = std::unique_ptr<InternetRequest>;
SessionHandle InternetOpen(const QString& agent);
RequestHandle InternetOpenUrl(InternetSession& session, const QString& url);
qint64 InternetReadFile(InternetRequest& request, char* buffer, qint64 size);
void InternetCloseHandle(RequestHandle& request);
void InternetCloseHandle(SessionHandle& session);

// A whole download: every block read, the user interface let run after each.
struct FetchResult {
    Outcome outcome = Outcome::Failed;
    QByteArray body; // the answer; empty unless outcome is Finished
    QString error;   // why it failed
    int httpStatus = 0;
    bool ok() const { return outcome == Outcome::Finished; }
};

// Called after each block with the number of body bytes received so far.
using Progress = std::function<void(qint64 received)>;

// Fetches `url`. An answer with an HTTP error status (400 and above) counts as
// failed, its body is dropped.
FetchResult Fetch(const QString& url, const Progress& progress = {});

} // namespace http
