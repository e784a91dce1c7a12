#include "field/draw.h"
#include "field/overlay.h"
#include "reduction/calibration.h"
#include "testing.h"

#include <algorithm>
#include <cmath>

using namespace reduction;
using namespace field;
using namespace catalogues;

namespace {

// A model with rotation, shear and offsets: R = 2X + 0.1Y + 100, D = -0.1X + 3Y + 50.
PlateSolution knownPlate() {
    PlateSolution p;
    p.corrAsd = 800;
    p.corrDec = 1500;
    p.a = {2, 0.1, 100, -0.1, 3, 50};
    return p;
}

void skyOf(const PlateSolution& p, double x, double y, double& r, double& d) {
    p.pixelToScaled(x, y, r, d);
}

// The sample field as if the camera had been turned by `turn` degrees about
// the image centre: the true position of pixel (x, y).
testing_support::TrueSky turnedSky(double turn, double x, double y) {
    const double a = turn * M_PI / 180, dx = x - 511.5, dy = y - 511.5;
    return testing_support::sampleTrueSky(511.5 + dx * std::cos(a) + dy * std::sin(a),
                                          511.5 - dx * std::sin(a) + dy * std::cos(a));
}

// The affine plate that agrees with turnedSky at three pixels around the middle.
PlateSolution turnedPlate(double turn) {
    const std::array<PixelPoint, 3> at{PixelPoint{300, 300}, {700, 300}, {500, 700}};
    std::array<double, 3> r{}, d{};
    for (int i = 0; i < 3; ++i) {
        const auto t = turnedSky(turn, at[i].x, at[i].y);
        r[i] = t.ra * testing_support::kSampleCorrAsd;
        d[i] = t.dec * testing_support::kSampleCorrDec;
    }
    PlateSolution p;
    p.corrAsd = testing_support::kSampleCorrAsd;
    p.corrDec = testing_support::kSampleCorrDec;
    p.a = ThreePointModel(at, r, d).value();
    return p;
}

} // namespace

TEST(MarkerPlacement, ThroughAKnownModelAndASingularOne) {
    const PlateSolution plate = knownPlate();
    CatalogueStarTable stars;
    const double px[3] = {10, 500.5, 1023}, py[3] = {20, 7.25, 1000};
    for (int i = 0; i < 3; ++i)
        skyOf(plate, px[i], py[i], stars.ra[i + 1], stars.dec[i + 1]);
    stars.rowsRead = stars.inUse = 3;
    MarkerPool star(4000, 8);
    MarkerPlacer placer(plate, star.size);
    PlaceStarMarkers(placer, stars, 3, star);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(star.left[i + 1], px[i] - 4, 1e-3);
        EXPECT_NEAR(star.top[i + 1], py[i] - 4, 1e-3);
        EXPECT_FALSE(star.visible[i + 1]); // placed, not shown
    }

    // Minor planets continue with the same placer; the name sits right of
    // the square, two pixels up. Text coordinates are read as numbers.
    MinorPlanetTable planets;
    planets.count = 1;
    double r = 0, d = 0;
    skyOf(plate, 300, 400, r, d);
    planets.ra[1] = QString::number(r, 'f', 6);
    planets.dec[1] = QString::number(d, 'f', 6);
    planets.name[1] = QStringLiteral("(433) Eros");
    MarkerPool aster(500, 8);
    LabelPool names(500);
    ASSERT_TRUE(PlaceMinorPlanetMarkers(placer, planets, aster, names));
    EXPECT_NEAR(aster.left[1], 296, 1e-3);
    EXPECT_NEAR(names.left[1], 296 + 10, 1e-3);
    EXPECT_NEAR(names.top[1], 396 - 2, 1e-3);
    EXPECT_EQ(names.caption[1], QStringLiteral("(433) Eros"));
    EXPECT_TRUE(aster.visible[1] && names.visible[1]);

    // A singular model computes nothing: every object takes the position of
    // the one before it, the first one the origin.
    PlateSolution singular = plate;
    singular.a = {1, 2, 0, 2, 4, 0};
    MarkerPlacer stuck(singular, 8);
    PlaceStarMarkers(stuck, stars, 3, star);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_FLOAT_EQ(star.left[i], -4);
        EXPECT_FLOAT_EQ(star.top[i], -4);
    }
    // ... minor planets included.
    ASSERT_TRUE(PlaceMinorPlanetMarkers(stuck, planets, aster, names));
    EXPECT_FLOAT_EQ(aster.left[1], -4);
}

TEST(DeepSkyEllipse, AxesRotationAndReturnedBottom) {
    MarkerStore m;
    m.drawColour = QColor(1, 2, 3);
    // Unrotated (angle 0 mirrors y only): semi-axes 10 along x, 5 along y.
    auto bottom = draw::DrawEllipse(m, 100, 200, 10, 0, 0, 360, 0.5f, 1);
    ASSERT_TRUE(bottom);
    ASSERT_EQ(m.drawings.size(), 362u); // a zero-length first line, 360 arcs, one closing line
    EXPECT_EQ(m.drawings.front().x1, m.drawings.front().x2);
    float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
    for (const LineSegment& s : m.drawings) {
        minX = std::min(minX, s.x2);
        maxX = std::max(maxX, s.x2);
        minY = std::min(minY, s.y2);
        maxY = std::max(maxY, s.y2);
        EXPECT_EQ(s.colour, qRgb(1, 2, 3));
    }
    EXPECT_NEAR(minX, 90, 1e-3);
    EXPECT_NEAR(maxX, 110, 1e-3);
    EXPECT_NEAR(minY, 195, 1e-3);
    EXPECT_NEAR(maxY, 205, 1e-3);
    EXPECT_EQ(*bottom, static_cast<int16_t>(std::floor(maxY)));
    // At t = 90 the y axis is mirrored: the point lies above the centre.
    EXPECT_NEAR(m.drawings[91].y2, 195, 1e-3);
    // Each line starts where the one before ended; the last one returns to t = 361.
    for (size_t k = 1; k < m.drawings.size(); ++k)
        EXPECT_EQ(m.drawings[k].x1, m.drawings[k - 1].x2);
    EXPECT_NEAR(m.drawings.back().x2, m.drawings[1].x2, 1e-2);
    EXPECT_NEAR(m.drawings.back().y2, m.drawings[1].y2, 1e-2);

    // Turned by 90 degrees the long axis runs down the image.
    m.clearDrawings();
    bottom = draw::DrawEllipse(m, 100, 200, 10, 90, 0, 360, 0.5f, 1);
    ASSERT_TRUE(bottom);
    EXPECT_TRUE(*bottom == 209 || *bottom == 210) << *bottom;
    // Turned by 30 degrees: the farthest point from the centre is still 10.
    m.clearDrawings();
    bottom = draw::DrawEllipse(m, 0, 0, 10, 30, 0, 360, 0.5f, 1);
    float far = 0;
    for (const LineSegment& s : m.drawings)
        far = std::max(far, std::hypot(s.x2, s.y2));
    EXPECT_NEAR(far, 10, 1e-2);
    // Everything above the origin: the bottom stays at its starting 0.
    m.clearDrawings();
    EXPECT_EQ(draw::DrawEllipse(m, 0, -100, 10, 0, 0, 360, 1, 1), std::optional<int16_t>(0));

    // Results that cannot be a 16-bit bottom, and steps that never end, fail.
    EXPECT_FALSE(draw::DrawEllipse(m, 0, 40000, 10, 0, 0, 360, 1, 1));
    EXPECT_FALSE(draw::DrawEllipse(m, 0, 0, 10, 0, 0, 360, INFINITY, 1));
    m.clearDrawings();
    EXPECT_FALSE(draw::DrawEllipse(m, 0, 0, 10, 0, 0, 360, 1, 0));
    EXPECT_FALSE(draw::DrawEllipse(m, 0, 0, 10, 0, 0, 1e9f, 1, 1e-3f));
    EXPECT_TRUE(m.drawings.empty());
}

TEST(SkyOverlay, FullMapAgainstMatchingMapAndBadRows) {
    const PlateSolution plate = knownPlate();
    CatalogueStarTable stars;
    for (int i = 1; i <= 1000; ++i)
        skyOf(plate, i % 50 * 20, i / 50 * 20, stars.ra[i], stars.dec[i]);
    stars.rowsRead = 1000;
    stars.inUse = 497;
    MinorPlanetTable planets;
    DeepSkyTable objects;
    MarkerStore m;
    m.aster.show(7);
    m.deepobj_lbl.show(3);
    m.line(0, 0, 1, 1);

    // The matching's map: stars in use only, nothing hidden, drawings kept.
    OverlayOptions matching;
    ASSERT_TRUE(DrawSkyOverlay(plate, stars, planets, objects, matching, m));
    EXPECT_EQ(std::count(m.star.visible.begin(), m.star.visible.end(), 1), 497);
    EXPECT_TRUE(m.aster.visible[7] && m.deepobj_lbl.visible[3]);
    EXPECT_EQ(m.drawings.size(), 1u);

    // The full map: every row read, old markers hidden first.
    OverlayOptions full;
    full.fullMap = true;
    full.deepSky = true;
    full.labelWidth = [](const QString& s) { return 6.0f * s.size(); };
    objects.count = 1;
    skyOf(plate, 400, 300, objects.ra[1], objects.dec[1]);
    objects.size1[1] = 4; // arcminutes
    objects.size2[1] = 2;
    objects.name[1] = QStringLiteral("NGC 7380");
    ASSERT_TRUE(DrawSkyOverlay(plate, stars, planets, objects, full, m));
    EXPECT_EQ(std::count(m.star.visible.begin(), m.star.visible.end(), 1), 1000);
    EXPECT_FALSE(m.aster.visible[7]);
    EXPECT_TRUE(m.deepobj_lbl.visible[1]);
    EXPECT_FALSE(m.deepobj_lbl.visible[3]);
    EXPECT_EQ(m.drawings.size(), 362u); // the old line was cleared
    EXPECT_EQ(m.deepobj_lbl.caption[1], QStringLiteral("NGC 7380"));
    // The name is centred under the object, 4 pixels below the ellipse.
    EXPECT_NEAR(m.deepobj_lbl.left[1], 400 - 24, 1e-3);
    float bottom = 0;
    for (const LineSegment& seg : m.drawings)
        bottom = std::max({bottom, seg.y1, seg.y2});
    EXPECT_FLOAT_EQ(m.deepobj_lbl.top[1], std::floor(bottom) + 4);

    // Rows that cannot be placed end the overlay with false and crash nothing.
    objects.size2[1] = 0;
    EXPECT_FALSE(DrawSkyOverlay(plate, stars, planets, objects, full, m));
    objects.size2[1] = 2;
    planets.count = 2;
    planets.ra[1] = QStringLiteral("1000");
    planets.dec[1] = QStringLiteral("2000");
    planets.ra[2] = QStringLiteral("12 34 56.7");
    planets.dec[2] = QStringLiteral("+10 00 00");
    OverlayOptions withPlanets = full;
    withPlanets.minorPlanets = true;
    EXPECT_FALSE(DrawSkyOverlay(plate, stars, planets, objects, withPlanets, m));
    EXPECT_FALSE(m.aster.visible[1]);
    // A nearly singular model throws everything far away: no crash, and an
    // ellipse whose bottom cannot be told ends the overlay.
    PlateSolution wild = plate;
    wild.a = {1, 2, 0, 2, 4.0000000001, 0};
    planets.count = 0;
    (void)DrawSkyOverlay(wild, stars, planets, objects, full, m);
    objects.ra[1] = 0;
    objects.dec[1] = 1e30; // far below the image
    EXPECT_FALSE(DrawSkyOverlay(plate, stars, planets, objects, full, m));
}

TEST(SkyOverlay, CrossesAndHitTests) {
    MarkerStore m;
    m.star.place(3, 100, 200);
    m.star.place(4, 102, 201);
    DrawStarCrosses(m, {3, 4, 0, -5, 9999});
    ASSERT_EQ(m.drawings.size(), 4u);
    EXPECT_EQ(m.drawings[0].colour, qRgb(255, 128, 255));
    EXPECT_FLOAT_EQ(m.drawings[0].x1, 94);
    EXPECT_FLOAT_EQ(m.drawings[0].x2, 114);
    EXPECT_FLOAT_EQ(m.drawings[1].y1, 194);
    EXPECT_EQ(m.drawColour, QColor(128, 128, 255));

    // Readout: strictly within 4 pixels of the corner; the last hit wins.
    EXPECT_EQ(ReadoutStarAt(m.star, 4000, 101.5f, 200.5f), 4);
    EXPECT_EQ(ReadoutStarAt(m.star, 3, 101.5f, 200.5f), 3);
    EXPECT_EQ(ReadoutStarAt(m.star, 4000, 96.0f, 200.0f), 0);
    EXPECT_EQ(ReadoutStarAt(m.star, 4000, 103.9f, 203.9f), 3 + 1);
    EXPECT_EQ(ReadoutStarAt(m.star, 4000, 99.0f, 205.0f), 0);
    // Unplaced markers sit at the origin and answer there.
    EXPECT_EQ(ReadoutStarAt(m.star, 4000, 1.0f, 1.0f), 4000);
    // Double-click: the 8-pixel marker and 4 pixels around it, first hit wins.
    EXPECT_EQ(FirstMarkerNear(m.star, 4000, 111.5f, 211.5f), 3);
    EXPECT_EQ(FirstMarkerNear(m.star, 4000, 113.0f, 205.0f), 4);
    EXPECT_EQ(FirstMarkerNear(m.star, 4000, 114.0f, 205.0f), 0);
}

TEST(SkyOverlay, ReadoutTexts) {
    CatalogueStarTable stars;
    stars.id[1] = QStringLiteral("U1425_34166766");
    stars.magRed[1] = QStringLiteral(" 9.2");
    stars.magBlue[1] = QStringLiteral(" 9.8");
    stars.ra[1] = 341.667664 * 833.27;
    stars.dec[1] = -0.5 * 1575.63;
    EXPECT_EQ(StarReadoutText(stars, 1, 833.27, 1575.63),
              QStringLiteral(
                  "U1425_34166766   MagR-B= 9.2  9.8   Ra:22h46'40''   Dec:-0°30'0''  (J2000.0)"));

    MarkerPool star(10, 8);
    star.place(1, 625.5f, 129.25f);
    const CalibrationBoxes b = CalibrationBoxesFor(star, 1, stars, 833.27, 1575.63);
    EXPECT_EQ(b.text[0], QStringLiteral("629.5"));
    EXPECT_EQ(b.text[1], QStringLiteral("133.25"));
    EXPECT_EQ(b.cursorX, 630); // 629.5 rounds to even
    EXPECT_EQ(b.cursorY, 133);
    EXPECT_EQ(b.text[2], QStringLiteral("22"));
    EXPECT_EQ(b.text[3], QStringLiteral("46"));
    EXPECT_EQ(b.text[5], QStringLiteral("0")); // only the whole part carries a sign
    EXPECT_EQ(b.text[6], QStringLiteral("30"));
    EXPECT_EQ(b.text[7], QStringLiteral("0"));
}

// Each ellipse, read back through the true solution, is the object's outline
// on the sky: centred on it, its catalogue sizes along and across its
// position angle, also when the field is turned far from the usual way up.
TEST(DeepSkyEllipse, DrawnAtItsSizeAndPositionAngleOnTheSky) {
    struct Object {
        double size1, size2, pa; // arcminutes, degrees from north through east
    };
    const Object objects[] = {
        {25, 20, 0},  // NGC 7380's sizes
        {20, 5, 30},  // an elongated galaxy
        {12, 3, 150}, // its axis on the other side of north
    };
    for (const double turn : {0.0, 35.0, 120.0}) {
        const PlateSolution plate = turnedPlate(turn);
        for (const Object& o : objects) {
            DeepSkyTable table;
            table.count = 1;
            skyOf(plate, 500, 480, table.ra[1], table.dec[1]);
            table.size1[1] = o.size1;
            table.size2[1] = o.size2;
            table.positionAngle[1] = o.pa;
            const double angle = FieldAngle(plate, table.ra[1], table.dec[1]);
            MarkerStore m;
            MarkerPlacer placer(plate, m.star.size);
            ASSERT_TRUE(DrawDeepSkyObjects(placer, table, plate.corrDec, angle, m, {}));
            ASSERT_GT(m.drawings.size(), 300u);

            // The outline in arcminutes east and north of the object.
            const auto centre = turnedSky(turn, 500, 480);
            const double cosDec = std::cos(centre.dec * M_PI / 180);
            double far = 0, near = 1e9, farPa = 0;
            float left = 1e9f, right = -1e9f, top = 1e9f, bottom = -1e9f;
            for (const LineSegment& seg : m.drawings) {
                const auto p = turnedSky(turn, seg.x2, seg.y2);
                const double east = (p.ra - centre.ra) * cosDec * 60;
                const double north = (p.dec - centre.dec) * 60;
                const double r = std::hypot(east, north);
                if (r > far) {
                    far = r;
                    farPa = std::fmod(std::atan2(east, north) * 180 / M_PI + 360, 180);
                }
                near = std::min(near, r);
                left = std::min(left, seg.x2);
                right = std::max(right, seg.x2);
                top = std::min(top, seg.y2);
                bottom = std::max(bottom, seg.y2);
            }
            const std::string what = "turn " + std::to_string(turn) + ", " +
                                     std::to_string(o.size1) + "x" + std::to_string(o.size2);
            // Centred on the object's pixel, not on its marker's corner.
            EXPECT_NEAR((left + right) / 2, 500, 0.5) << what;
            EXPECT_NEAR((top + bottom) / 2, 480, 0.5) << what;
            EXPECT_NEAR(far, o.size1 / 2, 0.02 * o.size1) << what;
            EXPECT_NEAR(near, o.size2 / 2, 0.02 * o.size1) << what;
            if (o.size1 > 1.5 * o.size2) {
                const double off = std::fmod(farPa - o.pa + 450, 180) - 90; // axes: modulo 180
                EXPECT_NEAR(off, 0, 2) << what;
            }
        }
    }
}

// Minor planets go on the overlay only once an identification is accepted.
TEST(SkyOverlay, MinorPlanetsWaitForAnAcceptedMatch) {
    SessionState s;
    s.Plate = knownPlate();
    s.MinorPlanets.count = 1;
    double r = 0, d = 0;
    skyOf(s.Plate, 300, 200, r, d);
    s.MinorPlanets.ra[1] = QString::number(r, 'f', 0);
    s.MinorPlanets.dec[1] = QString::number(d, 'f', 0);
    s.MinorPlanets.name[1] = QStringLiteral("Gudy");
    const MapChoices choices{true, false, false};
    for (const bool match : {false, true}) {
        s.MatchFound = match;
        s.MapState = MapState::Loading;
        MarkerStore m;
        MapField(s, m, choices, [] { return true; }, {});
        EXPECT_EQ(s.MapState, MapState::Done);
        EXPECT_EQ(m.aster.visible[1] == 1, match);
        EXPECT_EQ(m.aster_lbl.visible[1] == 1, match);
    }
}
