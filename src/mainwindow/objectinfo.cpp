#include "mainwindow/objectinfo.h"

#include "field/overlay.h"
#include "platform/numbers.h"
#include "reduction/rightascension.h"

using namespace reduction;
using namespace field;

void ShowStarInfo(const text::details::InfoPanel& panel, const SessionState& s, int i,
                  const QString& equinox) {
    // The row as read, not its scaled, rounded copy.
    if (i < 1 || i > static_cast<int>(s.Catalogue.stars.size())) return;
    const CatalogueRow& r = s.Catalogue.stars[static_cast<size_t>(i - 1)];
    text::details::StarInfoText(panel, r.id, NormaliseRa(r.ra), r.dec, MagnitudeColumns(r.mag),
                                MagnitudeColumns(r.magBlue), equinox);
}

void ShowMinorPlanetInfo(const text::details::InfoPanel& panel, const SessionState& s, int i) {
    if (i < 1 || i > static_cast<int>(s.Catalogue.minorPlanets.size())) return;
    const CatalogueRow& r = s.Catalogue.minorPlanets[static_cast<size_t>(i - 1)];
    text::details::MinorPlanetInfoText(panel, r.id, r.name, NormaliseRa(r.ra), r.dec,
                                       MagnitudeColumns(r.mag), r.motion2, r.motion1);
}

void ShowDeepSkyInfo(const text::details::InfoPanel& panel, const SessionState& s, int i) {
    if (i < 1 || i > static_cast<int>(s.Catalogue.deepSky.size())) return;
    const CatalogueRow& r = s.Catalogue.deepSky[static_cast<size_t>(i - 1)];
    text::details::DeepSkyInfoText(panel, r.id, NormaliseRa(r.ra), r.dec, MagnitudeColumns(r.mag),
                                   r.size1, r.size2, r.description, r.otherIds.value(0),
                                   r.otherIds.value(1), r.otherIds.value(2));
}

void ShowObjectInfoAt(const text::details::InfoPanel& panel, const SessionState& s,
                      const MarkerStore& markers, float x, float y, const QString& equinox) {
    if (const int i = FirstMarkerNear(markers.aster, s.MinorPlanets.count, x, y))
        return ShowMinorPlanetInfo(panel, s, i);
    if (const int i = FirstMarkerNear(markers.star, s.Stars.rowsRead, x, y))
        ShowStarInfo(panel, s, i, equinox);
}
