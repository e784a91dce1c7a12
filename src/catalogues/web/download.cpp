#include "catalogues/web/download.h"

#include "catalogues/webswitches.h"
#include "platform/programfolder.h"
#include "text/language.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>
#include <optional>

namespace {

// Set while a download runs: the window keeps processing events during a
// download, and a second one started meanwhile would write the same files.
bool g_downloading = false;

// Cache names longer than this are shortened with a hash of the key.
constexpr qsizetype kMaxCacheName = 150;

bool isOrdinaryKeyChar(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '.' ||
           c == '-' || c == '+';
}

// A plain file name of the program folder: no folder part, no "." or "..".
bool isPlainFileName(const QString& name) {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) return false;
    for (const QChar c : name) {
        if (c == u'/' || c == u'\\' || c == u':' || c.unicode() < 32) return false;
    }
    return true;
}

// The cache key that goes with an answer name, or nothing for names that are
// never cached.
const QString* cacheKeyFor(const QString& name) {
    if (name == QLatin1String("data")) return &Web().StarCacheKey;
    if (name == QLatin1String("data2")) return &Web().MinorPlanetCacheKey;
    return nullptr;
}

std::optional<QByteArray> readWhole(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    return f.readAll();
}

// Replaces the file at `path` by `bytes` as a whole: on any failure the old
// file stays as it was.
bool writeWhole(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
        *error = f.errorString();
        return false;
    }
    return true;
}

QString hostOf(const QString& url) {
    const QString host = QUrl(url).host();
    return host.isEmpty() ? url : host;
}

} // namespace

QString CacheFileName(const QString& name, const QString& key) {
    const QByteArray bytes = key.toUtf8();
    QString escaped;
    escaped.reserve(bytes.size());
    for (const char c : bytes) {
        if (isOrdinaryKeyChar(c))
            escaped += QLatin1Char(c);
        else
            escaped += QStringLiteral("%%1")
                           .arg(static_cast<unsigned char>(c), 2, 16, QLatin1Char('0'))
                           .toUpper();
    }
    QString file = name + escaped;
    if (file.size() > kMaxCacheName) {
        // '~' never appears in an escaped key, so these names cannot collide
        // with the plain ones.
        const QByteArray hash = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
        file = name + escaped.left(80) + QLatin1Char('~') + QString::fromLatin1(hash);
    }
    return file;
}

QString CacheFilePath(const QString& name, const QString& key) {
    return programfolder::file(QStringLiteral("cat/") + CacheFileName(name, key));
}

DownloadResult DownloadUrl(const QString& url, const QString& name,
                           const DownloadOptions& options) {
    DownloadResult result;
    const auto fail = [&](const QString& message) {
        result.status = DownloadResult::Status::Failed;
        result.message = message;
        if (options.log)
            options.log(QStringLiteral("Download of %1 failed: %2").arg(name, message));
        return result;
    };
    if (!isPlainFileName(name)) return fail(QStringLiteral("not a plain file name"));
    if (g_downloading) return fail(QStringLiteral("another download is still running"));
    g_downloading = true;
    struct Reset {
        ~Reset() { g_downloading = false; }
    } reset;

    const QString target = programfolder::file(name);
    const QString* key = cacheKeyFor(name);
    const bool cached = Web().AutonomousMode && key;
    const QString cachePath = cached ? CacheFilePath(name, *key) : QString();
    QString error;

    if (cached && QFileInfo(cachePath).isFile()) {
        if (const auto bytes = readWhole(cachePath)) {
            if (!writeWhole(target, *bytes, &error)) return fail(error);
            if (options.log) options.log(FormMessage(24));
            result.status = DownloadResult::Status::FromCache;
            result.bytes = bytes->size();
            return result;
        }
        // An unreadable cache file: fetch the answer instead.
    }

    const http::FetchResult fetched = http::Fetch(url, options.progress);
    if (!fetched.ok()) return fail(QStringLiteral("%1 (%2)").arg(fetched.error, hostOf(url)));

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
            options.log(QStringLiteral("The answer could not be kept in the cache: %1").arg(error));
    }
    return result;
}
