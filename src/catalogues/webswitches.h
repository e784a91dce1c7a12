// The switches of the program's web access, alive for the whole run.
#pragma once

#include <QString>

namespace catalogues {

struct WebSwitches {
    bool StarSiteEnabled = true;        // the star server may be queried
    bool MinorPlanetSiteEnabled = true; // the minor-planet service may be queried
    bool UpdateCheckEnabled = false;    // the maker's site may be contacted (from defaut.cfg)
    bool AutonomousMode = false;        // catalogue answers are cached and reused (from defaut.cfg)
    QString StarCacheKey;               // set by the download command
    QString MinorPlanetCacheKey;        // set by the download command
};

// The program's one set of switches.
WebSwitches& Web();

} // namespace catalogues
