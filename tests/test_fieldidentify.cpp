// Identification from the stars of the whole image, on made-up fields whose
// truth is known: sources that are not catalogue stars, mirrored images,
// typed scales that are off, and fields that do not belong to the answer.
#include "reduction/fieldidentify.h"
#include "testing.h"

#include <random>

using namespace reduction;
using namespace field;
using namespace catalogues;

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
const SkyPoint kCentre{123.4, 41.0};

// The true plate of a made-up field: `pxPerDeg` on the sky, the image turned
// by `turnDeg`, mirrored or not, the tangent point near the image centre.
TanPlate TruePlate(double pxPerDeg, double turnDeg, bool mirrored) {
    const double t = turnDeg * std::numbers::pi / 180;
    const double s = 1 / pxPerDeg;
    TanPlate p;
    p.crval = {kCentre.ra + 0.05, kCentre.dec - 0.04};
    p.crpix = {kWidth / 2.0 + 13, kHeight / 2.0 - 7};
    // Normal view: east left, north up (CD = -s * rotation); a mirror flips x.
    const double m = mirrored ? -1 : 1;
    p.cd = {-s * std::cos(t) * m, -s * std::sin(t), s * std::sin(t) * m, -s * std::cos(t)};
    return p;
}

struct MadeField {
    std::vector<SkyPoint> stars;      // catalogue, brightest first
    std::vector<ImageSource> sources; // brightest first
    std::vector<int> sourceOfStar;    // -1 when the star was not detected
};

// `starCount` catalogue stars over the image and around it; a fraction
// `detected` of those on the image are found (0.3 px of centroid noise);
// `decoys` sources that are no catalogue star are mixed in among the
// brightest (knots of nebulosity, galaxies, faint stars).
MadeField MakeField(const TanPlate& truth, int starCount, double detected, int decoys,
                    unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> ux(-0.2 * kWidth, 1.2 * kWidth),
        uy(-0.2 * kHeight, 1.2 * kHeight), unit(0, 1);
    std::normal_distribution<double> noise(0, 0.3);
    MadeField f;
    struct Flux {
        ImageSource s;
        int star;
    };
    std::vector<Flux> found;
    for (int i = 0; i < starCount; ++i) {
        const double x = ux(rng), y = uy(rng);
        f.stars.push_back(truth.pixelToSky(x, y));
        const bool onImage = x >= 2 && y >= 2 && x <= kWidth - 3 && y <= kHeight - 3;
        if (onImage && unit(rng) < detected)
            found.push_back({{x + noise(rng), y + noise(rng), 1e5 / (i + 1), false}, i});
    }
    for (int i = 0; i < decoys; ++i)
        found.push_back({{unit(rng) * (kWidth - 1), unit(rng) * (kHeight - 1),
                          1e5 / (1 + unit(rng) * starCount * 0.5), false},
                         -1});
    std::sort(found.begin(), found.end(),
              [](const Flux& a, const Flux& b) { return a.s.flux > b.s.flux; });
    f.sourceOfStar.assign(starCount, -1);
    for (const Flux& s : found) {
        if (s.star >= 0) f.sourceOfStar[s.star] = static_cast<int>(f.sources.size());
        f.sources.push_back(s.s);
    }
    return f;
}

double WorstOffsetPx(const TanPlate& fitted, const TanPlate& truth) {
    double worst = 0;
    for (const auto& [x, y] :
         std::vector<std::pair<double, double>>{{0, 0},
                                                {kWidth - 1, 0},
                                                {0, kHeight - 1},
                                                {kWidth - 1, kHeight - 1},
                                                {kWidth / 2.0, kHeight / 2.0}}) {
        const auto p = fitted.skyToPixel(truth.pixelToSky(x, y));
        if (!p) return HUGE_VAL;
        worst = std::max(worst, std::hypot(p->x - x, p->y - y));
    }
    return worst;
}

} // namespace

TEST(FieldIdentify, FindsMadeUpFieldsDespiteSourcesThatAreNotStars) {
    struct Row {
        const char* what;
        double pxPerDeg, turnDeg;
        bool mirrored;
        double typedAsdFactor, typedDecFactor; // typed scale / true scale
        int stars;
        double detected;
        int decoys;
    };
    const Row rows[] = {
        // Plain field, typed scales right.
        {"plain", 400, 12, false, 1.0, 1.0, 80, 0.7, 10},
        // Mirrored image (taken through a diagonal), upside down.
        {"mirrored", 400, 190, true, 1.0, 1.0, 80, 0.7, 10},
        // Typed scales 10 % off, the two axes in opposite directions.
        {"scales off", 350, -75, false, 1.1, 0.9, 80, 0.7, 10},
        // Most of the brightest sources are no catalogue star.
        {"decoys outnumber stars", 420, 47, false, 0.95, 1.05, 60, 0.5, 60},
        // A sparse field: few catalogue stars, not all of them found.
        {"sparse", 300, 100, true, 1.0, 1.0, 30, 0.6, 8},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        const TanPlate truth = TruePlate(r.pxPerDeg, r.turnDeg, r.mirrored);
        const MadeField f = MakeField(truth, r.stars, r.detected, r.decoys, 7);
        const double c = std::cos(kCentre.dec * std::numbers::pi / 180);
        const identify::ScaleRange scales = identify::TypedScaleRange(
            r.pxPerDeg * r.typedAsdFactor * c, r.pxPerDeg * r.typedDecFactor, kCentre.dec);
        const identify::Attempt a =
            identify::Identify(f.sources, f.stars, kCentre, kWidth, kHeight, scales);
        ASSERT_TRUE(a.found);
        EXPECT_EQ(a.found->mirrored, r.mirrored);
        EXPECT_LT(WorstOffsetPx(a.found->plate, truth), 1.0);
        EXPECT_GE(a.found->verification.oddsLog10, identify::kOddsThreshold);
        // Every match pairs a source with its own star.
        for (const identify::Match& m : a.found->matches)
            EXPECT_EQ(f.sourceOfStar[m.star], m.source);
        // The fitted scales are the true ones, whatever was typed.
        const identify::FittedScales fitted = identify::ScalesOf(a.found->plate);
        EXPECT_NEAR(fitted.corrAsd, r.pxPerDeg * c, r.pxPerDeg * c * 0.01);
        EXPECT_NEAR(fitted.corrDec, r.pxPerDeg, r.pxPerDeg * 0.01);
        // The five picks are matched sources, each with its own star.
        const auto picks = identify::ChoosePicks(*a.found, f.sources, kWidth, kHeight);
        ASSERT_TRUE(picks);
        for (int k = 0; k < 5; ++k) {
            const int s = f.sourceOfStar[picks->stars[k]];
            ASSERT_GE(s, 0);
            EXPECT_EQ(f.sources[s].x, picks->picks[k].x);
            EXPECT_EQ(f.sources[s].y, picks->picks[k].y);
        }
    }
}

TEST(FieldIdentify, OffersNothingForAFieldThatIsNotTheAnswer) {
    const TanPlate truth = TruePlate(400, 30, false);
    const MadeField f = MakeField(truth, 80, 0.7, 10, 11);
    const identify::ScaleRange scales = identify::TypedScaleRange(
        400 * std::cos(kCentre.dec * std::numbers::pi / 180), 400, kCentre.dec);
    struct Row {
        const char* what;
        std::vector<SkyPoint> stars;
        std::vector<ImageSource> sources;
    };
    // The answer of another patch of sky: the same stars one field width away
    // would still match, so another made-up field stands in for it.
    const MadeField other = MakeField(truth, 80, 0.7, 10, 12);
    std::vector<ImageSource> scattered = f.sources;
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> u(0, 1);
    for (ImageSource& s : scattered)
        s.x = u(rng) * (kWidth - 1), s.y = u(rng) * (kHeight - 1);
    const Row rows[] = {
        // The image of one field, the answer of another.
        {"crossed answer", other.stars, f.sources},
        // Sources without any pattern (noise, a cloudy frame).
        {"random sources", f.stars, scattered},
        // Too few of either to make a triangle.
        {"two sources", f.stars,
         std::vector<ImageSource>(f.sources.begin(), f.sources.begin() + 2)},
        {"no stars", {}, f.sources},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        const identify::Attempt a =
            identify::Identify(r.sources, r.stars, kCentre, kWidth, kHeight, scales);
        EXPECT_FALSE(a.found);
        EXPECT_LT(a.bestOddsLog10, identify::kOddsThreshold);
    }
}

TEST(FieldIdentify, OddsAgainstChance) {
    struct Row {
        int tested, hits;
        double chance;
        long long hypotheses;
        double odds;
    };
    const Row rows[] = {
        {1, 1, 0.1, 1, 1.0},               // one hit at 1 in 10
        {2, 2, 0.1, 1, 2.0},               // two of two: 1 in 100
        {2, 1, 0.5, 1, -std::log10(0.75)}, // one or more of two coin tosses
        {2, 2, 0.1, 100, 0.0},             // a hundred tries make 1 in 100 likely
        {10, 0, 0.1, 10, -1.0},            // no hit: only the tries count
        {3, 5, 0.1, 1, 3.0},               // hits beyond the tested are cut
        {100, 30, 0.01, 1, 34.83},         // a true field: far beyond chance
    };
    for (const Row& r : rows)
        EXPECT_NEAR(identify::OddsAgainstChance(r.tested, r.hits, r.chance, r.hypotheses), r.odds,
                    0.05)
            << r.tested << " " << r.hits;
}

TEST(FieldIdentify, ScalesTypedAndFitted) {
    // At declination 60 the typed right-ascension scale holds cos(dec) = 0.5.
    const identify::ScaleRange same = identify::TypedScaleRange(500, 1000, 60);
    EXPECT_NEAR(same.low, 850, 1e-6);
    EXPECT_NEAR(same.high, 1150, 1e-6);
    const identify::ScaleRange apart = identify::TypedScaleRange(450, 1100, 60);
    EXPECT_NEAR(apart.low, 900 * 0.85, 1e-6);
    EXPECT_NEAR(apart.high, 1100 * 1.15, 1e-6);

    // A turned, mirrored plate of 1000 px per degree at declination 60.
    TanPlate p = TruePlate(1000, 33, true);
    p.crval.dec = 60;
    const identify::FittedScales f = identify::ScalesOf(p);
    EXPECT_NEAR(f.corrAsd, 500, 1e-6);
    EXPECT_NEAR(f.corrDec, 1000, 1e-6);

    // The mean direction of stars across 0h stays at 0h.
    const std::vector<SkyPoint> stars{{359.5, 10}, {0.5, 10}, {0, 11}, {0, 9}};
    const auto c = identify::MeanDirection(stars);
    ASSERT_TRUE(c);
    EXPECT_NEAR(std::remainder(c->ra, 360.0), 0, 1e-9);
    EXPECT_NEAR(c->dec, 10, 0.01);
    EXPECT_FALSE(identify::MeanDirection({}));
}

TEST(FieldIdentify, VerificationCountsOnlyWhatTheFitDidNotMake) {
    // Twelve catalogue stars on a made-up plate; 48 sources on a grid stand
    // for the field's other stars (the density that makes chance hits).
    const TanPlate plate = TruePlate(300, 20, false);
    std::vector<SkyPoint> stars;
    std::vector<PixelPoint> at;
    for (int i = 0; i < 12; ++i) {
        at.push_back({60.0 + 55 * i, 80.0 + 37 * (i % 5) + 30 * (i / 5)});
        stars.push_back(plate.pixelToSky(at.back().x, at.back().y));
    }
    auto verify = [&](int onSources, double offsetPx) {
        std::vector<ImageSource> sources;
        for (int i = 0; i < onSources; ++i)
            sources.push_back({at[i].x + offsetPx, at[i].y, 100, false});
        for (int j = 0; j < 48; ++j)
            sources.push_back({45.0 + 100 * (j % 8), 400.0 + 30 * (j / 8), 50, false});
        const SourceIndex index(sources, identify::kVerifyRadius);
        return identify::Verify(plate, stars, index, static_cast<int>(sources.size()), kWidth,
                                kHeight, identify::kVerifyRadius, 5);
    };
    const double noEvidence = -std::log10(2.0 * 5);
    struct Row {
        const char* what;
        int onSources;
        double offsetPx;
        int hits;        // found (the fitted three among them)
        double radiusPx; // of the count that gave the odds
    };
    const Row rows[] = {
        // Three hits are what a fitted plate makes of any three stars.
        {"three hits", 3, 0.2, 3, 3.0},
        {"twelve hits within a fraction of a pixel", 12, 0.2, 12, 1.5},
        // Off by more than half the radius: only the wide count finds them.
        {"twelve hits 2.5 px off", 12, 2.5, 12, 3.0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        const identify::Verification v = verify(r.onSources, r.offsetPx);
        EXPECT_EQ(v.hits, r.hits);
        EXPECT_EQ(v.tested, 12);
        EXPECT_EQ(v.radius, r.radiusPx);
        const double perPixel = v.sourcesUsed / double(kWidth * kHeight);
        EXPECT_GE(v.chance, perPixel * std::numbers::pi * r.radiusPx * r.radiusPx * 0.999);
        EXPECT_LT(v.chance, perPixel * std::numbers::pi * r.radiusPx * r.radiusPx * 12);
        if (r.hits == 3)
            EXPECT_NEAR(v.oddsLog10, noEvidence, 1e-9);
        else
            EXPECT_GT(v.oddsLog10, identify::kOddsThreshold);
    }
    // The same hits count for more when they are tight.
    EXPECT_GT(verify(12, 0.2).oddsLog10, verify(12, 2.5).oddsLog10 + 3);
}
