// Fetching a web address into a file of the program folder, with the
// catalogue cache of the autonomous mode.
//
// The star answer "data" and the minor-planet answer "data2" are cached in
// the folder "cat" under the cache key the caller passes; in autonomous mode
// a cached answer is served instead of the network. Other names are always
// downloaded, never cached.
//
// The answer file is replaced only by a complete answer that passes the
// caller's check: whatever goes wrong, the previous file and the cache stay
// as they were, and the result says what happened.
#pragma once

#include "platform/net/http.h"
#include "reduction/fieldcatalogue.h"

#include <QByteArrayView>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace catalogues::web {

struct DownloadResult {
    enum class Status {
        Downloaded, // fetched from the server and written
        FromCache,  // copied from the cache (autonomous mode)
        Blocked,    // the site is switched off: nothing asked, nothing written
        Cancelled,  // the caller cancelled: nothing written
        Failed      // nothing written; see message
    };
    Status status = Status::Failed;
    QString message; // why it failed or was cancelled, in plain words
    qint64 bytes = 0;
    // An answer made on this machine (local stars or minor planets) hands its
    // rows over with the file: the rows a reading of the file gives, in its
    // order, right ascensions as written (0..360). None for a download.
    std::optional<std::vector<reduction::CatalogueRow>> rows;
    // A fresh answer for this query is in the file.
    bool ok() const { return status == Status::Downloaded || status == Status::FromCache; }
};

// The cache as the caller sees it: whether the autonomous mode is on and the
// cache key of this answer (the star or the minor-planet key).
struct CacheUse {
    bool autonomousMode = false;
    QString key;
};

struct DownloadOptions {
    // Status lines (the cache hit, a failure).
    std::function<void(const QString&)> log;
    // Body bytes received so far and the announced length (-1 when unknown),
    // whenever bytes arrive.
    http::Progress progress;
    // Asked while the download runs; true ends it as cancelled.
    http::CancelCheck cancelled;
    // Whether an answer is the kind of answer asked for; one that is not
    // counts as failed, with `rejectedText` as the reason.
    std::function<bool(QByteArrayView answer)> accept;
    QString rejectedText;
    // Limits of this download; the program-wide ones when not given.
    std::optional<http::Limits> limits;
};

// Fetches `url` into the program folder's file `name` (a plain file name).
// The file then holds exactly the new answer; a failed, cancelled or
// rejected download leaves the previous file untouched. An empty answer
// writes nothing (a missing file is created empty) unless `accept` refuses
// it. In autonomous mode "data" and "data2" are served from and stored into
// the cache under `cache.key`; a cached answer that `accept` refuses is
// fetched again.
DownloadResult DownloadUrl(const QString& url, const QString& name, const CacheUse& cache,
                           const DownloadOptions& options = {});

// The program's one download slot, for a download made without DownloadUrl
// (streamed to a file): taken() is false while another download runs, and
// DownloadUrl refuses to start while the slot is held.
class DownloadSlot {
public:
    DownloadSlot();
    ~DownloadSlot();
    DownloadSlot(const DownloadSlot&) = delete;
    DownloadSlot& operator=(const DownloadSlot&) = delete;
    bool taken() const { return m_taken; }

private:
    bool m_taken = false;
};

// The file name in "cat" of the cached answer `name` for `key`: name + key
// when every character of the key is safe in a file name on any platform
// (data53517523281015, "data5 35 17,2"); otherwise the unsafe characters are
// escaped (and the name hashed when very long), always the same for the same
// key, never leaving the folder.
QString CacheFileName(const QString& name, const QString& key);

// The full path of that file.
QString CacheFilePath(const QString& name, const QString& key);

} // namespace catalogues::web
