// The program's internet access: one HTTP or HTTPS address at a time, always
// fresh from the server (no web cache).
//
// An InternetSession opens addresses; an InternetRequest is one opened
// address whose body is read block by block until a read gives 0 bytes. The
// request takes every byte off the network as soon as it arrives, so a read
// never waits on a full network buffer, and it keeps the window alive by
// running a local event loop while it waits.
//
// It guards against what a real network does: a server that stops answering
// ends the download after an idle time, a download that takes longer than an
// overall deadline (a slow drip of bytes) is ended, an answer larger than a
// set size is refused, a body shorter than its announced length is a failure,
// and the caller can cancel at any time. Every failure comes with its reason
// instead of looking like an empty answer.
//
// Answers packed by the server (gzip or deflate) are unpacked here rather
// than by Qt, so that a packed stream that stops before its end is a failure
// like any other cut answer, and the size limit holds for the unpacked bytes
// too (a small packed answer can unpack to gigabytes).
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QNetworkAccessManager;
class QNetworkReply;
class QEventLoop;
class QTimer;

namespace http {

// Size of one read of InternetRequest::read() in Fetch().
inline constexpr qint64 kBlockSize = 2048;

struct Limits {
    int idleTimeoutMs = 15000;                // no byte for this long ends the download
    int deadlineMs = 120000;                  // the whole download, headers to last byte
    qint64 maxBodyBytes = 64LL * 1024 * 1024; // a larger answer is refused
};

// The program-wide limits, used when a call names none (tests shorten them).
Limits& CurrentLimits();

// The agent name sent with every request.
QString AgentName();

// How an address ended.
enum class Outcome {
    Open,     // still reading
    Finished, // the whole body arrived with a success status
    Failed,   // the connection or the server failed, or the body was cut short
    TimedOut, // nothing arrived for the idle time, or the deadline passed
    TooLarge, // the answer is larger than the size limit
    Cancelled // the caller cancelled, or the program is quitting
};

// Body bytes received so far, and the announced length (-1 when unknown).
// Called whenever bytes arrive, however few.
using Progress = std::function<void(qint64 received, qint64 total)>;

// Asked while a download runs (whenever something happens, and at least ten
// times a second); true ends it as cancelled.
using CancelCheck = std::function<bool()>;

struct RequestOptions {
    Progress progress;
    CancelCheck cancelled;
    std::optional<Limits> limits; // CurrentLimits() when not given
};

class InternetSession;

// One opened address.
class InternetRequest : public QObject {
    Q_OBJECT
public:
    ~InternetRequest() override;

    // Up to `size` bytes of the body into `buffer`. Waits (keeping the window
    // alive) until `size` bytes are there or the body is complete. Returns 0
    // at the end of the body, and also after a failure: see outcome().
    qint64 read(char* buffer, qint64 size);

    Outcome outcome() const { return m_outcome; }
    // The reason of a failure in plain words ("" while all is well).
    QString errorText() const { return m_error; }
    // The HTTP status code of the answer, 0 when none arrived.
    int httpStatus() const { return m_status; }
    // The announced length of the body, -1 when not announced.
    qint64 contentLength() const { return m_length; }
    // Body bytes received from the network so far (packed, when the server
    // packs the answer).
    qint64 received() const { return m_received; }

private:
    friend class InternetSession;
    InternetRequest(QNetworkReply* reply, RequestOptions options);
    void failNow(Outcome outcome, const QString& text);
    // Runs the event loop until `done` holds or the request ends.
    void waitUntil(const std::function<bool()>& done);
    void takeBytes();
    void onHeaders();
    void onFinished();
    void checkCancel();
    void wake();
    // Unpacks `chunk` of a packed body onto the buffer; false after a failure.
    bool unpack(const QByteArray& chunk);

    struct Unpacker;
    QNetworkReply* m_reply = nullptr;
    RequestOptions m_options;
    Limits m_limits;
    QTimer* m_idle = nullptr;
    QTimer* m_deadline = nullptr;
    QTimer* m_poll = nullptr;
    QEventLoop* m_loop = nullptr;
    bool m_woken = false;
    bool m_headers = false;
    std::unique_ptr<Unpacker> m_unpacker; // set for a packed body
    qint64 m_unpacked = 0;                // body bytes after unpacking
    QByteArray m_buffer;                  // received, not yet read
    qsizetype m_readPos = 0;
    qint64 m_received = 0;
    qint64 m_length = -1;
    int m_status = 0;
    Outcome m_outcome = Outcome::Open;
    QString m_error;
};

// An internet session: owns the network access of the requests it opens.
class InternetSession : public QObject {
    Q_OBJECT
public:
    explicit InternetSession(const QString& agent = AgentName());
    ~InternetSession() override;

    // Opens `url` and waits until the answer's headers arrive (or it fails,
    // times out or is cancelled; the request then says so and reads 0 bytes).
    std::unique_ptr<InternetRequest> openUrl(const QString& url,
                                             const RequestOptions& options = {});

private:
    QNetworkAccessManager* m_manager = nullptr;
    QString m_agent;
};

// A whole download.
struct FetchResult {
    Outcome outcome = Outcome::Failed;
    QByteArray body; // the answer; empty unless outcome is Finished
    QString error;   // why it failed
    int httpStatus = 0;
    bool ok() const { return outcome == Outcome::Finished; }
};

// Fetches `url` in blocks of kBlockSize. An answer with an HTTP error status
// (400 and above) counts as failed and its body is dropped.
FetchResult Fetch(const QString& url, const RequestOptions& options = {});

} // namespace http
