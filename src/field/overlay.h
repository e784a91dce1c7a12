// The sky overlay without a window: catalogue stars, minor planets and
// deep-sky objects placed on the image through the plate model, and the hit
// tests that read the placed markers back.
//
// Markers are placed by their top-left corner: an object at pixel (X, Y)
// gets left = X - h / 2, top = Y - h / 2 with h the star marker's height, so
// an 8-pixel marker is centred on the object. Positions are computed in
// double precision and stored in single precision.
#pragma once

#include "field/markers.h"
#include "field/session.h"
#include "field/typedcentre.h"
#include "reduction/platesolution.h"
#include "reduction/skyplate.h"

#include <array>
#include <functional>

namespace field {

// Turns scaled sky coordinates into marker corners. When the plate model has
// no inverse (determinant 0) nothing is computed and each object takes the
// pixel position of the object placed before it through the same placer
// (0, 0 before the first).
class MarkerPlacer {
public:
    MarkerPlacer(const reduction::PlateSolution& plate, float markerSize);
    // Through the plate in use (the refined plate when there is one).
    MarkerPlacer(const reduction::SkyPlate& plate, float markerSize);

    // Marker corner for scaled (r, d).
    void place(double r, double d, float& left, float& top);
    float markerSize() const { return m_size; }

private:
    reduction::SkyPlate m_plate;
    float m_size;
    double m_x = 0;
    double m_y = 0;
};

// Width in pixels of a label's caption as it will be painted.
using LabelWidth = std::function<float(const QString& caption)>;

// Number of catalogue rows an overlay draws: all rows read for a full map,
// otherwise the stars in use; never more than the table or `poolSize` holds.
int OverlayStarCount(const CatalogueStarTable& stars, bool fullMap, int poolSize);

// Places star markers 1..n at catalogue rows 1..n (they are not shown).
void PlaceStarMarkers(MarkerPlacer& placer, const CatalogueStarTable& stars, int n,
                      MarkerPool& star);

// Places and shows a marker and a name (right of the marker, 2 pixels up) for
// every minor planet. Stops with false at the first row whose scaled
// coordinate texts are not numbers; rows placed before it keep their places
// and nothing is shown then.
bool PlaceMinorPlanetMarkers(MarkerPlacer& placer, const MinorPlanetTable& planets,
                             MarkerPool& aster, LabelPool& names);

// Draws an ellipse (in the store's current drawing colour) for every deep-sky
// object, centred on the object (its marker's corner plus half a marker), at
// its catalogue size on the sky: size1 arcminutes along the position angle
// and size2 across it, in pixels per arcminute measured through the placer's
// plate at the object (the scaled step of one arcminute north is
// corrDec / 60). The ellipse is turned by 90 - position angle - fieldAngle
// degrees (its own y axis carrying size1); its name goes 4 pixels below the
// ellipse, centred. The names are shown at the end. Stops with false at the
// first object that cannot be drawn (second size 0, a result that is not a
// finite number or does not fit 16 bits); what was drawn before it stays.
bool DrawDeepSkyObjects(MarkerPlacer& placer, const DeepSkyTable& objects, double corrDec,
                        double fieldAngle, MarkerStore& markers, const LabelWidth& labelWidth);

// Shows markers 1..n of a pool.
void ShowMarkers(MarkerPool& pool, int n);

// Draws a 20-pixel cross on the centres of the star markers of five
// catalogue rows, red 255 / green 128 / blue 255, then leaves the drawing
// colour at red 128 / green 128 / blue 255. Rows outside the pool are skipped.
void DrawStarCrosses(MarkerStore& markers, const std::array<int, 5>& rows);

// The centre cross of the typed field centre (scaled J2000) through the
// plate in use (plateInUse): four 6-pixel arms 2 pixels off the centre. Sets
// CentreOutside when the centre falls outside the image (strictly inside
// 0 < x < width, 0 < y < height counts as inside; the flag is never cleared
// here). Nothing is placed when the model has no inverse.
void PlaceCentreCross(SessionState& session, MarkerStore& markers, const ScaledCentre& centre,
                      int width, int height);

// The typed centre into the session: its sign into CentreDecSign ("-1" or
// "1") and the centre at J2000, scaled by the session's scales, into
// CentrePlateRA/Dec. False, with the centre left as it was, when a
// coordinate box holds no number.
bool StoreTypedCentre(SessionState& session, const TypedCentreFields& typed);

// What the window's overlay draws beyond the catalogue stars.
struct MapChoices {
    bool minorPlanets = false;     // CheckAster: minor planets once a match is found
    bool deepSkyInCalcul = false;  // CheckDeepObj1: deep-sky objects before a match
    bool deepSkyInFullMap = false; // CheckDeepObj2: deep-sky objects after a match
};

// The overlay of the plate in use (plateInUse) ("map"): a full map (MapState
// Loading) first hides every marker and places all rows read, otherwise the
// stars in use; then the minor planets, the centre cross (`placeCentre`,
// false when the typed centre cannot be read), the deep-sky objects (the
// drawings cleared first) and finally the stars are shown. Ends with MapState
// Done, or with Failed and MapFailed set when a minor-planet or deep-sky row
// cannot be placed or the centre cannot be read (its cross is then hidden).
void MapField(SessionState& session, MarkerStore& markers, const MapChoices& choices,
              const std::function<bool()>& placeCentre, const LabelWidth& labelWidth);

// Everything an overlay draws, for callers without a window.
struct OverlayOptions {
    bool fullMap = false;      // all rows read (and every old marker hidden first)
    bool minorPlanets = false; // place the minor planets
    bool deepSky = false;      // clear the drawings and draw the deep-sky objects
    double fieldAngle = 0;     // degrees, for the ellipses
    LabelWidth labelWidth;     // empty: labels are taken as 0 pixels wide
};

// The overlay of one plate model: hides every marker first for a full map,
// places the stars, the minor planets and the deep-sky objects as asked, and
// finally shows the stars. False (with what was placed so far kept) when a
// minor-planet or deep-sky row cannot be placed.
bool DrawSkyOverlay(const reduction::PlateSolution& plate, const CatalogueStarTable& stars,
                    const MinorPlanetTable& planets, const DeepSkyTable& objects,
                    const OverlayOptions& options, MarkerStore& markers);
// The same through the plate in use.
bool DrawSkyOverlay(const reduction::SkyPlate& plate, const CatalogueStarTable& stars,
                    const MinorPlanetTable& planets, const DeepSkyTable& objects,
                    const OverlayOptions& options, MarkerStore& markers);

// Cursor readout hit test: the highest-numbered star marker among 1..n whose
// top-left corner lies strictly within 4 pixels of (x, y) on both axes; 0 for none.
int ReadoutStarAt(const MarkerPool& star, int n, float x, float y);

// Double-click hit test: the lowest-numbered marker among 1..n with
// left - 4 < x < left + 12 and top - 4 < y < top + 12 (the 8-pixel marker and
// 4 pixels around it); 0 for none. Shown and hidden markers alike.
int FirstMarkerNear(const MarkerPool& pool, int n, float x, float y);

// The readout of catalogue row i: identifier, "   MagR-B=", red and blue
// magnitudes, then right ascension in hours and declination in degrees in
// sexagesimal form, "  (J2000.0)".
QString StarReadoutText(const CatalogueStarTable& stars, int i, double corrAsd, double corrDec);

// What hovering star marker i writes during a calibration: the marker centre
// (single-precision text) and the star's right ascension (hours, minutes,
// seconds) and declination (degrees, minutes, seconds) for the calibration
// boxes 0..7, and the cursor position moved onto the marker centre.
struct CalibrationBoxes {
    std::array<QString, 8> text;
    int16_t cursorX = 0;
    int16_t cursorY = 0;
};
CalibrationBoxes CalibrationBoxesFor(const MarkerPool& star, int i, const CatalogueStarTable& stars,
                                     double corrAsd, double corrDec);

// A pixel coordinate rounded half to even into 16 bits (clamped to the range).
int16_t PixelInt16(double v);

} // namespace field
