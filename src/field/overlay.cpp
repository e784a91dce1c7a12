#include "field/overlay.h"

#include "field/draw.h"
#include "platform/numbers.h"
#include "reduction/calibration.h"
#include "reduction/rightascension.h"
#include "reduction/sexagesimal.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

using namespace reduction;

namespace field {

MarkerPlacer::MarkerPlacer(const PlateSolution& plate, float markerSize)
    : m_plate{plate, std::nullopt}, m_size(markerSize) {}

MarkerPlacer::MarkerPlacer(const SkyPlate& plate, float markerSize)
    : m_plate(plate), m_size(markerSize) {}

void MarkerPlacer::place(double r, double d, float& left, float& top) {
    if (const auto p = m_plate.scaledToPixel(r, d)) {
        m_x = p->x;
        m_y = p->y;
    }
    const double half = m_size / 2.0;
    left = static_cast<float>(m_x - half);
    top = static_cast<float>(m_y - half);
}

int OverlayStarCount(const CatalogueStarTable& stars, bool fullMap, int poolSize) {
    const int n = fullMap ? stars.rowsRead : stars.inUse;
    const int tableRows = static_cast<int>(stars.ra.size()) - 1;
    return std::clamp(n, 0, std::min(tableRows, poolSize));
}

void PlaceStarMarkers(MarkerPlacer& placer, const CatalogueStarTable& stars, int n,
                      MarkerPool& star) {
    n = std::min({n, star.count(), static_cast<int>(stars.ra.size()) - 1});
    for (int i = 1; i <= n; ++i)
        placer.place(stars.ra[i], stars.dec[i], star.left[i], star.top[i]);
}

bool PlaceMinorPlanetMarkers(MarkerPlacer& placer, const MinorPlanetTable& planets,
                             MarkerPool& aster, LabelPool& names) {
    const int n = std::clamp<int>(
        planets.count, 0,
        std::min({aster.count(), names.count(), static_cast<int>(planets.ra.size()) - 1}));
    const float h = placer.markerSize();
    for (int i = 1; i <= n; ++i) {
        const auto r = numbers::Strict(planets.ra[i]);
        const auto d = numbers::Strict(planets.dec[i]);
        if (!r || !d) return false;
        placer.place(*r, *d, aster.left[i], aster.top[i]);
        names.top[i] = aster.top[i] - 2;
        names.left[i] = aster.left[i] + h + 2;
        names.caption[i] = planets.name[i];
    }
    for (int i = 1; i <= n; ++i) {
        aster.show(i);
        names.show(i);
    }
    return true;
}

bool DrawDeepSkyObjects(MarkerPlacer& placer, const DeepSkyTable& objects, double corrDec,
                        double fieldAngle, MarkerStore& markers, const LabelWidth& labelWidth) {
    LabelPool& names = markers.deepobj_lbl;
    const int n = std::clamp<int>(objects.count, 0,
                                  std::min(names.count(), static_cast<int>(objects.ra.size()) - 1));
    const float half = placer.markerSize() / 2;
    for (int i = 1; i <= n; ++i) {
        // Pixels per arcminute on the sky at the object, through the plate:
        // the distance to the point one arcminute north of it.
        float nx = 0, ny = 0, x = 0, y = 0;
        placer.place(objects.ra[i], objects.dec[i] + corrDec / 60, nx, ny);
        placer.place(objects.ra[i], objects.dec[i], x, y);
        const double perArcmin = std::hypot(nx - x, ny - y);
        if (objects.size2[i] == 0.0) return false;
        // The ellipse's own y axis carries the first (major) size along the
        // position angle, its own x axis the second size.
        const double radius = objects.size2[i] / 2 * perArcmin;
        const double ratio = objects.size1[i] / objects.size2[i];
        const double angle = 90 - objects.positionAngle[i] - fieldAngle;
        const float cx = x + half, cy = y + half; // the object itself, not its marker's corner
        const auto bottom = draw::DrawEllipse(markers, cx, cy, static_cast<float>(radius),
                                              static_cast<float>(angle), 0.0f, 360.0f,
                                              static_cast<float>(ratio), 1.0f);
        if (!bottom) return false;
        names.caption[i] = objects.name[i];
        const float width = labelWidth ? labelWidth(names.caption[i]) : 0.0f;
        names.top[i] = static_cast<float>(*bottom + 4);
        names.left[i] = cx - width / 2;
    }
    for (int i = 1; i <= n; ++i)
        names.show(i);
    return true;
}

void ShowMarkers(MarkerPool& pool, int n) {
    n = std::min(n, pool.count());
    for (int i = 1; i <= n; ++i)
        pool.show(i);
}

void DrawStarCrosses(MarkerStore& markers, const std::array<int, 5>& rows) {
    const MarkerPool& star = markers.star;
    const float half = star.size / 2;
    markers.drawColour = QColor(255, 128, 255);
    for (const int s : rows) {
        if (s < 1 || s > star.count()) continue;
        const float cx = star.left[s] + half;
        const float cy = star.top[s] + half;
        markers.line(cx - 10, cy, cx + 10, cy);
        markers.line(cx, cy - 10, cx, cy + 10);
    }
    markers.drawColour = QColor(128, 128, 255);
}

bool StoreTypedCentre(SessionState& session, const TypedCentreFields& typed) {
    session.CentreDecSign =
        typed.decSign == QLatin1String("-") ? QStringLiteral("-1") : QStringLiteral("1");
    const auto c = TypedCentreJ2000(typed, session.Plate.corrAsd, session.Plate.corrDec);
    if (!c) return false;
    session.CentrePlateRA = c->ra;
    session.CentrePlateDec = c->dec;
    return true;
}

void PlaceCentreCross(SessionState& s, MarkerStore& markers, const ScaledCentre& centre, int width,
                      int height) {
    const auto pixel = s.plateInUse().scaledToPixel(centre.ra, centre.dec);
    if (!pixel) return;
    const double x = pixel->x, y = pixel->y;
    auto& cross = markers.centerpic;
    const double ends[4][4] = {
        {x, y - 8, x, y - 2}, {x, y + 2, x, y + 8}, {x - 8, y, x - 2, y}, {x + 2, y, x + 8, y}};
    for (int k = 0; k < 4; ++k) {
        cross.x1[k] = static_cast<float>(ends[k][0]);
        cross.y1[k] = static_cast<float>(ends[k][1]);
        cross.x2[k] = static_cast<float>(ends[k][2]);
        cross.y2[k] = static_cast<float>(ends[k][3]);
    }
    cross.visible = true;
    if (!(x > 0 && x < width && y > 0 && y < height)) s.CentreOutside = true;
}

void MapField(SessionState& s, MarkerStore& m, const MapChoices& choices,
              const std::function<bool()>& placeCentre, const LabelWidth& labelWidth) {
    s.MapFailed = false;
    auto fail = [&s] {
        s.MapFailed = true;
        s.MapState = MapState::Failed;
    };
    const bool full = s.MapState == MapState::Loading;
    const int n = OverlayStarCount(s.Stars, full, m.star.count());
    if (full) {
        m.star.hideAll();
        m.aster.hideAll();
        m.aster_lbl.hideAll();
        m.deepobj_lbl.hideAll();
    }
    // Through the plate in use: the refined plate once there is one.
    MarkerPlacer placer(s.plateInUse(), m.star.size);
    PlaceStarMarkers(placer, s.Stars, n, m.star);
    if (choices.minorPlanets && s.MatchFound &&
        !PlaceMinorPlanetMarkers(placer, s.MinorPlanets, m.aster, m.aster_lbl))
        return fail();
    if (!placeCentre()) {
        m.centerpic.visible = false;
        return fail();
    }
    if ((!s.MatchFound && choices.deepSkyInCalcul) || (s.MatchFound && choices.deepSkyInFullMap)) {
        m.clearDrawings();
        s.FieldAngle = FieldAngle(s.Plate, s.Stars.ra[1], s.Stars.dec[1]);
        if (!DrawDeepSkyObjects(placer, s.DeepSky, s.Plate.corrDec, s.FieldAngle, m, labelWidth))
            return fail();
    }
    ShowMarkers(m.star, n);
    s.MapState = MapState::Done;
}

bool DrawSkyOverlay(const PlateSolution& plate, const CatalogueStarTable& stars,
                    const MinorPlanetTable& planets, const DeepSkyTable& objects,
                    const OverlayOptions& options, MarkerStore& markers) {
    return DrawSkyOverlay(SkyPlate{plate, std::nullopt}, stars, planets, objects, options, markers);
}

bool DrawSkyOverlay(const SkyPlate& plate, const CatalogueStarTable& stars,
                    const MinorPlanetTable& planets, const DeepSkyTable& objects,
                    const OverlayOptions& options, MarkerStore& markers) {
    const int n = OverlayStarCount(stars, options.fullMap, markers.star.count());
    if (options.fullMap) {
        markers.star.hideAll();
        markers.aster.hideAll();
        markers.aster_lbl.hideAll();
        markers.deepobj_lbl.hideAll();
    }
    MarkerPlacer placer(plate, markers.star.size);
    PlaceStarMarkers(placer, stars, n, markers.star);
    if (options.minorPlanets &&
        !PlaceMinorPlanetMarkers(placer, planets, markers.aster, markers.aster_lbl))
        return false;
    if (options.deepSky) {
        markers.clearDrawings();
        if (!DrawDeepSkyObjects(placer, objects, plate.affine.corrDec, options.fieldAngle, markers,
                                options.labelWidth))
            return false;
    }
    ShowMarkers(markers.star, n);
    return true;
}

int ReadoutStarAt(const MarkerPool& star, int n, float x, float y) {
    n = std::min(n, star.count());
    const float* left = star.left.data();
    const float* top = star.top.data();
    int hit = 0;
    for (int i = 1; i <= n; ++i) {
        if (left[i] - 4 < x && x < left[i] + 4 && top[i] - 4 < y && y < top[i] + 4) hit = i;
    }
    return hit;
}

int FirstMarkerNear(const MarkerPool& pool, int n, float x, float y) {
    n = std::min(n, pool.count());
    for (int i = 1; i <= n; ++i) {
        if (pool.left[i] - 4 < x && x < pool.left[i] + 12 && pool.top[i] - 4 < y &&
            y < pool.top[i] + 12)
            return i;
    }
    return 0;
}

QString StarReadoutText(const CatalogueStarTable& stars, int i, double corrAsd, double corrDec) {
    const double raHours = NormaliseRa(stars.ra[i] / corrAsd) / 360 * 24;
    const double dec = stars.dec[i] / corrDec;
    return QCoreApplication::translate("Overlay", "%1   MagR-B=%2 %3   Ra:%4   Dec:%5  (J2000.0)")
        .arg(stars.id[i], stars.magRed[i], stars.magBlue[i],
             FormatSexagesimal(raHours, QStringLiteral("h")),
             FormatSexagesimal(dec, QStringLiteral("°")));
}

namespace {
// A single-precision number as text: up to 7 significant digits.
QString singleText(float v) {
    return QString::number(static_cast<double>(v), 'g', 7);
}
} // namespace

int16_t PixelInt16(double v) {
    if (!std::isfinite(v)) return 0;
    const double r = numbers::RoundHalfEven(std::clamp(v, -32768.0, 32767.0));
    return static_cast<int16_t>(r);
}

CalibrationBoxes CalibrationBoxesFor(const MarkerPool& star, int i, const CatalogueStarTable& stars,
                                     double corrAsd, double corrDec) {
    CalibrationBoxes b;
    const float half = star.size / 2;
    const float cx = star.left[i] + half;
    const float cy = star.top[i] + half;
    b.text[0] = singleText(cx);
    b.text[1] = singleText(cy);
    b.cursorX = PixelInt16(cx);
    b.cursorY = PixelInt16(cy);
    int16_t whole = 0, minutes = 0;
    double seconds = 0;
    SplitSexagesimal(NormaliseRa(stars.ra[i] / corrAsd) / 360 * 24, whole, minutes, seconds);
    b.text[2] = QString::number(whole);
    b.text[3] = QString::number(minutes);
    b.text[4] = numbers::Text(seconds);
    SplitSexagesimal(stars.dec[i] / corrDec, whole, minutes, seconds);
    b.text[5] = QString::number(whole);
    b.text[6] = QString::number(minutes);
    b.text[7] = numbers::Text(seconds);
    return b;
}

} // namespace field
