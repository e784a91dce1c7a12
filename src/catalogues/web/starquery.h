// The star query sent to the star server: the address built from the typed
// fields, fetched into the program folder's file "data".
#pragma once

#include "catalogues/localstars.h"
#include "catalogues/usnoa2.h"
#include "catalogues/web/download.h"
#include "catalogues/webswitches.h"

#include <QByteArrayView>

namespace catalogues::web {

// Whether a star answer holds the star table: at least one data row after
// the marker the reader looks for. A server's error page, an empty answer or
// junk does not.
bool HoldsStarTable(QByteArrayView answer);

// Runs the star query on `host` (scheme and host name) into the program
// folder's file "data". `web` gives the site switch and the autonomous mode,
// `cacheKey` the star cache key. A blocked star site is not contacted and
// the result says Blocked. An answer without a star table counts as failed
// and leaves the previous "data" and the cache untouched.
// With `source` set to local, the same address is answered from the local
// index files instead (see QueryLocalStars): no site is contacted, so the
// star-site switch does not apply, and the cache is neither read nor written.
DownloadResult QueryUsnoA2(const QString& epoch, const QString& ra, const QString& dec,
                           const QString& radius, const QString& magFaint, const WebSwitches& web,
                           const QString& host, const QString& cacheKey,
                           const DownloadOptions& options = {},
                           const StarSourceSetting& source = {});

// Answers the star query `address` from the index files of `folder` and
// writes the page to the program folder's file "data" (as a whole), logging
// one status line through options.log. When the folder holds no index file
// or none covers the field, "data" is replaced by a page without rows that
// says why, so that no answer of another field is read, and the result is
// Failed with that line as its message. A page with rows goes back with its
// rows too (DownloadResult::rows).
DownloadResult QueryLocalStars(const QString& address, const QString& folder,
                               const DownloadOptions& options = {});

} // namespace catalogues::web
