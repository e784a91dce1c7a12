#include "platform/net/http.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

namespace http {

Limits& limits() {
    static Limits l;
    return l;
}

QString agentName() {
    return QStringLiteral("astroplate/%1.%2.%3")
        .arg(APP_VERSION_MAJOR)
        .arg(APP_VERSION_MINOR)
        .arg(APP_VERSION_PATCH);
}

// ---- InternetRequest --------------------------------------------------------

InternetRequest::InternetRequest(QNetworkReply* reply, int idleTimeoutMs) : m_reply(reply) {
    if (!m_reply) return;
    // Qt would otherwise buffer a fast answer whole, whatever its size.
    m_reply->setReadBufferSize(qint64{1024} * 1024);
    m_idle = new QTimer(this);
    m_idle->setSingleShot(true);
    m_idle->setInterval(idleTimeoutMs);
    const auto alive = [this] {
        if (m_outcome == Outcome::Open) m_idle->start();
        wake();
    };
    connect(m_reply, &QNetworkReply::metaDataChanged, this, [this, alive] {
        m_headers = true;
        alive();
    });
    connect(m_reply, &QNetworkReply::readyRead, this, alive);
    connect(m_reply, &QNetworkReply::downloadProgress, this, alive);
    connect(m_reply, &QNetworkReply::finished, this, [this] {
        m_idle->stop();
        settle();
        wake();
    });
    connect(m_idle, &QTimer::timeout, this, [this] {
        fail(Outcome::TimedOut,
             QStringLiteral("no answer from the server for %1 s").arg(m_idle->interval() / 1000.0));
        wake();
    });
    m_idle->start();
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

void InternetRequest::fail(Outcome outcome, const QString& text) {
    if (m_outcome != Outcome::Open) return;
    m_outcome = outcome;
    m_error = text;
    if (m_idle) m_idle->stop();
    if (m_reply && !m_reply->isFinished()) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

void InternetRequest::settle() {
    if (m_outcome != Outcome::Open || !m_reply || !m_reply->isFinished()) return;
    const QNetworkReply::NetworkError e = m_reply->error();
    // An error page of the server (status 400 and above) is still an answer:
    // the caller sees its status. Connection-level errors are failures.
    if (e == QNetworkReply::NoError ||
        (httpStatus() >= 400 && e >= QNetworkReply::ContentAccessDenied))
        m_outcome = Outcome::Finished;
    else {
        m_outcome = Outcome::Failed;
        m_error = m_reply->errorString();
    }
}

void InternetRequest::waitUntil(const std::function<bool()>& done) {
    while (m_reply && m_outcome == Outcome::Open && !m_reply->isFinished() && !done()) {
        QEventLoop loop;
        m_loop = &loop;
        m_woken = false;
        loop.exec();
        m_loop = nullptr;
        if (!m_woken) {
            // The loop was ended from outside: the program is quitting.
            fail(Outcome::Cancelled, QStringLiteral("cancelled"));
            return;
        }
    }
    settle();
}

qint64 InternetRequest::read(char* buffer, qint64 size) {
    if (!m_reply || size <= 0) return 0;
    waitUntil([this, size] { return m_reply->bytesAvailable() >= size; });
    if (m_outcome != Outcome::Open && m_outcome != Outcome::Finished) return 0;
    const qint64 n = m_reply->read(buffer, size);
    return n > 0 ? n : 0;
}

int InternetRequest::httpStatus() const {
    return m_reply ? m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() : 0;
}

qint64 InternetRequest::contentLength() const {
    if (!m_reply) return -1;
    const QVariant v = m_reply->header(QNetworkRequest::ContentLengthHeader);
    return v.isValid() ? v.toLongLong() : -1;
}

// ---- InternetSession --------------------------------------------------------

InternetSession::InternetSession(const QString& agent)
    : m_manager(new QNetworkAccessManager(this)), m_agent(agent) {}

InternetSession::~InternetSession() = default;

std::unique_ptr<InternetRequest> InternetSession::openUrl(const QString& url) {
    const QUrl u(url);
    const QString scheme = u.scheme().toLower();
    if (!u.isValid() || u.host().isEmpty() ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        std::unique_ptr<InternetRequest> bad(new InternetRequest(nullptr, 0));
        bad->m_outcome = Outcome::Failed;
        bad->m_error = QStringLiteral("not an http or https address: %1").arg(url);
        return bad;
    }
    QNetworkRequest request(u);
    request.setHeader(QNetworkRequest::UserAgentHeader, m_agent);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setRawHeader("Cache-Control", "no-cache");
    request.setRawHeader("Pragma", "no-cache");
    std::unique_ptr<InternetRequest> r(
        new InternetRequest(m_manager->get(request), limits().idleTimeoutMs));
    InternetRequest* req = r.get();
    req->waitUntil([req] { return req->m_headers || req->m_reply->bytesAvailable() > 0; });
    return r;
}

// ---- the classic calls --------------------------------------------------------

SessionHandle InternetOpen(const QString& agent) {
    return std::make_unique<InternetSession>(agent);
}

RequestHandle InternetOpenUrl(InternetSession& session, const QString& url) {
    return session.openUrl(url);
}

qint64 InternetReadFile(InternetRequest& request, char* buffer, qint64 size) {
    return request.read(buffer, size);
}

void InternetCloseHandle(RequestHandle& request) {
    request.reset();
}
void InternetCloseHandle(SessionHandle& session) {
    session.reset();
}

// ---- a whole download -------------------------------------------------------

FetchResult Fetch(const QString& url, const Progress& progress) {
    FetchResult result;
    const qint64 maxBytes = limits().maxBodyBytes;
    SessionHandle session = InternetOpen(agentName());
    RequestHandle request = InternetOpenUrl(*session, url);

    bool tooLarge = request->contentLength() > maxBytes;
    if (!tooLarge) {
        char buffer[kBlockSize];
        for (;;) {
            const qint64 n = InternetReadFile(*request, buffer, kBlockSize);
            if (n <= 0) break;
            if (result.body.size() + n > maxBytes) {
                tooLarge = true;
                break;
            }
            result.body.append(buffer, n);
            if (progress) progress(result.body.size());
            QCoreApplication::processEvents();
        }
    }

    result.httpStatus = request->httpStatus();
    result.outcome = request->outcome();
    result.error = request->errorText();
    if (tooLarge) {
        result.outcome = Outcome::TooLarge;
        result.error = QStringLiteral("the answer is larger than %1 bytes").arg(maxBytes);
    } else if (result.outcome == Outcome::Finished && result.httpStatus >= 400) {
        result.outcome = Outcome::Failed;
        result.error = QStringLiteral("the server answered HTTP %1").arg(result.httpStatus);
    } else if (result.outcome == Outcome::Open) {
        // Reads ended without the request settling: treat as a failure.
        result.outcome = Outcome::Failed;
        result.error = QStringLiteral("the answer ended early");
    }
    if (!result.ok()) result.body.clear();

    InternetCloseHandle(request);
    InternetCloseHandle(session);
    return result;
}

} // namespace http
