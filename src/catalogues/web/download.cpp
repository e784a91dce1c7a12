#include "catalogues/web/download.h"

#include "platform/programfolder.h"
#include "platform/regularfile.h"
#include "platform/textfile.h"
#include "text/language.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <optional>

using namespace text;

namespace catalogues::web {

namespace {

// Set while a download runs: the window keeps processing events during a
// download, and a second one started meanwhile would write the same files.
bool g_downloading = false;

// Cache names longer than this are shortened with a hash of the key.
constexpr qsizetype kMaxCacheName = 150;

// Characters a file name cannot hold on one platform or another (folder
// separators, the reserved characters of Windows, control characters), the
// escape character itself and '~', which marks the hashed names.
bool isUnsafeInFileName(QChar c) {
    const char16_t u = c.unicode();
    return u < 32 || u == 127 || QStringView(u"/\\:*?\"<>|%~").contains(c);
}

// A plain file name of the program folder: no folder part, no "." or "..".
bool isPlainFileName(const QString& name) {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) return false;
    for (const QChar c : name) {
        if (c == u'/' || c == u'\\' || c == u':' || c.unicode() < 32) return false;
    }
    return true;
}

// A cached answer: a regular file no larger than an answer may be.
std::optional<QByteArray> readWhole(const QString& path, qint64 maxBytes) {
    auto bytes = regularfile::Read(path, maxBytes);
    if (!bytes) return std::nullopt;
    return std::move(bytes).value();
}

// Replaces the file at `path` by `bytes` as a whole: on any failure the old
// file stays as it was.
bool writeWhole(const QString& path, const QByteArray& bytes, QString* error) {
    const auto written = textfile::WriteBytes(path, bytes);
    if (!written && error) *error = written.error().message;
    return written.ok();
}

QString hostOf(const QString& url) {
    const QString host = QUrl(url).host();
    return host.isEmpty() ? url : host;
}

} // namespace

QString CacheFileName(const QString& name, const QString& key) {
    QString escaped;
    escaped.reserve(key.size());
    const auto escape = [&escaped](QChar c) {
        for (const char b : QString(c).toUtf8())
            escaped += QStringLiteral("%%1")
                           .arg(static_cast<unsigned char>(b), 2, 16, QLatin1Char('0'))
                           .toUpper();
    };
    for (qsizetype i = 0; i < key.size(); ++i) {
        const QChar c = key[i];
        if (c.isHighSurrogate() && i + 1 < key.size() && key[i + 1].isLowSurrogate()) {
            escaped += c;
            escaped += key[++i];
        } else if (c.isSurrogate()) {
            // Half of a pair: no file name can hold it.
            escaped += QStringLiteral("%u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        } else if (isUnsafeInFileName(c) || (c == u' ' && i == key.size() - 1)) {
            // (Windows drops a blank at the end of a file name.)
            escape(c);
        } else {
            escaped += c;
        }
    }
    QString file = name + escaped;
    if (file.size() > kMaxCacheName) {
        // '~' never appears in an escaped key, so these names cannot collide
        // with the plain ones.
        const QByteArray hash =
            QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha256).toHex();
        QString head = escaped.left(80);
        while (!head.isEmpty() && (head.back().isHighSurrogate() || head.back() == u'%' ||
                                   (head.size() >= 2 && head[head.size() - 2] == u'%')))
            head.chop(1);
        file = name + head + QLatin1Char('~') + QString::fromLatin1(hash);
    }
    return file;
}

DownloadSlot::DownloadSlot() : m_taken(!g_downloading) {
    if (m_taken) g_downloading = true;
}

DownloadSlot::~DownloadSlot() {
    if (m_taken) g_downloading = false;
}

QString CacheFilePath(const QString& name, const QString& key) {
    return programfolder::File(QStringLiteral("cat/") + CacheFileName(name, key));
}

DownloadResult DownloadUrl(const QString& url, const QString& name, const CacheUse& cache,
                           const DownloadOptions& options) {
    DownloadResult result;
    const auto end = [&](DownloadResult::Status status, const QString& message) {
        result.status = status;
        result.message = message;
        if (options.log) {
            options.log(
                status == DownloadResult::Status::Cancelled
                    ? QCoreApplication::translate("DownloadUrl", "Download of %1 cancelled")
                          .arg(name)
                    : QCoreApplication::translate("DownloadUrl", "Download of %1 failed: %2")
                          .arg(name, message));
        }
        return result;
    };
    const auto fail = [&](const QString& message) {
        return end(DownloadResult::Status::Failed, message);
    };
    if (!isPlainFileName(name))
        return fail(QCoreApplication::translate("DownloadUrl", "not a plain file name"));
    if (g_downloading)
        return fail(
            QCoreApplication::translate("DownloadUrl", "another download is still running"));
    g_downloading = true;
    struct Reset {
        ~Reset() { g_downloading = false; }
    } reset;

    const QString target = programfolder::File(name);
    const bool cached =
        cache.autonomousMode && (name == QLatin1String("data") || name == QLatin1String("data2"));
    const QString cachePath = cached ? CacheFilePath(name, cache.key) : QString();
    const auto acceptable = [&](const QByteArray& bytes) {
        return !options.accept || options.accept(QByteArrayView(bytes));
    };
    QString error;

    if (cached && QFileInfo(cachePath).isFile()) {
        // An unreadable cache file, or one that holds no proper answer, is
        // passed over: the answer is fetched instead.
        const auto bytes =
            readWhole(cachePath, options.limits.value_or(http::CurrentLimits()).maxBodyBytes);
        if (bytes && acceptable(*bytes)) {
            if (!writeWhole(target, *bytes, &error)) return fail(error);
            if (options.log) options.log(FormMessage(24));
            result.status = DownloadResult::Status::FromCache;
            result.bytes = bytes->size();
            return result;
        }
    }

    http::RequestOptions request;
    request.progress = options.progress;
    request.cancelled = options.cancelled;
    request.limits = options.limits;
    const http::FetchResult fetched = http::Fetch(url, request);
    if (fetched.outcome == http::Outcome::Cancelled)
        return end(DownloadResult::Status::Cancelled, fetched.error);
    if (!fetched.ok()) return fail(QStringLiteral("%1 (%2)").arg(fetched.error, hostOf(url)));
    if (!acceptable(fetched.body)) {
        return fail(options.rejectedText.isEmpty()
                        ? QCoreApplication::translate(
                              "DownloadUrl", "the server's answer is not what was asked for (%1)")
                              .arg(hostOf(url))
                        : options.rejectedText);
    }

    result.status = DownloadResult::Status::Downloaded;
    result.bytes = fetched.body.size();
    if (fetched.body.isEmpty()) {
        // An empty answer writes nothing (and is not cached): an existing
        // file keeps its contents, a missing one is created empty.
        if (!QFileInfo::exists(target)) {
            QFile f(target);
            if (!f.open(QIODevice::WriteOnly)) return fail(f.errorString());
        }
        return result;
    }
    if (!writeWhole(target, fetched.body, &error)) return fail(error);
    if (cached) {
        QDir().mkpath(QFileInfo(cachePath).path());
        if (!writeWhole(cachePath, fetched.body, &error) && options.log)
            options.log(QCoreApplication::translate("DownloadUrl",
                                                    "The answer could not be kept in the cache: %1")
                            .arg(error));
    }
    return result;
}

} // namespace catalogues::web
