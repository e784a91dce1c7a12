#include "mainwindow/objectinfo.h"

#include "field/overlay.h"
#include "platform/numbers.h"
#include "reduction/rightascension.h"

void ShowStarInfo(const details::InfoPanel& panel, const SessionState& s, int i,
                  const QString& equinox) {
    // The row as read, not its scaled, rounded copy.
    if (i < 1 || i > static_cast<int>(s.Catalogue.stars.size())) return;
    const CatalogueRow& r = s.Catalogue.stars[static_cast<size_t>(i - 1)];
    details::StarInfoText(panel, r.id, NormaliseRa(r.ra), r.dec, MagnitudeColumns(r.mag),
                          MagnitudeColumns(r.magBlue), equinox);
}

void ShowMinorPlanetInfo(const details::InfoPanel& panel, const SessionState& s, int i) {
    if (i < 1 || i > static_cast<int>(s.Catalogue.minorPlanets.size())) return;
    const CatalogueRow& r = s.Catalogue.minorPlanets[static_cast<size_t>(i - 1)];
    details::MinorPlanetInfoText(panel, r.id, r.name, NormaliseRa(r.ra), r.dec,
                                 MagnitudeColumns(r.mag), r.motion2, r.motion1);
}

void ShowDeepSkyInfo(const details::InfoPanel& panel, const SessionState& s, int i) {
    const DeepSkyTable& t = s.DeepSky;
    if (i < 1 || i > t.count || i >= static_cast<int>(t.ra.size())) return;
    details::DeepSkyInfoText(panel, t.name[i], NormaliseRa(t.ra[i] / s.Plate.corrAsd),
                             t.dec[i] / s.Plate.corrDec, t.magnitude[i], t.size1[i], t.size2[i],
                             t.description[i], t.pgcName[i], t.otherName1[i], t.otherName2[i]);
}

void ShowObjectInfoAt(const details::InfoPanel& panel, const SessionState& s,
                      const MarkerStore& markers, float x, float y, const QString& equinox) {
    if (const int i = FirstMarkerNear(markers.aster, s.MinorPlanets.count, x, y))
        return ShowMinorPlanetInfo(panel, s, i);
    if (const int i = FirstMarkerNear(markers.star, s.Stars.rowsRead, x, y))
        ShowStarInfo(panel, s, i, equinox);
}
