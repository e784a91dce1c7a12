// The gnomonic plate: projection against ERFA, least-squares fit and outlier
// rejection, distortion terms and their fit. The refined plate of the real sample is checked end to
// end by test_platesolve and test_solve_gui.
#include "reduction/distortionfit.h"
#include "reduction/refinedplate.h"
#include "reduction/tanplate.h"
#include "testing.h"

#include <QJsonDocument>
#include <erfa.h>

#include <numbers>
#include <random>

using namespace reduction;
using namespace field;
using namespace catalogues;

using testing_support::sampleTrueSky;
using testing_support::separationArcsec;

namespace {

constexpr double kD2R = std::numbers::pi / 180.0;

// The sample's true plate (wcs.json).
TanPlate TruePlate() {
    const QJsonObject wcs =
        QJsonDocument::fromJson(testing_support::readSample("wcs.json")).object()["wcs"].toObject();
    TanPlate t;
    t.crval = {wcs["crval"][0].toDouble(), wcs["crval"][1].toDouble()};
    t.crpix = {wcs["crpix_0based"][0].toDouble(), wcs["crpix_0based"][1].toDouble()};
    t.cd = {wcs["cd"][0][0].toDouble(), wcs["cd"][0][1].toDouble(), wcs["cd"][1][0].toDouble(),
            wcs["cd"][1][1].toDouble()};
    return t;
}

// Largest distance in pixels between two plates over a grid on the sample image.
double WorstPixelDifference(const TanPlate& a, const TanPlate& b) {
    double worst = 0;
    for (int y = 0; y <= 1023; y += 93)
        for (int x = 0; x <= 1023; x += 93) {
            const auto p = b.skyToPixel(a.pixelToSky(x, y));
            const double d = p ? std::hypot(p->x - x, p->y - y) : HUGE_VAL;
            worst = std::max(worst, d);
        }
    return worst;
}

} // namespace

TEST(TanPlate, ProjectionAgreesWithErfaAndRoundTrips) {
    const SkyPoint centres[] = {{341.8, 58.05}, {0.2, -30}, {359.9, 89.5}, {180, 0}};
    const SkyPoint offsets[] = {{0.3, 0.2}, {-0.5, 0.4}, {1.5, -1}, {-0.2, -0.7}};
    for (const SkyPoint& c : centres)
        for (const SkyPoint& o : offsets) {
            const SkyPoint star{std::fmod(c.ra + o.ra + 360, 360),
                                std::clamp(c.dec + o.dec, -89.9, 89.9)};
            const auto s = SkyToStandard(star, c);
            ASSERT_TRUE(s);
            double xi = 0, eta = 0;
            ASSERT_EQ(
                eraTpxes(star.ra * kD2R, star.dec * kD2R, c.ra * kD2R, c.dec * kD2R, &xi, &eta), 0);
            EXPECT_NEAR((*s)[0], xi / kD2R, 1e-11);
            EXPECT_NEAR((*s)[1], eta / kD2R, 1e-11);
            double a = 0, b = 0;
            eraTpsts(xi, eta, c.ra * kD2R, c.dec * kD2R, &a, &b);
            const SkyPoint back = StandardToSky((*s)[0], (*s)[1], c);
            // (The separation is an arc cosine: nothing below about 0.003" is resolved.)
            EXPECT_LT(separationArcsec(back.ra, back.dec, a / kD2R, b / kD2R), 0.01);
            EXPECT_LT(separationArcsec(back.ra, back.dec, star.ra, star.dec), 0.01);
            EXPECT_GE(back.ra, 0);
            EXPECT_LT(back.ra, 360);
        }
    // Only a point well short of 90 degrees from the tangent point has an
    // image; the others say which side of the sky they are on.
    const struct {
        double ra; // about a tangent point at 10, 0
        TangentPlane status;
    } sides[] = {
        {10.5, TangentPlane::Projected},
        {99.9999, TangentPlane::Projected},         // cosine 1.7e-6
        {99.99999, TangentPlane::TooFarFromAxis},   // cosine 1.7e-7
        {100, TangentPlane::TooFarFromAxis},        // 90 degrees
        {100.00001, TangentPlane::AntistarOnPlane}, // cosine -1.7e-7
        {100.0001, TangentPlane::AntistarTooFar},   // cosine -1.7e-6
        {190, TangentPlane::AntistarTooFar},        // the opposite point
    };
    for (const auto& side : sides) {
        TangentPlane status = TangentPlane::AntistarTooFar;
        const auto s = SkyToStandard({side.ra, 0}, {10, 0}, &status);
        EXPECT_EQ(status, side.status) << side.ra;
        EXPECT_EQ(s.has_value(), side.status == TangentPlane::Projected) << side.ra;
    }
    EXPECT_FALSE(SkyToStandard({std::nan(""), 0}, {10, 0}));

    // Pixel -> sky -> pixel through the sample's true plate, and the same
    // sky position as the tests' own reading of wcs.json.
    const TanPlate t = TruePlate();
    for (const PixelPoint p : {PixelPoint{0, 0}, PixelPoint{1023, 17}, PixelPoint{511.5, 511.5}}) {
        const SkyPoint sky = t.pixelToSky(p.x, p.y);
        const auto truth = sampleTrueSky(p.x, p.y);
        EXPECT_LT(separationArcsec(sky.ra, sky.dec, truth.ra, truth.dec), 0.01);
        const auto back = t.skyToPixel(sky);
        ASSERT_TRUE(back);
        EXPECT_NEAR(back->x, p.x, 1e-7);
        EXPECT_NEAR(back->y, p.y, 1e-7);
    }
    TanPlate singular = t;
    singular.cd = {1e-4, 2e-4, 2e-4, 4e-4};
    EXPECT_FALSE(singular.skyToPixel(t.crval));
}

TEST(TanPlate, FitRecoversAPlateAndRejectsOutliers) {
    const TanPlate truth = TruePlate();
    std::vector<PlatePair> pairs;
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> u(0, 1023);
    for (int i = 0; i < 30; ++i) {
        const PixelPoint p{u(rng), u(rng)};
        pairs.push_back({p, truth.pixelToSky(p.x, p.y)});
    }
    // From a guess 0.2 degree off: the same plate, to a thousandth of a pixel.
    const PixelPoint centre{511.5, 511.5};
    const auto fit = FitTanPlate(pairs, centre, {341.6, 58.2});
    ASSERT_TRUE(fit);
    EXPECT_LT(WorstPixelDifference(truth, *fit), 1e-3);
    EXPECT_LT(separationArcsec(fit->crval.ra, fit->crval.dec, truth.crval.ra, truth.crval.dec),
              0.01);
    // About another tangent point the projection differs slightly, but the
    // tangent point stays at the pixel asked for.
    const auto shifted = FitTanPlate(pairs, {500, 530}, {341.6, 58.2});
    ASSERT_TRUE(shifted);
    EXPECT_EQ(shifted->crpix.y, 530);
    EXPECT_LT(WorstPixelDifference(truth, *shifted), 0.01);

    // Two stars misidentified by 6 and 15 pixels are rejected; the others stay.
    std::normal_distribution<double> noise(0, 0.3);
    for (PlatePair& p : pairs)
        p.pixel = {p.pixel.x + noise(rng), p.pixel.y + noise(rng)};
    pairs[4].pixel.x += 15;
    pairs[17].pixel.y -= 6;
    const auto rejecting = FitTanPlateRejecting(pairs, centre, {341.6, 58.2});
    ASSERT_TRUE(rejecting);
    EXPECT_FALSE(rejecting->used[4]);
    EXPECT_FALSE(rejecting->used[17]);
    EXPECT_EQ(rejecting->usedCount, 28);
    EXPECT_NEAR(rejecting->residual[4].dx, 15, 1.0);
    EXPECT_LT(rejecting->rmsPx, 0.7);
    EXPECT_LT(rejecting->maxPx, 1.5);
    EXPECT_LT(WorstPixelDifference(truth, rejecting->plate), 0.5);

    // Too few pairs, or all on one line: no plate.
    EXPECT_FALSE(FitTanPlateRejecting(std::span(pairs).first(5), centre, truth.crval));
    std::vector<PlatePair> line;
    for (int i = 0; i < 8; ++i)
        line.push_back(
            {{100.0 + i * 50, 100.0 + i * 50}, truth.pixelToSky(100 + i * 50, 100 + i * 50)});
    EXPECT_FALSE(FitTanPlate(line, centre, truth.crval));
}

TEST(TanPlate, DistortionTermsMapBothWaysAndAreFittedWhenTheyMatter) {
    // A polynomial of order 3 at (3, -2): terms below order 2 are not part of it.
    Distortion::Terms t{};
    t[1][0] = 7, t[2][0] = 1, t[1][1] = 10, t[0][2] = 100, t[1][2] = 0.5, t[3][0] = -1;
    EXPECT_DOUBLE_EQ(Distortion::Evaluate(t, 3, 3, -2), 9 - 60 + 400 + 6 - 27);
    EXPECT_DOUBLE_EQ(Distortion::Evaluate(t, 2, 3, -2), 9 - 60 + 400);

    // The sample's plate with a lens's distortion: 2 to 4 pixels at the corners.
    TanPlate truth = TruePlate();
    Distortion d;
    d.order = 2;
    d.a[2][0] = 4e-6, d.a[1][1] = -2e-6, d.a[0][2] = 6e-6;
    d.b[2][0] = -3e-6, d.b[1][1] = 5e-6, d.b[0][2] = 2e-6;
    truth.distortion = d;
    TanPlate plain = truth;
    plain.distortion.reset();
    EXPECT_GT(WorstPixelDifference(truth, plain), 2.0);
    // Pixel -> sky -> pixel to far below a thousandth of a pixel, without
    // inverse terms (by iteration alone).
    for (int y = 0; y <= 1023; y += 341)
        for (int x = 0; x <= 1023; x += 341) {
            const auto back = truth.skyToPixel(truth.pixelToSky(x, y));
            ASSERT_TRUE(back);
            EXPECT_NEAR(back->x, x, 1e-6);
            EXPECT_NEAR(back->y, y, 1e-6);
        }
    // A point far beyond the image, where the polynomials run away, has no
    // pixel rather than a wrong one.
    EXPECT_FALSE(truth.skyToPixel(StandardToSky(60, 0, truth.crval)));
    EXPECT_TRUE(plain.skyToPixel(StandardToSky(60, 0, truth.crval)));

    // Forty stars measured to 0.1 px: the fit finds the distortion, with
    // inverse terms, to a fraction of a pixel out to the corners, and the
    // test of its terms says they matter. The same stars without distortion:
    // a TAN plate is all they support.
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> u(0, 1023);
    std::normal_distribution<double> noise(0, 0.1);
    const PixelPoint centre{511.5, 511.5};
    for (const bool distorted : {true, false}) {
        SCOPED_TRACE(distorted ? "distorted" : "plain");
        const TanPlate& sky = distorted ? truth : plain;
        std::vector<PlatePair> pairs;
        for (int i = 0; i < 40; ++i) {
            const PixelPoint p{u(rng), u(rng)};
            pairs.push_back({{p.x + noise(rng), p.y + noise(rng)}, sky.pixelToSky(p.x, p.y)});
        }
        const auto tan = FitTanPlate(pairs, centre, {341.6, 58.2});
        ASSERT_TRUE(tan);
        const auto fit = FitDistortedPlate(pairs, *tan, 2, 1024, 1024);
        ASSERT_TRUE(fit);
        ASSERT_TRUE(fit->distortion);
        EXPECT_EQ(fit->distortion->inverseOrder, 3);
        EXPECT_LT(WorstPixelDifference(sky, *fit), 0.25);
        auto squares = [&](const TanPlate& plate) {
            double sum = 0;
            for (const PlatePair& p : pairs) {
                const auto r = ResidualOf(plate, p);
                sum += r->dx * r->dx + r->dy * r->dy;
            }
            return sum;
        };
        const double f = DistortionSignificance(squares(*tan), squares(*fit), 40, 2);
        if (distorted) {
            EXPECT_GT(WorstPixelDifference(sky, *tan), 1.0);
            EXPECT_GT(f, 100);
        } else {
            EXPECT_LT(f, RefineSettings{}.distortionSignificance);
        }
    }
    // Fewer pairs than each polynomial has terms (six for order 2): no plate.
    std::vector<PlatePair> few;
    for (int i = 0; i < 5; ++i)
        few.push_back({{100.0 * i, 90.0 * (i % 3)}, truth.pixelToSky(100.0 * i, 90.0 * (i % 3))});
    EXPECT_FALSE(FitDistortedPlate(few, plain, 2, 1024, 1024));
    EXPECT_EQ(DistortionSignificance(2.0, 1.0, 5, 2), 0);
}
