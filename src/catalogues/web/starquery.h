// The star query sent to the star server: the address built from the typed
// fields, fetched into the program folder's file "data".
#pragma once

#include "catalogues/usnoa2.h"
#include "catalogues/web/download.h"
#include "catalogues/webswitches.h"

#include <QByteArrayView>

// Whether a star answer holds the star table: at least one data row after
// the marker the reader looks for. A server's error page, an empty answer or
// junk does not.
bool HoldsStarTable(QByteArrayView answer);

// Runs the star query on `host` (scheme and host name) into the program
// folder's file "data". `web` gives the site switch and the autonomous mode,
// `cacheKey` the star cache key. A blocked star site is not contacted and
// the result says Blocked. An answer without a star table counts as failed
// and leaves the previous "data" and the cache untouched.
DownloadResult QueryUsnoA2(const QString& epoch, const QString& ra, const QString& dec,
                           const QString& radius, const QString& magFaint, const WebSwitches& web,
                           const QString& host, const QString& cacheKey,
                           const DownloadOptions& options = {});
