// The three web sites the program talks to. Their hosts can be changed
// without rebuilding: the program folder's sites.cfg (INI format) overrides
// the built-in defaults; a missing file or key keeps the default.
//
//   [sites]
//   star_server=http://archive.eso.org
//   minor_planet_service=https://scully.cfa.harvard.edu
//   maker_site=
//   minor_planet_source=service
//   minor_planet_elements=asteroids.dat
//   minor_planet_elements_url=https://www.minorplanetcenter.net/iau/MPCORB/MPCORB.DAT.gz
//
// A host is a scheme and a host name (with a port if needed), no trailing
// slash; the query paths are fixed by each query. An empty host means the
// site is never contacted.
#pragma once

#include <QString>

namespace catalogues {

struct SiteHosts {
    QString starServer = QStringLiteral("http://archive.eso.org");
    QString minorPlanetService = QStringLiteral("https://scully.cfa.harvard.edu");
    QString makerSite; // empty: not contacted
    // Where minor-planet answers come from: "service" (the web service) or
    // "local" (computed from the element file below).
    QString minorPlanetSource = QStringLiteral("service");
    // Element file of the local source, in the program folder unless absolute.
    QString minorPlanetElements = QStringLiteral("asteroids.dat");
    // Full address of the compressed MPCORB file the download command fetches.
    QString minorPlanetElementsUrl =
        QStringLiteral("https://www.minorplanetcenter.net/iau/MPCORB/MPCORB.DAT.gz");
    bool localMinorPlanets() const {
        return minorPlanetSource.compare(QLatin1String("local"), Qt::CaseInsensitive) == 0;
    }
};

// Reads a sites file; keys that are absent keep their defaults.
SiteHosts ReadSiteHosts(const QString& path);

// The program's hosts, read from the program folder's sites.cfg at first use.
// Tests may change them directly.
SiteHosts& Sites();

// Reads the program folder's sites.cfg again into Sites().
void ReloadSites();

} // namespace catalogues
