// The minor-planet query sent to the minor-planet service: the address built
// from the typed fields, fetched into the program folder's file "data2".
#pragma once

#include "catalogues/minorplanets.h"
#include "catalogues/web/download.h"
#include "catalogues/webswitches.h"

#include <QByteArrayView>

// Whether a minor-planet answer holds the service's table (its heading opens
// a "<pre>" block), even an empty one. An error page does not.
bool HoldsMinorPlanetTable(QByteArrayView answer);

// Runs the minor-planet query on `host` (scheme and host name) into the
// program folder's file "data2". `web` gives the site switch and the
// autonomous mode, `cacheKey` the minor-planet cache key. A blocked site is
// not contacted and the result says Blocked; the previous "data2" stays. An
// answer without the table counts as failed. When the query fails or is
// cancelled the previous "data2" is removed, so that the answer of another
// field or date is never read as this one's.
DownloadResult QueryMpcChecker(const MinorPlanetQuery& query, const WebSwitches& web,
                               const QString& host, const QString& cacheKey,
                               const DownloadOptions& options = {});
