// Fetching a web address into a file of the program folder, with the
// catalogue cache of the autonomous mode.
//
// The star answer "data" and the minor-planet answer "data2" are cached in
// the folder "cat" under their cache keys (Web().StarCacheKey and
// Web().MinorPlanetCacheKey); in autonomous mode a cached answer is served
// instead of the network. Other names are always downloaded, never cached.
#pragma once

#include "platform/net/http.h"

#include <QString>
#include <functional>

struct DownloadResult {
    enum class Status {
        Downloaded, // fetched from the server and written
        FromCache,  // copied from the cache
        Failed      // nothing written; see message
    };
    Status status = Status::Failed;
    QString message; // why it failed
    qint64 bytes = 0;
    bool ok() const { return status != Status::Failed; }
};

struct DownloadOptions {
    // Status lines (the cache hit, a failure).
    std::function<void(const QString&)> log;
    // Body bytes received so far, after each block.
    http::Progress progress;
};

// Fetches `url` into the program folder's file `name` (a plain file name).
// The file then holds exactly the new answer; a failed download leaves the
// previous file untouched, and an empty answer writes nothing. In autonomous
// mode "data" and "data2" are served from and stored into the cache.
DownloadResult DownloadUrl(const QString& url, const QString& name,
                           const DownloadOptions& options = {});

// The file name in "cat" of the cached answer `name` for `key`: name + key for
// keys made of letters, digits, '.', '-' and '+' (data53517523281015); other
// keys are escaped into a safe name (and hashed when very long), always the
// same for the same key, never leaving the folder.
QString CacheFileName(const QString& name, const QString& key);

// The full path of that file.
QString CacheFilePath(const QString& name, const QString& key);
