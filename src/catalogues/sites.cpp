#include "catalogues/sites.h"

#include "platform/programfolder.h"

#include <QFileInfo>
#include <QSettings>

namespace catalogues {

namespace {

// Trims blanks and trailing slashes so that a path can be appended.
QString cleanHost(QString host) {
    host = host.trimmed();
    while (host.endsWith(QLatin1Char('/')))
        host.chop(1);
    return host;
}

} // namespace

SiteHosts ReadSiteHosts(const QString& path) {
    SiteHosts hosts;
    if (!QFileInfo::exists(path)) return hosts;
    QSettings ini(path, QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("sites"));
    const auto read = [&ini](const char* key, QString& value) {
        const QString k = QString::fromLatin1(key);
        if (ini.contains(k)) value = cleanHost(ini.value(k).toString());
    };
    read("star_server", hosts.starServer);
    read("minor_planet_service", hosts.minorPlanetService);
    read("maker_site", hosts.makerSite);
    read("minor_planet_source", hosts.minorPlanetSource);
    read("minor_planet_elements", hosts.minorPlanetElements);
    read("minor_planet_elements_url", hosts.minorPlanetElementsUrl);
    return hosts;
}

SiteHosts& Sites() {
    static SiteHosts hosts = ReadSiteHosts(programfolder::File(QStringLiteral("sites.cfg")));
    return hosts;
}

void ReloadSites() {
    Sites() = ReadSiteHosts(programfolder::File(QStringLiteral("sites.cfg")));
}

} // namespace catalogues
