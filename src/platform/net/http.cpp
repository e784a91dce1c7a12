#include "platform/net/http.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <cstring>
#include <zlib.h>

namespace http {

namespace {
// How often a waiting request asks whether it was cancelled.
constexpr int kCancelPollMs = 100;
} // namespace

Limits& CurrentLimits() {
    static Limits l;
    return l;
}

QString AgentName() {
    return QStringLiteral("astroplate/%1.%2.%3")
        .arg(APP_VERSION_MAJOR)
        .arg(APP_VERSION_MINOR)
        .arg(APP_VERSION_PATCH);
}

// ---- unpacking ----------------------------------------------------------------

// A zlib stream for one packed body: gzip (possibly several members one after
// the other) or deflate (zlib-wrapped, or bare as some servers send it).
struct InternetRequest::Unpacker {
    z_stream z{};
    bool gzip = false;
    bool started = false; // the first bytes went in
    bool ended = false;   // the packed stream reached its proper end
    bool bare = false;    // deflate without zlib wrapping

    explicit Unpacker(bool isGzip) : gzip(isGzip) { init(isGzip ? 16 + MAX_WBITS : MAX_WBITS); }
    ~Unpacker() { inflateEnd(&z); }
    Unpacker(const Unpacker&) = delete;
    Unpacker& operator=(const Unpacker&) = delete;
    void init(int windowBits) {
        inflateEnd(&z);
        z = z_stream{};
        inflateInit2(&z, windowBits);
    }
};

bool InternetRequest::unpack(const QByteArray& chunk) {
    Unpacker& u = *m_unpacker;
    const auto damaged = [this] {
        failNow(Outcome::Failed,
                QCoreApplication::translate("http", "the packed answer is damaged"));
        return false;
    };
    const auto* in = reinterpret_cast<const Bytef*>(chunk.constData());
    qsizetype left = chunk.size();
    char out[16384];
    bool pending = false; // the last call filled `out`: zlib may hold more
    while (left > 0 || pending) {
        if (u.ended) {
            if (left == 0) break;
            // Only another gzip member may follow the end of the stream.
            if (!u.gzip || static_cast<unsigned char>(*in) != 0x1f) return damaged();
            u.init(16 + MAX_WBITS);
            u.ended = false;
        }
        u.z.next_in = const_cast<Bytef*>(in);
        u.z.avail_in = static_cast<uInt>(std::min<qsizetype>(left, 1 << 20));
        const uInt given = u.z.avail_in;
        u.z.next_out = reinterpret_cast<Bytef*>(out);
        u.z.avail_out = sizeof out;
        const int rc = inflate(&u.z, Z_NO_FLUSH);
        const qint64 produced = static_cast<qint64>(sizeof out - u.z.avail_out);
        const qsizetype used = given - u.z.avail_in;
        if (rc == Z_DATA_ERROR && !u.gzip && !u.started && !u.bare) {
            // "deflate" sent without the zlib wrapping: start again bare.
            u.init(-MAX_WBITS);
            u.bare = true;
            continue;
        }
        if (rc != Z_OK && rc != Z_STREAM_END && !(rc == Z_BUF_ERROR && used == 0 && produced == 0))
            return damaged();
        u.started = u.started || used > 0;
        in += used;
        left -= used;
        if (m_unpacked + produced > m_limits.maxBodyBytes) {
            failNow(Outcome::TooLarge,
                    QCoreApplication::translate("http", "the answer is larger than %1 bytes")
                        .arg(m_limits.maxBodyBytes));
            return false;
        }
        m_buffer.append(out, produced);
        m_unpacked += produced;
        pending = u.z.avail_out == 0 && rc != Z_STREAM_END;
        if (rc == Z_STREAM_END) u.ended = true;
        if (used == 0 && produced == 0 && rc != Z_STREAM_END) break;
    }
    return true;
}

// ---- InternetRequest --------------------------------------------------------

InternetRequest::InternetRequest(QNetworkReply* reply, RequestOptions options)
    : m_reply(reply), m_options(std::move(options)),
      m_limits(m_options.limits.value_or(CurrentLimits())) {
    if (!m_reply) return;
    const auto timer = [this](int ms) {
        auto* t = new QTimer(this);
        t->setSingleShot(true);
        t->setInterval(std::max(ms, 1));
        t->start();
        return t;
    };
    m_idle = timer(m_limits.idleTimeoutMs);
    m_deadline = timer(m_limits.deadlineMs);
    m_poll = new QTimer(this);
    m_poll->setInterval(kCancelPollMs);
    m_poll->start();

    connect(m_reply, &QNetworkReply::metaDataChanged, this, &InternetRequest::onHeaders);
    connect(m_reply, &QNetworkReply::readyRead, this, &InternetRequest::takeBytes);
    connect(m_reply, &QNetworkReply::finished, this, &InternetRequest::onFinished);
    connect(m_idle, &QTimer::timeout, this, [this] {
        failNow(Outcome::TimedOut,
                QCoreApplication::translate("http", "no answer from the server for %1 s")
                    .arg(m_limits.idleTimeoutMs / 1000.0));
    });
    connect(m_deadline, &QTimer::timeout, this, [this] {
        failNow(Outcome::TimedOut,
                QCoreApplication::translate(
                    "http", "the download took longer than %1 s (%2 bytes received)")
                    .arg(m_limits.deadlineMs / 1000.0)
                    .arg(m_received));
    });
    connect(m_poll, &QTimer::timeout, this, &InternetRequest::checkCancel);
}

InternetRequest::~InternetRequest() {
    if (!m_reply) return;
    m_reply->disconnect(this);
    if (!m_reply->isFinished()) m_reply->abort();
    m_reply->deleteLater();
}

void InternetRequest::wake() {
    if (m_loop) {
        m_woken = true;
        m_loop->quit();
    }
}

void InternetRequest::failNow(Outcome outcome, const QString& text) {
    if (m_outcome != Outcome::Open) return;
    m_outcome = outcome;
    m_error = text;
    for (QTimer* t : {m_idle, m_deadline, m_poll})
        if (t) t->stop();
    if (m_reply && !m_reply->isFinished()) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
    m_buffer.clear();
    m_readPos = 0;
    wake();
}

void InternetRequest::checkCancel() {
    if (m_outcome == Outcome::Open && m_options.cancelled && m_options.cancelled())
        failNow(Outcome::Cancelled, QCoreApplication::translate("http", "cancelled"));
}

void InternetRequest::onHeaders() {
    if (m_outcome != Outcome::Open) return;
    m_headers = true;
    m_status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    m_length = length.isValid() ? length.toLongLong() : -1;
    // The announced length is that of the packed body, which is what we
    // receive: the program asks for packed answers itself, so Qt leaves them
    // as they come.
    const QByteArray encoding = m_reply->rawHeader("Content-Encoding").trimmed().toLower();
    // (Headers come again after a redirect: the last ones before the body count.)
    if (m_received == 0) m_unpacker.reset();
    if (encoding == "gzip" || encoding == "x-gzip" || encoding == "deflate") {
        if (!m_unpacker) m_unpacker = std::make_unique<Unpacker>(encoding != "deflate");
    } else if (!encoding.isEmpty() && encoding != "identity") {
        failNow(Outcome::Failed,
                QCoreApplication::translate("http", "the answer is packed as \"%1\", unknown here")
                    .arg(QString::fromLatin1(encoding)));
        return;
    }
    if (m_length > m_limits.maxBodyBytes) {
        failNow(Outcome::TooLarge,
                QCoreApplication::translate("http", "the answer is larger than %1 bytes")
                    .arg(m_limits.maxBodyBytes));
        return;
    }
    m_idle->start();
    wake();
}

void InternetRequest::takeBytes() {
    if (m_outcome != Outcome::Open) return;
    const QByteArray chunk = m_reply->readAll();
    if (chunk.isEmpty()) return;
    if (m_received + chunk.size() > m_limits.maxBodyBytes) {
        failNow(Outcome::TooLarge,
                QCoreApplication::translate("http", "the answer is larger than %1 bytes")
                    .arg(m_limits.maxBodyBytes));
        return;
    }
    if (m_readPos > 0 && m_readPos >= m_buffer.size() / 2) {
        m_buffer.remove(0, m_readPos);
        m_readPos = 0;
    }
    m_received += chunk.size();
    if (m_unpacker) {
        if (!unpack(chunk)) return;
    } else {
        m_buffer.append(chunk);
    }
    m_idle->start();
    if (m_options.progress) m_options.progress(m_received, m_length);
    wake();
}

void InternetRequest::onFinished() {
    if (m_outcome != Outcome::Open) return;
    if (!m_headers) onHeaders();
    takeBytes();
    if (m_outcome != Outcome::Open) return;
    for (QTimer* t : {m_idle, m_deadline, m_poll})
        t->stop();
    m_status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QNetworkReply::NetworkError e = m_reply->error();
    if (m_status >= 400) {
        m_outcome = Outcome::Failed;
        m_error = QCoreApplication::translate("http", "the server answered HTTP %1").arg(m_status);
    } else if (e != QNetworkReply::NoError) {
        m_outcome = Outcome::Failed;
        m_error = m_reply->errorString();
    } else if (m_length >= 0 && m_received != m_length) {
        // The connection closed before the announced end of the body.
        m_outcome = Outcome::Failed;
        m_error = QCoreApplication::translate("http", "the answer was cut off after %1 of %2 bytes")
                      .arg(m_received)
                      .arg(m_length);
    } else if (m_unpacker && m_received > 0 && !m_unpacker->ended) {
        // Every byte announced arrived, but the packed stream stops short of
        // its end: the server sent a cut answer.
        m_outcome = Outcome::Failed;
        m_error = QCoreApplication::translate(
                      "http", "the packed answer stops before its end (%1 bytes received)")
                      .arg(m_received);
    } else {
        m_outcome = Outcome::Finished;
    }
    if (m_outcome != Outcome::Finished) {
        m_buffer.clear();
        m_readPos = 0;
    }
    wake();
}

void InternetRequest::waitUntil(const std::function<bool()>& done) {
    while (m_outcome == Outcome::Open && !done()) {
        checkCancel();
        if (m_outcome != Outcome::Open) return;
        QEventLoop loop;
        m_loop = &loop;
        m_woken = false;
        loop.exec();
        m_loop = nullptr;
        // The loop was ended from outside: the program is quitting.
        if (!m_woken) failNow(Outcome::Cancelled, QCoreApplication::translate("http", "cancelled"));
    }
}

qint64 InternetRequest::read(char* buffer, qint64 size) {
    if (!m_reply || size <= 0) return 0;
    waitUntil([this, size] { return m_buffer.size() - m_readPos >= size; });
    if (m_outcome != Outcome::Open && m_outcome != Outcome::Finished) return 0;
    const qint64 n = std::min<qint64>(size, m_buffer.size() - m_readPos);
    if (n <= 0) return 0;
    std::memcpy(buffer, m_buffer.constData() + m_readPos, static_cast<size_t>(n));
    m_readPos += n;
    return n;
}

// ---- InternetSession --------------------------------------------------------

InternetSession::InternetSession(const QString& agent)
    : m_manager(new QNetworkAccessManager(this)), m_agent(agent) {}

InternetSession::~InternetSession() = default;

std::unique_ptr<InternetRequest> InternetSession::openUrl(const QString& url,
                                                          const RequestOptions& options) {
    const QUrl u(url);
    const QString scheme = u.scheme().toLower();
    if (!u.isValid() || u.host().isEmpty() ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        std::unique_ptr<InternetRequest> bad(new InternetRequest(nullptr, options));
        bad->m_outcome = Outcome::Failed;
        bad->m_error =
            QCoreApplication::translate("http", "not an http or https address: %1").arg(url);
        return bad;
    }
    QNetworkRequest request(u);
    request.setHeader(QNetworkRequest::UserAgentHeader, m_agent);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setRawHeader("Cache-Control", "no-cache");
    request.setRawHeader("Pragma", "no-cache");
    // Asking for packed answers ourselves keeps Qt from unpacking them: see
    // InternetRequest::unpack().
    request.setRawHeader("Accept-Encoding", "gzip, deflate");
    std::unique_ptr<InternetRequest> r(new InternetRequest(m_manager->get(request), options));
    InternetRequest* req = r.get();
    req->waitUntil([req] { return req->m_headers; });
    return r;
}

// ---- a whole download -------------------------------------------------------

FetchResult Fetch(const QString& url, const RequestOptions& options) {
    FetchResult result;
    InternetSession session;
    std::unique_ptr<InternetRequest> request = session.openUrl(url, options);
    char buffer[kBlockSize];
    for (;;) {
        const qint64 n = request->read(buffer, kBlockSize);
        if (n <= 0) break;
        result.body.append(buffer, n);
        QCoreApplication::processEvents();
    }
    result.httpStatus = request->httpStatus();
    result.outcome = request->outcome();
    result.error = request->errorText();
    if (result.outcome == Outcome::Open) {
        // Reads ended without the request settling: treat as a failure.
        result.outcome = Outcome::Failed;
        result.error = QCoreApplication::translate("http", "the answer ended early");
    }
    if (!result.ok()) result.body.clear();
    return result;
}

} // namespace http
