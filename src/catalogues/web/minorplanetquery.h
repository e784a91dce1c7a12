// The minor-planet query sent to the minor-planet service: the address built
// from the typed fields, fetched into the program folder's file "data2"; or
// the same answer computed on this machine from an element file.
#pragma once

#include "catalogues/minorplanets.h"
#include "catalogues/sites.h"
#include "catalogues/web/download.h"
#include "catalogues/webswitches.h"

#include <QByteArrayView>
#include <optional>

namespace catalogues::web {

// Whether a minor-planet answer holds the service's table (its heading opens
// a "<pre>" block), even an empty one. An error page does not.
bool HoldsMinorPlanetTable(QByteArrayView answer);

// Runs the minor-planet query on `host` (scheme and host name) into the
// program folder's file "data2". `web` gives the site switch and the
// autonomous mode, `cacheKey` the minor-planet cache key. A blocked site is
// not contacted and the result says Blocked. An answer without the table
// counts as failed. When the site is blocked or the query fails or is
// cancelled the previous "data2" is removed, so that the answer of another
// field or date is never read as this one's.
//
// With `local` given, the answer is computed from its element file instead
// (see QueryLocalMinorPlanets): no site is contacted, so the site switch does
// not apply, and the cache is neither read nor written.
struct LocalMinorPlanetSource {
    QString elementsPath;    // the element file
    MinorPlanetFields typed; // the query as typed: the answer is for the typed minute
};
DownloadResult QueryMpcChecker(const MinorPlanetQuery& query, const WebSwitches& web,
                               const QString& host, const QString& cacheKey,
                               const DownloadOptions& options = {},
                               const std::optional<LocalMinorPlanetSource>& local = std::nullopt);

// Removes the program folder's "data2", so that no answer of another query
// is read as the current one's.
void DiscardMinorPlanetAnswer();

// The local source of `sites` for the typed query `typed`, when the sites
// choose it (minor_planet_source=local); nothing for the service.
std::optional<LocalMinorPlanetSource> ChosenLocalSource(const SiteHosts& sites,
                                                        const MinorPlanetFields& typed);

// Computes the answer to `typed` from the element file `elementsPath` and
// writes it to the program folder's file "data2", as the service's page.
// Status lines (the count, records of the file left out) go to options.log.
// When the query or the file cannot be read, or the page cannot be written,
// the previous "data2" is removed (it answers another field or date) and the
// result is Failed with the reason. The rows written go back with the result
// (DownloadResult::rows).
DownloadResult QueryLocalMinorPlanets(const MinorPlanetFields& typed, const QString& elementsPath,
                                      const DownloadOptions& options = {});

} // namespace catalogues::web
