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
    // Qt unpacks a compressed body, whose announced length is then not the
    // length of what we receive.
    const QByteArray encoding = m_reply->rawHeader("Content-Encoding").trimmed().toLower();
    m_compressed = !encoding.isEmpty() && encoding != "identity";
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
    m_buffer.append(chunk);
    m_received += chunk.size();
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
    } else if (!m_compressed && m_length >= 0 && m_received != m_length) {
        // The connection closed before the announced end of the body.
        m_outcome = Outcome::Failed;
        m_error = QCoreApplication::translate("http", "the answer was cut off after %1 of %2 bytes")
                      .arg(m_received)
                      .arg(m_length);
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
